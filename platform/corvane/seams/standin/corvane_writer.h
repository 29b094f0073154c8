// Writer of "2005" layout templates, for the authoring tool and for test fixtures; the real client
// library only reads.
//
// A 2005 template is a folder holding Layout/Corvane.cvn (the job-preferences file) and the three
// files Layout/Tamsett.tms, Layout/Halloway.hlw and Layout/Dunmere.dnm, which are never read and are
// written empty. Corvane.cvn is written as:
//   ; <comment header>
//   [Corvane]
//   Version = 1
//   LayerCount = <n>
//
//   [Layer 1]
//   Type = 1
//   Number = 1
//   ...
//   <extra lines, verbatim>
#pragma once

#include <CorvanePI.h>

#include <optional>
#include <string>
#include <vector>

namespace standin::corvane {

struct LayerDescription {
    std::optional<int> type;    // "Type = <type>" (CCorvaneLayer::eLayerType); no line when empty
    std::optional<int> number;  // "Number = <number>"; no line when empty
    bool omitSection = false;   // write no [Layer i] section at all for this index
};

struct Description {
    std::optional<int> version = 1;        // "Version = <v>"; no line when empty
    std::optional<int> layerCount;         // "LayerCount = <n>"; layers.size() when empty
    bool omitLayerCount = false;           // write no LayerCount line
    std::vector<LayerDescription> layers;  // [Layer 1] .. [Layer layers.size()]
    std::vector<std::string> extraLines;   // appended at the end, one a line, as given
};

// The text of Corvane.cvn for `description`, lines ending in "\n".
CORVANE_API std::string FormatCorvane(const Description& description);

// Creates `nativeTemplateFolder` (its parent must exist) and its Layout folder where missing, and
// writes the four files, replacing existing ones. On failure returns false and, when `error` is not
// null, says what failed.
CORVANE_API bool Write2005Template(const std::string& nativeTemplateFolder, const Description& description,
                                   std::string* error);

}  // namespace standin::corvane
