// Module entry: registers the module with the class library as an extension
// module, so that the class library finds the dialog template and the icon.

#include <afxwin.h>
#include <afxdllx.h>

static AFX_EXTENSION_MODULE ImportLayoutTemplateDLL = { FALSE, NULL };

extern "C" int APIENTRY DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved)
{
	UNREFERENCED_PARAMETER(lpReserved);

	if (dwReason == DLL_PROCESS_ATTACH)
	{
		if (!AfxInitExtensionModule(ImportLayoutTemplateDLL, hInstance))
			return 0;

		// The chain of extension modules owns this object; the class library
		// deletes it in AfxTermExtensionModule.
		new CDynLinkLibrary(ImportLayoutTemplateDLL);
	}
	else if (dwReason == DLL_PROCESS_DETACH)
	{
		AfxTermExtensionModule(ImportLayoutTemplateDLL);
	}
	return 1;
}
