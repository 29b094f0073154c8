// Runs the real Import Layout Template dialog without user input, so that a
// fuzz target reaches the dialog's own start-up, discovery and stack-up
// readers with the file under test.
#pragma once

namespace fuzz {

// Shows the dialog on the central library `central` (a Windows path) with a
// scripted display that holds no actions: every message box is answered 0 and
// the dialog ends with IDCANCEL as soon as it waits for the user. Aborts when
// the dialog cannot be shown at all or leaves a search, an item id list, the
// shell allocator or a database connection behind.
void RunDialogWithoutInput(const char* central);

}  // namespace fuzz
