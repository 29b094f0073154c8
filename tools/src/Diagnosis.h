// Diagnosis.h - reasons the dialog never gives, for the user's eyes only.
//
// Discovery alone decides whether a template is valid, and the dialog's
// readers alone what it shows; these only explain a failure after the fact.
#pragma once

#include <string>

namespace layouttool {

// Looks at <nativeTemplateFolder>/keyin.oskel/design.db without opening it as
// a database: "keyin.oskel\design.db is missing", "... is not an SQLite 3
// database", "its application id is 0, not 1330860876", ... When nothing is
// visibly wrong: "its tables do not match the format, or it is damaged".
std::string DiagnoseDatabase(const std::string& nativeTemplateFolder);

// Why the job-preferences file of a 2005 template (a system path, as
// discovery gives it) yields no stack-up, e.g. "Layout\Corvane.cvn:
// CORVANE_E_DUPLICATE_KEY: a key is repeated within a section"; "" when it
// loads and tells its layer count.
std::string DiagnoseJobPreferences(const std::string& templateFolder);

}  // namespace layouttool
