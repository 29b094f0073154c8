// The folder browser on the terminal.
#include "terminal/FolderBrowserView.h"

#include <algorithm>

#include "terminal/KeyPress.h"
#include "terminal/TerminalText.h"

namespace ilt {
namespace {

// Windows' id of the browser's tree control.
constexpr int kTreeId = 0x3741;

std::string RootOf(HWND browser, const OpenWindows& windows)
{
    const FolderBrowserInfo* info = windows.FolderBrowser(browser);
    return info != nullptr ? info->root : std::string();
}

}  // namespace

FolderBrowserView::FolderBrowserView(HWND browser, const OpenWindows& windows,
                                     std::function<TypeAhead::Clock::time_point()> now)
    : m_browser(browser), m_windows(windows), m_tree(RootOf(browser, windows)), m_now(std::move(now))
{}

bool FolderBrowserView::OkEnabled() const
{
    // The browser's own OK button, when it has one, tells; otherwise what the
    // callback last sent with BFFM_ENABLEOK.
    if (const HWND ok = GetDlgItem(m_browser, IDOK))
        return IsWindowEnabled(ok) != FALSE;
    const FolderBrowserInfo* info = m_windows.FolderBrowser(m_browser);
    return info == nullptr || info->okEnabled;
}

bool FolderBrowserView::TreeHasFocus() const
{
    const HWND tree = GetDlgItem(m_browser, kTreeId);
    return tree != nullptr && GetFocus() == tree;
}

void FolderBrowserView::Paint(Canvas& canvas)
{
    const bool treeFocused = TreeHasFocus();
    const HWND focus = GetFocus();
    const FolderBrowserInfo* info = m_windows.FolderBrowser(m_browser);
    const bool unicode = canvas.Unicode();
    const int width = std::min(canvas.Columns(), 72);
    const int height = std::min(canvas.Rows() - 1, 22);
    const int top = std::max((canvas.Rows() - 1 - height) / 2, 0);
    const int left = std::max((canvas.Columns() - width) / 2, 0);
    const int inner = width - 4;
    for (int row = top; row < top + height; ++row)
        canvas.Fill(row, left, width);
    canvas.Frame(top, left, height, width, kBold);
    canvas.Text(top, left + 2, CutToWidth(" Browse For Folder ", width - 4, unicode), kBold);

    // The title, the tree, the highlighted folder's full path, the buttons.
    const std::vector<FolderRow>& rows = m_tree.Rows();
    m_cursor = std::min(m_cursor, rows.empty() ? 0 : rows.size() - 1);
    const std::string highlighted = rows.empty() ? std::string() : rows[m_cursor].path;
    const std::vector<std::string> path =
        highlighted.empty() ? std::vector<std::string>() : WrapToFit("Folder: " + highlighted, inner, 2, unicode);
    std::vector<std::string> title;
    if (info != nullptr)
        title = WrapToFit(info->title, inner, 2, unicode);
    int row = top + 1;
    for (const std::string& line : title)
        canvas.Text(row++, left + 2, line);
    const int treeTop = row + 1;
    const int buttonRow = top + height - 2;
    const int pathTop = buttonRow - 1 - static_cast<int>(path.size());
    const int treeHeight = std::max(pathTop - 1 - treeTop, 1);
    canvas.Frame(treeTop - 1, left + 1, treeHeight + 2, width - 2, treeFocused ? kBold : kPlain);
    m_visibleRows = treeHeight;

    if (m_cursor < m_top)
        m_top = m_cursor;
    if (m_cursor >= m_top + static_cast<std::size_t>(m_visibleRows))
        m_top = m_cursor + 1 - static_cast<std::size_t>(m_visibleRows);
    for (int i = 0; i < m_visibleRows && m_top + static_cast<std::size_t>(i) < rows.size(); ++i) {
        const std::size_t index = m_top + static_cast<std::size_t>(i);
        const FolderRow& folder = rows[index];
        const std::string marker = folder.expanded ? "- " : folder.childless ? "  " : "+ ";
        const int indent = std::min(folder.depth * 2, width / 2);
        const int column = left + 2 + indent;
        const unsigned attributes = index == m_cursor ? (treeFocused ? kReverse : kUnderline) : kPlain;
        canvas.Text(treeTop + i, column, marker, kPlain);
        canvas.Text(treeTop + i, column + 2, CutToWidth(folder.label, width - 6 - indent, unicode), attributes);
    }
    for (std::size_t i = 0; i < path.size(); ++i)
        canvas.Text(pathTop + static_cast<int>(i), left + 2, path[i]);

    const bool okFocused = focus != nullptr && focus == GetDlgItem(m_browser, IDOK);
    const bool cancelFocused = focus != nullptr && focus == GetDlgItem(m_browser, IDCANCEL);
    const unsigned okAttributes = !OkEnabled() ? kDim : okFocused ? (kReverse | kBold) : kBold;
    const unsigned cancelAttributes = cancelFocused ? kReverse : kPlain;
    canvas.Text(buttonRow, left + width - 22, "[ OK ]", okAttributes);
    canvas.Text(buttonRow, left + width - 14, "[ Cancel ]", cancelAttributes);
}

KeyOutcome FolderBrowserView::MoveTo(std::size_t row)
{
    const std::vector<FolderRow>& rows = m_tree.Rows();
    if (rows.empty())
        return KeyOutcome{std::nullopt, true};
    row = std::min(row, rows.size() - 1);
    if (row == m_cursor)
        return KeyOutcome{std::nullopt, true};
    m_cursor = row;
    if (rows[row].path.empty())
        return KeyOutcome{standin::Action::HighlightVirtual(), false};
    return KeyOutcome{standin::Action::Highlight(rows[row].path), false};
}

KeyOutcome FolderBrowserView::HandleKey(const Key& key)
{
    if (key.code != KeyCode::Character)
        m_typeAhead.End();
    if (TreeHasFocus()) {
        switch (key.code) {
        case KeyCode::Up:
        case KeyCode::Down:
        case KeyCode::PageUp:
        case KeyCode::PageDown:
        case KeyCode::Home:
        case KeyCode::End:
        case KeyCode::Left:
        case KeyCode::Right: return TreeKey(key);
        case KeyCode::Character: return TypedKey(key.character);
        default: break;
        }
    }
    if (std::optional<standin::Action> press = KeyPressOf(key))
        return KeyOutcome{std::move(press), false};
    return KeyOutcome{std::nullopt, true};
}

KeyOutcome FolderBrowserView::TreeKey(const Key& key)
{
    const std::size_t page = static_cast<std::size_t>(std::max(m_visibleRows - 1, 1));
    switch (key.code) {
    case KeyCode::Up: return m_cursor > 0 ? MoveTo(m_cursor - 1) : KeyOutcome{std::nullopt, true};
    case KeyCode::Down: return MoveTo(m_cursor + 1);
    case KeyCode::PageUp: return MoveTo(m_cursor > page ? m_cursor - page : 0);
    case KeyCode::PageDown: return MoveTo(m_cursor + page);
    case KeyCode::Home: return MoveTo(0);
    case KeyCode::End: return MoveTo(m_tree.Rows().size() - 1);
    case KeyCode::Right:
        if (m_tree.Rows()[m_cursor].expanded)
            return MoveTo(m_cursor + 1);
        return m_tree.Expand(m_cursor) ? KeyOutcome{} : KeyOutcome{std::nullopt, true};
    case KeyCode::Left:
        if (m_tree.Collapse(m_cursor))
            return KeyOutcome{};
        if (const auto parent = m_tree.Parent(m_cursor))
            return MoveTo(*parent);
        return KeyOutcome{std::nullopt, true};
    default: return KeyOutcome{std::nullopt, true};
    }
}

KeyOutcome FolderBrowserView::TypedKey(char32_t typed)
{
    const TypeAhead::Clock::time_point now = m_now();
    m_typeAhead.Type(typed, now);
    const std::optional<std::size_t> found =
        m_tree.Find(m_typeAhead.Search(), m_cursor, m_typeAhead.StartsAfterHighlight());
    if (!found)
        return KeyOutcome{std::nullopt, true};
    if (*found == m_cursor)
        return KeyOutcome{};
    return MoveTo(*found);
}

std::vector<KeyHint> FolderBrowserView::Keys() const
{
    std::vector<KeyHint> keys;
    const HWND focus = GetFocus();
    if (TreeHasFocus()) {
        keys.push_back({"Up/Down", "move", 4});
        keys.push_back({"Right/Left", "open/close", 3});
        keys.push_back({"a-z", "go to name", 1});
        keys.push_back({"Tab", "buttons", 0});
        if (OkEnabled())
            keys.push_back({"Enter", "OK", 5});
    } else {
        keys.push_back({"Tab", "next", 3});
        keys.push_back({"Shift-Tab", "back", 2});
        if (focus != nullptr && focus == GetDlgItem(m_browser, IDCANCEL))
            keys.push_back({"Enter", "Cancel", 5});
        else if (OkEnabled())
            keys.push_back({"Enter", "OK", 5});
    }
    keys.push_back({"Esc", "cancel", 6});
    return keys;
}

}  // namespace ilt
