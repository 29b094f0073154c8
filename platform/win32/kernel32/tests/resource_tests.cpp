// Resources of the program's own module, as the class library finds its dialog
// template and the module its icon: FindResource, LoadResource, SizeofResource.
#include "Conformance.h"

#include <string>

using namespace conformance;

namespace {

std::string Data(HRSRC resource)
{
    const char* data = static_cast<const char*>(LockResource(LoadResource(Instance(), resource)));
    return data != nullptr ? std::string(data, SizeofResource(Instance(), resource)) : std::string();
}

// An ordinal, the same written as text ("#100"), or a name, whatever its
// case; a NULL module is the program's own.
TEST(ResourceTest, FindsResourcesByOrdinalNameAndNumberText)
{
    HRSRC byOrdinal = FindResourceA(Instance(), MAKEINTRESOURCEA(IDD_STACKUP), RT_DIALOG);
    ASSERT_NE(nullptr, byOrdinal);
    EXPECT_EQ(byOrdinal, FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_STACKUP), RT_DIALOG));
    EXPECT_EQ(byOrdinal, FindResourceA(Instance(), "#100", RT_DIALOG));
    EXPECT_EQ(byOrdinal, FindResourceA(Instance(), "#100", "#5"));
    HRSRC byName = FindResourceA(Instance(), "nameddlg", RT_DIALOG);
    ASSERT_NE(nullptr, byName);
    EXPECT_EQ(byName, FindResourceA(Instance(), "NamedDlg", RT_DIALOG));
    EXPECT_NE(byOrdinal, byName);
}

TEST(ResourceTest, ReportsWhatIsMissing)
{
    SetLastError(0);
    EXPECT_EQ(nullptr, FindResourceA(Instance(), MAKEINTRESOURCEA(IDD_MISSING), RT_DIALOG));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND), GetLastError());
    SetLastError(0);
    EXPECT_EQ(nullptr, FindResourceA(Instance(), MAKEINTRESOURCEA(IDD_STACKUP), RT_MENU));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND), GetLastError());
}

// The language asked for; else its primary language without a sublanguage;
// else the language-neutral one, which FindResource (no language) takes too.
// Another sublanguage of the same language is not taken.
TEST(ResourceTest, ChoosesTheLanguage)
{
    const auto find = [](WORD language) {
        return Data(FindResourceExA(Instance(), RT_RCDATA, MAKEINTRESOURCEA(IDR_DATA), language));
    };
    EXPECT_EQ(std::string("german\0", 7), find(MAKELANGID(0x07, 0x01)));
    EXPECT_EQ(std::string("english\0", 8), find(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)));
    EXPECT_EQ(std::string("neutral\0", 8), find(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK)));
    EXPECT_EQ(std::string("neutral\0", 8), find(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)));
    EXPECT_EQ(std::string("neutral\0", 8), Data(FindResourceA(Instance(), MAKEINTRESOURCEA(IDR_DATA), RT_RCDATA)));
}

}  // namespace
