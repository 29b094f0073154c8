// Item id lists: our encoding of shell items, and SHGetPathFromIDListA.
//
// Windows lets each folder fill its SHITEMIDs as it likes; ours hold the
// item's path (see shell.h).  SHGetPathFromIDListA needs a MAX_PATH buffer and
// answers FALSE with "" in it for NULL, for an item outside the file system and
// for a list it cannot read; a path that does not fit MAX_PATH with its
// terminator fails the same way (Windows never truncates it).
//
// Not implemented: lists of more than one SHITEMID (items below a folder are
// never split into one id per component), the IL* helpers.
#include "faults.h"
#include "shell32.h"

#include <cstring>

namespace win32::shell {
namespace {

constexpr char kFileSystemTag[4] = {'F', 'S', 'Y', 'S'};
constexpr char kVirtualTag[4] = {'V', 'I', 'R', 'T'};
constexpr std::size_t kTagSize = sizeof(kFileSystemTag);
constexpr std::size_t kCbSize = sizeof(USHORT);

USHORT ReadCb(const BYTE* at)
{
    USHORT cb;
    std::memcpy(&cb, at, sizeof(cb));
    return cb;
}

void WriteCb(BYTE* at, USHORT cb) { std::memcpy(at, &cb, sizeof(cb)); }

}  // namespace

LPITEMIDLIST MakeIdList(const Item& item)
{
    if (item.kind == Item::Kind::Desktop) {
        auto* list = static_cast<BYTE*>(AllocateBlock(kCbSize, BlockKind::IdList));
        if (list)
            WriteCb(list, 0);
        return reinterpret_cast<LPITEMIDLIST>(list);
    }
    const std::size_t cb = kCbSize + kTagSize + item.text.size() + 1;
    if (cb > 0xFFFF || item.text.find('\0') != std::string::npos)
        return nullptr;
    auto* list = static_cast<BYTE*>(AllocateBlock(cb + kCbSize, BlockKind::IdList));
    if (!list)
        return nullptr;
    WriteCb(list, static_cast<USHORT>(cb));
    std::memcpy(list + kCbSize, item.kind == Item::Kind::FileSystem ? kFileSystemTag : kVirtualTag, kTagSize);
    std::memcpy(list + kCbSize + kTagSize, item.text.data(), item.text.size());
    list[cb - 1] = '\0';
    WriteCb(list + cb, 0);
    return reinterpret_cast<LPITEMIDLIST>(list);
}

std::optional<Item> ReadIdList(LPCITEMIDLIST list)
{
    if (!list)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const BYTE*>(list);
    // A block of ours is read within its size; anyone else's list is trusted
    // to be well formed, as Windows trusts it.
    const std::optional<std::size_t> size = BlockSize(list);
    if (size && *size < kCbSize)
        return std::nullopt;
    const USHORT cb = ReadCb(bytes);
    if (cb == 0)
        return Item{};
    if (cb < kCbSize + kTagSize + 1 || (size && *size < static_cast<std::size_t>(cb) + kCbSize))
        return std::nullopt;
    if (bytes[cb - 1] != '\0' || ReadCb(bytes + cb) != 0)
        return std::nullopt;
    Item item;
    const BYTE* tag = bytes + kCbSize;
    if (std::memcmp(tag, kFileSystemTag, kTagSize) == 0)
        item.kind = Item::Kind::FileSystem;
    else if (std::memcmp(tag, kVirtualTag, kTagSize) == 0)
        item.kind = Item::Kind::Virtual;
    else
        return std::nullopt;
    const char* text = reinterpret_cast<const char*>(tag + kTagSize);
    item.text.assign(text, cb - kCbSize - kTagSize - 1);
    if (item.text.find('\0') != std::string::npos)
        return std::nullopt;
    return item;
}

std::string DisplayName(const Item& item)
{
    switch (item.kind) {
    case Item::Kind::Desktop: return "Desktop";
    case Item::Kind::Virtual: return item.text;
    case Item::Kind::FileSystem: break;
    }
    const std::string& path = item.text;
    if (path == "\\")
        return path;
    if (path.size() == 3 && path[1] == ':')
        return path.substr(0, 2);
    return path.substr(path.rfind('\\') + 1);
}

}  // namespace win32::shell

using namespace win32::shell;

BOOL STDAPICALLTYPE SHGetPathFromIDListA(PCIDLIST_ABSOLUTE list, LPSTR path)
{
    if (!path)
        return FALSE;
    path[0] = '\0';
    if (win32::CallFails(standin::Win32Call::ShGetPathFromIdList))
        return FALSE;
    const std::optional<Item> item = ReadIdList(list);
    if (!item || item->kind != Item::Kind::FileSystem || item->text.size() >= MAX_PATH)
        return FALSE;
    std::memcpy(path, item->text.c_str(), item->text.size() + 1);
    return TRUE;
}
