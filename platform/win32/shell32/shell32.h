// Private interface of shell32: the shell allocator's blocks, our encoding of
// items in id lists, and the path rules of the desktop folder.
#pragma once

#include <shlobj.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace win32::shell {

// ---- the shell allocator (allocator.cpp) ----
// Every block remembers whether it holds an item id list, for the live count.
enum class BlockKind { Memory, IdList };
void* AllocateBlock(std::size_t size, BlockKind kind);
// The size of a live block of the allocator; nothing for any other pointer.
std::optional<std::size_t> BlockSize(const void* block);
// Frees a live block; any other non-null pointer is counted as an invalid free.
void FreeBlock(void* block);

// ---- items and id lists (idlist.cpp) ----
// One shell item.  An id list of a file-system item holds one SHITEMID: "FSYS",
// the item's path in the system's form (canonical, see CanonicalPath) and a
// terminating NUL; a virtual item's holds "VIRT", its name and a NUL; the
// desktop is the empty list.  A zero cb ends every list.
struct Item {
    enum class Kind { Desktop, FileSystem, Virtual };
    Kind kind = Kind::Desktop;
    std::string text;  // the path of a file-system item, the name of a virtual one

    bool operator==(const Item& other) const { return kind == other.kind && text == other.text; }
    bool operator!=(const Item& other) const { return !(*this == other); }
};

// A new id list of `item` from the shell allocator; nullptr when the item does
// not fit one SHITEMID or memory runs out.
LPITEMIDLIST MakeIdList(const Item& item);
// The item an id list stands for; nothing for NULL or a list we did not make.
std::optional<Item> ReadIdList(LPCITEMIDLIST list);
// The name the shell shows: "4L" for D:\lib\4L, "D:" for a drive, "\" for the
// file-system root, "Desktop", or a virtual item's name.
std::string DisplayName(const Item& item);

// ---- paths (path.cpp) ----
// The canonical form of an absolute path: "X:\" + components, or "\" +
// components, components joined by single backslashes, no trailing backslash
// but on a root, drive letter upper-cased; a bare "X:" is the drive's root.
// E_INVALIDARG for a relative or drive-relative name, a forward slash, a
// doubled backslash, a "." or ".." component or a character Windows forbids.
HRESULT CanonicalPath(const std::string& text, std::string& canonical);
enum class Existence { Missing, File, Folder };
// What a canonical path names on disk (through the run-time's drive map).
Existence Probe(const std::string& canonical);
// True when `path` is `root` or lies below it (canonical paths; an empty root
// is the desktop, above everything).
bool IsUnder(const std::string& path, const std::string& root);
// The desktop's file-system children: every mapped drive ("D:\") and "\".
std::vector<std::string> DesktopTopFolders();

}  // namespace win32::shell
