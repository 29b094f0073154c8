// The folder tree of the terminal's folder browser.
#include "terminal/FolderTree.h"

#include <standin/crt.h>

#include <algorithm>
#include <filesystem>
#include <strings.h>
#include <system_error>

namespace ilt {

namespace fs = std::filesystem;

std::string JoinFolder(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

std::vector<std::string> Subfolders(const std::string& folder)
{
    std::vector<std::string> names;
    const std::string native = standin::ToNativePath(folder);
    if (native.empty())
        return names;
    std::error_code error;
    fs::directory_iterator entries(native, fs::directory_options::skip_permission_denied, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code statError;
        if (entries->is_directory(statError))
            names.push_back(entries->path().filename().string());
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int folded = strcasecmp(a.c_str(), b.c_str());
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

FolderTree::FolderTree(const std::string& root)
{
    if (!root.empty()) {
        m_rows.push_back(FolderRow{root, root, 0, false, false});
        Expand(0);
        return;
    }
    m_rows.push_back(FolderRow{"Desktop", "", 0, true, false});
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string drive = std::string(1, letter) + ":\\";
        if (!standin::ToNativePath(drive).empty())
            m_rows.push_back(FolderRow{drive, drive, 1, false, false});
    }
    const std::string top = standin::FromNativePath("/");
    m_rows.push_back(FolderRow{top, top, 1, false, false});
}

bool FolderTree::Expand(std::size_t index)
{
    if (index >= m_rows.size() || m_rows[index].expanded || m_rows[index].path.empty())
        return false;
    const std::vector<std::string> names = Subfolders(m_rows[index].path);
    if (names.empty()) {
        m_rows[index].childless = true;
        return false;
    }
    m_rows[index].expanded = true;
    std::vector<FolderRow> children;
    for (const std::string& name : names)
        children.push_back(
            FolderRow{name, JoinFolder(m_rows[index].path, name), m_rows[index].depth + 1, false, false});
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(index) + 1, children.begin(), children.end());
    return true;
}

bool FolderTree::Collapse(std::size_t index)
{
    if (index >= m_rows.size() || !m_rows[index].expanded || m_rows[index].path.empty())
        return false;
    std::size_t end = index + 1;
    while (end < m_rows.size() && m_rows[end].depth > m_rows[index].depth)
        ++end;
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(index) + 1,
                 m_rows.begin() + static_cast<std::ptrdiff_t>(end));
    m_rows[index].expanded = false;
    return true;
}

std::optional<std::size_t> FolderTree::Parent(std::size_t index) const
{
    if (index >= m_rows.size())
        return std::nullopt;
    for (std::size_t i = index; i-- > 0;) {
        if (m_rows[i].depth < m_rows[index].depth)
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> FolderTree::Find(const std::string& prefix, std::size_t from, bool pastFrom) const
{
    if (m_rows.empty() || prefix.empty())
        return std::nullopt;
    const std::size_t count = m_rows.size();
    for (std::size_t step = pastFrom ? 1 : 0; step <= count; ++step) {
        const std::size_t index = (from + step) % count;
        const std::string& label = m_rows[index].label;
        if (label.size() >= prefix.size() && strncasecmp(label.c_str(), prefix.c_str(), prefix.size()) == 0)
            return index;
    }
    return std::nullopt;
}

}  // namespace ilt
