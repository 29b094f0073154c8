// _findfirst / _findnext on the searches the path helpers make: a folder's
// entries, a drive's root, a missing folder, a file taken for a folder.
#include <io.h>

#include <gmock/gmock.h>

#include <cerrno>
#include <cstring>
#include <set>

#include "Fixture.h"

namespace {

struct Listing {
    intptr_t first = 0;
    int error = 0;
    std::set<std::string> names;
    std::set<std::string> folders;  // the names with _A_SUBDIR
};

Listing Find(const std::string& pattern)
{
    Listing listing;
    struct _finddata_t record {};
    errno = 0;
    const intptr_t handle = _findfirst(pattern.c_str(), &record);
    listing.first = handle;
    if (handle == -1) {
        listing.error = errno;
        return listing;
    }
    do {
        listing.names.insert(record.name);
        if (record.attrib & _A_SUBDIR)
            listing.folders.insert(record.name);
    } while (_findnext(handle, &record) == 0);
    // At the end _findnext fails with ENOENT and leaves the record as it was.
    const struct _finddata_t last = record;
    EXPECT_EQ(-1, _findnext(handle, &record));
    EXPECT_EQ(ENOENT, errno);
    EXPECT_STREQ(last.name, record.name);
    EXPECT_EQ(0, _findclose(handle));
    return listing;
}

using ::testing::ElementsAre;

// An ordinary folder lists "." and ".." besides its entries, by their bare names.
TEST_F(CrtTest, AFolderListsItsEntriesWithTheDotEntries)
{
    const Listing listing = Find(Path("lib\\folder\\*.*"));
    EXPECT_THAT(listing.names, ElementsAre(".", "..", "a.txt", "b.dat", "sub"));
    EXPECT_THAT(listing.folders, ElementsAre(".", "..", "sub"));
    EXPECT_THAT(Find(Path("lib\\folder\\*.txt")).names, ElementsAre("a.txt"));
    EXPECT_THAT(Find(Path("lib\\folder\\*")).names, ElementsAre(".", "..", "a.txt", "b.dat", "sub"));
}

// A drive's root has no "." or "..".
TEST_F(CrtTest, ADriveRootListsNoDotEntries)
{
    EXPECT_THAT(Find(Drive() + "\\*.*").names, ElementsAre("lib", "top.txt"));
    EXPECT_THAT(Find(Drive() + "\\*").folders, ElementsAre("lib"));
}

// A search in a missing folder fails with ENOENT, one in a file with EINVAL;
// one that matches nothing with ENOENT.
TEST_F(CrtTest, SearchesThatFindNothing)
{
    const Listing missing = Find(Path("lib\\missing\\*.*"));
    EXPECT_EQ(-1, missing.first);
    EXPECT_EQ(ENOENT, missing.error);
    const Listing inAFile = Find(Path("lib\\file.txt\\*.*"));
    EXPECT_EQ(-1, inAFile.first);
    EXPECT_EQ(EINVAL, inAFile.error);
    const Listing none = Find(Path("lib\\folder\\*.xyz"));
    EXPECT_EQ(-1, none.first);
    EXPECT_EQ(ENOENT, none.error);
}

}  // namespace
