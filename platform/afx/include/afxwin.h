// Windows classes of the class library stand-in: command targets and message
// maps, windows, modal dialogs, the combo box, dialog data exchange, message
// boxes, resource handles and extension modules.
//
// Everything here is written against the Win32 API (<windows.h>), never
// against the window model behind it.
//
// Not implemented: CWinApp and CWinThread (there is no application object),
// frame windows and views, modeless dialogs (CDialog::Create), message-map
// entries for messages other than WM_COMMAND (ON_WM_*, ON_NOTIFY, ON_MESSAGE),
// command UI updating, DDX/DDV of values, string resources (AfxMessageBox by
// id), OLE class factories.
#pragma once

#include <afx.h>

class CCmdTarget;
class CWnd;
class CDataExchange;
class CDynLinkLibrary;
class COleObjectFactory;

// ---- Message maps ---------------------------------------------------------

// A handler taking nothing and returning nothing, the one signature the
// entries below use. A derived class's handler is stored through
// static_cast; it is only ever called on an object of that class.
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)(void);

enum AfxSig
{
	AfxSig_end = 0,   // marks the end of an entry table
	AfxSigCmd_v = 1,  // void (void), for WM_COMMAND entries
};

// The notification code of a menu or accelerator command; equal to BN_CLICKED.
#define CN_COMMAND 0

struct AFX_MSGMAP_ENTRY
{
	UINT nMessage;  // WM_COMMAND
	UINT nCode;     // notification code
	UINT nID;       // first control id
	UINT nLastID;   // last control id (== nID for a single control)
	UINT_PTR nSig;  // AfxSig
	AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
	const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();  // NULL for CCmdTarget
	const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg instead of calling the handler.
struct AFX_CMDHANDLERINFO
{
	CCmdTarget* pTarget;
	AFX_PMSG pmf;
};

// The class library's layout of the message-map macros.
// clang-format off
#define DECLARE_MESSAGE_MAP() \
private: \
	static const AFX_MSGMAP_ENTRY _messageEntries[]; \
protected: \
	static const AFX_MSGMAP messageMap; \
	static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
	virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
	[[maybe_unused]] const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
		{ return &theClass::messageMap; } \
	[[maybe_unused]] const AFX_MSGMAP* theClass::GetMessageMap() const \
		{ return &theClass::messageMap; } \
	AFX_COMDAT const AFX_MSGMAP theClass::messageMap = \
		{ &baseClass::GetThisMessageMap, &theClass::_messageEntries[0] }; \
	AFX_COMDAT const AFX_MSGMAP_ENTRY theClass::_messageEntries[] = \
	{

#define END_MESSAGE_MAP() \
		{ 0, 0, 0, 0, AfxSig_end, static_cast<AFX_PMSG>(nullptr) } \
	};

#define ON_COMMAND(id, memberFxn) \
	{ WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, \
	  static_cast<AFX_PMSG>(memberFxn) },

#define ON_CONTROL(wNotifyCode, id, memberFxn) \
	{ WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v, \
	  static_cast<AFX_PMSG>(memberFxn) },
// clang-format on

#define ON_BN_CLICKED(id, memberFxn)    ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

// ---- CCmdTarget -------------------------------------------------------------

class AFX_CORE_CLASS CCmdTarget : public CObject
{
	DECLARE_DYNAMIC(CCmdTarget)

public:
	CCmdTarget();
	virtual ~CCmdTarget();

	// Looks up the handler of a command (nCode, nID) in this object's message
	// map, then in each base class's map; calls it, or, when pHandlerInfo is
	// given, only reports it. FALSE when no map has an entry.
	virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

	DECLARE_MESSAGE_MAP()
};

// ---- CWnd -------------------------------------------------------------------

class AFX_CORE_CLASS CWnd : public CCmdTarget
{
	DECLARE_DYNAMIC(CWnd)

public:
	CWnd();
	// Destroys a window still attached, as the class library does.
	virtual ~CWnd();

	HWND m_hWnd;

	operator HWND() const { return m_hWnd; }
	HWND GetSafeHwnd() const { return m_hWnd; }

	// The object attached to hWnd (FromHandlePermanent), or else a temporary
	// CWnd that the class library owns; it stays valid at least until the
	// window is destroyed and is freed after that. NULL for a NULL handle.
	static CWnd* PASCAL FromHandle(HWND hWnd);
	// The object attached to hWnd, or NULL.
	static CWnd* PASCAL FromHandlePermanent(HWND hWnd);

	// Associates this object with hWndNew; FALSE when it is NULL, this object
	// is attached already, or another object is attached to hWndNew.
	BOOL Attach(HWND hWndNew);
	// Ends the association (giving a subclassed window its own procedure
	// back); returns the handle.
	HWND Detach();
	// Attaches and routes the window's messages through this object, which is
	// detached again when the window is destroyed.
	BOOL SubclassWindow(HWND hWnd);
	BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
	// Same as Detach.
	HWND UnsubclassWindow();

	virtual BOOL DestroyWindow();

	CWnd* GetDlgItem(int nID) const;
	int GetDlgCtrlID() const;
	CWnd* GetParent() const;

	void SetWindowText(LPCSTR lpszString);
	int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
	void GetWindowText(CString& rString) const;
	int GetWindowTextLength() const;

	BOOL ShowWindow(int nCmdShow);
	BOOL IsWindowVisible() const;
	BOOL EnableWindow(BOOL bEnable = TRUE);
	BOOL IsWindowEnabled() const;

	LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

	// Runs DoDataExchange: TRUE moves data from the controls to the members,
	// FALSE the other way. Control notifications that arrive meanwhile are
	// not dispatched.
	BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

	// Where every message of an attached window goes: the message map
	// (OnWndMsg), then the window's own procedure (DefWindowProc).
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
	virtual void DoDataExchange(CDataExchange* pDX);
	// TRUE when the message was handled; *pResult is then its result.
	virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
	// WM_COMMAND: the command goes to OnCmdMsg. TRUE when it was handled.
	virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
	// The procedure the window had before it was subclassed, else DefWindowProcA.
	virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// Called after the window's last message; the object is detached by then.
	virtual void PostNcDestroy();

	WNDPROC m_pfnSuper;  // the window's own procedure while subclassed

	// The last message of an attached window: detach, and PostNcDestroy.
	void OnNcDestroyed();

private:
	friend AFX_API LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
	friend AFX_API INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
	friend void AfxSweepHandleMaps();

	DECLARE_MESSAGE_MAP()
};

// Declared after CWnd, whose friends they are first: a function declared
// dllimport cannot be redeclared as a friend.
// The window procedure of subclassed windows.
AFX_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// The dialog procedure of dialogs run by CDialog.
AFX_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// ---- Dialog data exchange ---------------------------------------------------

class AFX_CORE_CLASS CDataExchange
{
public:
	CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

	BOOL m_bSaveAndValidate;  // TRUE: controls to members
	CWnd* m_pDlgWnd;

	// The control nIDC of the dialog, or NULL (reported with TRACE).
	HWND PrepareCtrl(int nIDC);
};

// Binds rControl to the dialog's control nIDC, once: a control object that is
// attached already is left alone.
AFX_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// ---- CDialog ----------------------------------------------------------------

class AFX_CORE_CLASS CDialog : public CWnd
{
	DECLARE_DYNAMIC(CDialog)

public:
	CDialog();
	explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = NULL);
	explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
	virtual ~CDialog();

	// Runs the dialog from an in-memory template instead of a resource.
	BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL);

	// Shows the dialog modally: the template is looked up with
	// AfxFindResourceHandle, the window made by DialogBoxIndirectParamA.
	// Returns the value given to EndDialog, or -1 when the template is missing
	// or the dialog could not be created. Afterwards the object is detached
	// again and its members keep their values.
	virtual INT_PTR DoModal();

	// Ends the modal loop with nResult, once the current message returns.
	void EndDialog(int nResult);

	// WM_INITDIALOG: runs UpdateData(FALSE), which binds the controls.
	// TRUE lets the dialog manager set the focus.
	virtual BOOL OnInitDialog();

	LPCSTR m_lpszTemplateName;  // a string or MAKEINTRESOURCE id
	LPCDLGTEMPLATE m_lpDialogTemplate;
	CWnd* m_pParentWnd;
	UINT m_nIDHelp;

protected:
	// IDOK: UpdateData(TRUE), then EndDialog(IDOK).
	virtual void OnOK();
	// IDCANCEL (Cancel, Escape, the close box): EndDialog(IDCANCEL).
	virtual void OnCancel();

	INT_PTR m_nModalResult;

	DECLARE_MESSAGE_MAP()
};

// ---- CComboBox --------------------------------------------------------------
// Each member sends the combo-box message of the same name to the control.

class AFX_CORE_CLASS CComboBox : public CWnd
{
	DECLARE_DYNAMIC(CComboBox)

public:
	CComboBox();
	virtual ~CComboBox();

	int GetCurSel() const;
	// rString becomes the entry's text, or empty for an invalid index.
	void GetLBText(int nIndex, CString& rString) const;
	// lpszText must hold GetLBTextLen(nIndex) + 1 bytes. CB_ERR for an
	// invalid index, which leaves the buffer untouched.
	int GetLBText(int nIndex, LPSTR lpszText) const;
	int GetLBTextLen(int nIndex) const;
};

// ---- Message boxes ------------------------------------------------------------
// ::MessageBoxA owned by the active window (outside any child window), with
// the application's name as caption (AfxGetAppName). A type without an icon
// gets the class library's default one: MB_ICONEXCLAMATION for MB_OK and
// MB_OKCANCEL, MB_ICONQUESTION for MB_YESNO and MB_YESNOCANCEL. nIDHelp is
// accepted and not used (there is no help system).
AFX_API int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

// ---- Application and resources ----------------------------------------------

// The name of the program: without an application object, its file name
// without folder and extension ("import-layout-template").
AFX_API LPCSTR AFXAPI AfxGetAppName();
// The program's own module (GetModuleHandleA(NULL)).
AFX_API HINSTANCE AFXAPI AfxGetInstanceHandle();
// Where the program's own resources are looked up first; the program's
// module unless set otherwise.
AFX_API HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module holding resource (lpszName, lpszType): the program's resource
// handle first, then each ordinary extension module in the chain (the most
// recently added first), then system ones; the program's resource handle when
// none has it.
AFX_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);

// ---- Extension modules --------------------------------------------------------

// The class library's state shared by the program and its extension
// modules (there is one per process here).
struct AFX_CORE_CLASS AFX_MODULE_STATE
{
	// Classes registered with AFX_CLASSINIT, newest first.
	AFX_CLASSINIT* m_classList;
	COleObjectFactory* m_factoryList;
	// Both lists as the entry hook of an extension module set them aside, to
	// collect the module's own registrations until AfxInitExtensionModule
	// takes them over; m_bModuleInitPending meanwhile.
	AFX_CLASSINIT* m_pClassInit;
	COleObjectFactory* m_pFactoryInit;
	BOOL m_bModuleInitPending;
	// The chain of extension modules, most recently added first.
	CDynLinkLibrary* m_libraryList;
	// NULL until first asked for: then the program's module.
	HINSTANCE m_hCurrentInstanceHandle;
	HINSTANCE m_hCurrentResourceHandle;
};

AFX_API AFX_MODULE_STATE* AFXAPI AfxGetModuleState();

// The static record of an extension module, filled by AfxInitExtensionModule.
// Modules write `static AFX_EXTENSION_MODULE name = { FALSE, NULL };`.
struct AFX_EXTENSION_MODULE
{
	BOOL bInitialized = FALSE;
	HMODULE hModule = NULL;
	HMODULE hResource = NULL;
	AFX_CLASSINIT* pFirstSharedClass = NULL;  // the module's registered classes
	COleObjectFactory* pFirstSharedFactory = NULL;
};

// Fills the record for hMod and takes over the classes that the module
// registered while it was being constructed. FALSE for a NULL handle. A
// record initialised already is left as it is.
AFX_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hMod);
// Deletes the module's CDynLinkLibrary objects (every one with bAll).
AFX_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// One link of the chain of extension modules: constructing it adds the
// module at the head of the chain, destroying it removes it.
class AFX_CORE_CLASS CDynLinkLibrary : public CCmdTarget
{
	DECLARE_DYNAMIC(CDynLinkLibrary)

public:
	explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
	virtual ~CDynLinkLibrary();

	HMODULE m_hModule;
	HMODULE m_hResource;
	AFX_CLASSINIT* m_classList;
	COleObjectFactory* m_factoryList;
	BOOL m_bSystem;
	CDynLinkLibrary* m_pNextDLL;

private:
	CDynLinkLibrary(const CDynLinkLibrary&) = delete;
	CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;
};
