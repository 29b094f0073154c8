// The dialog writes nothing: whole runs over central libraries - start-up
// with the question and the folder browser, every template displayed, OK,
// and a second showing - leave every entry as it was (kind, permissions,
// size, contents, link target, inode, modification and change times) and
// add none anywhere, not even for a moment: every time in the tree is set
// far back first, so a file created and removed again would still change
// its folder's modification time. While the dialog runs nothing in the
// library is open for writing, and once it has ended nothing is open at all.
#include "CentralLibrary.h"
#include "TestDialog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <map>
#include <tuple>

using namespace dialog_test;
using standin::Action;
using standin::oskel::ConductorLayer;
using standin::oskel::OtherLayer;

namespace {

struct EntryRecord {
    mode_t mode = 0;
    off_t size = 0;
    ino_t inode = 0;
    nlink_t links = 0;
    long long modified = 0;  // nanoseconds
    long long changed = 0;   // nanoseconds: any change of contents or status
    std::string contents;    // of a regular file, or a link's target

    bool operator==(const EntryRecord& other) const
    {
        return std::tie(mode, size, inode, links, modified, changed, contents) ==
               std::tie(other.mode, other.size, other.inode, other.links, other.modified, other.changed,
                        other.contents);
    }
};

std::ostream& operator<<(std::ostream& out, const EntryRecord& r)
{
    return out << "{mode " << std::oct << r.mode << std::dec << ", size " << r.size << ", inode " << r.inode
               << ", mtime " << r.modified << ", ctime " << r.changed << ", " << r.contents.size() << " bytes}";
}

long long Nanoseconds(const timespec& time)
{
    return static_cast<long long>(time.tv_sec) * 1000000000LL + time.tv_nsec;
}

// Every entry below root, root included, by its path relative to root.
std::map<std::string, EntryRecord> RecordTree(const fs::path& root)
{
    std::map<std::string, EntryRecord> tree;
    const auto record = [&](const fs::path& path) {
        struct stat status {};
        EXPECT_EQ(0, ::lstat(path.c_str(), &status)) << path;
        EntryRecord entry;
        entry.mode = status.st_mode;
        entry.size = status.st_size;
        entry.inode = status.st_ino;
        entry.links = status.st_nlink;
        entry.modified = Nanoseconds(status.st_mtim);
        entry.changed = Nanoseconds(status.st_ctim);
        if (S_ISREG(status.st_mode)) {
            std::ifstream file(path, std::ios::binary);
            entry.contents.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        } else if (S_ISLNK(status.st_mode)) {
            entry.contents = fs::read_symlink(path).string();
        }
        tree[fs::relative(path, root.parent_path()).string()] = entry;
    };
    record(root);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        record(entry.path());
    return tree;
}

// Sets the times of every entry below root, root included, far back.
void AgeTree(const fs::path& root)
{
    const timespec longAgo[2] = {{978307200, 0}, {978307200, 0}};  // 2001-01-01
    ASSERT_EQ(0, ::utimensat(AT_FDCWD, root.c_str(), longAgo, AT_SYMLINK_NOFOLLOW));
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        ASSERT_EQ(0, ::utimensat(AT_FDCWD, entry.path().c_str(), longAgo, AT_SYMLINK_NOFOLLOW)) << entry.path();
}

// Files below root that this process holds open; with forWriting, only those
// open for writing.
std::vector<std::string> OpenFilesBelow(const fs::path& root, bool forWriting)
{
    std::vector<std::string> open;
    const std::string prefix = fs::canonical(root).string() + "/";
    std::error_code error;
    for (fs::directory_iterator it("/proc/self/fd", error), end; !error && it != end; it.increment(error)) {
        const std::string target = fs::read_symlink(it->path(), error).string();
        if (error || target.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::ifstream info("/proc/self/fdinfo/" + it->path().filename().string());
        std::string key;
        unsigned long flags = 0;
        while (info >> key) {
            if (key == "flags:") {
                info >> std::oct >> flags;
                break;
            }
        }
        if (!forWriting || (flags & O_ACCMODE) != O_RDONLY)
            open.push_back(target);
    }
    return open;
}

class NothingWritten : public DialogTest {
protected:
    // Checks, while the dialog waits, that nothing in the library is open
    // for writing.
    void CheckNoWriter()
    {
        Then(Action::Inspect([this](HWND) {
            const std::vector<std::string> writers = OpenFilesBelow(m_drive.Native(), true);
            m_writers.insert(m_writers.end(), writers.begin(), writers.end());
            ++m_checks;
        }));
    }

    void PickAndCheck(const std::string& name)
    {
        Then(Action::Pick(IDC_COMBO1, name));
        CheckNoWriter();
        Snapshot();
    }

    std::vector<std::string> m_writers;
    int m_checks = 0;
};

TEST_F(NothingWritten, WholeDialogLeavesTheCentralLibraryAsItWas)
{
    // D:\lib has no layout-templates folder: the user browses to mine\Layouts.
    Make2007("mine/Layouts/4L",
             {ConductorLayer(1, "TOP", 1, "Signal"), OtherLayer(2, 1, "CORE"), ConductorLayer(3, "BOT", 2, "Signal")});
    Make2005("mine/Layouts/6L", Layers2005({{1, 1}, {2, 0}, {0, 2}}));
    Make2007("mine/Layouts/e7", std::vector<standin::oskel::LayerDescription>{});  // no layers: a message
    Make2005("mine/Layouts/bad5", Layers2005({}));
    MakeFile("mine/Layouts/bad5/Layout/Corvane.cvn", "[Corvane]\nVersion = 2\n");  // does not load
    Make2007("mine/Layouts/nosnap", standin::oskel::Description{{standin::oskel::SnapshotDescription{"Other", {}}}});
    MakeFile("mine/Layouts/partial/Layout/Tamsett.tms");
    MakeFile("mine/Layouts/readme.txt", "not a template");
    MakeFile("mine/notes/readme.txt", "notes");
    fs::create_symlink("4L", Native("mine/Layouts/link4L"));
    // D:\lib2 has one, found at start-up.
    Make2005("../lib2/Templates/Layout/2L", Layers2005({{1, 1}}));
    Make2007("../lib2/Templates/Layout/3L", {ConductorLayer(1, "TOP", 1)});
    standin::SetListingOrder(standin::ListingOrder::Ascending);

    AgeTree(m_drive.Native());
    const auto before = RecordTree(m_drive.Native());

    Then(Action::Click(IDYES));
    CheckNoWriter();
    Then(Action::Highlight("D:\\lib\\mine\\notes"));
    Then(Action::Highlight("D:\\lib\\mine"));
    Then(Action::Highlight("D:\\lib\\mine\\Layouts"));
    CheckNoWriter();
    Then(Action::Click(IDOK));
    CheckNoWriter();
    Snapshot();
    for (const char* name : {"6L", "bad5", "link4L"})
        PickAndCheck(name);
    Then(Action::Pick(IDC_COMBO1, "e7"));
    CheckNoWriter();
    Then(Action::Enter());
    PickAndCheck("4L");
    Then(Action::Click(IDOK));
    TestDialog first("D:\\lib", "", "");
    EXPECT_EQ(IDOK, first.DoModal());
    EXPECT_STREQ("D:\\lib\\mine\\Layouts\\4L", first.GetLayoutTemplatePath());
    ASSERT_EQ(5u, m_states.size());
    EXPECT_EQ((std::vector<std::string>{"4L", "6L", "bad5", "e7", "link4L"}), m_states[0].templates);
    EXPECT_EQ(2u, m_states[0].rows.size());
    EXPECT_EQ(2u, m_states[1].rows.size());
    EXPECT_EQ(2u, m_states[3].rows.size());

    // D:\lib2, shown twice: every template, then Cancel; then OK.
    m_states.clear();
    CheckNoWriter();
    PickAndCheck("3L");
    PickAndCheck("2L");
    Then(Action::Escape());
    CheckNoWriter();
    Then(Action::Click(IDOK));
    TestDialog second("D:\\lib2", "", "");
    EXPECT_EQ(IDCANCEL, second.DoModal());
    EXPECT_EQ(IDOK, second.DoModal());
    EXPECT_STREQ("D:\\lib2\\Templates\\Layout\\2L", second.GetLayoutTemplatePath());
    ASSERT_EQ(2u, m_states.size());
    EXPECT_EQ((Rows{{"1", "TOP", ""}}), m_states[0].rows);

    EXPECT_EQ("", m_display.Error());
    EXPECT_EQ(0u, m_display.Pending());
    EXPECT_EQ((std::vector<std::string>{"Central library \"D:\\lib\" doesn't contain directory with layout "
                                        "templates.\nWould you like to select one?",
                                        "Layout template \"e7\" doesn't have any layers."}),
              MessageTexts());
    EXPECT_EQ(12, m_checks);
    EXPECT_EQ(std::vector<std::string>{}, m_writers);
    EXPECT_EQ(std::vector<std::string>{}, OpenFilesBelow(m_drive.Native(), false));

    const auto after = RecordTree(m_drive.Native());
    for (const auto& [path, entry] : after) {
        const auto found = before.find(path);
        if (found == before.end())
            ADD_FAILURE() << "new entry " << path;
        else
            EXPECT_EQ(found->second, entry) << path;
    }
    for (const auto& [path, entry] : before)
        EXPECT_EQ(1u, after.count(path)) << "entry gone: " << path;
}

}  // namespace
