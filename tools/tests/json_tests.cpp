// `check --json` and `show --json`: one JSON document each, carrying every
// reason and note that the text gives, names exactly, and the documented
// exit statuses.

#include <gtest/gtest.h>

#include <set>

#include "JsonParse.h"
#include "TemplateFixtures.h"
#include "ToolRunner.h"
#include "VerdictCases.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;
using standin::oskel::ConductorLayer;
using standin::oskel::PcbDescription;

// The codes a finding may carry, by the words that open its text.
std::string ExpectedCode(const std::string& text)
{
    if (text.rfind("2007: keyin.oskel\\sids is present", 0) == 0)
        return "database-does-not-open";
    if (text.rfind("2007: the design database holds no snapshot", 0) == 0)
        return "no-snapshot-pcb";
    if (text.rfind("2007: snapshot \"PCB\" holds no Trel", 0) == 0)
        return "no-config-pcb";
    if (text.rfind("2005: Layout\\", 0) == 0)
        return "missing-file";
    if (text == "ignored, not a folder")
        return "not-a-folder";
    if (text == "ignored, not a folder to the dialog")
        return "not-a-folder-to-the-dialog";
    if (text.rfind("the dialog shows no rows", 0) == 0)
        return "no-rows";
    if (text.rfind("the dialog shows no stack-up", 0) == 0)
        return "no-stack-up";
    if (text.rfind("the dialog finds it first", 0) == 0)
        return "closes-at-start-up";
    return "?";
}

// The text line(s) `check` prints for an entry, rebuilt from its JSON.
std::string LinesOf(const JsonValue& entry)
{
    const std::string name = AsTextShowsIt(entry["name"].text);
    const JsonValue& reason = entry["reason"];
    const JsonValue& note = entry["note"];
    const std::string cause = reason["cause"].IsNull() ? std::string() : reason["cause"].text;
    std::string lines;
    if (entry["listed"].boolean) {
        lines = "OK   " + name + " (" + entry["format"].text + ")";
        if (!note.IsNull())
            lines += "\n     note: " + note["text"].text;
    } else if (entry["type"].text == "folder") {
        lines = "SKIP " + name + ": " + reason["text"].text + (cause.empty() ? "" : " (" + cause + ")");
    } else {
        lines = "FILE " + name + ": " + reason["text"].text + (cause.empty() ? "" : ": " + cause);
    }
    return lines;
}

TEST(Json, EveryReasonOfCheckIsInTheReport)
{
    WorkFolder work;
    const std::vector<VerdictCase> cases = MakeVerdictCases(work.Root() / "lib", false);
#if defined(_WIN32)
    const ToolRun run = RunTool({"check", "--json", "lib"}, work.Root());
#else
    const ToolRun run = RunTool({"check", "--json", "--listing-order", "ascending", "lib"}, work.Root());
#endif
    ReleaseHeldFiles();
    EXPECT_EQ(0, run.status) << run.err;
    const JsonValue report = ParseJson(run.out);
    EXPECT_EQ(1, report["schemaVersion"].number);
    EXPECT_EQ("check", report["command"].text);
    EXPECT_EQ("lib", report["folder"].text);
    EXPECT_TRUE(report["layoutTemplatesFolder"].IsNull());

    // One entry per case, in listing order, each saying what the text says.
    std::vector<std::string> names;
    std::size_t listed = 0;
    std::size_t folders = 0;
    for (const JsonValue& entry : report["entries"].items) {
        names.push_back(entry["name"].text);
        listed += entry["listed"].boolean ? 1 : 0;
        folders += entry["type"].text == "folder" ? 1 : 0;
        for (const char* finding : {"reason", "note"}) {
            if (!entry[finding].IsNull()) {
                EXPECT_EQ(ExpectedCode(entry[finding]["text"].text), entry[finding]["code"].text) << entry["name"].text;
            }
        }
        EXPECT_EQ(entry["listed"].boolean, entry["reason"].IsNull()) << entry["name"].text;
        EXPECT_EQ(entry["listed"].boolean, entry.Has("rows")) << entry["name"].text;
        for (const VerdictCase& made : cases) {
            if (made.name == entry["name"].text) {
                EXPECT_EQ(made.lines, LinesOf(entry));
            }
        }
    }
    std::vector<std::string> expectedNames;
    for (const std::string& name : ListingOrder(work.Root() / "lib"))
        for (const VerdictCase& made : cases)
            if (made.name == name && !made.file)
                expectedNames.push_back(name);
    for (const std::string& name : ListingOrder(work.Root() / "lib"))
        for (const VerdictCase& made : cases)
            if (made.name == name && made.file)
                expectedNames.push_back(name);
    EXPECT_EQ(expectedNames, names);
    EXPECT_EQ(static_cast<long long>(listed), report["listed"].number);
    EXPECT_EQ(static_cast<long long>(folders), report["subFolders"].number);

    // Every code of the schema is met.
    std::set<std::string> codes;
    for (const JsonValue& entry : report["entries"].items)
        for (const char* finding : {"reason", "note"})
            if (!entry[finding].IsNull())
                codes.insert(entry[finding]["code"].text);
    EXPECT_EQ((std::set<std::string>{"database-does-not-open", "no-snapshot-pcb", "no-config-pcb", "missing-file",
                                     "not-a-folder", "not-a-folder-to-the-dialog", "no-rows", "no-stack-up"}),
              codes);
}

TEST(Json, CheckGivesRowsTheFirstTemplatesNoteAndTheStatuses)
{
    WorkFolder work;
    Write2007(work.Root() / "lib/a", {{{"PCB", {{"PCB", std::nullopt}}}}});
    Write2007(work.Root() / "lib/b",
              PcbDescription({ConductorLayer(1, "TOP", 1, "Signal"), ConductorLayer(2, "BOT", 2)}));
#if defined(_WIN32)
    ToolRun run = RunTool({"check", "--json", "lib"}, work.Root());
#else
    ToolRun run = RunTool({"check", "--json", "--listing-order", "ascending", "lib"}, work.Root());
#endif
    EXPECT_EQ(0, run.status) << run.err;
    JsonValue report = ParseJson(run.out);
    ASSERT_EQ(2u, report["entries"].items.size());
    const JsonValue& first = report["entries"].items[0];
    EXPECT_EQ("closes-at-start-up", first["note"]["code"].text);
    EXPECT_EQ("it says \"Can't read TREL design from database.\"", first["note"]["cause"].text);
    EXPECT_TRUE(first["rows"].items.empty());
    const JsonValue& rows = report["entries"].items[1]["rows"];
    ASSERT_EQ(2u, rows.items.size());
    EXPECT_EQ("1", rows.items[0]["number"].text);
    EXPECT_EQ("TOP", rows.items[0]["layerName"].text);
    EXPECT_EQ("Signal", rows.items[0]["layerUsage"].text);
    EXPECT_EQ("BOT", rows.items[1]["layerName"].text);
    EXPECT_EQ("", rows.items[1]["layerUsage"].text);

    // None listed: status 1; a central library names its templates' folder.
    fs::remove_all(work.Root() / "lib");
    Write2005(work.Root() / "central/Templates/Layout/6L");
    run = RunTool({"check", "--json", "central"}, work.Root());
    EXPECT_EQ(1, run.status);
    report = ParseJson(run.out);
    EXPECT_EQ(0, report["listed"].number);
    EXPECT_EQ(1, report["subFolders"].number);
    EXPECT_NE(std::string::npos, report["layoutTemplatesFolder"].text.find("Templates")) << run.out;

    // A folder that cannot be checked: status 2, and still one document.
    run = RunTool({"check", "--json", "missing"}, work.Root());
    EXPECT_EQ(2, run.status);
    report = ParseJson(run.out);
    EXPECT_EQ("no such folder", report["error"].text);
    EXPECT_FALSE(report.Has("entries"));
    EXPECT_EQ("missing: no such folder\n", run.err);
}

TEST(Json, ShowGivesOneTemplateTheSameWay)
{
    WorkFolder work;
    Write2007(work.Root() / "4L", PcbDescription({ConductorLayer(1, "TOP", 1, "Signal")}));
    Write2007(work.Root() / "empty", PcbDescription({}));
    Write2007(work.Root() / "dielectric", PcbDescription({standin::oskel::OtherLayer(1, 1, "CORE")}));
    fs::create_directory(work.Root() / "bare");

    ToolRun run = RunTool({"show", "--json", "4L"}, work.Root());
    EXPECT_EQ(0, run.status) << run.err;
    JsonValue shown = ParseJson(run.out);
    EXPECT_EQ("show", shown["command"].text);
    EXPECT_EQ("4L", shown["folder"].text);
    EXPECT_TRUE(shown["listed"].boolean);
    EXPECT_EQ("2007", shown["format"].text);
    EXPECT_TRUE(shown["displayed"].boolean);
    ASSERT_EQ(1u, shown["rows"].items.size());
    EXPECT_EQ("TOP", shown["rows"].items[0]["layerName"].text);
    EXPECT_TRUE(shown["note"].IsNull());

    run = RunTool({"show", "--json", "empty"}, work.Root());
    EXPECT_EQ(1, run.status);
    shown = ParseJson(run.out);
    EXPECT_FALSE(shown["displayed"].boolean);
    ASSERT_EQ(1u, shown["messages"].items.size());
    EXPECT_EQ("Layout template \"empty\" doesn't have any layers.", shown["messages"].items[0].text);
    EXPECT_EQ("no-stack-up", shown["note"]["code"].text);

    run = RunTool({"show", "--json", "dielectric"}, work.Root());
    EXPECT_EQ(0, run.status);
    shown = ParseJson(run.out);
    EXPECT_EQ("no-rows", shown["note"]["code"].text);
    EXPECT_EQ("none of its layers is a conductor layer", shown["note"]["cause"].text);

    run = RunTool({"show", "--json", "bare"}, work.Root());
    EXPECT_EQ(1, run.status);
    shown = ParseJson(run.out);
    EXPECT_FALSE(shown["listed"].boolean);
    EXPECT_EQ("missing-file", shown["reason"]["code"].text);
    EXPECT_EQ("there is no Layout folder", shown["reason"]["cause"].text);
    EXPECT_FALSE(shown.Has("rows"));

    // A missing folder is one the dialog does not list.
    run = RunTool({"show", "--json", "missing"}, work.Root());
    EXPECT_EQ(1, run.status);
    shown = ParseJson(run.out);
    EXPECT_FALSE(shown["listed"].boolean);
    EXPECT_EQ("missing-file", shown["reason"]["code"].text);
    EXPECT_EQ("no such folder", shown["reason"]["cause"].text);
}

TEST(Json, NamesAreExactAndEscaped)
{
    WorkFolder work;
    // A name with quotes and an accent; on Linux also a tab and a byte that
    // is no UTF-8, which the document gives as bytes too. (A backslash would
    // be a separator to the dialog.)
#if defined(_WIN32)
    const std::string name = "Caf\xc3\xa9 'x'";
#else
    const std::string name = "Caf\xc3\xa9 \"x\"\t\xff";
#endif
    Write2005(work.Root() / "lib" / fs::u8path(name));
    const ToolRun run = RunTool({"check", "--json", "lib"}, work.Root());
    EXPECT_EQ(0, run.status) << run.err;
    const JsonValue report = ParseJson(run.out);
    ASSERT_EQ(1u, report["entries"].items.size());
    const JsonValue& entry = report["entries"].items[0];
#if defined(_WIN32)
    EXPECT_EQ(name, entry["name"].text);
    EXPECT_FALSE(entry.Has("nameBytes"));
#else
    EXPECT_EQ("Caf\xc3\xa9 \"x\"\t\xef\xbf\xbd", entry["name"].text);
    EXPECT_EQ("436166c3a92022782209ff", entry["nameBytes"].text);
    // Control characters are escaped, never raw.
    EXPECT_NE(std::string::npos, run.out.find("\\t")) << run.out;
#endif
}

}  // namespace
}  // namespace layouttool::testing
