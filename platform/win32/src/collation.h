// Private interface of the word sort (collation.cpp), for CompareStringW and
// the sorted combo box.
#pragma once

#include <string>

namespace win32 {

// Windows' word sort of two UTF-16 strings: <0, 0 or >0.
int CompareWordSort(const std::u16string& a, const std::u16string& b, bool ignoreCase);

}  // namespace win32
