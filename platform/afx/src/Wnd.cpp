// CWnd: the association of windows with C++ objects, subclassing, and the
// routing of a window's messages to its message map.
//
// A window has at most one attached (permanent) object. FromHandle makes a
// temporary object for a window without one; temporaries are freed once
// their window is gone, at the next FromHandle that makes a new one and at
// the end of every modal dialog. An attached object lets go of its window at
// WM_NCDESTROY when it subclassed it, else when DestroyWindow is called
// through it, at the latest at the end of a modal dialog. The maps belong to
// the user-interface thread.
//
// Not implemented: window creation (CreateEx), message-map entries for
// messages other than WM_COMMAND, reflection of notifications to controls.

#include <afxwin.h>
#include <standin/afx.h>

#include <memory>
#include <unordered_map>

#include "afximpl.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

HWND afxLockoutNotifyWindow = NULL;

namespace {

struct HandleMaps
{
	std::unordered_map<HWND, CWnd*> permanent;
	std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
};

// Never destroyed: CWnd objects may be destroyed during exit, after every
// other static of this library.
HandleMaps& Maps()
{
	static HandleMaps& maps = *new HandleMaps;
	return maps;
}

}  // namespace

namespace {

void SweepTemporaryWindows()
{
	auto& temporary = Maps().temporary;
	for (auto it = temporary.begin(); it != temporary.end();)
	{
		if (::IsWindow(it->first))
			++it;
		else
			it = temporary.erase(it);
	}
}

}  // namespace

void AfxSweepHandleMaps()
{
	SweepTemporaryWindows();
	auto& permanent = Maps().permanent;
	for (auto it = permanent.begin(); it != permanent.end();)
	{
		CWnd* pWnd = it->second;
		if (::IsWindow(it->first))
		{
			++it;
			continue;
		}
		it = permanent.erase(it);
		pWnd->m_hWnd = NULL;
		pWnd->m_pfnSuper = NULL;
	}
}

HWND AfxGetSafeOwner(CWnd* pParent)
{
	HWND hWnd = pParent != NULL ? pParent->GetSafeHwnd() : ::GetActiveWindow();
	// A popup window cannot be owned by a child window.
	while (hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0)
		hWnd = ::GetParent(hWnd);
	return hWnd;
}

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL) {}

CWnd::~CWnd()
{
	if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
	{
		// The class library destroys a window whose object goes first.
		TRACE("Warning: calling DestroyWindow in CWnd::~CWnd\n");
		CWnd::DestroyWindow();
		if (m_hWnd != NULL)
			Detach();
	}
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
	const auto& permanent = Maps().permanent;
	const auto it = permanent.find(hWnd);
	return it != permanent.end() ? it->second : NULL;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
	if (hWnd == NULL)
		return NULL;
	if (CWnd* pWnd = FromHandlePermanent(hWnd))
		return pWnd;

	auto& temporary = Maps().temporary;
	const auto it = temporary.find(hWnd);
	if (it != temporary.end())
		return it->second.get();
	// No object for something that is no window: it could not be kept
	// valid for any time.
	if (!::IsWindow(hWnd))
		return NULL;

	SweepTemporaryWindows();
	auto pWnd = std::make_unique<CWnd>();
	pWnd->m_hWnd = hWnd;
	CWnd* pResult = pWnd.get();
	temporary.emplace(hWnd, std::move(pWnd));
	return pResult;
}

BOOL CWnd::Attach(HWND hWndNew)
{
	if (hWndNew == NULL || m_hWnd != NULL || FromHandlePermanent(hWndNew) != NULL)
		return FALSE;
	Maps().permanent.emplace(hWndNew, this);
	m_hWnd = hWndNew;
	return TRUE;
}

HWND CWnd::Detach()
{
	HWND hWnd = m_hWnd;
	if (hWnd == NULL)
		return NULL;
	// A subclassed window gets its own procedure back, unless another
	// subclass has been put on top of ours since.
	if (m_pfnSuper != NULL && ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc))
		::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
	m_pfnSuper = NULL;

	auto& permanent = Maps().permanent;
	const auto it = permanent.find(hWnd);
	if (it != permanent.end() && it->second == this)
		permanent.erase(it);
	m_hWnd = NULL;
	return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
	if (!Attach(hWnd))
		return FALSE;
	const LONG_PTR previous = ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
	if (previous == 0)
	{
		Detach();
		return FALSE;
	}
	m_pfnSuper = reinterpret_cast<WNDPROC>(previous);
	return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
	if (pParent == NULL)
		return FALSE;
	HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
	return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
	return Detach();
}

BOOL CWnd::DestroyWindow()
{
	if (m_hWnd == NULL)
		return FALSE;
	HWND hWnd = m_hWnd;
	const BOOL bResult = ::DestroyWindow(hWnd);
	// A subclassed window detached itself at WM_NCDESTROY; one that was only
	// attached never told us.
	if (m_hWnd == hWnd && !::IsWindow(hWnd))
		Detach();
	return bResult;
}

void CWnd::OnNcDestroyed()
{
	Detach();
	PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

CWnd* CWnd::GetDlgItem(int nID) const
{
	return FromHandle(::GetDlgItem(m_hWnd, nID));
}

int CWnd::GetDlgCtrlID() const
{
	return ::GetDlgCtrlID(m_hWnd);
}

CWnd* CWnd::GetParent() const
{
	return FromHandle(::GetParent(m_hWnd));
}

void CWnd::SetWindowText(LPCSTR lpszString)
{
	::SetWindowTextA(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
{
	return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
	const int nLength = ::GetWindowTextLengthA(m_hWnd);
	const int nCopied = ::GetWindowTextA(m_hWnd, rString.GetBufferSetLength(nLength), nLength + 1);
	rString.ReleaseBuffer(nCopied > 0 ? nCopied : 0);
}

int CWnd::GetWindowTextLength() const
{
	return ::GetWindowTextLengthA(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
	return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const
{
	return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
	return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
	return ::IsWindowEnabled(m_hWnd);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
	return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
	CDataExchange dx(this, bSaveAndValidate);
	const HWND hWndOldLockout = afxLockoutNotifyWindow;
	afxLockoutNotifyWindow = m_hWnd;
	DoDataExchange(&dx);
	afxLockoutNotifyWindow = hWndOldLockout;
	return TRUE;
}

void CWnd::DoDataExchange(CDataExchange* pDX)
{
	UNREFERENCED_PARAMETER(pDX);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	LRESULT lResult = 0;
	if (!OnWndMsg(message, wParam, lParam, &lResult))
		lResult = DefWindowProc(message, wParam, lParam);
	return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
	if (message == WM_COMMAND && OnCommand(wParam, lParam))
	{
		if (pResult != NULL)
			*pResult = 1;
		return TRUE;
	}
	return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
	const UINT nID = LOWORD(wParam);
	int nCode = HIWORD(wParam);
	if (lParam == 0)
	{
		// A menu or accelerator command; id 0 is none.
		if (nID == 0)
			return FALSE;
		nCode = CN_COMMAND;
	}
	else if (afxLockoutNotifyWindow == m_hWnd)
	{
		return TRUE;  // a control notification during UpdateData: ignored
	}
	return OnCmdMsg(nID, nCode, NULL, NULL);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (m_pfnSuper != NULL)
		return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
	return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
	CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
	if (pWnd == NULL)
		return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
	const LRESULT lResult = pWnd->WindowProc(nMsg, wParam, lParam);
	if (nMsg == WM_NCDESTROY)
		pWnd->OnNcDestroyed();
	return lResult;
}

namespace standin {
namespace afx {

std::size_t TemporaryWindowCount()
{
	return Maps().temporary.size();
}

std::size_t AttachedWindowCount()
{
	return Maps().permanent.size();
}

}  // namespace afx
}  // namespace standin
