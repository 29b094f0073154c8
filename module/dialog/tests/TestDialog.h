// The dialog with its protected state opened up for the tests.
#pragma once

#include "dialog/ImportLayoutTemplateDlg.h"

namespace dialog_test {

class TestDialog : public CImportLayoutTemplateDlg {
public:
    using CImportLayoutTemplateDlg::CImportLayoutTemplateDlg;

    using CImportLayoutTemplateDlg::m_auxText1;
    using CImportLayoutTemplateDlg::m_auxText2;
    using CImportLayoutTemplateDlg::m_blocks;
    using CImportLayoutTemplateDlg::m_centralLibrary;
    using CImportLayoutTemplateDlg::m_design;
    using CImportLayoutTemplateDlg::m_selectedTemplate;
    using CImportLayoutTemplateDlg::m_spareText;
    using CImportLayoutTemplateDlg::m_templatesFolder;

    using CImportLayoutTemplateDlg::SetLTFormat;

    using CImportLayoutTemplateDlg::GetMessageMap;
    using CImportLayoutTemplateDlg::GetThisMessageMap;
    static const AFX_MSGMAP* BaseMessageMap() { return CDialog::GetThisMessageMap(); }
};

}  // namespace dialog_test
