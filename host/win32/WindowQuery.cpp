// Small questions asked of windows.
#include "WindowQuery.h"

namespace ilt::win32 {

std::string ClassNameOf(HWND window)
{
    char name[256] = "";
    const int length = GetClassNameA(window, name, sizeof(name));
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

HWND FindDescendantOfClass(HWND window, const char* className)
{
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (lstrcmpiA(ClassNameOf(child).c_str(), className) == 0)
            return child;
        if (HWND found = FindDescendantOfClass(child, className))
            return found;
    }
    return nullptr;
}

}  // namespace ilt::win32
