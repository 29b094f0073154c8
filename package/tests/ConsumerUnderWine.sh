#!/usr/bin/env bash
# Runs the Windows build of the consumer example under Wine, on the virtual
# display of $DISPLAY, as a person works it: in each dialog it shows (one per
# NAME, in order), Shift-Tab to the drop-down, the name's first character (the
# drop-down's own type-ahead picks the entry), Enter for OK; keys typed through
# X (xdotool). Fails unless the example ends with status 0 and prints each
# template's path as the dialog returns it.
#
#   ConsumerUnderWine.sh WINE_RUN INSTALLED_BIN PROGRAM LIBRARY NAME...
set -euo pipefail
wine_run=$1 installed_bin=$2 program=$3 library=$4
shift 4

# Wine's Z: is the Linux root. The program finds the installed DLLs on the
# search path, as a host application deployed beside the package would.
windows_path() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }
library_w=$(windows_path "$library")
export WINEPATH=$(windows_path "$installed_bin")
export ILT_WINE_DISPLAY=$DISPLAY

out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
"$wine_run" --gui "$program" "$library_w" >"$out" 2>"$err" &
pid=$!

visible_dialog() { xdotool search --onlyvisible --name '^Import Layout Template$' 2>/dev/null | tail -n 1; }
for name in "$@"; do
  id=
  for _ in $(seq 300); do
    id=$(visible_dialog) && [[ -n $id ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if [[ -z $id ]]; then
    echo "no dialog appeared for $name; standard error:" >&2
    cat "$err" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
  fi
  sleep 0.5  # the dialog's start-up has filled the drop-down
  xdotool windowfocus --sync "$id" key --delay 100 shift+Tab "${name:0:1}" Return
  for _ in $(seq 100); do
    [[ -z $(visible_dialog) ]] && break
    sleep 0.1
  done
done

status=0
wait "$pid" || status=$?
expected=""
for name in "$@"; do
  expected+="$library_w\\Templates\\Layout\\$name"$'\n'
done
printed=$(tr -d '\r' <"$out")$'\n'
if [[ $status -ne 0 || $printed != "$expected" ]]; then
  echo "host-application under Wine: exit status $status; printed:" >&2
  cat "$out" >&2
  echo "standard error:" >&2
  cat "$err" >&2
  echo "expected exit status 0 and:" >&2
  printf '%s' "$expected" >&2
  exit 1
fi
printf 'host-application printed:\n%s' "$printed"
