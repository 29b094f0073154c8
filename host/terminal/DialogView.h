// A dialog box on the terminal, drawn from its controls as the dialog manager
// created them from the compiled template.
//
// A character cell stands for 3 x 8 dialog units (a line of the dialog font
// and about one of its proportional characters); a dialog too large for the
// terminal is scaled down. Keys:
// Tab / Shift-Tab move the focus in tab order; on the drop-down, Down / Up
// open the list with the next / previous entry highlighted (F4 and Space open
// it as it is), arrows move in the open list and Enter picks, raising the
// selection change, while Escape closes it unpicked; Enter clicks the focused
// push button, elsewhere the default one; Escape cancels. The stack-up list
// is disabled, so it never takes the focus: it takes the rows the terminal has
// to spare, and PageUp / PageDown / Home / End scroll it. The bottom line of
// the terminal is left for the keys.
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

  std::vector<HWND> TabStops(const std::vector<ControlInfo>& controls) const;
  void EnsureFocus(const std::vector<ControlInfo>& controls);
  void MoveFocus(const std::vector<ControlInfo>& controls, int step);
  KeyOutcome DropDown(const ControlInfo& combo, int offset);
  KeyOutcome HandleDroppedKey(const ControlInfo& combo, const Key& key, const std::vector<ControlInfo>& controls);
  void Scroll(HWND list, int rows);

  HWND dialog_;
  HWND focus_ = nullptr;
  bool dropped_ = false;
  int dropIndex_ = 0;
  double cellWidth_ = 6;   // pixels per cell, as last painted
  double cellHeight_ = 13;
  std::map<HWND, int> listTop_;        // first row shown of each list view
  std::map<HWND, int> listVisible_;    // rows it showed when last painted
  std::map<HWND, bool> listOverflows_; // whether it had more rows than it showed
  HWND scrollList_ = nullptr;          // the stack-up list: it takes the spare rows and the paging keys
  std::string enterLabel_ = "OK";      // the button Enter clicks, as last painted
};

}  // namespace ilt
