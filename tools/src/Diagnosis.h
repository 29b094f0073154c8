// Diagnosis.h - reasons the dialog never gives, for the user's eyes only.
//
// Discovery alone decides whether a template is valid, and the dialog's
// readers alone what it shows; these only explain a failure after the fact.
#pragma once

#include <string>

#include "templates/TemplateFormats.h"

namespace layouttool {

// Why `nativeFolder` is no folder that the dialog's file queries reach:
// "no such folder", "no such folder (a part of its path is not a folder)",
// "not a folder", "cannot be reached: Permission denied", "its path holds '*',
// which the dialog's file queries refuse"; "" when it is one.
std::string FolderProblem(const std::string& nativeFolder);

// The cause behind discovery's verdict on the template folder
// `nativeTemplateFolder`, where the verdict names none: for a missing 2005
// file, why it was not found ("there is no Layout folder", "Layout\Dunmere.dnm
// does not exist", "the folder cannot be searched: Permission denied", ...),
// preceded by why a keyin.oskel there did not make it a 2007 template; for a
// design database that does not open, DiagnoseDatabase. "" for the others.
std::string DiagnoseRejection(const std::string& nativeTemplateFolder, const TemplateProbeResult& result);

// Why an entry of a layout-templates folder that discovery did not take for
// a folder is none: "its name holds '?', which the dialog's file queries
// refuse", "a link to nothing"; "" for an ordinary file.
std::string DiagnoseNonFolder(const std::string& nativePath);

// Why the 2007 reader stops on the layers of <nativeTemplateFolder>, which it
// does without a message: "the design's layer 2 has no readable name" (kind,
// name or metal-layer number); "" when every layer reads.
std::string DiagnoseLayers(const std::string& nativeTemplateFolder);

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

// Why the dialog shows no rows for a 2005 template (a system path, as
// discovery gives it) whose job-preferences file loads: the first layer that
// would be a row but is left out ("layer 1 is a signal layer, but its Number
// '2147483648' is out of range (-2147483648 to 2147483647)", "layer 2 has no
// Type", "LayerCount is 3, but there is no [Layer 1] section"), or "none of
// its layers is a signal or plane layer".
std::string DiagnoseNoRows2005(const std::string& templateFolder);

}  // namespace layouttool
