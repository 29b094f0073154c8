// _stat over a temporary folder mapped as drive D:.
#include <sys/stat.h>

#include <standin/crt.h>

#include <testsupport/TempDrive.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

std::string Backslashed(std::string path)
{
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

class StatTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder.MakeFolder("lib/Templates");
        m_folder.MakeFile("lib/notes.txt", "12345");
    }
    void TearDown() override { standin::ClearFaults(); }

    // The mode of `path`, or the errno of the failed query as a negative number.
    static int ModeOrError(const std::string& path)
    {
        struct _stat record;
        errno = 0;
        if (_stat(path.c_str(), &record) != 0)
            return -errno;
        return record.st_mode & _S_IFMT;
    }

    testsupport::TempDrive m_folder{'D', "crt-test"};
};

TEST_F(StatTest, AnswersFoldersFilesAndMissingPaths)
{
    struct Case {
        std::string path;
        int expected;
    };
    const Case cases[] = {
        {"D:\\lib", _S_IFDIR},
        {"d:\\lib", _S_IFDIR},
        {"D:/lib", _S_IFDIR},
        {"D:\\lib\\Templates", _S_IFDIR},
        {"D:\\lib\\notes.txt", _S_IFREG},
        {"D:\\lib\\missing", -ENOENT},
        {"D:\\lib\\missing\\deeper", -ENOENT},
        {"D:\\lib\\notes.txt\\deeper", -ENOENT},
        // Drive roots: bare, with a backslash, drive-relative.
        {"D:", _S_IFDIR},
        {"D:\\", _S_IFDIR},
        {"D:lib", _S_IFDIR},
        // A trailing backslash is accepted on a folder and refused on a file.
        {"D:\\lib\\", _S_IFDIR},
        {"D:\\lib\\\\", _S_IFDIR},
        {"D:\\lib\\notes.txt\\", -ENOENT},
        // An unmapped drive names nothing.
        {"Q:\\lib", -ENOENT},
        {"Q:", -ENOENT},
        // Wildcards are refused, not looked up.
        {"D:\\li*", -ENOENT},
        {"D:\\li?", -ENOENT},
        {"", -ENOENT},
        // Without a drive the path is a native one.
        {m_folder.Root().string() + "/lib", _S_IFDIR},
        {Backslashed(m_folder.Root().string()) + "\\lib\\notes.txt", _S_IFREG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.expected, ModeOrError(c.path));
    }
}

TEST_F(StatTest, FillsSizeAndDriveNumber)
{
    struct _stat record;
    ASSERT_EQ(0, _stat("D:\\lib\\notes.txt", &record));
    EXPECT_EQ(5, record.st_size);
    EXPECT_EQ(3u, record.st_dev);
    EXPECT_NE(0, record.st_mode & _S_IREAD);
    EXPECT_GT(record.st_mtime, 0);

    ASSERT_EQ(0, _stat("D:\\lib", &record));
    EXPECT_EQ(0, record.st_size) << "Windows reports no size for a folder";
}

TEST_F(StatTest, FailureLeavesTheRecordAlone)
{
    struct _stat record {};
    record.st_mode = 0x1234;
    EXPECT_EQ(-1, _stat("D:\\missing", &record));
    EXPECT_EQ(0x1234, record.st_mode);
}

TEST_F(StatTest, NullArgumentsAreInvalid)
{
    struct _stat record;
    errno = 0;
    EXPECT_EQ(-1, _stat(nullptr, &record));
    EXPECT_EQ(EINVAL, errno);
    errno = 0;
    EXPECT_EQ(-1, _stat("D:\\lib", nullptr));
    EXPECT_EQ(EINVAL, errno);
}

TEST_F(StatTest, InjectedFailureHitsOnlyTheSamePath)
{
    standin::FailStat("d:/lib");
    EXPECT_EQ(-EACCES, ModeOrError("D:\\lib"));
    EXPECT_EQ(-EACCES, ModeOrError("D:/lib"));
    EXPECT_EQ(_S_IFDIR, ModeOrError("D:\\lib\\")) << "a trailing separator is another path";
    EXPECT_EQ(_S_IFDIR, ModeOrError("D:\\lib\\Templates"));

    standin::FailStat("D:\\lib\\notes.txt", EIO);
    EXPECT_EQ(-EIO, ModeOrError("D:\\lib\\notes.txt"));

    standin::ClearFaults();
    EXPECT_EQ(_S_IFDIR, ModeOrError("D:\\lib"));
    EXPECT_EQ(_S_IFREG, ModeOrError("D:\\lib\\notes.txt"));
}

}  // namespace

namespace {

TEST_F(StatTest, CountedFaultFailsTheChosenCallAloneOrFromThenOn)
{
    struct _stat record;
    standin::FailCallAfter(standin::CrtCall::Stat, 1, EIO, standin::FaultSpan::Once);
    EXPECT_EQ(0, _stat("D:\\lib", &record));
    errno = 0;
    EXPECT_EQ(-1, _stat("D:\\lib", &record));
    EXPECT_EQ(EIO, errno);
    EXPECT_EQ(0, _stat("D:\\lib\\notes.txt", &record));

    standin::FailCallAfter(standin::CrtCall::Stat, 0, EACCES, standin::FaultSpan::FromThenOn);
    EXPECT_EQ(-1, _stat("D:\\lib", &record));
    EXPECT_EQ(-1, _stat("D:\\lib\\notes.txt", &record));
    EXPECT_EQ(EACCES, errno);
    standin::ClearFaults();
    EXPECT_EQ(0, _stat("D:\\lib", &record));
}

}  // namespace
