// SystemPath.h - paths from the command line in the forms the tool uses.
//
// A path is never made absolute: a relative one stays relative to the current
// folder, as the dialog takes it, so the tool reaches every folder the dialog
// reaches, also from a current folder whose own path is longer than the
// system allows a path to be. "." and ".." are left to the file system, as the
// dialog leaves them.
#pragma once

#include <string>

namespace layouttool {

// The path without trailing separators; a root keeps its own.
//   "lib/4L/" => "lib/4L"      "/" => "/"      "lib//" => "lib"
//   Windows: "D:\lib\" => "D:\lib"      "D:\" => "D:\"      "\\srv\share\" => "\\srv\share"
std::string WithoutTrailingSeparators(std::string nativePath);

// The path in the system's form: separators become backslashes, runs of them
// one, and a trailing one goes. On Linux the C run-time stand-in turns the
// backslashes back into slashes when it queries the file system.
//   "lib/4L/" => "lib\4L"      "/srv//lib" => "\srv\lib"      "../lib" => "..\lib"
//   Windows: "D:/lib/4L" => "D:\lib\4L"      "\\srv\share\lib" stays
std::string ToSystemPath(const std::string& nativePath);

// A system path as the tool's own file queries take it: on Linux where the
// C run-time stand-in takes it; on Windows the same path.
std::string NativeOf(const std::string& systemPath);

// Makes the C run-time's directory searches list entries in `order`:
// "filesystem", "ascending" or "descending" by name. "" when done, else why
// not (Windows lists in the file system's order only).
std::string SelectListingOrder(const std::string& order);

// A template folder as the dialog reaches it: the layout-templates folder
// (native) and the template's name in it.
struct TemplateLocation {
    std::string templatesFolder;
    std::string name;
};

// Where the template folder `nativePath` lies. On Linux a path that ends in a
// name is split at its last separator ("lib/4L" => "lib", "4L"; "4L" => ".",
// "4L"); for one that ends in "." or "..", the name is looked up in the folder
// above ("lib/4L/." => "lib/4L/./..", "4L"). On Windows, which resolves paths
// by their text, the full path is split. False, with *error, for a root and
// for a folder whose name cannot be found.
bool LocateTemplate(const std::string& nativePath, TemplateLocation& location, std::string& error);

}  // namespace layouttool
