// Stand-in-only view of the class library's state, for tests and for the
// extension-module entry hook of <afxdllx.h>. The real class library has no
// such header.
#pragma once

#include <afxwin.h>

#include <cstddef>
#include <string>
#include <vector>

#if defined(_WIN32) && defined(AFX_BUILDING_LIBRARY)
#define STANDIN_AFX_API __declspec(dllexport)
#elif defined(_WIN32)
#define STANDIN_AFX_API __declspec(dllimport)
#else
#define STANDIN_AFX_API __attribute__((visibility("default")))
#endif

namespace standin {
namespace afx {

// One link of the chain of extension modules.
struct ExtensionModule {
    HMODULE module = nullptr;
    HMODULE resources = nullptr;
    bool system = false;
    std::vector<std::string> classes;  // names registered with AFX_CLASSINIT, newest first
};

// The chain in search order (most recently added first).
STANDIN_AFX_API std::vector<ExtensionModule> ExtensionModules();

// A module whose DllMain refused DLL_PROCESS_ATTACH.
struct FailedModule {
    HMODULE module = nullptr;
    std::string path;
};

// Every refusal since the process started, in order.
STANDIN_AFX_API std::vector<FailedModule> FailedModules();

// Called by <afxdllx.h> when a module's DllMain returned FALSE for
// DLL_PROCESS_ATTACH: reports it on stderr and records it. The real loader
// would refuse to load such a module.
STANDIN_AFX_API void ReportModuleAttachFailed(HMODULE module, const char* path);

// Temporary CWnd objects made by CWnd::FromHandle and not yet freed.
STANDIN_AFX_API std::size_t TemporaryWindowCount();
// Windows with an attached CWnd object.
STANDIN_AFX_API std::size_t AttachedWindowCount();

}  // namespace afx
}  // namespace standin
