// AfxMessageBox and the application's name, without an application object.
//
// Not implemented: prompts by string-resource id, help contexts.

#include <afxwin.h>

#include <string>

#include "afximpl.h"

LPCSTR AFXAPI AfxGetAppName()
{
	// The file name of the program without folder and extension, as the
	// class library names an application that gives no title of its own.
	static const std::string& appName = *[] {
		char path[MAX_PATH] = "";
		const DWORD nLength = ::GetModuleFileNameA(NULL, path, MAX_PATH);
		std::string name(path, nLength < MAX_PATH ? nLength : 0);
		const size_t slash = name.find_last_of("\\/");
		if (slash != std::string::npos)
			name.erase(0, slash + 1);
		const size_t dot = name.rfind('.');
		if (dot != std::string::npos && dot > 0)
			name.erase(dot);
		return new std::string(name);
	}();
	return appName.c_str();
}

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
	UNREFERENCED_PARAMETER(nIDHelp);

	if ((nType & MB_ICONMASK) == 0)
	{
		switch (nType & MB_TYPEMASK)
		{
		case MB_OK:
		case MB_OKCANCEL:
			nType |= MB_ICONEXCLAMATION;
			break;
		case MB_YESNO:
		case MB_YESNOCANCEL:
			nType |= MB_ICONQUESTION;
			break;
		default:
			break;
		}
	}
	return ::MessageBoxA(AfxGetSafeOwner(NULL), lpszText, AfxGetAppName(), nType);
}
