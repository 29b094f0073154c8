// The class library's module state, the program's instance and resource
// handles, and the search for the module that holds a resource.
//
// There is one module state per process: extension modules share the
// program's, which is what makes them extension modules. Like the rest of
// the class library it belongs to the user-interface thread; nothing is locked.
//
// Not implemented: satellite resource modules for other languages.

#include <afxwin.h>

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
	// Constant-initialised: usable from the entry hook of a module loaded
	// before anything else has run.
	static AFX_MODULE_STATE moduleState = {};
	return &moduleState;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
	AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
	if (pModuleState->m_hCurrentInstanceHandle == NULL)
		pModuleState->m_hCurrentInstanceHandle = ::GetModuleHandleA(NULL);
	return pModuleState->m_hCurrentInstanceHandle;
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
	AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
	if (pModuleState->m_hCurrentResourceHandle == NULL)
		pModuleState->m_hCurrentResourceHandle = AfxGetInstanceHandle();
	return pModuleState->m_hCurrentResourceHandle;
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
	AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

namespace {

HINSTANCE FindInChain(LPCSTR lpszName, LPCSTR lpszType, BOOL bSystem)
{
	for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_libraryList; pDLL != NULL; pDLL = pDLL->m_pNextDLL)
	{
		if (!pDLL->m_bSystem == !bSystem && pDLL->m_hResource != NULL &&
		    ::FindResourceA(pDLL->m_hResource, lpszName, lpszType) != NULL)
			return pDLL->m_hResource;
	}
	return NULL;
}

}  // namespace

HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
	HINSTANCE hInst = AfxGetResourceHandle();
	if (::FindResourceA(hInst, lpszName, lpszType) != NULL)
		return hInst;
	if (HINSTANCE hModule = FindInChain(lpszName, lpszType, FALSE))
		return hModule;
	if (HINSTANCE hModule = FindInChain(lpszName, lpszType, TRUE))
		return hModule;
	return hInst;
}
