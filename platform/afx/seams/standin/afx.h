// Stand-in-only view of the class library's state, for tests. The real class
// library has no such header.
#pragma once

#include <afxloader.h>  // STANDIN_AFX_API, ReportModuleAttachFailed
#include <afxwin.h>

#include <cstddef>
#include <string>
#include <vector>

namespace standin {
namespace afx {

// One link of the chain of extension modules.
struct ExtensionModule
{
	HMODULE module = nullptr;
	HMODULE resources = nullptr;
	bool system = false;
	std::vector<std::string> classes;  // names registered with AFX_CLASSINIT, newest first
};

// The chain in search order (most recently added first).
STANDIN_AFX_API std::vector<ExtensionModule> ExtensionModules();

// A module whose DllMain refused DLL_PROCESS_ATTACH.
struct FailedModule
{
	HMODULE module = nullptr;
	std::string path;
};

// Every refusal since the process started, in order.
STANDIN_AFX_API std::vector<FailedModule> FailedModules();

// Temporary CWnd objects made by CWnd::FromHandle and not yet freed.
STANDIN_AFX_API std::size_t TemporaryWindowCount();
// Windows with an attached CWnd object.
STANDIN_AFX_API std::size_t AttachedWindowCount();

}  // namespace afx
}  // namespace standin
