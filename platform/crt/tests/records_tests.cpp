// The run-time's records filled from POSIX file status.
#include "records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct stat StatusOf(mode_t mode, off_t size = 0)
{
    struct stat status {};
    status.st_mode = mode;
    status.st_size = size;
    status.st_nlink = 1;
    status.st_atim.tv_sec = 1000;
    status.st_mtim.tv_sec = 2000;
    status.st_ctim.tv_sec = 3000;
    return status;
}

_finddata_t Untouched()
{
    _finddata_t record;
    std::memset(&record, 0x5A, sizeof record);
    record.name[sizeof record.name - 1] = '\0';
    return record;
}

TEST(FillListedRecordTest, NameFieldHoldsAtMost259BytesAndATerminator)
{
    _finddata_t record = Untouched();
    const std::string longest(259, 'n');
    ASSERT_TRUE(crt::FillListedRecord(longest, false, record));
    EXPECT_EQ(longest, record.name);

    record = Untouched();
    const _finddata_t before = record;
    EXPECT_FALSE(crt::FillListedRecord(std::string(260, 'n'), false, record));
    EXPECT_EQ(0, std::memcmp(&before, &record, sizeof record)) << "record changed";
}

TEST(FillListedRecordTest, AttributesFromTheListingAloneWithoutSizeOrTimes)
{
    struct Case {
        const char* name;
        bool folder;
        unsigned attrib;
    };
    const Case cases[] = {
        {"file.txt", false, _A_ARCH},          {"folder", true, _A_SUBDIR}, {".hidden", false, _A_ARCH | _A_HIDDEN},
        {".git", true, _A_SUBDIR | _A_HIDDEN}, {".", true, _A_SUBDIR},      {"..", true, _A_SUBDIR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        _finddata_t record = Untouched();
        ASSERT_TRUE(crt::FillListedRecord(c.name, c.folder, record));
        EXPECT_STREQ(c.name, record.name);
        EXPECT_EQ(c.attrib, record.attrib);
        EXPECT_EQ(0u, record.size);
        EXPECT_EQ(-1, record.time_create);
        EXPECT_EQ(-1, record.time_access);
        EXPECT_EQ(-1, record.time_write);
    }
}

TEST(FillStatRecordTest, ModeCarriesWindowsTypeAndPermissionBits)
{
    struct Case {
        const char* what;
        mode_t mode;
        unsigned short expected;
    };
    const Case cases[] = {
        {"file", S_IFREG | 0644, _S_IFREG | 0x0180 | 0x0030 | 0x0006},
        {"read-only file", S_IFREG | 0444, _S_IFREG | 0x0100 | 0x0020 | 0x0004},
        {"executable", S_IFREG | 0755, _S_IFREG | 0x01C0 | 0x0038 | 0x0007},
        {"folder", S_IFDIR | 0755, _S_IFDIR | 0x01C0 | 0x0038 | 0x0007},
        {"character device", S_IFCHR | 0666, _S_IFCHR | 0x0180 | 0x0030 | 0x0006},
        {"pipe", S_IFIFO | 0600, _S_IFIFO | 0x0180 | 0x0030 | 0x0006},
        {"socket", S_IFSOCK | 0600, 0x0180 | 0x0030 | 0x0006},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        struct _stat record;
        crt::FillStatRecord(StatusOf(c.mode, 42), 3, record);
        EXPECT_EQ(c.expected, record.st_mode);
    }
}

}  // namespace
