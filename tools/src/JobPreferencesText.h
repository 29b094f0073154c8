// JobPreferencesText.h - the text of a key of a job-preferences file
// (Layout/Corvane.cvn), for messages about values its client refuses without
// saying what they were.
#pragma once

#include <optional>
#include <string>

namespace layouttool {

// The value of `key` in the section `section` of the INI file `nativePath`,
// found as the job-preferences client finds it: section and key names
// ignoring ASCII case and the blanks around them, '=' or ':' after the name,
// the value trimmed and cut at a ';' that follows a blank. Nothing when the
// file cannot be read or has no such key.
//   [Layer 1]\nNumber = 2147483648 ; top  => "2147483648"
std::optional<std::string> JobPreferencesValue(const std::string& nativePath, const std::string& section,
                                               const std::string& key);

}  // namespace layouttool
