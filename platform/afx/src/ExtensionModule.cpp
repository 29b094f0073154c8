// Extension modules: their registration records, the chain of
// CDynLinkLibrary objects, and the stand-in's view of both.
//
// Not implemented: per-module local data (AfxInitLocalData), OLE class
// factories (the lists are carried, never filled).

#include <afxwin.h>
#include <standin/afx.h>

#include <cstdio>

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
	if (state.bInitialized)
		return TRUE;
	if (hModule == NULL)
		return FALSE;

	state.hModule = hModule;
	state.hResource = hModule;

	// What was registered since the module's entry hook belongs to the
	// module; the program's own lists come back.
	AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
	if (pModuleState->m_bModuleInitPending)
	{
		state.pFirstSharedClass = pModuleState->m_classList;
		state.pFirstSharedFactory = pModuleState->m_factoryList;
		pModuleState->m_classList = pModuleState->m_pClassInit;
		pModuleState->m_factoryList = pModuleState->m_pFactoryInit;
		pModuleState->m_pClassInit = NULL;
		pModuleState->m_pFactoryInit = NULL;
		pModuleState->m_bModuleInitPending = FALSE;
	}
	state.bInitialized = TRUE;
	return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
	if (!state.bInitialized)
		return;
	CDynLinkLibrary* pDLL = AfxGetModuleState()->m_libraryList;
	while (pDLL != NULL)
	{
		CDynLinkLibrary* pNextDLL = pDLL->m_pNextDLL;
		if (bAll || pDLL->m_hModule == state.hModule)
			delete pDLL;  // unlinks itself
		pDLL = pNextDLL;
	}
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
	: m_hModule(state.hModule), m_hResource(state.hResource), m_classList(state.pFirstSharedClass),
	  m_factoryList(state.pFirstSharedFactory), m_bSystem(bSystem), m_pNextDLL(NULL)
{
	AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
	m_pNextDLL = pModuleState->m_libraryList;
	pModuleState->m_libraryList = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
	for (CDynLinkLibrary** ppDLL = &AfxGetModuleState()->m_libraryList; *ppDLL != NULL; ppDLL = &(*ppDLL)->m_pNextDLL)
	{
		if (*ppDLL == this)
		{
			*ppDLL = m_pNextDLL;
			break;
		}
	}
}

namespace standin {
namespace afx {
namespace {

std::vector<FailedModule>& Failures()
{
	static std::vector<FailedModule>& failures = *new std::vector<FailedModule>;
	return failures;
}

}  // namespace

std::vector<ExtensionModule> ExtensionModules()
{
	std::vector<ExtensionModule> modules;
	for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_libraryList; pDLL != NULL; pDLL = pDLL->m_pNextDLL)
	{
		ExtensionModule module;
		module.module = pDLL->m_hModule;
		module.resources = pDLL->m_hResource;
		module.system = pDLL->m_bSystem != FALSE;
		for (const AFX_CLASSINIT* pInit = pDLL->m_classList; pInit != NULL; pInit = pInit->m_pNext)
			module.classes.push_back(pInit->m_pClass->m_lpszClassName);
		modules.push_back(module);
	}
	return modules;
}

std::vector<FailedModule> FailedModules()
{
	return Failures();
}

void ReportModuleAttachFailed(HMODULE module, const char* path)
{
	const std::string name = path != nullptr ? path : "";
	std::fprintf(stderr, "afx: DllMain of %s refused DLL_PROCESS_ATTACH; the module failed to load\n", name.c_str());
	Failures().push_back(FailedModule{ module, name });
}

}  // namespace afx
}  // namespace standin
