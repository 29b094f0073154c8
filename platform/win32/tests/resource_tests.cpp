// Resources: the test program's own .res, found through its module handle.
#include "test_support.h"

#include <standin/win32.h>

#include <cstring>

using namespace win32test;

namespace {

constexpr int kTestDialog = 100;
constexpr int kTestData = 300;

std::string Data(HRSRC resource)
{
    HMODULE self = GetModuleHandleA(nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(self, resource)));
    return data ? std::string(data, SizeofResource(self, resource)) : std::string();
}

TEST(ResourceTest, FindsResourcesByOrdinalNameAndNumberText)
{
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC byOrdinal = FindResourceA(self, MAKEINTRESOURCEA(kTestDialog), RT_DIALOG);
    ASSERT_NE(nullptr, byOrdinal);
    EXPECT_EQ(byOrdinal, FindResourceA(nullptr, MAKEINTRESOURCEA(kTestDialog), RT_DIALOG));
    EXPECT_EQ(byOrdinal, FindResourceA(self, "#100", RT_DIALOG));
    EXPECT_EQ(byOrdinal, FindResourceA(self, "#100", "#5"));
    HRSRC byName = FindResourceA(self, "nameddlg", RT_DIALOG);
    ASSERT_NE(nullptr, byName);
    EXPECT_EQ(byName, FindResourceA(self, "NamedDlg", RT_DIALOG));
    EXPECT_NE(byOrdinal, byName);
}

TEST(ResourceTest, ReportsWhatIsMissing)
{
    HMODULE self = GetModuleHandleA(nullptr);
    EXPECT_EQ(nullptr, FindResourceA(self, MAKEINTRESOURCEA(101), RT_DIALOG));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND), GetLastError());
    EXPECT_EQ(nullptr, FindResourceA(self, MAKEINTRESOURCEA(kTestDialog), RT_MENU));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND), GetLastError());

    HMODULE library = nullptr;
    ASSERT_TRUE(
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&FindResourceA), &library));
    EXPECT_EQ(nullptr, FindResourceA(library, MAKEINTRESOURCEA(kTestDialog), RT_DIALOG));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND), GetLastError());
    EXPECT_EQ(nullptr, FindResourceA(reinterpret_cast<HMODULE>(0x1000), MAKEINTRESOURCEA(kTestDialog), RT_DIALOG));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
}

TEST(ResourceTest, ChoosesTheLanguage)
{
    HMODULE self = GetModuleHandleA(nullptr);
    auto find = [&](WORD language) {
        return Data(FindResourceExA(self, RT_RCDATA, MAKEINTRESOURCEA(kTestData), language));
    };
    EXPECT_EQ(std::string("german\0", 7), find(MAKELANGID(0x07, 0x01)));
    EXPECT_EQ(std::string("english\0", 8), find(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)));
    EXPECT_EQ(std::string("english\0", 8), find(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK)));
    EXPECT_EQ(std::string("neutral\0", 8), find(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)));
    EXPECT_EQ(std::string("neutral\0", 8), Data(FindResourceA(self, MAKEINTRESOURCEA(kTestData), RT_RCDATA)));
}

TEST(ResourceTest, DialogTemplateReadsBackAsCompiled)
{
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(self, MAKEINTRESOURCEA(kTestDialog), RT_DIALOG);
    const auto parsed =
        standin::ParseDialogTemplate(LockResource(LoadResource(self, resource)), SizeofResource(self, resource));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_TRUE(parsed->extended);
    EXPECT_EQ("Test dialog", parsed->caption);
    EXPECT_EQ("MS Shell Dlg", parsed->typeface);
    ASSERT_EQ(5u, parsed->items.size());
    EXPECT_EQ(-1, parsed->items[4].id);
    EXPECT_EQ("SYSLISTVIEW32", parsed->items[3].windowClass.name);
    // Truncated copies never parse, and never read past their end.
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(self, resource)));
    for (DWORD size = 0; size + 1 < SizeofResource(self, resource); ++size) {
        std::vector<uint8_t> copy(bytes, bytes + size);
        EXPECT_FALSE(standin::ParseDialogTemplate(copy.data(), copy.size()).has_value()) << size;
    }
}

}  // namespace
