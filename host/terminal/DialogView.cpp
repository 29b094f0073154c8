// A dialog box on the terminal.
#include "terminal/DialogView.h"

#include <commctrl.h>

#include <algorithm>

#include "dialogstate/Controls.h"
#include "terminal/KeyPress.h"
#include "terminal/TerminalText.h"

namespace ilt {
namespace {

// Whether a push button looks like the default one: the one Enter clicks.
bool LooksDefault(HWND button) { return (SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0; }

// Where the text of a label of `width` columns starts.
int Aligned(DWORD style, int width, int textWidth)
{
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: return std::max((width - textWidth) / 2, 0);
    case SS_RIGHT: return std::max(width - textWidth, 0);
    default: return 0;
    }
}

// Cuts `text` to `width` columns, marking the cut with an ellipsis; blanks
// at its end may go without one.
std::string CutToWidth(std::string text, int width, bool unicode)
{
    if (TerminalWidth(text, unicode) <= width)
        return text;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    if (TerminalWidth(text, unicode) <= width)
        return text;
    std::string cut;
    int used = 0;
    for (const Glyph& glyph : TerminalGlyphs(text, unicode)) {
        if (used + glyph.width > width - 1)
            break;
        cut += glyph.text;
        used += glyph.width;
    }
    return width > 1 ? cut + (unicode ? "\u2026" : "~") : cut;
}

}  // namespace

void DialogView::Paint(Canvas& canvas)
{
    if (!IsWindow(m_dialog))
        return;
    const DialogLayout layout = LayOutDialog(m_dialog, canvas.Columns(), canvas.Rows());
    m_cellWidth = layout.cellWidth;
    m_scrollList = layout.stretchingList;
    const std::vector<Placed>& placed = layout.controls;
    const int frameTop = layout.frameTop;
    const int frameLeft = layout.frameLeft;
    const int frameHeight = layout.frameHeight;
    const int frameWidth = layout.frameWidth;
    const HWND focus = GetFocus();
    const HWND dropped = DroppedCombo();

    for (int row = frameTop; row < frameTop + frameHeight; ++row)
        canvas.Fill(row, frameLeft, frameWidth);
    canvas.Frame(frameTop, frameLeft, frameHeight, frameWidth);
    const std::string caption = WindowText(m_dialog);
    if (!caption.empty()) {
        canvas.Text(frameTop, frameLeft + 2, " ", kBold);
        const int used = canvas.Text(frameTop, frameLeft + 3, caption, kBold, frameWidth - 6);
        canvas.Text(frameTop, frameLeft + 3 + used, " ", kBold);
    }

    // Group boxes first: the controls inside are drawn over them.
    for (const Placed& item : placed) {
        if (item.control.visible && item.control.kind == ControlKind::GroupBox) {
            canvas.Frame(item.row, item.column, std::max(item.height, 2), std::max(item.width, 2), kDim);
            canvas.Text(item.row, item.column + 1, WithoutMnemonic(item.control.text), kPlain, item.width - 2);
        }
    }
    const Placed* droppedCombo = nullptr;
    for (const Placed& item : placed) {
        if (!item.control.visible)
            continue;
        const bool focused = item.control.hwnd == focus;
        switch (item.control.kind) {
        case ControlKind::Label: PaintLabel(canvas, placed, item); break;
        case ControlKind::PushButton: PaintButton(canvas, item, focused, LooksDefault(item.control.hwnd)); break;
        case ControlKind::CheckBox:
            canvas.Text(
                item.row, item.column,
                std::string(SendMessageA(item.control.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? "[x] " : "[ ] ") +
                    WithoutMnemonic(item.control.text),
                (focused ? kReverse : kPlain) | (item.control.enabled ? kPlain : kDim), item.width);
            break;
        case ControlKind::ComboBox:
            PaintCombo(canvas, item, focused);
            if (item.control.hwnd == dropped)
                droppedCombo = &item;
            break;
        case ControlKind::ListView: PaintList(canvas, item, focused); break;
        case ControlKind::Edit:
            canvas.Fill(item.row, item.column, item.width, kUnderline | (focused ? kReverse : kPlain));
            canvas.Text(item.row, item.column, item.control.text, kUnderline | (focused ? kReverse : kPlain),
                        item.width);
            break;
        case ControlKind::GroupBox:
        case ControlKind::Picture:
        case ControlKind::Other: break;
        }
    }
    if (droppedCombo != nullptr)
        PaintDroppedList(canvas, *droppedCombo);

    m_enterLabel = "OK";
    for (const Placed& item : placed) {
        if (item.control.kind == ControlKind::PushButton && LooksDefault(item.control.hwnd))
            m_enterLabel = WithoutMnemonic(item.control.text);
    }
}

void DialogView::PaintLabel(Canvas& canvas, const std::vector<Placed>& all, const Placed& placed) const
{
    const DWORD style = placed.control.style;
    const std::string text = (style & SS_NOPREFIX) != 0 ? placed.control.text : WithoutMnemonic(placed.control.text);
    const unsigned attributes = placed.control.enabled ? kPlain : kDim;
    const DWORD type = style & SS_TYPEMASK;
    std::vector<std::string> lines;
    if (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP || placed.height == 1)
        lines = WrapLines(text, 1 << 20, canvas.Unicode());
    else
        lines = WrapLines(text, placed.width, canvas.Unicode());
    for (int i = 0; i < placed.height && i < static_cast<int>(lines.size()); ++i) {
        // A text that does not fit is cut where it ends, never run into the
        // control beside it.
        const int room = RoomBeforeNeighbour(all, placed, placed.row + i);
        const std::string line = CutToWidth(lines[static_cast<std::size_t>(i)], room, canvas.Unicode());
        const int offset = Aligned(style, room, TerminalWidth(line, canvas.Unicode()));
        canvas.Text(placed.row + i, placed.column + offset, line, attributes, room - offset);
    }
}

void DialogView::PaintButton(Canvas& canvas, const Placed& placed, bool focused, bool isDefault) const
{
    const std::string face = "[ " + WithoutMnemonic(placed.control.text) + " ]";
    unsigned attributes = kPlain;
    if (isDefault)
        attributes |= kBold;
    if (focused)
        attributes |= kReverse;
    if (!placed.control.enabled)
        attributes = kDim;
    const int faceWidth = std::min(TerminalWidth(face, canvas.Unicode()), placed.width);
    // Buttons are taller than a line: the face sits on the middle row.
    const int row = placed.row + (placed.height - 1) / 2;
    canvas.Text(row, placed.column + (placed.width - faceWidth) / 2, face, attributes, placed.width);
}

void DialogView::PaintCombo(Canvas& canvas, const Placed& placed, bool focused) const
{
    const HWND combo = placed.control.hwnd;
    const std::vector<std::string> entries = ComboEntries(combo);
    const int selection = ComboSelection(combo);
    const std::string shown = selection >= 0 && selection < static_cast<int>(entries.size())
                                  ? entries[static_cast<std::size_t>(selection)]
                                  : placed.control.text;
    const unsigned attributes = (focused ? kReverse : kUnderline) | (placed.control.enabled ? kPlain : kDim);
    canvas.Fill(placed.row, placed.column, placed.width, attributes);
    canvas.Text(placed.row, placed.column, shown, attributes, placed.width - 2);
    canvas.Text(placed.row, placed.column + placed.width - 1, canvas.Unicode() ? "\u25bc" : "v", attributes);
}

void DialogView::PaintDroppedList(Canvas& canvas, const Placed& placed) const
{
    const std::vector<std::string> entries = ComboEntries(placed.control.hwnd);
    if (entries.empty())
        return;
    const int count = static_cast<int>(entries.size());
    // The list hangs below the combo box, within the screen.
    const int spaceBelow = canvas.Rows() - 1 - (placed.row + 1) - 2;
    const int shownRows = std::max(1, std::min({count, 8, spaceBelow}));
    const int highlighted = ComboSelection(placed.control.hwnd);
    const int top = std::clamp(highlighted - shownRows + 1, 0, std::max(count - shownRows, 0));
    canvas.Frame(placed.row + 1, placed.column, shownRows + 2, placed.width);
    for (int i = 0; i < shownRows && top + i < count; ++i) {
        const int row = placed.row + 2 + i;
        const unsigned attributes = top + i == highlighted ? kReverse : kPlain;
        canvas.Fill(row, placed.column + 1, placed.width - 2, attributes);
        canvas.Text(row, placed.column + 1, entries[static_cast<std::size_t>(top + i)], attributes, placed.width - 2);
    }
}

void DialogView::PaintList(Canvas& canvas, const Placed& placed, bool focused)
{
    const HWND list = placed.control.hwnd;
    const bool framed = placed.height >= 3 && placed.width >= 3;
    const int top = placed.row + (framed ? 1 : 0);
    const int left = placed.column + (framed ? 1 : 0);
    const int innerWidth = placed.width - (framed ? 2 : 0);
    const int innerHeight = placed.height - (framed ? 2 : 0);
    for (int row = placed.row; row < placed.row + placed.height; ++row)
        canvas.Fill(row, placed.column, placed.width);
    if (framed)
        canvas.Frame(placed.row, placed.column, placed.height, placed.width, focused ? kBold : kPlain);

    const std::vector<ListColumn> columns = ListColumns(list);
    if (columns.empty() || innerHeight < 1)
        return;
    std::vector<int> starts;
    int at = 0;
    for (const ListColumn& column : columns) {
        starts.push_back(at);
        at += std::max(1, ToCells(column.widthPixels, m_cellWidth));
    }
    starts.push_back(std::max(at, innerWidth));  // the last column reaches the right edge
    const auto columnWidth = [&](std::size_t i) {
        return std::max(std::min(starts[i + 1], innerWidth) - starts[i] - 1, 0);
    };

    canvas.Fill(top, left, innerWidth, kUnderline);
    for (std::size_t i = 0; i < columns.size() && starts[i] < innerWidth; ++i)
        canvas.Text(top, left + starts[i], columns[i].heading, kUnderline | kBold, columnWidth(i));

    const std::vector<std::vector<std::string>> rows = ListRows(list, static_cast<int>(columns.size()));
    const int visible = innerHeight - 1;
    int& first = m_listTop[list];
    first = std::clamp(first, 0, std::max(static_cast<int>(rows.size()) - visible, 0));
    m_listVisible[list] = visible;
    m_listOverflows[list] = static_cast<int>(rows.size()) > visible;
    for (int i = 0; i < visible && first + i < static_cast<int>(rows.size()); ++i) {
        const std::vector<std::string>& row = rows[static_cast<std::size_t>(first + i)];
        for (std::size_t c = 0; c < row.size() && starts[c] < innerWidth; ++c)
            canvas.Text(top + 1 + i, left + starts[c], row[c], kPlain, columnWidth(c));
    }
    if (framed && first > 0)
        canvas.Text(placed.row, placed.column + placed.width - 2, canvas.Unicode() ? "\u25b2" : "^", kBold);
    if (framed && first + visible < static_cast<int>(rows.size()))
        canvas.Text(placed.row + placed.height - 1, placed.column + placed.width - 2, canvas.Unicode() ? "\u25bc" : "v",
                    kBold);
}

HWND DialogView::DroppedCombo() const
{
    const HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(m_dialog, focus))
        return nullptr;
    return SendMessageA(focus, CB_GETDROPPEDSTATE, 0, 0) ? focus : nullptr;
}

void DialogView::Scroll(HWND list, int rows)
{
    m_listTop[list] = std::max(m_listTop[list] + rows, 0);  // Paint clamps the far end
}

KeyOutcome DialogView::HandleKey(const Key& key)
{
    // The stack-up list never has the focus: while no drop-down list is
    // dropped (whose keys they are then), the paging keys scroll it.
    const bool paging = key.code == KeyCode::PageUp || key.code == KeyCode::PageDown || key.code == KeyCode::Home ||
                        key.code == KeyCode::End;
    if (paging && m_scrollList != nullptr && DroppedCombo() == nullptr) {
        const int page = m_listVisible.count(m_scrollList) != 0 ? std::max(m_listVisible[m_scrollList] - 1, 1) : 1;
        const int rows = key.code == KeyCode::PageUp     ? -page
                         : key.code == KeyCode::PageDown ? page
                         : key.code == KeyCode::Home     ? -(1 << 20)
                                                         : (1 << 20);
        Scroll(m_scrollList, rows);
        return KeyOutcome{};
    }
    if (std::optional<standin::Action> press = KeyPressOf(key))
        return KeyOutcome{std::move(press), false};
    return KeyOutcome{std::nullopt, true};
}

std::string DialogView::Hint() const
{
    if (DroppedCombo() != nullptr)
        return "Up/Down: choose   Enter: pick   Esc: close the list";
    std::string hint = "Tab: next  F4: open list  Enter: " + m_enterLabel + "  Esc: cancel";
    const auto overflows = m_scrollList != nullptr ? m_listOverflows.find(m_scrollList) : m_listOverflows.end();
    if (overflows != m_listOverflows.end() && overflows->second)
        hint += "  PgUp/PgDn: scroll rows";
    return hint;
}

}  // namespace ilt
