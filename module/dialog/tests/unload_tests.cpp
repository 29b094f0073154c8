// The module loaded and unloaded at run time, as a host that loads it on
// demand does: it joins the class library's chain of extension modules on
// load and leaves it on unload, so that no later search of the chain meets
// a module that is gone.
#include <standin/afx.h>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstddef>

namespace {

std::size_t ModuleLinks()
{
    std::size_t links = 0;
    for (const auto& link : standin::afx::ExtensionModules())
        links += link.system ? 0 : 1;
    return links;
}

TEST(ModuleUnload, LeavesTheChainOfExtensionModules)
{
    const std::size_t before = ModuleLinks();

    void* module = dlopen(ILT_MODULE_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(nullptr, module) << dlerror();
    EXPECT_EQ(before + 1, ModuleLinks());
    EXPECT_TRUE(standin::afx::FailedModules().empty());

    ASSERT_EQ(0, dlclose(module)) << dlerror();
    // Gone from memory, so its detach ran.
    EXPECT_EQ(nullptr, dlopen(ILT_MODULE_FILE, RTLD_NOW | RTLD_NOLOAD));
    EXPECT_EQ(before, ModuleLinks());
}

}  // namespace
