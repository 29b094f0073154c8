// The folder browser on the terminal.
#include "terminal/FolderBrowserView.h"

#include <algorithm>

#include "terminal/KeyPress.h"
#include "terminal/TerminalText.h"

namespace ilt {
namespace {

// Windows' id of the browser's tree control.
constexpr int kTreeId = 0x3741;

std::string RootOf(HWND browser, const WindowRoles& roles)
{
    const FolderBrowserInfo* info = roles.FolderBrowser(browser);
    return info != nullptr ? info->root : std::string();
}

}  // namespace

FolderBrowserView::FolderBrowserView(HWND browser, const WindowRoles& roles)
    : browser_(browser), roles_(roles), tree_(RootOf(browser, roles))
{}

bool FolderBrowserView::OkEnabled() const
{
    // The browser's own OK button, when it has one, tells; otherwise what the
    // callback last sent with BFFM_ENABLEOK.
    if (const HWND ok = GetDlgItem(browser_, IDOK))
        return IsWindowEnabled(ok) != FALSE;
    const FolderBrowserInfo* info = roles_.FolderBrowser(browser_);
    return info == nullptr || info->okEnabled;
}

bool FolderBrowserView::TreeHasFocus() const
{
    const HWND tree = GetDlgItem(browser_, kTreeId);
    return tree != nullptr && GetFocus() == tree;
}

void FolderBrowserView::Paint(Canvas& canvas)
{
    const bool treeFocused = TreeHasFocus();
    const HWND focus = GetFocus();
    const FolderBrowserInfo* info = roles_.FolderBrowser(browser_);
    const bool unicode = canvas.Unicode();
    const int width = std::min(canvas.Columns(), 72);
    const int height = std::min(canvas.Rows() - 1, 22);
    const int top = std::max((canvas.Rows() - 1 - height) / 2, 0);
    const int left = std::max((canvas.Columns() - width) / 2, 0);
    for (int row = top; row < top + height; ++row)
        canvas.Fill(row, left, width);
    canvas.Frame(top, left, height, width, kBold);
    canvas.Text(top, left + 2, " Browse For Folder ", kBold);

    int row = top + 1;
    if (info != nullptr) {
        for (const std::string& line : WrapLines(info->title, width - 4, unicode)) {
            if (row >= top + 3)
                break;
            canvas.Text(row++, left + 2, line, kPlain, width - 4);
        }
    }
    const int treeTop = row + 1;
    const int treeHeight = std::max(top + height - 3 - treeTop, 3);
    canvas.Frame(treeTop - 1, left + 1, treeHeight + 2, width - 2, treeFocused ? kBold : kPlain);
    visibleRows_ = treeHeight;

    const std::vector<FolderRow>& rows = tree_.Rows();
    cursor_ = std::min(cursor_, rows.empty() ? 0 : rows.size() - 1);
    if (cursor_ < top_)
        top_ = cursor_;
    if (cursor_ >= top_ + static_cast<std::size_t>(visibleRows_))
        top_ = cursor_ + 1 - static_cast<std::size_t>(visibleRows_);
    for (int i = 0; i < visibleRows_ && top_ + static_cast<std::size_t>(i) < rows.size(); ++i) {
        const std::size_t index = top_ + static_cast<std::size_t>(i);
        const FolderRow& folder = rows[index];
        const std::string marker = folder.expanded ? "- " : folder.childless ? "  " : "+ ";
        const int indent = std::min(folder.depth * 2, width / 2);
        const int column = left + 2 + indent;
        const unsigned attributes = index == cursor_ ? (treeFocused ? kReverse : kUnderline) : kPlain;
        canvas.Text(treeTop + i, column, marker, kPlain);
        canvas.Text(treeTop + i, column + 2, folder.label, attributes, width - 6 - indent);
    }

    const int buttonRow = top + height - 2;
    const bool okFocused = focus != nullptr && focus == GetDlgItem(browser_, IDOK);
    const bool cancelFocused = focus != nullptr && focus == GetDlgItem(browser_, IDCANCEL);
    const unsigned okAttributes = !OkEnabled() ? kDim : okFocused ? (kReverse | kBold) : kBold;
    const unsigned cancelAttributes = cancelFocused ? kReverse : kPlain;
    canvas.Text(buttonRow, left + width - 22, "[ OK ]", okAttributes);
    canvas.Text(buttonRow, left + width - 14, "[ Cancel ]", cancelAttributes);
}

KeyOutcome FolderBrowserView::MoveTo(std::size_t row)
{
    const std::vector<FolderRow>& rows = tree_.Rows();
    if (rows.empty())
        return KeyOutcome{std::nullopt, true};
    row = std::min(row, rows.size() - 1);
    if (row == cursor_)
        return KeyOutcome{std::nullopt, true};
    cursor_ = row;
    if (rows[row].path.empty())
        return KeyOutcome{standin::Action::HighlightVirtual(), false};
    return KeyOutcome{standin::Action::Highlight(rows[row].path), false};
}

KeyOutcome FolderBrowserView::HandleKey(const Key& key)
{
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
        default: break;
        }
    }
    if (std::optional<standin::Action> press = KeyPressOf(key))
        return KeyOutcome{std::move(press), false};
    return KeyOutcome{std::nullopt, true};
}

KeyOutcome FolderBrowserView::TreeKey(const Key& key)
{
    const std::size_t page = static_cast<std::size_t>(std::max(visibleRows_ - 1, 1));
    switch (key.code) {
    case KeyCode::Up: return cursor_ > 0 ? MoveTo(cursor_ - 1) : KeyOutcome{std::nullopt, true};
    case KeyCode::Down: return MoveTo(cursor_ + 1);
    case KeyCode::PageUp: return MoveTo(cursor_ > page ? cursor_ - page : 0);
    case KeyCode::PageDown: return MoveTo(cursor_ + page);
    case KeyCode::Home: return MoveTo(0);
    case KeyCode::End: return MoveTo(tree_.Rows().size() - 1);
    case KeyCode::Right:
        if (tree_.Rows()[cursor_].expanded)
            return MoveTo(cursor_ + 1);
        return tree_.Expand(cursor_) ? KeyOutcome{} : KeyOutcome{std::nullopt, true};
    case KeyCode::Left:
        if (tree_.Collapse(cursor_))
            return KeyOutcome{};
        if (const auto parent = tree_.Parent(cursor_))
            return MoveTo(*parent);
        return KeyOutcome{std::nullopt, true};
    default: return KeyOutcome{std::nullopt, true};
    }
}

std::string FolderBrowserView::Hint() const
{
    return "Up/Down: move  Right/Left: open/close  Tab: buttons  Enter: OK  Esc: cancel";
}

}  // namespace ilt
