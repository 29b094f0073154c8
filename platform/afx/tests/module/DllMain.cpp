// Entry of the test extension module, registered as the dialog module does.
// Linked after Statics.cpp, so its static objects precede DllMain.
// Built twice: AFX_TEST_MODULE_REFUSES makes DllMain refuse to attach.
#include <afxwin.h>
#include <afxdllx.h>

#include "ModuleProbe.h"

bool StaticsConstructed();

static AFX_EXTENSION_MODULE TestModuleDLL = { FALSE, NULL };

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved)
{
	UNREFERENCED_PARAMETER(lpReserved);

	ModuleProbe& probe = Probe();
	if (dwReason == DLL_PROCESS_ATTACH)
	{
		probe.attachCalls++;
		probe.attachInstance = hInstance;
		probe.staticsBeforeDllMain = StaticsConstructed();
#ifdef AFX_TEST_MODULE_REFUSES
		return FALSE;
#endif
		if (!AfxInitExtensionModule(TestModuleDLL, hInstance))
			return FALSE;
		new CDynLinkLibrary(TestModuleDLL);
	}
	else if (dwReason == DLL_PROCESS_DETACH)
	{
		AfxTermExtensionModule(TestModuleDLL);
		if (probe.onDetach != nullptr)
			probe.onDetach(probe.detachContext);
	}
	return TRUE;
}
