// The folder tree of the terminal's folder browser: the rows shown, each a
// folder (or the desktop, which has no file-system path), opened and closed
// one level at a time. Paths are in the system's form (backslashes, drive
// designators); the folders are listed through the drive map.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace ilt {

struct FolderRow {
    std::string label;
    std::string path;  // "" for the desktop
    int depth = 0;
    bool expanded = false;
    bool childless = false;  // opened once and found without sub-folders
};

class FolderTree {
public:
    // A tree rooted at the folder `root`, or at the desktop when it is empty
    // (its children: the mapped drives and the top of the native file system).
    explicit FolderTree(const std::string& root);

    const std::vector<FolderRow>& Rows() const { return m_rows; }
    // Shows the sub-folders of row `index` under it. False when it is open
    // already or has none.
    bool Expand(std::size_t index);
    // Hides everything under row `index`. False when it is not open.
    bool Collapse(std::size_t index);
    std::optional<std::size_t> Parent(std::size_t index) const;
    // The first row whose label begins with `prefix` (ASCII letters in either
    // case), looking from row `from` on, or from the row after it with
    // `pastFrom`, and round from the top; nothing when no row does.
    std::optional<std::size_t> Find(const std::string& prefix, std::size_t from, bool pastFrom) const;

private:
    std::vector<FolderRow> m_rows;
};

// The names of the sub-folders of `folder` (system form), sorted ignoring case.
std::vector<std::string> Subfolders(const std::string& folder);

// "D:\lib" + "4L" => "D:\lib\4L"       "D:\" + "lib" => "D:\lib"
std::string JoinFolder(const std::string& folder, const std::string& name);

}  // namespace ilt
