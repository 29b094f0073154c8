// `create`: both formats from a file, from --layer and from standard input,
// read back through the client libraries; refusals and --force.

#include <gtest/gtest.h>

#include <CorvanePI.h>

#include <functional>
#include <map>

#include "ToolRunner.h"
#include <OskelPI.h>

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;

// The layers of a 2007 template's design "PCB"/"PCB", one per line:
// "<type> <name> <metal or -> <usage or ->".
std::vector<std::string> ReadDesign(const fs::path& templateFolder)
{
    Oskel::OskelPI client;
    Oskel::ProjectData project;
    const std::string path = SystemPathOf(templateFolder / "keyin.oskel");
    project.m_databasePath = path.c_str();
    project.m_clientLabel = "tools_tests";
    Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
    Oskel::ContainerT<const Oskel::ITrelConfig> config;
    Oskel::ContainerT<const Oskel::ITrelDesign> design;
    Oskel::IteratorT<const Oskel::ITrelLayer> layer;
    if (!client.OpenOskel(project) || !client.GetSnapshotByName(snapshot, "PCB") ||
        !snapshot->GetTrelConfig(config, "PCB") || !config->GetTrelDesign(design) || !design->GetIterLayers(layer))
        return {"cannot be read"};

    std::vector<std::string> layers;
    for (; layer.IsValid(); ++layer) {
        Oskel::ELayerType type{};
        Oskel::String name;
        int metal = 0;
        Oskel::ContainerT<const Oskel::ITrelConstraint> usage;
        Oskel::String usageText;
        Oskel::EConstraintType usageType{};
        layer->GetType(type);
        layer->GetName(name);
        std::string line = std::to_string(type) + " " + name.c_str();
        line += layer->GetMetallicLayerNumber(metal) ? " " + std::to_string(metal) : " -";
        const bool hasUsage =
            layer->GetConstraint(usage, "LAYER_USAGE") && usage->GetValueByString(usageText, usageType);
        line += hasUsage ? std::string(" ") + usageText.c_str() : " -";
        layers.push_back(line);
    }
    client.CloseOskel();
    return layers;
}

// The layers of a 2005 template's Corvane.cvn: "<type> <number or ->", or
// "status N" for a failed read.
std::vector<std::string> ReadJobPreferences(const fs::path& templateFolder)
{
    CCorvane database;
    const std::string path = SystemPathOf(templateFolder / "Layout" / "Corvane.cvn");
    int count = 0;
    if (database.Init() != 0)
        return {"cannot start"};
    const long status = database.Load(path.c_str(), 1);
    if (status != 0 || database.GetLayerCount(&count) != 0) {
        database.Close();
        return {"status " + std::to_string(status)};
    }
    std::vector<std::string> layers;
    for (int index = 1; index <= count; ++index) {
        CCorvaneLayer layer;
        CCorvaneLayer::eLayerType type{};
        int number = 0;
        database.FindLayer(&layer, index);
        layer.GetLayerTypeValue(&type);
        layers.push_back(std::to_string(type) +
                         (layer.GetLayerNumber(&number) == 0 ? " " + std::to_string(number) : " -"));
    }
    database.Close();
    return layers;
}

// Everything under `folder` without following links: each path with its
// contents (their size and hash when long), "<folder>" or "-> TARGET".
[[maybe_unused]] std::map<std::string, std::string> TreeOf(const fs::path& folder)
{
    std::map<std::string, std::string> tree;
    for (auto entry = fs::recursive_directory_iterator(folder); entry != fs::recursive_directory_iterator(); ++entry) {
        const std::string name = entry->path().lexically_relative(folder).string();
        if (entry->is_symlink()) {
            tree[name] = "-> " + fs::read_symlink(entry->path()).string();
        } else if (entry->is_directory()) {
            tree[name] = "<folder>";
        } else {
            const std::string text = ReadTextFile(entry->path());
            tree[name] = text.size() <= 16 ? text
                                           : std::to_string(text.size()) + " bytes, hash " +
                                                 std::to_string(std::hash<std::string>()(text));
        }
    }
    return tree;
}

class Create : public ::testing::Test {
protected:
    ToolRun Run(const std::vector<std::string>& arguments, const std::string& input = std::string())
    {
        return RunTool(arguments, m_work.Root(), input);
    }

    WorkFolder m_work;
};

TEST_F(Create, TwoThousandSevenFromFileAndLayers)
{
    WriteTextFile(m_work.Root() / "4L.txt",
                  "# 4-layer board\r\n"
                  "conductor  TOP     metal=1 usage=Signal\r\n"
                  "dielectric CORE1   # between\n"
                  "\n"
                  "conductor  \"GND 1\" metal=2 usage=\"Power plane\"\n");
    const ToolRun run = Run({"create", "2007", "lib/Templates/Layout/4L", "--from", "4L.txt", "--layer",
                             "conductor BOTTOM metal=3", "--layer=silkscreen SILK"});
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ("lib/Templates/Layout/4L: 2007 template with 5 layers, 3 listed by the dialog\n", run.out);
    EXPECT_EQ("", run.err);

    const fs::path folder = m_work.Root() / "lib/Templates/Layout/4L";
    EXPECT_EQ((std::vector<std::string>{"0 TOP 1 Signal", "1 CORE1 - -", "0 GND 1 2 Power plane", "0 BOTTOM 3 -",
                                        "3 SILK - -"}),
              ReadDesign(folder));
    EXPECT_TRUE(fs::is_regular_file(folder / "keyin.oskel/sids"));
    EXPECT_EQ(0u, fs::file_size(folder / "keyin.oskel/sids"));
    EXPECT_EQ((std::set<std::string>{"sids", "design.db"}), [&] {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder / "keyin.oskel"))
            names.insert(entry.path().filename().u8string());
        return names;
    }());
}

TEST_F(Create, ADescriptionMayStartWithAByteOrderMark)
{
    WriteTextFile(m_work.Root() / "bom.txt", "\xef\xbb\xbfsignal 1\nplane 2\n");
    const ToolRun run = Run({"create", "2005", "6L", "--from", "bom.txt"});
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ((std::vector<std::string>{"1 1", "0 2"}), ReadJobPreferences(m_work.Root() / "6L"));
}

TEST_F(Create, TwoThousandFiveFromLayersAndStandardInput)
{
    ToolRun run = Run({"create", "2005", "6L", "--layer", "signal 1", "--layer", "dielectric", "--layer", "plane 2"});
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ("6L: 2005 template with 3 layers, 2 listed by the dialog\n", run.out);
    EXPECT_EQ((std::vector<std::string>{"1 1", "2 -", "0 2"}), ReadJobPreferences(m_work.Root() / "6L"));
    for (const char* name : {"Tamsett.tms", "Halloway.hlw", "Dunmere.dnm"}) {
        EXPECT_TRUE(fs::is_regular_file(m_work.Root() / "6L/Layout" / name)) << name;
        EXPECT_EQ(0u, fs::file_size(m_work.Root() / "6L/Layout" / name)) << name;
    }

    run = Run({"create", "2005", (m_work.Root() / "8L").u8string(), "--from", "-"}, "signal 4\nplane 1\n7\n");
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ((std::vector<std::string>{"1 4", "0 1", "7 -"}), ReadJobPreferences(m_work.Root() / "8L"));
}

TEST_F(Create, DescriptionErrorsNameFileAndLineAndWriteNothing)
{
    WriteTextFile(m_work.Root() / "bad.txt", "conductor TOP metal=1\n\nconductor GND\nwhat X\n");
    ToolRun run = Run({"create", "2007", "4L", "--from", "bad.txt", "--layer", "conductor B metal=x"});
    EXPECT_EQ(2, run.status);
    EXPECT_EQ(
        "bad.txt:3: a conductor layer needs metal=<n>\n"
        "bad.txt:4: unknown layer kind 'what' (expected conductor, dielectric, soldermask, silkscreen, or an "
        "integer)\n"
        "--layer 'conductor B metal=x': metal=x is not an integer\n",
        run.err);
    EXPECT_EQ("", run.out);
    EXPECT_FALSE(fs::exists(m_work.Root() / "4L"));

    run = Run({"create", "2005", "6L", "--from", "missing.txt"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("missing.txt: cannot be read: No such file or directory\n", run.err);

    std::string tooMany;
    for (int i = 0; i <= 100000; ++i)
        tooMany += "plane 1\n";
    WriteTextFile(m_work.Root() / "many.txt", tooMany);
    run = Run({"create", "2005", "6L", "--from", "many.txt"});
    EXPECT_EQ(2, run.status);
    EXPECT_EQ("many.txt:100001: a 2005 template holds at most 100000 layers; the description has 100001\n", run.err);
    EXPECT_FALSE(fs::exists(m_work.Root() / "6L"));

    fs::create_directory(m_work.Root() / "folder.txt");
    run = Run({"create", "2005", "6L", "--from", "folder.txt"});
    EXPECT_EQ(1, run.status);
#if defined(_WIN32)
    EXPECT_EQ("folder.txt: cannot be read: Permission denied\n", run.err);
#else
    EXPECT_EQ("folder.txt: cannot be read: Is a directory\n", run.err);
#endif

    WriteTextFile(m_work.Root() / "empty.txt", "# nothing yet\n");
    run = Run({"create", "2005", "6L", "--from", "empty.txt"});
    EXPECT_EQ(2, run.status);
    EXPECT_EQ("empty.txt: no layers given\n", run.err);
    EXPECT_FALSE(fs::exists(m_work.Root() / "6L"));
}

TEST_F(Create, ExistingFolderNeedsForceWhichTouchesOnlyTemplateFiles)
{
    ASSERT_EQ(0, Run({"create", "2007", "T", "--layer", "conductor A metal=1"}).status);
    WriteTextFile(m_work.Root() / "T/notes.txt", "keep me");

    ToolRun run = Run({"create", "2007", "T", "--layer", "conductor B metal=1"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("T: already exists and is not empty (--force replaces the template in it)\n", run.err);
    EXPECT_EQ((std::vector<std::string>{"0 A 1 -"}), ReadDesign(m_work.Root() / "T"));

    // 2007 replaced by 2005: the marker goes, so the folder reads as 2005.
    run = Run({"create", "2005", "T", "--force", "--layer", "signal 1"});
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_FALSE(fs::exists(m_work.Root() / "T/keyin.oskel"));
    EXPECT_EQ((std::vector<std::string>{"1 1"}), ReadJobPreferences(m_work.Root() / "T"));
    EXPECT_EQ("keep me", ReadTextFile(m_work.Root() / "T/notes.txt"));

    // 2005 replaced by 2007: a foreign file in Layout keeps that folder.
    WriteTextFile(m_work.Root() / "T/Layout/mine.txt", "");
    run = Run({"create", "2007", "T", "--force", "--layer", "conductor C metal=2"});
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ((std::vector<std::string>{"0 C 2 -"}), ReadDesign(m_work.Root() / "T"));
    EXPECT_EQ(std::vector<fs::path>{m_work.Root() / "T/Layout/mine.txt"},
              std::vector<fs::path>(fs::directory_iterator(m_work.Root() / "T/Layout"), fs::directory_iterator()));

    // An empty folder is used without --force; a file is refused.
    fs::create_directory(m_work.Root() / "E");
    EXPECT_EQ(0, Run({"create", "2005", "E", "--layer", "plane 1"}).status);
    WriteTextFile(m_work.Root() / "F", "");
    run = Run({"create", "2005", "F", "--force", "--layer", "plane 1"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("F: exists and is not a folder\n", run.err);
}

TEST_F(Create, RefusalsLeaveFoldersAsTheyWere)
{
    // A folder where the marker file goes cannot be replaced.
    ASSERT_EQ(0, Run({"create", "2005", "T", "--layer", "plane 1"}).status);
    fs::create_directories(m_work.Root() / "T/keyin.oskel/sids");
    ToolRun run = Run({"create", "2007", "T", "--force", "--layer", "conductor A metal=1"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(OnThisSystem("T/keyin.oskel/sids") + ": is a folder; cannot replace it\n", run.err);
    EXPECT_EQ((std::vector<std::string>{"0 1"}), ReadJobPreferences(m_work.Root() / "T"));

    // Names that the dialog could never find.
    for (const std::string folder : {"a?b", "lib*/T"}) {
        run = Run({"create", "2005", folder, "--layer", "plane 1"});
        EXPECT_EQ(1, run.status);
        EXPECT_EQ(folder + ": a path holding '" + folder[folder.find_first_of("?*")] +
                      "' cannot name a template: the dialog's file queries refuse it\n",
                  run.err);
        EXPECT_FALSE(fs::exists(m_work.Root() / folder));
    }

    // A parent that is a file: nothing can be created below it.
    WriteTextFile(m_work.Root() / "plain", "");
    run = Run({"create", "2005", "plain/a/b", "--layer", "plane 1"});
    EXPECT_EQ(1, run.status);
#if defined(_WIN32)
    EXPECT_EQ("plain/a/b: cannot create the folder: " + SystemPathOf(m_work.Root() / "plain") + " is not a folder\n",
              run.err);
#else
    EXPECT_EQ("plain/a/b: cannot create the folder: Not a directory\n", run.err);
#endif
}

TEST_F(Create, UsageErrors)
{
    const std::vector<std::vector<std::string>> commands = {
        {"create"},
        {"create", "2007"},
        {"create", "2006", "X", "--layer", "signal 1"},
        {"create", "2005", "X"},
        {"create", "2005", "X", "Y", "--layer", "signal 1"},
        {"create", "2005", "X", "--layer"},
        {"create", "2005", "X", "--from", "a", "--from", "b"},
        {"create", "2005", "X", "--frobnicate"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.size());
        const ToolRun run = Run(command);
        EXPECT_EQ(2, run.status);
        EXPECT_NE(std::string::npos, run.err.find("Try 'layout-template-tool create --help'.")) << run.err;
    }
    EXPECT_FALSE(fs::exists(m_work.Root() / "X"));
}

#if !defined(_WIN32)
// Linux's links and file-size limit (Windows: windows_tests.cpp).
TEST_F(Create, ForceNeverWritesThroughALinkedFolder)
{
    // Templates elsewhere, which links planted in T point to.
    ASSERT_EQ(0, Run({"create", "2007", "elsewhere/A", "--layer", "conductor A metal=1"}).status);
    ASSERT_EQ(0, Run({"create", "2005", "elsewhere/B", "--layer", "signal 1"}).status);
    const auto elsewhere = TreeOf(m_work.Root() / "elsewhere");

    fs::create_directory(m_work.Root() / "T");
    fs::create_directory_symlink(m_work.Root() / "elsewhere/A/keyin.oskel", m_work.Root() / "T/keyin.oskel");
    for (const std::string format : {"2007", "2005"}) {
        SCOPED_TRACE(format);
        const ToolRun run =
            Run({"create", format, "T", "--force", "--layer", format == "2007" ? "conductor X metal=1" : "plane 9"});
        EXPECT_EQ(1, run.status);
        EXPECT_EQ("T/keyin.oskel: is a symbolic link; --force writes nothing through a link (remove it first)\n",
                  run.err);
    }
    fs::remove(m_work.Root() / "T/keyin.oskel");
    fs::create_directory_symlink(m_work.Root() / "elsewhere/B/Layout", m_work.Root() / "T/Layout");
    for (const std::string format : {"2007", "2005"}) {
        SCOPED_TRACE(format);
        const ToolRun run =
            Run({"create", format, "T", "--force", "--layer", format == "2007" ? "conductor X metal=1" : "plane 9"});
        EXPECT_EQ(1, run.status);
        EXPECT_EQ("T/Layout: is a symbolic link; --force writes nothing through a link (remove it first)\n", run.err);
    }
    EXPECT_EQ(elsewhere, TreeOf(m_work.Root() / "elsewhere"));
    EXPECT_EQ((std::map<std::string, std::string>{{"Layout", "-> " + (m_work.Root() / "elsewhere/B/Layout").string()}}),
              TreeOf(m_work.Root() / "T"));
}

TEST_F(Create, ForceReplacesLinkedFilesNotWhatTheyPointTo)
{
    fs::create_directory(m_work.Root() / "elsewhere");
    WriteTextFile(m_work.Root() / "elsewhere/precious", "keep me");
    const auto elsewhere = TreeOf(m_work.Root() / "elsewhere");
    const fs::path precious = m_work.Root() / "elsewhere/precious";

    ASSERT_EQ(0, Run({"create", "2007", "T", "--layer", "conductor A metal=1"}).status);
    for (const char* name : {"keyin.oskel/sids", "keyin.oskel/design.db", "keyin.oskel/design.db-journal"}) {
        fs::remove(m_work.Root() / "T" / name);
        fs::create_symlink(precious, m_work.Root() / "T" / name);
    }
    ToolRun run = Run({"create", "2007", "T", "--force", "--layer", "conductor B metal=2"});
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ((std::vector<std::string>{"0 B 2 -"}), ReadDesign(m_work.Root() / "T"));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(m_work.Root() / "T/keyin.oskel/sids")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(m_work.Root() / "T/keyin.oskel/design.db-journal")));

    ASSERT_EQ(0, Run({"create", "2005", "U", "--layer", "signal 1"}).status);
    for (const char* name : {"Layout/Corvane.cvn", "Layout/Dunmere.dnm"}) {
        fs::remove(m_work.Root() / "U" / name);
        fs::create_symlink(precious, m_work.Root() / "U" / name);
    }
    run = Run({"create", "2005", "U", "--force", "--layer", "plane 3"});
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ((std::vector<std::string>{"0 3"}), ReadJobPreferences(m_work.Root() / "U"));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(m_work.Root() / "U/Layout/Dunmere.dnm")));

    // A 2005 template replaced by a 2007 one: its linked files go, as links.
    run = Run({"create", "2007", "U", "--force", "--layer", "conductor C metal=1"});
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_FALSE(fs::exists(m_work.Root() / "U/Layout"));
    EXPECT_EQ(elsewhere, TreeOf(m_work.Root() / "elsewhere"));
}

TEST_F(Create, FailedWriteLeavesTheOldTemplateAsItWas)
{
    std::string many2005;
    std::string many2007;
    for (int i = 1; i <= 2000; ++i) {
        many2005 += "signal " + std::to_string(i) + "\n";
        many2007 += "conductor L" + std::to_string(i) + " metal=" + std::to_string(i) + " usage=Signal\n";
    }
    WriteTextFile(m_work.Root() / "many2005.txt", many2005);
    WriteTextFile(m_work.Root() / "many2007.txt", many2007);
    const long limit = 8192;  // far below either template

    ASSERT_EQ(0, Run({"create", "2005", "T", "--layer", "signal 1"}).status);
    WriteTextFile(m_work.Root() / "T/notes.txt", "keep me");
    const auto before = TreeOf(m_work.Root() / "T");
    for (const std::string format : {"2005", "2007"}) {
        SCOPED_TRACE(format);
        const ToolRun run = RunToolWithFileSizeLimit(
            {"create", format, "T", "--force", "--from", "many" + format + ".txt"}, m_work.Root(), limit);
        EXPECT_EQ(1, run.status) << run.err;
        EXPECT_EQ(0u, run.err.find("T: cannot write the template: cannot write T/")) << run.err;
        EXPECT_EQ(before, TreeOf(m_work.Root() / "T"));
    }

    ASSERT_EQ(0, Run({"create", "2007", "U", "--layer", "conductor A metal=1"}).status);
    const auto before2007 = TreeOf(m_work.Root() / "U");
    const ToolRun run =
        RunToolWithFileSizeLimit({"create", "2007", "U", "--force", "--from", "many2007.txt"}, m_work.Root(), limit);
    EXPECT_EQ(1, run.status) << run.err;
    EXPECT_EQ(before2007, TreeOf(m_work.Root() / "U"));

    // A folder that was created for the template goes again.
    EXPECT_EQ(
        1,
        RunToolWithFileSizeLimit({"create", "2005", "new/V", "--from", "many2005.txt"}, m_work.Root(), limit).status);
    EXPECT_FALSE(fs::exists(m_work.Root() / "new"));
}

#endif

}  // namespace
}  // namespace layouttool::testing
