// The folder browser on the terminal: its title, a tree of folders under its
// root, and OK (greyed while the browser's callback disables it) and Cancel.
//
// Up / Down / Home / End / PageUp / PageDown move the highlight, Right opens
// a folder (or goes to its first sub-folder), Left closes it (or goes to its
// parent); every move of the highlight is handed to the browser, which calls
// its callback. Tab moves between the tree and the buttons; Enter clicks OK
// (or the focused button), Escape clicks Cancel.
#pragma once

#include <windows.h>

#include "WindowRoles.h"
#include "terminal/FolderTree.h"
#include "terminal/View.h"

namespace ilt {

class FolderBrowserView : public View
{
public:
  FolderBrowserView(HWND browser, const WindowRoles& roles);

  void Paint(Canvas& canvas) override;
  KeyOutcome HandleKey(const Key& key) override;
  std::string Hint() const override;

private:
  enum class Focus { Tree, Ok, Cancel };

  bool OkEnabled() const;
  KeyOutcome MoveTo(std::size_t row);

  HWND browser_;
  const WindowRoles& roles_;
  FolderTree tree_;
  std::size_t cursor_ = 0;
  std::size_t top_ = 0;
  int visibleRows_ = 10;
  Focus focus_ = Focus::Tree;
};

}  // namespace ilt
