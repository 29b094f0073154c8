// Drives mapped to folders for the length of a run.
#include "SubstDrives.h"

#include <windows.h>

namespace ilt::win32 {
namespace {

std::string SystemMessage(DWORD error)
{
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string message = length > 0 ? std::string(text, length) : "error " + std::to_string(error);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

}  // namespace

SubstDrives::~SubstDrives()
{
    for (auto drive = m_mapped.rbegin(); drive != m_mapped.rend(); ++drive)
        DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, drive->device.c_str(),
                         drive->folder.c_str());
}

bool SubstDrives::Map(const DriveMapping& mapping, std::string& error)
{
    const std::string option = "--drive " + std::string(1, mapping.letter) + "=" + mapping.folder + ": ";
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(mapping.folder.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        error = option + "not a usable folder path";
        return false;
    }
    const DWORD attributes = GetFileAttributesA(full);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = option + "there is no folder '" + full + "'";
        return false;
    }
    const std::string device = std::string(1, mapping.letter) + ":";
    char target[MAX_PATH];
    if (QueryDosDeviceA(device.c_str(), target, MAX_PATH) != 0) {
        error = option + "drive " + device + " exists already";
        return false;
    }
    if (!DefineDosDeviceA(0, device.c_str(), full)) {
        error = option + SystemMessage(GetLastError());
        return false;
    }
    m_mapped.push_back({device, full});
    return true;
}

}  // namespace ilt::win32
