// Entry of an extension module of the class library. Include it in exactly
// one source file of the module; that file then defines
//     extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID);
//
// Both platforms run the class library's entry hook before any static object
// of the module is constructed: it sets the current module state's lists of
// run-time classes and class factories aside and empties them, so that what
// the module registers while it is constructed is collected apart, for
// AfxInitExtensionModule to take over.
//
// On Windows the loader calls DllMain, the DLL's entry point, after the C
// run-time has constructed the module's static objects; the hook is a static
// constructor of the highest priority, so it runs ahead of all of them.
//
// On Linux nobody calls DllMain, so this header arranges the calls the
// Windows loader makes, in its order:
//   1. the entry hook;
//   2. DllMain(module, DLL_PROCESS_ATTACH, NULL). When it returns FALSE the
//      module's load fails: the failure is reported on stderr and recorded
//      (standin::afx::FailedModules), and DllMain gets DLL_PROCESS_DETACH at
//      once, as Windows does. If DllMain did not take over the module's
//      registrations, they are dropped and the program's lists put back;
//   3. when the module is unloaded, after a successful attach and before its
//      static objects are destroyed, DllMain(module, DLL_PROCESS_DETACH, NULL).
// The module handle is the base address of the loaded object, the handle
// FindResourceA and GetModuleHandleExA use for it.
//
// Step 2 runs among the module's initialisers in the place of this source
// file: after the static objects of the files linked before it, before those
// of this file and of the files linked after it (the linker orders them so;
// a constructor cannot be placed later). Link this file last, as the real
// entry runs after all of the module's static objects.
//
// Everything defined here has internal linkage or hidden visibility: the
// module exports nothing because of it.
#pragma once

#include <afxwin.h>

#if defined(_WIN32)
#define AFX_MODULE_ENTRY_LINKAGE
#else
#include <afxloader.h>

#include <dlfcn.h>

#define AFX_MODULE_ENTRY_LINKAGE __attribute__((visibility("hidden")))
#endif

extern "C" AFX_MODULE_ENTRY_LINKAGE BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved);

// Defined once per module: a second source file including this header fails
// to link.
extern "C" AFX_MODULE_ENTRY_LINKAGE const int afxExtensionModuleEntryDefined = 1;

namespace {

__attribute__((constructor(101))) void AfxExtensionEntryHook()
{
	AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
	pModuleState->m_pClassInit = pModuleState->m_classList;
	pModuleState->m_pFactoryInit = pModuleState->m_factoryList;
	pModuleState->m_classList = NULL;
	pModuleState->m_factoryList = NULL;
	pModuleState->m_bModuleInitPending = TRUE;
}

}  // namespace

#if !defined(_WIN32)

namespace {

HINSTANCE afxExtensionModuleHandle = NULL;
bool afxExtensionModuleAttached = false;

// A DllMain that did not take over the module's registrations (it failed, or
// never called AfxInitExtensionModule) leaves the program's lists set aside:
// drop what the module registered and put them back.
void AfxExtensionRestoreModuleState()
{
	AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
	if (!pModuleState->m_bModuleInitPending)
		return;
	pModuleState->m_classList = pModuleState->m_pClassInit;
	pModuleState->m_factoryList = pModuleState->m_pFactoryInit;
	pModuleState->m_pClassInit = NULL;
	pModuleState->m_pFactoryInit = NULL;
	pModuleState->m_bModuleInitPending = FALSE;
}

__attribute__((constructor)) void AfxExtensionProcessAttach()
{
	Dl_info info = {};
	if (::dladdr(reinterpret_cast<void*>(&AfxExtensionProcessAttach), &info) == 0)
	{
		AfxExtensionRestoreModuleState();
		standin::afx::ReportModuleAttachFailed(NULL, "(unknown module)");
		return;
	}
	HINSTANCE hInstance = static_cast<HINSTANCE>(info.dli_fbase);
	const BOOL bAttached = DllMain(hInstance, DLL_PROCESS_ATTACH, NULL);
	AfxExtensionRestoreModuleState();
	if (!bAttached)
	{
		standin::afx::ReportModuleAttachFailed(hInstance, info.dli_fname);
		DllMain(hInstance, DLL_PROCESS_DETACH, NULL);
		return;
	}
	afxExtensionModuleHandle = hInstance;
	afxExtensionModuleAttached = true;
}

__attribute__((destructor)) void AfxExtensionProcessDetach()
{
	if (!afxExtensionModuleAttached)
		return;
	afxExtensionModuleAttached = false;
	DllMain(afxExtensionModuleHandle, DLL_PROCESS_DETACH, NULL);
}

}  // namespace

#endif  // !_WIN32
