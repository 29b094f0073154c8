// Paths reach what the dialog reaches: relative to the current folder, also
// when that folder's own path is longer than a path may be, and with ".."
// left to the file system.

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "ToolRunner.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;

// Removes the folder `name` in the open folder `parent` with everything in
// it, without ever naming a path longer than one name.
void RemoveTreeAt(int parent, const char* name)
{
    const int folder = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (DIR* listing = folder >= 0 ? ::fdopendir(folder) : nullptr) {
        while (const dirent* entry = ::readdir(listing)) {
            const std::string child = entry->d_name;
            if (child == "." || child == "..")
                continue;
            if (::unlinkat(::dirfd(listing), entry->d_name, 0) != 0)
                RemoveTreeAt(::dirfd(listing), entry->d_name);
        }
        ::closedir(listing);
    }
    ::unlinkat(parent, name, AT_REMOVEDIR);
}

// A chain of folders whose innermost one has a path longer than PATH_MAX,
// opened: no path names it.
class DeepFolder {
public:
    explicit DeepFolder(const fs::path& root) : m_root(::open(root.c_str(), O_RDONLY | O_DIRECTORY))
    {
        const std::string name(200, 'd');
        int current = ::dup(m_root);
        for (std::size_t length = root.string().size(); length <= PATH_MAX; length += name.size() + 1) {
            ::mkdirat(current, name.c_str(), 0700);
            const int next = ::openat(current, name.c_str(), O_RDONLY | O_DIRECTORY);
            ::close(current);
            current = next;
        }
        m_folder = current;
    }
    ~DeepFolder()
    {
        ::close(m_folder);
        RemoveTreeAt(m_root, std::string(200, 'd').c_str());
        ::close(m_root);
    }
    DeepFolder(const DeepFolder&) = delete;
    DeepFolder& operator=(const DeepFolder&) = delete;

    int Handle() const { return m_folder; }

private:
    int m_root;
    int m_folder = -1;
};

TEST(Paths, ACurrentFolderDeeperThanPathMaxWorksAsForTheDialog)
{
    // The tool once made every path absolute, too long to be queried: show
    // said "File name too long" where the dialog lists the template.
    WorkFolder work;
    const DeepFolder deep(work.Root());
    ASSERT_GE(deep.Handle(), 0);

    ToolRun run = RunToolIn({"create", "2005", "lib/Templates/Layout/6L", "--layer", "signal 1"}, deep.Handle());
    ASSERT_EQ(0, run.status) << run.err;
    run = RunToolIn({"create", "2005", "lib/Templates/Layout/6L", "--force", "--layer", "plane 2"}, deep.Handle());
    ASSERT_EQ(0, run.status) << run.err;

    run = RunToolIn({"show", "lib/Templates/Layout/6L"}, deep.Handle());
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("format: 2005\n1\tPLANE_2\tPlane\n", run.out);
    // A path that ends in "." names its folder by looking it up.
    run = RunToolIn({"show", "lib/Templates/Layout/6L/."}, deep.Handle());
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("format: 2005\n1\tPLANE_2\tPlane\n", run.out);

    run = RunToolIn({"check", "lib/Templates/Layout"}, deep.Handle());
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("OK   6L (2005)\n1 of 1 sub-folder is listed by the dialog\n", run.out);
    run = RunToolIn({"check", "lib"}, deep.Handle());
    EXPECT_EQ(
        "lib: a central library, whose layout templates the dialog takes from lib/Templates/Layout: check "
        "that folder\n",
        run.err);
}

TEST(Paths, DotDotIsTheFileSystemsAsForTheDialog)
{
    // "jump/.." is the folder above where the link leads, as the file system
    // resolves it for the dialog's queries; not the current folder, as the
    // text of the path would say.
    WorkFolder work;
    ASSERT_EQ(0, RunTool({"create", "2005", "lib/Layout/6L", "--layer", "signal 3"}, work.Root()).status);
    fs::create_directory(work.Root() / "lib/Layout/group");
    fs::create_directory_symlink(work.Root() / "lib/Layout/group", work.Root() / "jump");

    ToolRun run = RunTool({"show", "jump/../6L"}, work.Root());
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("format: 2005\n1\tSIGNAL_3\tSignal\n", run.out);
    run = RunTool({"check", "jump/.."}, work.Root());
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_NE(std::string::npos, run.out.find("OK   6L (2005)\n")) << run.out;
    run = RunTool({"create", "2005", "jump/../8L", "--layer", "plane 1"}, work.Root());
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_TRUE(fs::is_directory(work.Root() / "lib/Layout/8L/Layout"));
    EXPECT_FALSE(fs::exists(work.Root() / "8L"));
}

TEST(Paths, ADanglingLinkIsNamedAsOne)
{
    // create once said "File exists" of a link to nothing.
    WorkFolder work;
    fs::create_symlink("nowhere", work.Root() / "dl");
    ToolRun run = RunTool({"create", "2005", "dl", "--layer", "signal 1"}, work.Root());
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("dl: is a symbolic link to 'nowhere', which does not exist\n", run.err);
    run = RunTool({"create", "2005", "dl/a/b", "--layer", "signal 1"}, work.Root());
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("dl/a/b: cannot create the folder: dl is a symbolic link to 'nowhere', which does not exist\n", run.err);
    EXPECT_FALSE(fs::exists(work.Root() / "nowhere"));
}

}  // namespace
}  // namespace layouttool::testing
