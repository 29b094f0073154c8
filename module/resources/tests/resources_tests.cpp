// The compiled dialog template and icon of the module, found through FindResource, LoadResource
// and LoadImageA: on Windows in ImportLayoutTemplate.dll itself, by the real loader; on Linux in
// this program, which embeds the resource script exactly as the module does.
#include "dialog/resource.h"

#include <dlgtemplate/DialogTemplate.h>

#include <windows.h>
#include <commctrl.h>
#if !defined(_WIN32)
#include <standin/win32.h>
#endif

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <utility>

namespace resources_test {
namespace {

// The template's strings as text; the script's are ASCII, and any other code unit shows as '?'.
std::string AsciiText(const char16_t* text, std::size_t length)
{
    std::string ascii;
    for (std::size_t i = 0; i < length; ++i)
        ascii += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
    return ascii;
}

// The module holding the resources, loaded as a host loads it on Windows.
class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
#if defined(_WIN32)
        s_module = ::LoadLibraryA("ImportLayoutTemplate.dll");
#else
        s_module = ::GetModuleHandleA(nullptr);
#endif
    }
    static void TearDownTestSuite()
    {
#if defined(_WIN32)
        if (s_module != nullptr)
            ::FreeLibrary(s_module);
#endif
        s_module = nullptr;
    }
    void SetUp() override { ASSERT_NE(nullptr, s_module) << "the module did not load"; }

    static std::pair<const uint8_t*, DWORD> Resource(int id, LPCSTR type)
    {
        HRSRC resource = ::FindResourceA(s_module, MAKEINTRESOURCEA(id), type);
        if (!resource)
            return {nullptr, 0};
        return {static_cast<const uint8_t*>(::LockResource(::LoadResource(s_module, resource))),
                ::SizeofResource(s_module, resource)};
    }

    static HMODULE s_module;
};

HMODULE ResourcesTest::s_module = nullptr;

TEST_F(ResourcesTest, DialogTemplateMatchesTheLayout)
{
    ASSERT_NE(nullptr, ::FindResourceExA(s_module, RT_DIALOG, MAKEINTRESOURCEA(IDD_IMPORT_LAYOUT_TEMPLATE),
                                         MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)));
    const auto [data, size] = Resource(IDD_IMPORT_LAYOUT_TEMPLATE, RT_DIALOG);
    ASSERT_NE(nullptr, data);
    const auto dialog = dlgtemplate::ReadDialogTemplate(data, size, AsciiText);
    ASSERT_TRUE(dialog.has_value()) << "no dialog template";
    ASSERT_TRUE(dialog->extended) << "no DLGTEMPLATEEX";
    EXPECT_EQ(1, dialog->version);
    EXPECT_EQ(static_cast<uint32_t>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS),
              dialog->style);
    EXPECT_EQ(0u, dialog->exStyle);
    EXPECT_EQ(0u, dialog->helpId);
    EXPECT_FALSE(dialog->menu.has_value());
    EXPECT_FALSE(dialog->windowClass.has_value());
    EXPECT_EQ("Import Layout Template", dialog->caption);
    EXPECT_EQ(8, dialog->pointSize);
    EXPECT_EQ("MS Shell Dlg", dialog->typeface);
    EXPECT_EQ(400, dialog->weight);
    EXPECT_FALSE(dialog->italic);
    EXPECT_EQ(1, dialog->charset);
    EXPECT_EQ(0, dialog->x);
    EXPECT_EQ(0, dialog->y);
    EXPECT_EQ(234, dialog->cx);
    EXPECT_EQ(174, dialog->cy);

    struct Control {
        int id;
        const char* className;  // an ordinal's class, or the stored name
        const char* text;
        uint32_t style;  // besides WS_CHILD | WS_VISIBLE
        uint32_t exStyle;
        int16_t x, y, cx, cy;
    };
    const uint32_t label = SS_LEFT | WS_GROUP;
    const Control expected[] = {
        {IDOK, "Button", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 53, 151, 50, 14},
        {IDCANCEL, "Button", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, 130, 151, 50, 14},
        {IDC_COMBO1, "ComboBox", "", CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP, 0, 87, 20, 140, 82},
        {IDC_STATIC, "Static", "Select layout template:", label, 0, 7, 22, 75, 8},
        {IDC_STACKUP_LIST, "SYSLISTVIEW32", "", LVS_REPORT | LVS_ALIGNLEFT | WS_DISABLED | WS_TABSTOP, WS_EX_STATICEDGE,
         7, 50, 220, 91},
        {IDC_STATIC, "Static", "Central library: ", label, 0, 7, 7, 51, 8},
        {IDC_CENTRAL_LIBRARY, "Static", "Static", label, 0, 58, 7, 169, 8},
        {IDC_STATIC, "Static", "Constraint set:", label, 0, 7, 37, 49, 8},
        {IDC_CONSTRAINT_SET, "Static", "NC/NP", label, 0, 57, 37, 63, 8},
        {IDC_STATIC, "Static", "Layout template format:", label, 0, 128, 37, 79, 8},
        {IDC_LT_FORMAT, "Static", "2005", label, 0, 209, 37, 17, 8},
    };
    ASSERT_EQ(std::size(expected), dialog->items.size());
    for (size_t i = 0; i < std::size(expected); ++i) {
        const Control& want = expected[i];
        const dlgtemplate::DialogItemTemplate& item = dialog->items[i];
        SCOPED_TRACE("control " + std::to_string(i) + " (" + want.text + ")");
        EXPECT_EQ(want.id, item.id);
        EXPECT_EQ(want.className, item.windowClass.isOrdinal ? dlgtemplate::ClassNameOfOrdinal(item.windowClass.ordinal)
                                                             : item.windowClass.name);
        EXPECT_FALSE(item.title.isOrdinal);
        EXPECT_EQ(want.text, item.title.name);
        EXPECT_EQ(want.style | WS_CHILD | WS_VISIBLE, item.style);
        EXPECT_EQ(want.exStyle, item.exStyle);
        EXPECT_EQ(0u, item.helpId);
        EXPECT_EQ(want.x, item.x);
        EXPECT_EQ(want.y, item.y);
        EXPECT_EQ(want.cx, item.cx);
        EXPECT_EQ(want.cy, item.cy);
        EXPECT_TRUE(item.creationData.empty());
    }
}

TEST_F(ResourcesTest, IconGroupHoldsOneSixteenPixelEightBitImage)
{
    const auto [group, groupSize] = Resource(IDI_IMPORT_LAYOUT_TEMPLATE, RT_GROUP_ICON);
    ASSERT_NE(nullptr, group);
    ASSERT_EQ(6u + 14u, groupSize);  // GRPICONDIR and one GRPICONDIRENTRY
    uint16_t header[3];
    std::memcpy(header, group, sizeof(header));
    EXPECT_EQ(0, header[0]);
    EXPECT_EQ(1, header[1]);
    EXPECT_EQ(1, header[2]);
    const uint8_t* entry = group + 6;
    EXPECT_EQ(16, entry[0]);
    EXPECT_EQ(16, entry[1]);
    uint16_t bitCount, imageId;
    std::memcpy(&bitCount, entry + 6, 2);
    std::memcpy(&imageId, entry + 12, 2);
    EXPECT_EQ(8, bitCount);

    const auto [image, imageSize] = Resource(imageId, RT_ICON);
    ASSERT_NE(nullptr, image);
    int32_t width, height;
    uint16_t bits;
    uint32_t coloursUsed;
    std::memcpy(&width, image + 4, 4);
    std::memcpy(&height, image + 8, 4);
    std::memcpy(&bits, image + 14, 2);
    std::memcpy(&coloursUsed, image + 32, 4);
    EXPECT_EQ(16, width);
    EXPECT_EQ(32, height);  // the XOR image and the AND mask
    EXPECT_EQ(8, bits);
    EXPECT_TRUE(coloursUsed == 0 || coloursUsed == 256);
    EXPECT_EQ(40u + 256 * 4 + 16 * 16 + 16 * 4, imageSize);
}

TEST_F(ResourcesTest, LoadImageGivesTheSixteenPixelIconOfTheGroup)
{
    HICON icon = static_cast<HICON>(
        ::LoadImageA(s_module, MAKEINTRESOURCEA(IDI_IMPORT_LAYOUT_TEMPLATE), IMAGE_ICON, 16, 16, LR_VGACOLOR));
    ASSERT_NE(nullptr, icon);
#if defined(_WIN32)
    // The image LoadImage picks for 16 x 16 is the group's one entry.
    const auto [group, groupSize] = Resource(IDI_IMPORT_LAYOUT_TEMPLATE, RT_GROUP_ICON);
    ASSERT_NE(nullptr, group);
    uint16_t imageId = 0;
    std::memcpy(&imageId, group + 6 + 12, 2);
    EXPECT_EQ(imageId, ::LookupIconIdFromDirectoryEx(const_cast<PBYTE>(group), TRUE, 16, 16, LR_DEFAULTCOLOR));
    // The real icon: a 16 x 16 colour bitmap and its mask.
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    BITMAP colour{};
    BITMAP mask{};
    ASSERT_NE(nullptr, info.hbmColor);
    EXPECT_NE(0, ::GetObjectA(info.hbmColor, sizeof colour, &colour));
    EXPECT_NE(0, ::GetObjectA(info.hbmMask, sizeof mask, &mask));
    EXPECT_EQ(16, colour.bmWidth);
    EXPECT_EQ(16, colour.bmHeight);
    EXPECT_EQ(16, mask.bmWidth);
    EXPECT_EQ(16, mask.bmHeight) << "with a colour bitmap the mask holds only the AND image";
    EXPECT_EQ(1, mask.bmBitsPixel);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
#else
    const auto details = standin::GetIconDetails(icon);
    ASSERT_TRUE(details.has_value());
    EXPECT_EQ(16, details->width);
    EXPECT_EQ(16, details->height);
    EXPECT_EQ(8, details->bitsPerPixel);
    EXPECT_EQ(256, details->paletteEntries);
#endif
    EXPECT_TRUE(::DestroyIcon(icon));
}

}  // namespace
}  // namespace resources_test
