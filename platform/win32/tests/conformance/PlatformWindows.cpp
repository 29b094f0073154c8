// The conformance program on Windows: the real user32, comctl32 and shell32.
#include "Conformance.h"

namespace conformance {

bool RunningOnWine()
{
    static const bool onWine = [] {
        const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return onWine;
}

}  // namespace conformance
