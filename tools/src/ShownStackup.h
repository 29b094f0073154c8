// ShownStackup.h - a template's stack-up as the dialog shows it, read by the
// template library's own readers.
#pragma once

#include <string>
#include <vector>

namespace layouttool {

struct ShownStackup {
    bool displayed = false;  // the reader succeeded; when false the dialog says "Can't display the stackup."
                             // at start-up, and shows no rows after a change of selection
    std::string format;      // the format label: "2007" or "2005"
    std::vector<std::vector<std::string>> rows;  // each row's three texts
    std::vector<std::string> messages;           // the texts of the message boxes the reader shows
};

// Reads the template `name` of the layout-templates folder `templatesFolder`
// (a system path) as the dialog does when the template becomes the current one.
ShownStackup ShowStackup(const std::string& templatesFolder, const std::string& name);

}  // namespace layouttool
