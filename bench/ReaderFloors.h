// Floors of the two stack-up readers: the least work that shows a template's conductor layers,
// written directly on SQLite and inih, writing the same rows into the same list view.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// Reads the conductor layers of design.db (snapshot, configuration and design "PCB", the layers
// of kind 0 by metal-layer number with their "LAYER_USAGE") and shows them in list. Answers the
// rows written, or -1.
int Floor2007Read(const std::string& nativeDesignDb, HWND list);

// Parses Corvane.cvn and shows its signal and plane layers in index order in list. Answers the
// rows written, or -1.
int Floor2005Read(const std::string& nativeCorvane, HWND list);

}  // namespace bench
