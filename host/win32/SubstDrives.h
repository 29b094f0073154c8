// Drives mapped to folders for the length of a run, as `subst` maps them
// (DefineDosDevice); each mapping is removed again when the object goes,
// since Windows keeps it for the whole logon session otherwise.
//
// Wine accepts DefineDosDevice but maps nothing: its drives are the links in
// the prefix's dosdevices folder (scripts/wine-run --drive makes them).
#pragma once

#include <string>
#include <vector>

#include "Options.h"

namespace ilt::win32 {

class SubstDrives {
public:
    SubstDrives() = default;
    ~SubstDrives();
    SubstDrives(const SubstDrives&) = delete;
    SubstDrives& operator=(const SubstDrives&) = delete;

    // Maps drive `mapping.letter` to the folder `mapping.folder` (a relative one
    // is taken from the current folder). False, with the reason in `error`, when
    // the folder is not there or the drive exists already.
    bool Map(const DriveMapping& mapping, std::string& error);

private:
    struct Mapped {
        std::string device;  // "D:"
        std::string folder;  // the full path it names
    };
    std::vector<Mapped> m_mapped;
};

}  // namespace ilt::win32
