// Drive map and path translation of <standin/crt.h>.
#include <standin/crt.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct PathCase {
    const char* input;
    const char* expected;
};

class DriveMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        standin::MapDrive('D', "/mnt/d");
        standin::MapDrive('e', "/");
    }
    void TearDown() override { standin::UnmapAllDrives(); }
};

TEST_F(DriveMapTest, ToNativePathTranslatesDrivesAndSeparators)
{
    const PathCase cases[] = {
        {"D:\\lib\\4L", "/mnt/d/lib/4L"},
        {"d:\\lib\\4L", "/mnt/d/lib/4L"},
        {"D:", "/mnt/d"},
        {"D:\\", "/mnt/d/"},
        {"D:\\lib\\", "/mnt/d/lib/"},
        {"D:/lib/4L", "/mnt/d/lib/4L"},
        {"D:lib", "/mnt/d/lib"},
        {"D:\\\\lib", "/mnt/d//lib"},
        {"E:", "/"},
        {"E:\\", "/"},
        {"E:\\srv", "/srv"},
        {"\\srv\\lib", "/srv/lib"},
        {"\\", "/"},
        {"lib\\4L", "lib/4L"},
        {"", ""},
        {"Q:\\lib", ""},
        {"Q:", ""},
        {"1:\\lib", "1:/lib"},
        // "." and ".." are resolved by text; a drive path never leaves its folder.
        {"D:\\..\\x", "/mnt/d/x"},
        {"D:\\lib\\..\\..\\..\\etc", "/mnt/d/etc"},
        {"D:..", "/mnt/d"},
        {"D:\\..", "/mnt/d/"},
        {"D:\\lib\\.\\4L\\..\\6L\\", "/mnt/d/lib/6L/"},
        {"E:\\..\\srv", "/srv"},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(c.expected, standin::ToNativePath(c.input));
    }
}

TEST_F(DriveMapTest, FromNativePathGivesTheMappedDriveOrBackslashes)
{
    standin::UnmapDrive('E');
    standin::MapDrive('F', "/mnt/d/lib/nested");
    const PathCase cases[] = {
        {"/mnt/d/lib/4L", "D:\\lib\\4L"},
        {"/mnt/d", "D:\\"},
        {"/mnt/d/", "D:\\"},
        {"/mnt//d//lib", "D:\\lib"},
        {"/mnt/d/lib/", "D:\\lib\\"},
        {"/mnt/dd/lib", "\\mnt\\dd\\lib"},
        {"/mnt/d/lib/nested/x", "F:\\x"},
        {"/srv/lib", "\\srv\\lib"},
        {"lib/4L", "lib\\4L"},
        {"", ""},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(c.expected, standin::FromNativePath(c.input));
    }
}

TEST_F(DriveMapTest, FromNativePathUnderAMappedRootKeepsThePath)
{
    EXPECT_EQ("E:\\srv\\lib", standin::FromNativePath("/srv/lib"));
    EXPECT_EQ("D:\\lib", standin::FromNativePath("/mnt/d/lib"));
    EXPECT_EQ("E:\\", standin::FromNativePath("/"));
}

TEST_F(DriveMapTest, MappingsCanBeReplacedAndRemoved)
{
    standin::MapDrive('d', "/other/");
    EXPECT_EQ("/other/x", standin::ToNativePath("D:\\x"));
    standin::UnmapDrive('D');
    EXPECT_EQ("", standin::ToNativePath("D:\\x"));
    EXPECT_EQ("/srv", standin::ToNativePath("E:\\srv"));
    standin::UnmapAllDrives();
    EXPECT_EQ("", standin::ToNativePath("E:\\srv"));
}

TEST_F(DriveMapTest, MapDriveRefusesBadLettersAndRelativeFolders)
{
    EXPECT_THROW(standin::MapDrive('1', "/tmp"), std::invalid_argument);
    EXPECT_THROW(standin::MapDrive(':', "/tmp"), std::invalid_argument);
    EXPECT_THROW(standin::MapDrive('G', "tmp"), std::invalid_argument);
    EXPECT_THROW(standin::MapDrive('G', ""), std::invalid_argument);
    EXPECT_EQ("", standin::ToNativePath("G:\\"));
}

}  // namespace
