// What <afxdllx.h> needs of the class library on Linux, where no loader
// refuses a module: report a module whose DllMain refused DLL_PROCESS_ATTACH.
// The real class library has no such header.
#pragma once

#include <afxwin.h>

#if defined(_WIN32) && defined(AFX_BUILDING_LIBRARY)
#define STANDIN_AFX_API __declspec(dllexport)
#elif defined(_WIN32)
#define STANDIN_AFX_API __declspec(dllimport)
#else
#define STANDIN_AFX_API __attribute__((visibility("default")))
#endif

namespace standin {
namespace afx {

// Called by <afxdllx.h> when a module's DllMain returned FALSE for
// DLL_PROCESS_ATTACH: reports it on stderr and records it. The real loader
// would refuse to load such a module.
STANDIN_AFX_API void ReportModuleAttachFailed(HMODULE module, const char* path);

}  // namespace afx
}  // namespace standin
