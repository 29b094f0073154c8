// What the test extension module observed while it was loaded, and the
// resources it carries.
#pragma once

#define IDD_MODULE_DIALOG 500
#define IDC_MODULE_LABEL  501

#ifndef RC_INVOKED

#include <afxwin.h>

struct ModuleProbe
{
	bool hookRanBeforeStatics = false;  // the entry hook preceded the module's static objects
	bool staticsBeforeDllMain = false;  // ... which preceded DllMain
	HINSTANCE attachInstance = nullptr;
	int attachCalls = 0;
	void (*onDetach)(void* context) = nullptr;  // called from DllMain(DLL_PROCESS_DETACH)
	void* detachContext = nullptr;
};

// Defined in the module's static-objects file.
ModuleProbe& Probe();

extern "C" AFX_EXT_API ModuleProbe* AfxTestModuleProbe();

#endif
