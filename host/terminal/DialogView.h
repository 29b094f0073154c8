// A dialog box on the terminal, drawn from its controls as the dialog manager
// created them from the compiled template, in the cells DialogLayout gives
// them. What it shows is read from Win32 each time: the focus (GetFocus), the
// default button's look, whether the drop-down's list is dropped
// (CB_GETDROPPEDSTATE) and its selection. The keys go to Win32 as key
// presses, for the dialog manager and the controls (Tab, the arrows, Enter,
// Escape, F4, a typed initial); only the stack-up list's scrolling is the
// terminal's own: the list is disabled, as on Windows, so it never takes the
// focus, and PageUp / PageDown / Home / End scroll it while the focused
// control leaves those keys alone (a button; the drop-down takes them).
//
// On a terminal too small for the dialog it says so, with the size that would
// do, and takes no key but Escape.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "terminal/DialogLayout.h"
#include "terminal/View.h"
#include "dialogstate/Controls.h"

namespace ilt {

class DialogView : public View {
public:
    explicit DialogView(HWND dialog) : m_dialog(dialog) {}

    void Paint(Canvas& canvas) override;
    KeyOutcome HandleKey(const Key& key) override;
    std::vector<KeyHint> Keys() const override;

private:
    using Placed = PlacedControl;

    void PaintTooSmall(Canvas& canvas, const DialogLayout& layout) const;
    void PaintLabel(Canvas& canvas, const std::vector<Placed>& all, const Placed& placed, int rightEdge) const;
    void PaintButton(Canvas& canvas, const Placed& placed, bool focused, bool isDefault) const;
    void PaintCombo(Canvas& canvas, const Placed& placed, bool focused) const;
    void PaintDroppedList(Canvas& canvas, const Placed& placed) const;
    void PaintList(Canvas& canvas, const Placed& placed, bool focused);

    // The focused drop-down whose list is dropped, or null.
    HWND DroppedCombo() const;
    void Scroll(HWND list, int rows);

    HWND m_dialog;
    double m_cellWidth = 6;                // pixels per cell, as last painted
    std::map<HWND, int> m_listTop;         // first row shown of each list view
    std::map<HWND, int> m_listVisible;     // rows it showed when last painted
    std::map<HWND, bool> m_listOverflows;  // whether it had more rows than it showed
    HWND m_scrollList = nullptr;           // the stack-up list: it takes the spare rows and the paging keys
    // As last painted:
    bool m_tooSmall = false;                       // the terminal could not show the dialog
    ControlKind m_focusKind = ControlKind::Other;  // what has the focus
    std::string m_enterLabel = "OK";               // the button Enter clicks, or "" for none
    bool m_escapeWorks = true;                     // whether Escape clicks Cancel
};

}  // namespace ilt
