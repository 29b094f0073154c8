// The dialog's labels as Windows lays them out: each static control's text,
// in the dialog's own font, fits its rectangle on one line. Under Wine this
// depends on the fonts and the resolution the prefix gives Wine
// (scripts/wine-run, platform/win32/WINE-DIFFERENCES.md): a label that wraps is
// cut to its first word, as the screenshots once showed.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "dialog/resource.h"

namespace ilt::win32::test {
namespace {

struct LibraryRelease {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryRelease>;

struct WindowRelease {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowRelease>;

INT_PTR CALLBACK KeepDefaults(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

struct Fit {
    SIZE text{};  // the text laid out as the static control lays it out
    SIZE room{};  // the control's client rectangle
};

// `text` in `control`'s font, broken into lines as an SS_LEFT static breaks it
// (DrawText with word breaks) within the control's width.
Fit Measure(HWND control, const std::string& text)
{
    RECT client{};
    GetClientRect(control, &client);
    HDC context = GetDC(control);
    const HGDIOBJ previous = SelectObject(context, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT laidOut = client;
    DrawTextA(context, text.c_str(), -1, &laidOut, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    SelectObject(context, previous);
    ReleaseDC(control, context);
    Fit fit;
    fit.text = {laidOut.right - laidOut.left, laidOut.bottom - laidOut.top};
    fit.room = {client.right, client.bottom};
    return fit;
}

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST(DialogLabels, EveryLabelFitsItsRectangleOnOneLine)
{
    // The module's own dialog template, created by the dialog manager with a
    // procedure that leaves every control as the template made it.
    const Library module(LoadLibraryExA("ImportLayoutTemplate.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_NE(module, nullptr) << "ImportLayoutTemplate.dll: error " << GetLastError();
    const Window dialog(
        CreateDialogParamA(module.get(), MAKEINTRESOURCEA(IDD_IMPORT_LAYOUT_TEMPLATE), nullptr, &KeepDefaults, 0));
    ASSERT_NE(dialog, nullptr) << "error " << GetLastError();

    struct Label {
        std::string text;
        HWND control;
    };
    std::vector<Label> labels;
    for (HWND child = GetWindow(dialog.get(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        // The central library's label shows a path, which may be cut.
        if (lstrcmpiA(ClassOf(child).c_str(), "Static") != 0 || GetDlgCtrlID(child) == IDC_CENTRAL_LIBRARY)
            continue;
        labels.push_back({TextOf(child), child});
        // The format label shows "2005" or "2007".
        if (GetDlgCtrlID(child) == IDC_LT_FORMAT)
            labels.push_back({"2007", child});
    }
    ASSERT_EQ(labels.size(), 7u) << "the dialog's static controls";

    for (const Label& label : labels) {
        const Fit fit = Measure(label.control, label.text);
        EXPECT_TRUE(fit.text.cx <= fit.room.cx && fit.text.cy <= fit.room.cy)
            << "'" << label.text << "' takes " << fit.text.cx << " x " << fit.text.cy << " px, in a rectangle of "
            << fit.room.cx << " x " << fit.room.cy << " px";
    }
}

}  // namespace
}  // namespace ilt::win32::test
