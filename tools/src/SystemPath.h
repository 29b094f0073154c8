// SystemPath.h - paths from the command line in the form the system code takes.
#pragma once

#include <string>

namespace layouttool {

// A native path, relative or absolute, made absolute and lexically normal,
// without a trailing separator (except "/"), in the system's form: "/srv/lib/"
// and "lib/../lib" (run in /srv) both give "\srv\lib". The C run-time stand-in
// turns the backslashes back into slashes when it queries the file system.
std::string ToSystemPath(const std::string& nativePath);

// The same path, native: absolute, lexically normal, no trailing separator.
std::string AbsoluteNativePath(const std::string& nativePath);

}  // namespace layouttool
