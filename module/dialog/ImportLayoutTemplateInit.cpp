// Start-up of the dialog: finding the layout-templates folder (or letting the
// user browse to one), discovering the templates, filling the controls and
// showing the first template's stack-up.

#include "dialog/ImportLayoutTemplateDlg.h"

#include <commctrl.h>
#include <shlobj.h>

#include <list>
#include <string>

#include "pathutil/PathUtil.h"
#include "templates/TemplateDiscovery.h"

namespace {

const char kNoCentralLibrary[] = "Central library \"%s\" doesn't exist.";
const char kNoTemplatesFolder[] =
	"Central library \"%s\" doesn't contain directory with layout templates.\n"
	"Would you like to select one?";
const char kNoValidTemplate[] = "Central library \"%s\" doesn't contain any valid layout template.";
const char kCannotDisplay[] = "Can't display the stackup.";

// The folder browser's callback: OK is enabled only on a folder that holds at
// least one valid layout template.
int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
	UNREFERENCED_PARAMETER(lpData);

	if (uMsg != BFFM_SELCHANGED)
		return 0;

	char path[MAX_PATH];
	if (!::SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path))
		return 0;  // no file-system folder: OK keeps its state

	const BOOL enable = HasLayoutTemplates(path) ? TRUE : FALSE;
	::SendMessageA(hwnd, BFFM_ENABLEOK, 0, enable);
	return 0;
}

// The shell item id list of a narrow path, for rooting the folder browser;
// the caller frees it through the shell allocator. NULL when the path cannot
// be parsed or does not fit MAX_PATH wide characters.
LPITEMIDLIST PathToItemIdList(const char* path)
{
	IShellFolder* desktop = NULL;
	if (FAILED(::SHGetDesktopFolder(&desktop)))
		return NULL;

	WCHAR widePath[MAX_PATH];
	LPITEMIDLIST idList = NULL;
	if (::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path, -1, widePath, MAX_PATH) != 0)
	{
		if (FAILED(desktop->ParseDisplayName(NULL, NULL, widePath, NULL, &idList, NULL)))
			idList = NULL;
	}
	desktop->Release();
	return idList;
}

// Small icon of the dialog. Loaded afresh at each showing, unshared, so it is
// destroyed when the dialog's window goes.
const UINT_PTR kSmallIconSubclassId = IDI_IMPORT_LAYOUT_TEMPLATE;

LRESULT CALLBACK
SmallIconOwnerProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR uIdSubclass, DWORD_PTR dwRefData)
{
	if (uMsg == WM_NCDESTROY)
	{
		::DestroyIcon(reinterpret_cast<HICON>(dwRefData));
		::RemoveWindowSubclass(hwnd, SmallIconOwnerProc, uIdSubclass);
	}
	return ::DefSubclassProc(hwnd, uMsg, wParam, lParam);
}

void SetSmallIcon(HWND dialog)
{
	HINSTANCE resources = AfxFindResourceHandle(MAKEINTRESOURCE(IDI_IMPORT_LAYOUT_TEMPLATE), RT_GROUP_ICON);
	HICON icon = static_cast<HICON>(
		::LoadImageA(resources, MAKEINTRESOURCEA(IDI_IMPORT_LAYOUT_TEMPLATE), IMAGE_ICON, 16, 16, LR_VGACOLOR));
	if (icon == NULL)
		return;

	if (!::SetWindowSubclass(dialog, SmallIconOwnerProc, kSmallIconSubclassId, reinterpret_cast<DWORD_PTR>(icon)))
	{
		::DestroyIcon(icon);
		return;
	}
	::SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

enum BrowseOutcome
{
	BrowseCancelled,  // the user cancelled the browser
	BrowseDone        // a folder was chosen, or no browser could be shown
};

// Lets the user pick the layout-templates folder. `folder` takes the chosen
// folder's path; it keeps its value when no browser can be shown or the
// chosen item has no file-system path.
BrowseOutcome BrowseForTemplatesFolder(const CString& centralLibrary, std::string& folder)
{
	IMalloc* shellMalloc = NULL;
	if (FAILED(::SHGetMalloc(&shellMalloc)))
		return BrowseDone;

	char displayName[MAX_PATH];
	char chosenPath[MAX_PATH];

	BROWSEINFOA browseInfo;
	browseInfo.hwndOwner = NULL;
	browseInfo.pidlRoot = PathToItemIdList(centralLibrary);
	browseInfo.pszDisplayName = displayName;
	browseInfo.lpszTitle = "Select layout templates folder.";
	browseInfo.ulFlags = BIF_RETURNONLYFSDIRS;
	browseInfo.lpfn = BrowseCallbackProc;
	browseInfo.lParam = 0;
	browseInfo.iImage = 0;

	LPITEMIDLIST chosen = ::SHBrowseForFolderA(&browseInfo);
	BrowseOutcome outcome = BrowseCancelled;
	if (chosen != NULL)
	{
		if (::SHGetPathFromIDListA(chosen, chosenPath))
			folder = chosenPath;
		shellMalloc->Free(chosen);
		outcome = BrowseDone;
	}
	if (browseInfo.pidlRoot != NULL)
		shellMalloc->Free(const_cast<LPITEMIDLIST>(browseInfo.pidlRoot));
	shellMalloc->Release();
	return outcome;
}

}  // namespace

BOOL CImportLayoutTemplateDlg::OnInitDialog()
{
	CString message;

	m_templatesFolder = (LPCSTR)m_centralLibrary;
	NormalizePath(m_templatesFolder);
	if (!IsDirectory(m_templatesFolder))
	{
		message.Format(kNoCentralLibrary, (LPCSTR)m_centralLibrary);
		AfxMessageBox(message, MB_OK | MB_ICONSTOP);
		EndDialog(IDCANCEL);
		return FALSE;
	}

	// The first folder that exists and is not empty is the layout-templates
	// folder; whether it holds a valid template is asked only afterwards.
	m_templatesFolder += "/Templates/Layout";
	NormalizePath(m_templatesFolder);
	if (IsEmptyDirectory(m_templatesFolder))
	{
		// Appended to the central library as given, not normalised first:
		// "D:\lib\" gives "D:\lib\\LayoutTemplates", the form hosts receive.
		m_templatesFolder = (LPCSTR)m_centralLibrary;
		m_templatesFolder += "/LayoutTemplates";
		NormalizePath(m_templatesFolder);
		if (IsEmptyDirectory(m_templatesFolder))
		{
			message.Format(kNoTemplatesFolder, (LPCSTR)m_centralLibrary);
			if (AfxMessageBox(message, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
			{
				EndDialog(IDCANCEL);
				return FALSE;
			}
			if (BrowseForTemplatesFolder(m_centralLibrary, m_templatesFolder) == BrowseCancelled)
			{
				EndDialog(IDCANCEL);
				return FALSE;
			}
		}
	}

	NormalizePath(m_templatesFolder);
	std::list<std::string> names;
	if (!FindLayoutTemplates(m_templatesFolder, names))
	{
		message.Format(kNoValidTemplate, (LPCSTR)m_centralLibrary);
		AfxMessageBox(message, MB_OK | MB_ICONSTOP);
		EndDialog(IDCANCEL);
		return FALSE;
	}

	// Binds the drop-down and the list view; no control is touched before.
	CDialog::OnInitDialog();

	SetSmallIcon(m_hWnd);
	ShowWindow(SW_SHOW);

	m_stackupList.InsertColumn(0, "", LVCFMT_LEFT, 30, -1);
	m_stackupList.InsertColumn(1, "Layer name", LVCFMT_LEFT, 150, -1);
	m_stackupList.InsertColumn(2, "Layer usage", LVCFMT_LEFT, 145, -1);

	GetDlgItem(IDC_CENTRAL_LIBRARY)->SetWindowText(m_centralLibrary);

	// The drop-down sorts what it shows; the selection is the first template
	// in discovery order unless one is held from an earlier showing: a host
	// that shows the same object again offers the user's last pick.
	for (const std::string& name : names)
	{
		::SendMessageA(m_templateCombo.GetSafeHwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
		if (m_selectedTemplate.IsEmpty())
			m_selectedTemplate = name.c_str();
	}

	if (!m_selectedTemplate.IsEmpty())
	{
		::SendMessageA(m_templateCombo.GetSafeHwnd(), CB_SELECTSTRING, static_cast<WPARAM>(-1),
		               reinterpret_cast<LPARAM>((LPCSTR)m_selectedTemplate));
		if (DisplayStackUp(m_selectedTemplate) == 0)
		{
			AfxMessageBox(kCannotDisplay, MB_OK | MB_ICONSTOP);
			EndDialog(IDCANCEL);
			return FALSE;
		}
	}

	return TRUE;
}
