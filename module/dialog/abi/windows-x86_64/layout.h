// Recorded binary layout of CImportLayoutTemplateDlg: Windows x86_64 (mingw-w64 GCC), with the class library as
// afx.dll. Included by ../LayoutCheck.cpp; a change here is a change of the module's binary interface (see
// docs/integration.md, "Binary interface").
//
// ILT_ABI_SIZE(sizeof, alignof)
// ILT_ABI_MEMBER(member, offset in bytes, type), in declaration order
// ILT_ABI_OVERRIDE(function, type of its member pointer), in the order of their slots

ILT_ABI_SIZE(352, 8)

ILT_ABI_MEMBER(m_centralLibrary, 64, CString)
ILT_ABI_MEMBER(m_auxText1, 96, CString)
ILT_ABI_MEMBER(m_auxText2, 128, CString)
ILT_ABI_MEMBER(m_spareText, 160, CString)
ILT_ABI_MEMBER(m_selectedTemplate, 192, CString)
ILT_ABI_MEMBER(m_templatesFolder, 224, std::string)
ILT_ABI_MEMBER(m_snapshot, 256, Oskel::ContainerT<const Oskel::ISnapshot>)
ILT_ABI_MEMBER(m_design, 272, Oskel::ContainerT<const Oskel::ITrelDesign>)
ILT_ABI_MEMBER(m_blocks, 288, Oskel::MutableContainerT<Oskel::IBlock>)
ILT_ABI_MEMBER(m_templateCombo, 304, CComboBox)
ILT_ABI_MEMBER(m_stackupList, 328, CListCtrl)

ILT_ABI_OVERRIDE(GetRuntimeClass, CRuntimeClass* (CImportLayoutTemplateDlg::*)() const)
ILT_ABI_OVERRIDE(GetMessageMap, const AFX_MSGMAP* (CImportLayoutTemplateDlg::*)() const)
ILT_ABI_OVERRIDE(DoDataExchange, void (CImportLayoutTemplateDlg::*)(CDataExchange*))
ILT_ABI_OVERRIDE(OnInitDialog, BOOL (CImportLayoutTemplateDlg::*)())
