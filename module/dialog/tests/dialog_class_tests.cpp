// The dialog class as a host sees it: construction, the path it hands back,
// its run-time class, the module's registration and resources, and how the
// dialog ends.
#include "CentralLibrary.h"
#include "TestDialog.h"

#include <standin/afx.h>
#include <standin/crt.h>
#include <standin/win32.h>

#include <dlfcn.h>

using namespace dialog_test;
using standin::Action;

namespace {

HMODULE ModuleOfDialog()
{
    Dl_info info{};
    // Any exported member of the class lies in the module.
    const auto symbol = &CImportLayoutTemplateDlg::GetThisClass;
    if (dladdr(reinterpret_cast<void*>(symbol), &info) == 0)
        return nullptr;
    return static_cast<HMODULE>(info.dli_fbase);
}

}  // namespace

TEST(DialogClass, ConstructorsHoldTheirArguments)
{
    TestDialog first("D:/lib", "aux one", "aux two");
    EXPECT_STREQ("D:/lib", first.m_centralLibrary);  // not normalised
    EXPECT_STREQ("aux one", first.m_auxText1);
    EXPECT_STREQ("aux two", first.m_auxText2);
    EXPECT_TRUE(first.m_spareText.IsEmpty());
    EXPECT_TRUE(first.m_selectedTemplate.IsEmpty());
    EXPECT_TRUE(first.m_templatesFolder.empty());
    EXPECT_TRUE(first.m_design.IsEmpty());
    EXPECT_TRUE(first.m_blocks.IsEmpty());

    Oskel::MutableContainerT<Oskel::IBlock> blocks;
    TestDialog second("D:\\lib", blocks);
    EXPECT_STREQ("D:\\lib", second.m_centralLibrary);
    EXPECT_TRUE(second.m_auxText1.IsEmpty());
    EXPECT_TRUE(second.m_auxText2.IsEmpty());
    EXPECT_TRUE(second.m_selectedTemplate.IsEmpty());
}

TEST(DialogClass, PathIsEmptyUntilATemplateIsSelected)
{
    CImportLayoutTemplateDlg dialog("D:\\lib", "", "");
    EXPECT_STREQ("", dialog.GetLayoutTemplatePath());
}

TEST(DialogClass, PathJoinsTheFolderAndTheSelection)
{
    TestDialog dialog("D:\\lib", "", "");
    dialog.m_templatesFolder = "D:\\lib\\Templates\\Layout";
    dialog.m_selectedTemplate = "6L";
    EXPECT_STREQ("D:\\lib\\Templates\\Layout\\6L", dialog.GetLayoutTemplatePath());
    EXPECT_STREQ("D:\\lib\\Templates\\Layout\\6L", dialog.GetLayoutTemplatePath());

    // A drive root keeps its backslash; the joining slash becomes a second one.
    dialog.m_templatesFolder = "D:\\";
    dialog.m_selectedTemplate = "4L";
    EXPECT_STREQ("D:\\\\4L", dialog.GetLayoutTemplatePath());
}

TEST(DialogClass, RunTimeClassDerivesFromCDialog)
{
    CImportLayoutTemplateDlg dialog("D:\\lib", "", "");
    EXPECT_TRUE(dialog.IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_TRUE(dialog.IsKindOf(RUNTIME_CLASS(CImportLayoutTemplateDlg)));
    EXPECT_STREQ("CImportLayoutTemplateDlg", dialog.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CImportLayoutTemplateDlg)->m_pfnCreateObject);
}

TEST(DialogClass, MessageMapRoutesOkAndSelectionChange)
{
    TestDialog dialog("D:\\lib", "", "");
    const AFX_MSGMAP* map = dialog.GetMessageMap();
    ASSERT_EQ(TestDialog::GetThisMessageMap(), map);
    ASSERT_NE(nullptr, map->pfnGetBaseMap);
    EXPECT_EQ(TestDialog::BaseMessageMap(), map->pfnGetBaseMap());

    struct Route {
        UINT code;
        UINT id;
        AFX_PMSG handler;
    };
    const Route expected[] = {
        {BN_CLICKED, IDOK, static_cast<AFX_PMSG>(&CImportLayoutTemplateDlg::OnBnClickedOk)},
        {CBN_SELCHANGE, IDC_COMBO1, static_cast<AFX_PMSG>(&CImportLayoutTemplateDlg::OnCbnSelchangeCombo1)},
    };
    std::size_t entries = 0;
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != 0 || entry->nMessage != 0; ++entry) {
        ASSERT_LT(entries, 2u);
        EXPECT_EQ(static_cast<UINT>(WM_COMMAND), entry->nMessage);
        EXPECT_EQ(expected[entries].code, entry->nCode);
        EXPECT_EQ(expected[entries].id, entry->nID);
        EXPECT_TRUE(expected[entries].handler == entry->pfn);
        ++entries;
    }
    EXPECT_EQ(2u, entries);
}

TEST(DialogModule, RegistersItselfAndCarriesItsResources)
{
    const HMODULE module = ModuleOfDialog();
    ASSERT_NE(nullptr, module);

    bool registered = false;
    for (const auto& link : standin::afx::ExtensionModules())
        registered = registered || (link.module == module && !link.system);
    EXPECT_TRUE(registered);

    EXPECT_EQ(module, AfxFindResourceHandle(MAKEINTRESOURCE(IDD_IMPORT_LAYOUT_TEMPLATE), RT_DIALOG));
    EXPECT_EQ(module, AfxFindResourceHandle(MAKEINTRESOURCE(IDI_IMPORT_LAYOUT_TEMPLATE), RT_GROUP_ICON));

    const HICON icon = static_cast<HICON>(
        LoadImageA(module, MAKEINTRESOURCEA(IDI_IMPORT_LAYOUT_TEMPLATE), IMAGE_ICON, 16, 16, LR_VGACOLOR));
    ASSERT_NE(nullptr, icon);
    const auto details = standin::GetIconDetails(icon);
    ASSERT_TRUE(details.has_value());
    EXPECT_EQ(16, details->width);
    EXPECT_EQ(16, details->height);
    EXPECT_EQ(8, details->bitsPerPixel);
    EXPECT_TRUE(DestroyIcon(icon));
}

class DialogEnd : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        Make2005("Templates/Layout/6L", Layers2005({{1, 1}}));
        Make2007("Templates/Layout/4L", {standin::oskel::ConductorLayer(1, "TOP", 1, "Signal")});
        standin::SetListingOrder(standin::ListingOrder::Ascending);  // 4L is found first
    }
};

TEST_F(DialogEnd, EnterClicksOkAndHandsBackTheFirstTemplate)
{
    CImportLayoutTemplateDlg dialog(kCentral, "", "");
    Then(Action::Enter());
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_STREQ("D:\\lib\\Templates\\Layout\\4L", dialog.GetLayoutTemplatePath());
}

TEST_F(DialogEnd, OkHandsBackThePickedTemplate)
{
    CImportLayoutTemplateDlg dialog(kCentral, "", "");
    Then(Action::Pick(IDC_COMBO1, "6L"));
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_STREQ("D:\\lib\\Templates\\Layout\\6L", dialog.GetLayoutTemplatePath());
    EXPECT_STREQ("D:\\lib\\Templates\\Layout\\6L", dialog.GetLayoutTemplatePath());
}

TEST_F(DialogEnd, EscapeCloseBoxAndCancelEndWithIdCancel)
{
    for (const Action& end : {Action::Escape(), Action::Close(), Action::Click(IDCANCEL)}) {
        SCOPED_TRACE(end.Describe());
        TestDialog dialog(kCentral, "", "");
        Snapshot();
        Then(end);
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        EXPECT_STREQ("4L", dialog.m_selectedTemplate);
        EXPECT_STREQ("D:\\lib\\Templates\\Layout\\4L", dialog.GetLayoutTemplatePath());
    }
    ASSERT_EQ(3u, m_states.size());
    for (const ilt::DialogState& state : m_states) {
        EXPECT_EQ("Import Layout Template", state.caption);
        EXPECT_EQ("NC/NP", state.constraint);
        EXPECT_TRUE(state.visible);
    }
}

TEST_F(DialogEnd, SetLTFormatWritesTheFormatLabelOfAShownDialogOnly)
{
    TestDialog dialog(kCentral, "", "");
    dialog.SetLTFormat("2099");  // no window yet: nothing happens
    std::string label;
    Then(Action::Inspect([&](HWND window) {
        dialog.SetLTFormat("2099");
        char text[16] = {};
        GetWindowTextA(GetDlgItem(window, IDC_LT_FORMAT), text, sizeof(text));
        label = text;
    }));
    Then(Action::Escape());
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ("2099", label);
    dialog.SetLTFormat("2100");  // the window is gone again
}
