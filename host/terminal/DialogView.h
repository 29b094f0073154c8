// A dialog box on the terminal, drawn from its controls as the dialog manager
// created them from the compiled template.
//
// A character cell stands for 3 x 8 dialog units (a line of the dialog font
// and about one of its proportional characters); a dialog too large for the
// terminal is scaled down. What it shows is read from Win32 each time: the
// focus (GetFocus), the default button's look, whether the drop-down's list
// is dropped (CB_GETDROPPEDSTATE) and its selection. The keys go to Win32 as
// key presses, for the dialog manager and the controls (Tab, the arrows,
// Enter, Escape, F4, a typed initial); only the stack-up list's scrolling is
// the terminal's own: the list is disabled, as on Windows, so it never takes
// the focus, and PageUp / PageDown / Home / End scroll it while no drop-down
// list is dropped. It takes the rows the terminal has to spare. The bottom line
// of the terminal is left for the keys.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "terminal/View.h"
#include "terminal/WindowQueries.h"

namespace ilt {

class DialogView : public View
{
public:
  explicit DialogView(HWND dialog) : dialog_(dialog) {}

  void Paint(Canvas& canvas) override;
  KeyOutcome HandleKey(const Key& key) override;
  std::string Hint() const override;

private:
  struct Placed
  {
    ControlInfo control;
    int row = 0;
    int column = 0;
    int height = 1;
    int width = 1;
  };

  std::vector<Placed> Place(const Canvas& canvas, int& frameTop, int& frameLeft, int& frameHeight,
                            int& frameWidth);
  void PaintLabel(Canvas& canvas, const std::vector<Placed>& all, const Placed& placed) const;
  // Columns a label has on `row` before the control to its right, with a blank between.
  int RoomBeforeNeighbour(const std::vector<Placed>& placed, const Placed& label, int row) const;
  void PaintButton(Canvas& canvas, const Placed& placed, bool focused, bool isDefault) const;
  void PaintCombo(Canvas& canvas, const Placed& placed, bool focused) const;
  void PaintDroppedList(Canvas& canvas, const Placed& placed) const;
  void PaintList(Canvas& canvas, const Placed& placed, bool focused);

  // The focused drop-down whose list is dropped, or null.
  HWND DroppedCombo() const;
  void Scroll(HWND list, int rows);

  HWND dialog_;
  double cellWidth_ = 6;   // pixels per cell, as last painted
  double cellHeight_ = 13;
  std::map<HWND, int> listTop_;        // first row shown of each list view
  std::map<HWND, int> listVisible_;    // rows it showed when last painted
  std::map<HWND, bool> listOverflows_; // whether it had more rows than it showed
  HWND scrollList_ = nullptr;          // the stack-up list: it takes the spare rows and the paging keys
  std::string enterLabel_ = "OK";      // the button Enter clicks, as last painted
};

}  // namespace ilt
