#!/usr/bin/env bash
# The same template files read on both sides: the Linux tool (from the Linux
# build) and the Windows tool (under Wine, the folder mapped as drive D:)
# each write a template of either format, then each shows and checks all four
# in text and as JSON. Both must list all four and show the same rows.
#
#   across_systems.sh WINE_RUN LINUX_TOOL WINDOWS_TOOL FOLDER
set -euo pipefail
wine_run=$1 linux_tool=$2 windows_tool=$3 folder=$4

rm -rf "$folder"
mkdir -p "$folder/lib"
windows() { "$wine_run" --drive "D=$folder" "$windows_tool" "$@" | tr -d '\r'; }
fail() {
  echo "across_systems: $*" >&2
  exit 1
}
same() { # what, linux, windows
  [[ $2 == "$3" ]] || fail "$1 differs:"$'\n'"Linux:"$'\n'"$2"$'\n'"Windows:"$'\n'"$3"
}

stackup_2007=(--layer "conductor TOP metal=1 usage=Signal" --layer "dielectric CORE"
              --layer "conductor BOTTOM metal=2 usage=\"Power plane\"")
stackup_2005=(--layer "signal 1" --layer dielectric --layer "plane 2")
"$linux_tool" create 2007 "$folder/lib/linux-4L" "${stackup_2007[@]}" >/dev/null
"$linux_tool" create 2005 "$folder/lib/linux-6L" "${stackup_2005[@]}" >/dev/null
windows create 2007 'D:\lib\windows-4L' "${stackup_2007[@]}" >/dev/null
windows create 2005 'D:\lib\windows-6L' "${stackup_2005[@]}" >/dev/null

expected='OK   linux-4L (2007)
OK   linux-6L (2005)
OK   windows-4L (2007)
OK   windows-6L (2005)
4 of 4 sub-folders are listed by the dialog'
same "check of the Linux tool" "$expected" "$("$linux_tool" check --listing-order ascending "$folder/lib")"
same "check of the Windows tool" "$expected" "$(windows check 'D:\lib')"

# The JSON documents but for the folder as each system names it.
linux_json=$("$linux_tool" check --json --listing-order ascending "$folder/lib" | grep -v '"folder":')
windows_json=$(windows check --json 'D:\lib' | grep -v '"folder":')
same "check --json" "$(sed 's/"listingOrder": "ascending"/"listingOrder": "filesystem"/' <<<"$linux_json")" \
  "$windows_json"

for name in linux-4L linux-6L windows-4L windows-6L; do
  same "show $name" "$("$linux_tool" show "$folder/lib/$name")" "$(windows show "D:\\lib\\$name")"
  same "show --json $name" "$("$linux_tool" show --json "$folder/lib/$name" | grep -v '"folder":')" \
    "$(windows show --json "D:\\lib\\$name" | grep -v '"folder":')"
done
same "rows of a 2007 template" $'format: 2007\n1\tTOP\tSignal\n2\tBOTTOM\tPower plane' \
  "$(windows show 'D:\lib\linux-4L')"
same "rows of a 2005 template" $'format: 2005\n1\tSIGNAL_1\tSignal\n2\tPLANE_2\tPlane' \
  "$("$linux_tool" show "$folder/lib/windows-6L")"
echo "across_systems: the Linux and the Windows tool read the same four templates alike"
