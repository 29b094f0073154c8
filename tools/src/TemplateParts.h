// The folders of a template that the tool writes, and the files in each: the
// same on both systems.
#pragma once

#include <cstddef>
#include <vector>

#include "TemplateFiles.h"

namespace layouttool {

struct TemplatePart {
    const char* folder;               // in DIR
    std::vector<const char*> files;   // what this tool writes there, in the order they are moved in
    std::vector<const char*> extras;  // what SQLite may have left beside them
};

// The marker comes last when the 2007 template moves in and goes first when
// it goes, so the folder never reads as 2007 without its database.
inline const TemplatePart k2007Part{
    "keyin.oskel", {"design.db", "sids"}, {"design.db-journal", "design.db-wal", "design.db-shm"}};
inline const TemplatePart k2005Part{"Layout", {"Tamsett.tms", "Corvane.cvn", "Halloway.hlw", "Dunmere.dnm"}, {}};

inline const TemplatePart& PartOf(TemplateFormat format)
{
    return format == TemplateFormat::k2007 ? k2007Part : k2005Part;
}
inline const TemplatePart& OtherPart(TemplateFormat format)
{
    return format == TemplateFormat::k2007 ? k2005Part : k2007Part;
}

// A staging folder's name: a prefix and this many random characters.
constexpr std::size_t kStagingSuffixLength = 6;

}  // namespace layouttool
