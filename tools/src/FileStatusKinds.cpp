// Names of the kinds of file, the same on both systems.

#include "FileStatus.h"

namespace layouttool {

std::string KindName(FileKind kind)
{
    switch (kind) {
    case FileKind::File: return "a file";
    case FileKind::Folder: return "a folder";
    case FileKind::Fifo: return "a FIFO";
    case FileKind::Device: return "a device";
    case FileKind::Socket: return "a socket";
    case FileKind::Other: break;
    }
    return "no file";
}

}  // namespace layouttool
