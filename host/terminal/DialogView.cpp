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

// Keys a control takes itself rather than leaving them to the dialog
// manager: a drop-down's arrows and paging keys, closed or dropped.
bool TakesKeys(HWND control)
{
    return control != nullptr &&
           (SendMessageA(control, WM_GETDLGCODE, 0, 0) & (DLGC_WANTARROWS | DLGC_WANTALLKEYS | DLGC_WANTCHARS)) != 0;
}

bool IsPagingKey(const Key& key)
{
    return key.code == KeyCode::PageUp || key.code == KeyCode::PageDown || key.code == KeyCode::Home ||
           key.code == KeyCode::End;
}

}  // namespace

void DialogView::Paint(Canvas& canvas)
{
    if (!IsWindow(m_dialog))
        return;
    const DialogLayout layout = LayOutDialog(m_dialog, canvas.Columns(), canvas.Rows());
    m_tooSmall = !layout.fits;
    if (m_tooSmall) {
        PaintTooSmall(canvas, layout);
        return;
    }
    m_cellWidth = layout.cellWidth;
    m_scrollList = layout.stretchingList;
    const std::vector<Placed>& placed = layout.controls;
    const int frameTop = layout.frameTop;
    const int frameLeft = layout.frameLeft;
    const int frameHeight = layout.frameHeight;
    const int frameWidth = layout.frameWidth;
    const bool unicode = canvas.Unicode();
    const HWND focus = GetFocus();
    const HWND dropped = DroppedCombo();

    for (int row = frameTop; row < frameTop + frameHeight; ++row)
        canvas.Fill(row, frameLeft, frameWidth);
    canvas.Frame(frameTop, frameLeft, frameHeight, frameWidth);
    const std::string caption = CutToWidth(WindowText(m_dialog), frameWidth - 6, unicode);
    if (!caption.empty()) {
        canvas.Text(frameTop, frameLeft + 2, " ", kBold);
        const int used = canvas.Text(frameTop, frameLeft + 3, caption, kBold);
        canvas.Text(frameTop, frameLeft + 3 + used, " ", kBold);
    }

    // Group boxes first: the controls inside are drawn over them.
    for (const Placed& item : placed) {
        if (item.control.visible && item.control.kind == ControlKind::GroupBox) {
            canvas.Frame(item.row, item.column, std::max(item.height, 2), std::max(item.width, 2), kDim);
            canvas.Text(item.row, item.column + 1,
                        CutToWidth(WithoutMnemonic(item.control.text), item.width - 2, unicode));
        }
    }
    const int rightEdge = frameLeft + frameWidth - 1;
    const Placed* droppedCombo = nullptr;
    m_focusKind = ControlKind::Other;
    for (const Placed& item : placed) {
        if (!item.control.visible)
            continue;
        const bool focused = item.control.hwnd == focus;
        if (focused)
            m_focusKind = item.control.kind;
        switch (item.control.kind) {
        case ControlKind::Label: PaintLabel(canvas, placed, item, rightEdge); break;
        case ControlKind::PushButton: PaintButton(canvas, item, focused, LooksDefault(item.control.hwnd)); break;
        case ControlKind::CheckBox:
            canvas.Text(
                item.row, item.column,
                CutToWidth(
                    std::string(SendMessageA(item.control.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? "[x] " : "[ ] ") +
                        WithoutMnemonic(item.control.text),
                    item.width, unicode),
                (focused ? kReverse : kPlain) | (item.control.enabled ? kPlain : kDim));
            break;
        case ControlKind::ComboBox:
            PaintCombo(canvas, item, focused);
            if (item.control.hwnd == dropped)
                droppedCombo = &item;
            break;
        case ControlKind::ListView: PaintList(canvas, item, focused); break;
        case ControlKind::Edit:
            canvas.Fill(item.row, item.column, item.width, kUnderline | (focused ? kReverse : kPlain));
            canvas.Text(item.row, item.column, CutToWidth(item.control.text, item.width, unicode),
                        kUnderline | (focused ? kReverse : kPlain));
            break;
        case ControlKind::GroupBox:
        case ControlKind::Picture:
        case ControlKind::Other: break;
        }
    }
    if (droppedCombo != nullptr)
        PaintDroppedList(canvas, *droppedCombo);

    // Enter clicks the focused button, elsewhere the default one; Escape
    // clicks Cancel, unless it is there and greyed.
    m_enterLabel.clear();
    m_escapeWorks = true;
    for (const Placed& item : placed) {
        if (item.control.kind != ControlKind::PushButton)
            continue;
        const bool focused = item.control.hwnd == focus;
        if (item.control.enabled && (focused || (m_enterLabel.empty() && LooksDefault(item.control.hwnd))))
            m_enterLabel = WithoutMnemonic(item.control.text);
        if (item.control.id == IDCANCEL && !item.control.enabled)
            m_escapeWorks = false;
    }
}

void DialogView::PaintTooSmall(Canvas& canvas, const DialogLayout& layout) const
{
    const std::string text = "The terminal is too small to show the dialog \"" + WindowText(m_dialog) +
                             "\". Make it at least " + std::to_string(layout.smallestColumns) + " columns wide and " +
                             std::to_string(layout.smallestRows) + " rows high (it is " +
                             std::to_string(canvas.Columns()) + " x " + std::to_string(canvas.Rows()) + ").";
    const int rows = std::max(canvas.Rows() - 1, 1);
    const std::vector<std::string> lines = WrapToFit(text, canvas.Columns(), rows, canvas.Unicode());
    const int top = std::max((rows - static_cast<int>(lines.size())) / 2, 0);
    for (std::size_t i = 0; i < lines.size(); ++i)
        canvas.Text(top + static_cast<int>(i), 0, lines[i], kBold);
}

void DialogView::PaintLabel(Canvas& canvas, const std::vector<Placed>& all, const Placed& placed, int rightEdge) const
{
    const DWORD style = placed.control.style;
    const std::string text = (style & SS_NOPREFIX) != 0 ? placed.control.text : WithoutMnemonic(placed.control.text);
    const unsigned attributes = placed.control.enabled ? kPlain : kDim;
    const DWORD type = style & SS_TYPEMASK;
    std::vector<std::string> lines;
    if (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP || placed.height == 1)
        lines.push_back(text.substr(0, text.find('\n')));
    else
        lines = WrapLines(text, placed.width, canvas.Unicode());
    for (int i = 0; i < placed.height && i < static_cast<int>(lines.size()); ++i) {
        // A text that does not fit is cut where it ends, never run into the
        // control beside it; with nothing beside it, it may use the room up
        // to the frame.
        const int room = RoomBeforeNeighbour(all, placed, placed.row + i, rightEdge);
        const int width =
            type == SS_LEFT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP ? room : std::min(room, placed.width);
        const std::string line = CutToWidth(lines[static_cast<std::size_t>(i)], width, canvas.Unicode());
        const int offset = Aligned(style, width, TerminalWidth(line, canvas.Unicode()));
        canvas.Text(placed.row + i, placed.column + offset, line, attributes, width - offset);
    }
}

void DialogView::PaintButton(Canvas& canvas, const Placed& placed, bool focused, bool isDefault) const
{
    const std::string face = ButtonFace(WithoutMnemonic(placed.control.text), placed.width, canvas.Unicode());
    unsigned attributes = kPlain;
    if (isDefault)
        attributes |= kBold;
    if (focused)
        attributes |= kReverse;
    if (!placed.control.enabled)
        attributes = kDim;
    const int faceWidth = TerminalWidth(face, canvas.Unicode());
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
    canvas.Text(placed.row, placed.column, CutToWidth(shown, placed.width - 2, canvas.Unicode()), attributes);
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
        canvas.Text(row, placed.column + 1,
                    CutToWidth(entries[static_cast<std::size_t>(top + i)], placed.width - 2, canvas.Unicode()),
                    attributes);
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
        canvas.Text(top, left + starts[i], CutToWidth(columns[i].heading, columnWidth(i), canvas.Unicode()),
                    kUnderline | kBold);

    const std::vector<std::vector<std::string>> rows = ListRows(list, static_cast<int>(columns.size()));
    const int visible = innerHeight - 1;
    int& first = m_listTop[list];
    first = std::clamp(first, 0, std::max(static_cast<int>(rows.size()) - visible, 0));
    m_listVisible[list] = visible;
    m_listOverflows[list] = static_cast<int>(rows.size()) > visible;
    for (int i = 0; i < visible && first + i < static_cast<int>(rows.size()); ++i) {
        const std::vector<std::string>& row = rows[static_cast<std::size_t>(first + i)];
        for (std::size_t c = 0; c < row.size() && starts[c] < innerWidth; ++c)
            canvas.Text(top + 1 + i, left + starts[c], CutToWidth(row[c], columnWidth(c), canvas.Unicode()));
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
    // A dialog that cannot be shown takes Escape alone: nothing is done
    // unseen.
    if (m_tooSmall) {
        if (key.code == KeyCode::Escape)
            return KeyOutcome{KeyPressOf(key), false};
        return KeyOutcome{std::nullopt, true};
    }
    // The stack-up list never has the focus: the paging keys scroll it while
    // the focused control leaves them alone (a button). A drop-down takes
    // them itself, closed or dropped, as on Windows.
    if (IsPagingKey(key) && m_scrollList != nullptr && !TakesKeys(GetFocus())) {
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

std::vector<KeyHint> DialogView::Keys() const
{
    // The most important entries (importance 6) are the last to go on a short line.
    if (m_tooSmall)
        return {{"Esc", "cancel", 6}};
    if (DroppedCombo() != nullptr)
        return {{"Up/Down", "choose", 4}, {"Enter", "pick", 5}, {"Esc", "close the list", 6}};
    std::vector<KeyHint> keys;
    switch (m_focusKind) {
    case ControlKind::ComboBox:
        keys.push_back({"Up/Down", "choose", 4});
        keys.push_back({"F4", "list", 1});
        break;
    case ControlKind::PushButton: keys.push_back({"Left/Right", "button", 0}); break;
    default: break;
    }
    keys.push_back({"Tab", "next", 3});
    keys.push_back({"Shift-Tab", "back", 2});
    if (!m_enterLabel.empty())
        keys.push_back({"Enter", m_enterLabel, 5});
    if (m_escapeWorks)
        keys.push_back({"Esc", "cancel", 6});
    const auto overflows = m_scrollList != nullptr ? m_listOverflows.find(m_scrollList) : m_listOverflows.end();
    if (overflows != m_listOverflows.end() && overflows->second && !TakesKeys(GetFocus()))
        keys.push_back({"PgUp/PgDn", "scroll", 2});
    return keys;
}

}  // namespace ilt
