// Tests of extension modules: the entry hook and DllMain of <afxdllx.h>, the
// chain of CDynLinkLibrary objects, and the resource search along it.
#include <afxwin.h>
#include <standin/afx.h>
#include <standin/display.h>

#include <dlfcn.h>

#include <gtest/gtest.h>

#include <memory>

#include "module/ModuleProbe.h"

using standin::Action;

namespace {

struct ModuleCloser
{
	void operator()(void* handle) const { dlclose(handle); }
};
using ModuleHandle = std::unique_ptr<void, ModuleCloser>;

ModuleHandle Load(const char* path)
{
	ModuleHandle module(dlopen(path, RTLD_NOW | RTLD_LOCAL));
	EXPECT_NE(nullptr, module) << dlerror();
	return module;
}

ModuleProbe* ProbeOf(void* module)
{
	auto probe = reinterpret_cast<ModuleProbe* (*)()>(dlsym(module, "AfxTestModuleProbe"));
	return probe != nullptr ? probe() : nullptr;
}

HINSTANCE BaseOf(void* module)
{
	Dl_info info = {};
	dladdr(dlsym(module, "AfxTestModuleProbe"), &info);
	return static_cast<HINSTANCE>(info.dli_fbase);
}

TEST(ExtensionModule, LoadingRegistersTheModuleAndUnloadingRemovesIt)
{
	ASSERT_TRUE(standin::afx::ExtensionModules().empty());
	bool detached = false;
	{
		ModuleHandle module = Load(AFX_TEST_MODULE);
		ASSERT_NE(nullptr, module);
		ModuleProbe* probe = ProbeOf(module.get());
		ASSERT_NE(nullptr, probe);
		probe->onDetach = [](void* flag) { *static_cast<bool*>(flag) = true; };
		probe->detachContext = &detached;

		EXPECT_EQ(1, probe->attachCalls);
		EXPECT_EQ(BaseOf(module.get()), probe->attachInstance);
		EXPECT_TRUE(probe->hookRanBeforeStatics);
		EXPECT_TRUE(probe->staticsBeforeDllMain);

		const auto chain = standin::afx::ExtensionModules();
		ASSERT_EQ(1u, chain.size());
		EXPECT_EQ(probe->attachInstance, chain[0].module);
		EXPECT_EQ(probe->attachInstance, chain[0].resources);
		EXPECT_FALSE(chain[0].system);
		// The class the module registered while it was constructed is the
		// module's; the program's registrations are back in place.
		ASSERT_EQ(1u, chain[0].classes.size());
		EXPECT_EQ("CModuleThing", chain[0].classes[0]);
		ASSERT_NE(nullptr, CRuntimeClass::FromName("CModuleThing"));
		EXPECT_NE(nullptr, CRuntimeClass::FromName("CCircle"));
		EXPECT_FALSE(AfxGetModuleState()->m_bModuleInitPending);

		// The entry adds nothing to what the module exports.
		EXPECT_EQ(nullptr, dlsym(module.get(), "DllMain"));
		EXPECT_EQ(nullptr, dlsym(module.get(), "afxExtensionModuleEntryDefined"));
	}
	EXPECT_TRUE(detached);
	EXPECT_TRUE(standin::afx::ExtensionModules().empty());
	EXPECT_EQ(nullptr, CRuntimeClass::FromName("CModuleThing"));
	EXPECT_NE(nullptr, CRuntimeClass::FromName("CCircle"));
}

TEST(ExtensionModule, RefusedAttachIsReportedAndLeavesNoTrace)
{
	const size_t failuresBefore = standin::afx::FailedModules().size();
	ModuleHandle module = Load(AFX_TEST_MODULE_REFUSING);
	ASSERT_NE(nullptr, module);

	const auto failures = standin::afx::FailedModules();
	ASSERT_EQ(failuresBefore + 1, failures.size());
	EXPECT_EQ(BaseOf(module.get()), failures.back().module);
	EXPECT_NE(std::string::npos, failures.back().path.find("afx_test_module_refusing"));

	EXPECT_EQ(1, ProbeOf(module.get())->attachCalls);
	EXPECT_TRUE(standin::afx::ExtensionModules().empty());
	EXPECT_EQ(nullptr, CRuntimeClass::FromName("CModuleThing"));
	EXPECT_NE(nullptr, CRuntimeClass::FromName("CCircle"));
	EXPECT_FALSE(AfxGetModuleState()->m_bModuleInitPending);
}

TEST(ExtensionModule, ResourcesAreFoundInTheModuleThatHoldsThem)
{
	ModuleHandle module = Load(AFX_TEST_MODULE);
	ASSERT_NE(nullptr, module);
	const HINSTANCE moduleInstance = BaseOf(module.get());

	EXPECT_EQ(moduleInstance, AfxFindResourceHandle(MAKEINTRESOURCE(IDD_MODULE_DIALOG), RT_DIALOG));
	EXPECT_EQ(AfxGetResourceHandle(), AfxFindResourceHandle(MAKEINTRESOURCE(4242), RT_DIALOG));
	EXPECT_EQ(AfxGetResourceHandle(), AfxFindResourceHandle(MAKEINTRESOURCE(IDD_MODULE_DIALOG), RT_ICON));

	// The program runs a dialog that only the module carries.
	CDialog dialog(IDD_MODULE_DIALOG);
	standin::ScriptedDisplay display;
	display.Push(Action::Inspect([&](HWND active) {
		CString label;
		dialog.GetDlgItem(IDC_MODULE_LABEL)->GetWindowText(label);
		EXPECT_STREQ("From the module", label.GetString());
		EXPECT_EQ(active, dialog.m_hWnd);
	}));
	display.Push(Action::Enter());
	standin::ScopedDisplay scoped(display);
	EXPECT_EQ(IDOK, dialog.DoModal());
	EXPECT_EQ("", display.Error());
}

TEST(ExtensionModule, ChainKeepsNewestFirstAndTermRemovesByModule)
{
	AFX_EXTENSION_MODULE first = {};
	AFX_EXTENSION_MODULE second = {};
	ASSERT_FALSE(AfxInitExtensionModule(first, nullptr));
	ASSERT_TRUE(AfxInitExtensionModule(first, reinterpret_cast<HMODULE>(0x1000)));
	ASSERT_TRUE(AfxInitExtensionModule(second, reinterpret_cast<HMODULE>(0x2000)));
	EXPECT_TRUE(AfxInitExtensionModule(second, reinterpret_cast<HMODULE>(0x3000)));  // kept as it was
	EXPECT_EQ(reinterpret_cast<HMODULE>(0x2000), second.hModule);

	new CDynLinkLibrary(first);
	new CDynLinkLibrary(second, TRUE);
	new CDynLinkLibrary(first);

	auto chain = standin::afx::ExtensionModules();
	ASSERT_EQ(3u, chain.size());
	EXPECT_EQ(first.hModule, chain[0].module);
	EXPECT_EQ(second.hModule, chain[1].module);
	EXPECT_TRUE(chain[1].system);
	EXPECT_EQ(first.hModule, chain[2].module);

	AfxTermExtensionModule(first);
	chain = standin::afx::ExtensionModules();
	ASSERT_EQ(1u, chain.size());
	EXPECT_EQ(second.hModule, chain[0].module);

	AfxTermExtensionModule(first, TRUE);  // every module, whoever asks
	EXPECT_TRUE(standin::afx::ExtensionModules().empty());
}

}  // namespace
