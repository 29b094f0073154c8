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

// The path without trailing separators; "/" stays.
//   "lib/4L/" => "lib/4L"      "/" => "/"      "lib//" => "lib"
std::string WithoutTrailingSeparators(std::string nativePath);

// The path in the system's form: separators become backslashes, runs of them
// one, and a trailing one goes. The C run-time stand-in turns the backslashes
// back into slashes when it queries the file system.
//   "lib/4L/" => "lib\4L"      "/srv//lib" => "\srv\lib"      "../lib" => "..\lib"
std::string ToSystemPath(const std::string& nativePath);

// A template folder as the dialog reaches it: the layout-templates folder
// (native) and the template's name in it.
struct TemplateLocation {
    std::string templatesFolder;
    std::string name;
};

// Where the template folder `nativePath` lies. A path that ends in a name is
// split at its last separator ("lib/4L" => "lib", "4L"; "4L" => ".", "4L");
// for one that ends in "." or "..", the name is looked up in the folder above
// ("lib/4L/." => "lib/4L/./..", "4L"). False, with *error, for "/" and for a
// folder whose name cannot be found.
bool LocateTemplate(const std::string& nativePath, TemplateLocation& location, std::string& error);

}  // namespace layouttool
