// _findfirst, _findnext and _findclose over a temporary folder mapped as drive D:.
#include <io.h>

#include <standin/crt.h>

#include <testsupport/Listing.h>
#include <testsupport/PermissionsApply.h>
#include <testsupport/TempDrive.h>

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace {

using testsupport::Names;

Names Filtered(const Names& names, bool (*keep)(const std::string&))
{
    Names kept;
    for (const std::string& name : names) {
        if (keep(name))
            kept.push_back(name);
    }
    return kept;
}

// Every name a search for `pattern` delivers; the search is closed again.
Names SearchNames(const std::string& pattern)
{
    Names names;
    _finddata_t record;
    const intptr_t handle = _findfirst(pattern.c_str(), &record);
    if (handle == -1)
        return names;
    do {
        names.push_back(record.name);
    } while (_findnext(handle, &record) == 0);
    EXPECT_EQ(ENOENT, errno);
    EXPECT_EQ(0, _findclose(handle));
    return names;
}

// The errno of a _findfirst that must fail.
int FindFirstError(const std::string& pattern)
{
    _finddata_t record;
    errno = 0;
    const intptr_t handle = _findfirst(pattern.c_str(), &record);
    if (handle != -1) {
        _findclose(handle);
        return 0;
    }
    return errno;
}

class FindTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"b.txt", "a.txt", "readme", ".hidden", "z.dat", "c.txt.bak"})
            m_folder.MakeFile(std::string("lib/") + name, "1234567");
        for (const char* name : {"6L", "4L", "10L"})
            m_folder.MakeFolder(std::string("lib/") + name);
        m_lib = m_folder.Root().string() + "/lib";
    }
    void TearDown() override
    {
        standin::ClearFaults();
        EXPECT_EQ(0u, standin::OpenFindHandles()) << "a search was left open";
    }

    testsupport::TempDrive m_folder{'D', "crt-test"};
    std::string m_lib;
};

TEST_F(FindTest, ListsEveryEntryInReaddirOrder)
{
    const Names expected = testsupport::NativeListing(m_lib);
    ASSERT_EQ(11u, expected.size());
    EXPECT_EQ(expected, SearchNames("D:\\lib\\*.*"));
    EXPECT_EQ(expected, SearchNames("D:\\lib\\*"));
    EXPECT_EQ(expected, SearchNames("d:/lib/*.*"));

    const Names found = SearchNames("D:\\lib\\*.*");
    EXPECT_NE(std::find(found.begin(), found.end(), "."), found.end());
    EXPECT_NE(std::find(found.begin(), found.end(), ".."), found.end());
}

TEST_F(FindTest, ListingOrderCanBeFixed)
{
    Names ascending = testsupport::NativeListing(m_lib);
    std::sort(ascending.begin(), ascending.end());
    const Names descending(ascending.rbegin(), ascending.rend());

    standin::SetListingOrder(standin::ListingOrder::Ascending);
    EXPECT_EQ(ascending, SearchNames("D:\\lib\\*.*"));
    standin::SetListingOrder(standin::ListingOrder::Descending);
    EXPECT_EQ(descending, SearchNames("D:\\lib\\*.*"));
    EXPECT_EQ(Filtered(descending, [](const std::string& n) { return n.size() == 2 && n[1] == 'L'; }),
              SearchNames("D:\\lib\\?L"));
    standin::SetListingOrder(standin::ListingOrder::FileSystem);
    EXPECT_EQ(testsupport::NativeListing(m_lib), SearchNames("D:\\lib\\*.*"));
}

TEST_F(FindTest, ListsDriveRootsAndPathsWithoutDrive)
{
    // A drive root lists no "." or "..", whatever readdir reports there.
    const Names root = Filtered(testsupport::NativeListing(m_folder.Root().string()),
                                [](const std::string& n) { return n != "." && n != ".."; });
    EXPECT_EQ(root, SearchNames("D:\\*.*"));
    EXPECT_EQ(root, SearchNames("D:*.*"));

    std::string nativeAsWindows = m_lib;
    for (char& c : nativeAsWindows)
        c = c == '/' ? '\\' : c;
    EXPECT_EQ(testsupport::NativeListing(m_lib), SearchNames(nativeAsWindows + "\\*.*"));
}

TEST_F(FindTest, LastComponentSelectsEntries)
{
    const Names all = testsupport::NativeListing(m_lib);
    EXPECT_EQ(Filtered(all, [](const std::string& n) { return n.size() == 5 && n.substr(1) == ".txt"; }),
              SearchNames("D:\\lib\\*.txt"));
    EXPECT_EQ(Filtered(all, [](const std::string& n) { return n.size() == 2 && n[1] == 'L'; }),
              SearchNames("D:\\lib\\?L"));
    EXPECT_EQ(Names{"readme"}, SearchNames("D:\\lib\\readme"));
    EXPECT_EQ(Names{"4L"}, SearchNames("D:\\lib\\4L"));
}

// A record carries what the listing tells: the kind of each entry, a link's target's, without a
// size or times.
TEST_F(FindTest, RecordsCarryTheAttributesTheListingTells)
{
    ASSERT_EQ(0, ::symlink("4L", (m_lib + "/link-to-folder").c_str()));
    ASSERT_EQ(0, ::symlink("nowhere", (m_lib + "/dangling").c_str()));
    const struct {
        const char* pattern;
        unsigned attrib;
    } cases[] = {
        {"D:\\lib\\4L", _A_SUBDIR},
        {"D:\\lib\\.hidden", _A_ARCH | _A_HIDDEN},
        {"D:\\lib\\link-to-folder", _A_SUBDIR},
        {"D:\\lib\\dangling", _A_ARCH},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        _finddata_t record;
        const intptr_t handle = _findfirst(c.pattern, &record);
        ASSERT_NE(-1, handle);
        EXPECT_EQ(c.attrib, record.attrib);
        EXPECT_EQ(0u, record.size);
        EXPECT_EQ(-1, record.time_write);
        EXPECT_EQ(0, _findclose(handle));
    }
}

TEST_F(FindTest, LongestLinuxNameIsListedWhole)
{
    // NAME_MAX (255) is below the 259 bytes the record's name field holds, so on Linux no entry
    // is ever left out; the limit itself is tested on the record filling.
    const std::string longest(255, 'n');
    m_folder.MakeFolder("long");
    m_folder.MakeFile("long/" + longest, "");
    EXPECT_EQ(Filtered(testsupport::NativeListing(m_folder.Root().string() + "/long"),
                       [](const std::string& n) { return n != "." && n != ".."; }),
              Names{longest});
    EXPECT_EQ(Names{longest}, SearchNames("D:\\long\\n*"));
}

TEST_F(FindTest, SearchThatCannotStartFails)
{
    EXPECT_EQ(ENOENT, FindFirstError("D:\\missing\\*.*"));
    EXPECT_EQ(EINVAL, FindFirstError("D:\\lib\\a.txt\\*.*"));  // a file is no folder
    EXPECT_EQ(ENOENT, FindFirstError("D:\\lib\\a.txt\\x\\*.*"));
    EXPECT_EQ(ENOENT, FindFirstError("D:\\lib\\*.none"));
    EXPECT_EQ(ENOENT, FindFirstError("D:\\lib\\"));
    EXPECT_EQ(ENOENT, FindFirstError("Q:\\*.*"));
    EXPECT_EQ(ENOENT, FindFirstError("D:\\lib\\4l"));

    _finddata_t record;
    errno = 0;
    EXPECT_EQ(-1, _findfirst(nullptr, &record));
    EXPECT_EQ(EINVAL, errno);
    errno = 0;
    EXPECT_EQ(-1, _findfirst("D:\\lib\\*.*", nullptr));
    EXPECT_EQ(EINVAL, errno);
}

TEST_F(FindTest, UnreadableFolderFailsWithEinval)
{
    const std::string locked = m_folder.MakeFolder("locked").string();
    ASSERT_EQ(0, chmod(locked.c_str(), 0));
    {
        const testsupport::PermissionsApply permissionsApply;
        EXPECT_EQ(EINVAL, FindFirstError("D:\\locked\\*.*"));
    }
    chmod(locked.c_str(), 0755);
}

TEST_F(FindTest, EndOfListingLeavesTheRecordAlone)
{
    _finddata_t record;
    const intptr_t handle = _findfirst("D:\\lib\\readme", &record);
    ASSERT_NE(-1, handle);

    _finddata_t after;
    std::memcpy(&after, &record, sizeof record);
    for (int attempt = 0; attempt < 2; ++attempt) {
        errno = 0;
        EXPECT_EQ(-1, _findnext(handle, &record));
        EXPECT_EQ(ENOENT, errno);
        EXPECT_EQ(0, std::memcmp(&after, &record, sizeof record));
    }
    EXPECT_EQ(0, _findclose(handle));
}

TEST_F(FindTest, MisusedHandlesAreRefused)
{
    _finddata_t record;
    const intptr_t handle = _findfirst("D:\\lib\\*.*", &record);
    ASSERT_NE(-1, handle);
    EXPECT_EQ(1u, standin::OpenFindHandles());

    errno = 0;
    EXPECT_EQ(-1, _findnext(handle, nullptr));
    EXPECT_EQ(EINVAL, errno);

    EXPECT_EQ(0, _findclose(handle));
    EXPECT_EQ(0u, standin::OpenFindHandles());
    for (const intptr_t bad : {handle, intptr_t(-1), intptr_t(0), handle + 1000}) {
        SCOPED_TRACE(bad);
        errno = 0;
        EXPECT_EQ(-1, _findnext(bad, &record));
        EXPECT_EQ(EINVAL, errno);
        errno = 0;
        EXPECT_EQ(-1, _findclose(bad));
        EXPECT_EQ(EINVAL, errno);
    }
}

TEST_F(FindTest, InjectedFailureForAFolderHitsItsSearches)
{
    standin::FailFindFirst("D:\\lib");
    EXPECT_EQ(EINVAL, FindFirstError("D:\\lib\\*.*"));
    EXPECT_EQ(EINVAL, FindFirstError("D:\\lib\\*"));
    EXPECT_EQ(EINVAL, FindFirstError("d:/lib/*.*"));
    EXPECT_EQ(0, FindFirstError("D:\\lib\\4L\\*.*"));
    EXPECT_EQ(0, FindFirstError("D:\\*.*"));

    standin::ClearFaults();
    standin::FailFindFirst("D:\\lib\\", EACCES);
    EXPECT_EQ(EACCES, FindFirstError("D:\\lib\\*.*"));

    standin::ClearFaults();
    standin::FailFindFirst("D:\\", ENOMEM);
    EXPECT_EQ(ENOMEM, FindFirstError("D:\\*.*"));
    EXPECT_EQ(ENOMEM, FindFirstError("D:*.*"));
    EXPECT_EQ(0, FindFirstError("D:\\lib\\*.*"));
}

TEST_F(FindTest, InjectedFailureForAPatternHitsOnlyThatPattern)
{
    standin::FailFindFirst("D:\\lib\\*.txt");
    EXPECT_EQ(EINVAL, FindFirstError("D:\\lib\\*.txt"));
    EXPECT_EQ(0, FindFirstError("D:\\lib\\*.*"));
    standin::ClearFaults();
    EXPECT_EQ(0, FindFirstError("D:\\lib\\*.txt"));
}

TEST_F(FindTest, CountsEveryCall)
{
    standin::ResetCallCounts();
    const Names names = SearchNames("D:\\lib\\*.*");
    FindFirstError("D:\\missing\\*.*");
    const standin::CrtCallCounts counts = standin::CallCounts();
    EXPECT_EQ(2u, counts.findfirst);
    EXPECT_EQ(names.size(), counts.findnext);
    EXPECT_EQ(1u, counts.findclose);
    EXPECT_EQ(0u, counts.stat);
}

}  // namespace
