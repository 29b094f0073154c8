// _stat on the paths the path helpers ask about: folders and files, missing
// ones, a trailing backslash, a drive's root.
#include <sys/stat.h>

#include <cerrno>

#include "Fixture.h"

namespace {

namespace runtime = testsupport::runtime;

struct Answer {
    int result = 0;
    int error = 0;
    unsigned short mode = 0;
    long long size = 0;
};

Answer Stat(const std::string& path)
{
    struct _stat record {};
    errno = 0;
    Answer answer;
    answer.result = _stat(path.c_str(), &record);
    answer.error = answer.result == 0 ? 0 : errno;
    answer.mode = static_cast<unsigned short>(record.st_mode & _S_IFMT);
    answer.size = static_cast<long long>(record.st_size);
    return answer;
}

TEST_F(CrtTest, StatTellsFoldersFromFiles)
{
    const Answer folder = Stat(Path("lib\\folder"));
    EXPECT_EQ(0, folder.result);
    EXPECT_EQ(_S_IFDIR, folder.mode);
    const Answer file = Stat(Path("lib\\file.txt"));
    EXPECT_EQ(0, file.result);
    EXPECT_EQ(_S_IFREG, file.mode);
    EXPECT_EQ(5, file.size);
}

// Every way of missing is ENOENT: a missing name, a name below a file, a
// wildcard.
TEST_F(CrtTest, StatOfWhatIsNotThereIsEnoent)
{
    for (const std::string& path : {Path("lib\\missing"), Path("lib\\file.txt\\x"), Path("lib\\fold*")}) {
        SCOPED_TRACE(path);
        const Answer answer = Stat(path);
        EXPECT_EQ(-1, answer.result);
        EXPECT_EQ(ENOENT, answer.error);
    }
}

// A trailing backslash: a folder is found with one. A file with one is found
// by mingw-w64's _stat and refused by the Universal CRT's, whose answer the
// stand-in gives (testsupport/RunTime.h).
TEST_F(CrtTest, StatWithATrailingBackslash)
{
    EXPECT_EQ(runtime::kStatAnswersFolderWithTrailingBackslash, Stat(Path("lib\\folder\\")).result == 0);
    EXPECT_EQ(runtime::kStatAnswersFileWithTrailingBackslash, Stat(Path("lib\\file.txt\\")).result == 0);
}

// A drive's root "R:\" is a folder. The bare "R:" names the drive's current
// folder: msvcrt does not look it up (ENOENT, as Wine's msvcrt tests assert
// of Windows); the stand-in, which has no current folder per drive, takes it
// for the root (testsupport/RunTime.h).
TEST_F(CrtTest, StatOfADriveRoot)
{
    const Answer root = Stat(Drive() + "\\");
    EXPECT_EQ(0, root.result);
    EXPECT_EQ(_S_IFDIR, root.mode);
    const Answer bare = Stat(Drive());
    EXPECT_EQ(runtime::kStatAnswersBareDrive, bare.result == 0);
    if (!runtime::kStatAnswersBareDrive) {
        EXPECT_EQ(ENOENT, bare.error);
    }
}

}  // namespace
