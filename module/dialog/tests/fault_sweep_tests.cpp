// The fault sweep: a complete scripted DoModal run once to count the calls of
// every failure seam of the stand-ins, then again with the N-th call of one
// seam failing, for every N and every seam; once with that call alone failing,
// once with it and every later call failing. After each run: DoModal answered
// IDOK, IDCANCEL or -1 (-1 only when a window could not be made), IDOK named
// a template that is there, nothing of a search, the shell, a database, an
// icon or a window outlived the dialog, and the message boxes were those of a
// run without the failure up to the failing call, then only those the module
// shows for such a failure.
//
// ILT_FAULT_SWEEP=long sweeps larger libraries (six templates of each format
// of twelve layers, every one of them picked) for a manual run. Each scenario
// prints how many runs it made.
#include "CentralLibrary.h"
#include "FaultSeams.h"
#include "SweepUser.h"
#include "TestDialog.h"

#include <standin/afx.h>
#include <standin/crt.h>
#include <standin/faults.h>
#include <standin/oskel.h>
#include <standin/shell.h>
#include <standin/win32.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <sstream>

using namespace dialog_test;
using standin::oskel::ConductorLayer;
using standin::oskel::LayerDescription;

namespace {

bool LongSweep()
{
    const char* setting = std::getenv("ILT_FAULT_SWEEP");
    return setting != nullptr && std::strcmp(setting, "long") == 0;
}

struct RunOutcome {
    INT_PTR result = 0;
    std::string path;
    std::vector<ShownMessageBox> boxes;
    std::vector<std::vector<std::size_t>> callsAtBox;  // per box shown: each seam's calls by then
    std::vector<std::size_t> calls;                    // each seam's calls in the whole run
    std::string leftovers;                             // what outlived the dialog
};

std::vector<std::size_t> SeamCalls()
{
    std::vector<std::size_t> calls;
    for (const FaultSeam& seam : FaultSeams())
        calls.push_back(seam.calls());
    return calls;
}

std::string Describe(const std::vector<ShownMessageBox>& boxes)
{
    std::ostringstream text;
    for (const ShownMessageBox& box : boxes)
        text << " [" << box.text << "; style 0x" << std::hex << box.style << std::dec << "]";
    return boxes.empty() ? " none" : text.str();
}

class FaultSweep : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        standin::SetListingOrder(standin::ListingOrder::Ascending);
        ClearSeamFaults();
    }

    void TearDown() override
    {
        ClearSeamFaults();
        DialogTest::TearDown();
    }

    // Templates of both formats in `folder`, `perFormat` of each, with
    // `layers` layers, beside a 2007 template without configuration "PCB"
    // and a 2005 one without Dunmere.dnm. Returns the valid templates' paths
    // as the dialog hands them back.
    std::vector<std::string> MakeTemplates(const std::string& folder, int perFormat, int layers)
    {
        std::vector<std::string> valid;
        const std::string windowsFolder = std::string(kCentral) + "\\" + Windows(folder);
        for (int i = 0; i < perFormat; ++i) {
            const std::string suffix = i == 0 ? "" : "-" + std::to_string(i);
            std::vector<LayerDescription> layerDescriptions;
            std::vector<std::pair<int, int>> pairs;
            for (int layer = 1; layer <= layers; ++layer) {
                layerDescriptions.push_back(
                    ConductorLayer(layer, "L" + std::to_string(layer), layer, layer % 2 ? "Signal" : "Plane"));
                pairs.emplace_back(layer % 2, layer);
            }
            Make2007(folder + "/4L" + suffix, layerDescriptions);
            Make2005(folder + "/6L" + suffix, Layers2005(pairs));
            valid.push_back(windowsFolder + "\\4L" + suffix);
            valid.push_back(windowsFolder + "\\6L" + suffix);
        }
        Make2007(folder + "/noconfig", standin::oskel::Description{{{"PCB", {}}}});
        Make2005(folder + "/nodunmere", Layers2005({{1, 1}}));
        fs::remove(Native(folder + "/nodunmere/Layout/Dunmere.dnm"));
        return valid;
    }

    static std::string Windows(std::string relative)
    {
        std::replace(relative.begin(), relative.end(), '/', '\\');
        return relative;
    }

    static ShownMessageBox Message(MessageKind kind)
    {
        const std::string central = kCentral;
        switch (kind) {
        case MessageKind::NoCentralLibrary:
            return {"Central library \"" + central + "\" doesn't exist.", MB_OK | MB_ICONSTOP};
        case MessageKind::Question:
            return {"Central library \"" + central +
                        "\" doesn't contain directory with layout templates.\nWould you like to select one?",
                    MB_YESNO | MB_ICONEXCLAMATION};
        case MessageKind::NoValidTemplate:
            return {"Central library \"" + central + "\" doesn't contain any valid layout template.",
                    MB_OK | MB_ICONSTOP};
        case MessageKind::CannotDisplay: return {"Can't display the stackup.", MB_OK | MB_ICONSTOP};
        case MessageKind::CannotOpen: return {"Can't open Layout Template database.", MB_OK | MB_ICONSTOP};
        case MessageKind::CannotReadDesign: return {"Can't read TREL design from database.", MB_OK | MB_ICONSTOP};
        case MessageKind::CannotGetLayers: return {"Can't get layers from database.", MB_OK | MB_ICONSTOP};
        }
        return {};
    }

    // One complete DoModal; `arm` registers the failure after the counters
    // were reset.
    RunOutcome Run(const SweepPlan& plan, const std::function<void()>& arm)
    {
        ResetSeamCounts();
        arm();
        RunOutcome outcome;
        const Live before = Count();
        SweepUser user(plan, [&outcome] { outcome.callsAtBox.push_back(SeamCalls()); });
        const standin::ScopedDisplay display(user);
        {
            TestDialog dialog(kCentral, "", "");
            outcome.result = dialog.DoModal();
            outcome.path = (LPCSTR)dialog.GetLayoutTemplatePath();
        }
        ClearSeamFaults();
        outcome.calls = SeamCalls();
        outcome.boxes = user.MessageBoxes();
        outcome.leftovers = Leftovers(before);
        return outcome;
    }

    // What a run may leave behind: the stand-ins' live objects and references.
    struct Live {
        long long values[10] = {};
    };

    static Live Count()
    {
        return {{static_cast<long long>(standin::OpenFindHandles()), static_cast<long long>(standin::LiveItemIdLists()),
                 standin::ShellAllocatorReferences(), standin::ShellFolderReferences(),
                 static_cast<long long>(standin::InvalidShellFrees()),
                 static_cast<long long>(standin::oskel::OpenConnectionCount()),
                 static_cast<long long>(standin::LiveIconCount()), static_cast<long long>(standin::LiveWindowCount()),
                 static_cast<long long>(standin::afx::TemporaryWindowCount()),
                 static_cast<long long>(standin::afx::AttachedWindowCount())}};
    }

    // What outlived a run begun at `before`; empty when nothing did.
    static std::string Leftovers(const Live& before)
    {
        static const char* const kWhat[] = {"find handles",
                                            "item id lists",
                                            "allocator references",
                                            "desktop folder references",
                                            "invalid shell frees",
                                            "connections",
                                            "icons",
                                            "windows",
                                            "temporary CWnds",
                                            "attached CWnds"};
        const Live after = Count();
        std::ostringstream left;
        for (std::size_t i = 0; i < std::size(kWhat); ++i) {
            if (after.values[i] != before.values[i])
                left << ' ' << kWhat[i] << ' ' << (after.values[i] > before.values[i] ? "+" : "")
                     << after.values[i] - before.values[i];
        }
        return left.str();
    }

    // Checks one failing run against the run without failures; what is wrong, or "".
    std::string Judge(const FaultSeam& seam, std::size_t seamIndex, std::size_t nth, const RunOutcome& clean,
                      const RunOutcome& run, const std::vector<std::string>& valid) const
    {
        std::ostringstream wrong;
        if (run.result != IDOK && run.result != IDCANCEL && run.result != -1)
            wrong << " DoModal answered " << run.result << ';';
        if (run.result == -1 && !seam.mayFailDialog)
            wrong << " DoModal failed (-1);";
        if (run.result == IDOK && std::find(valid.begin(), valid.end(), run.path) == valid.end())
            wrong << " IDOK with \"" << run.path << "\", no valid template;";
        if (run.calls[seamIndex] < nth)
            wrong << " only " << run.calls[seamIndex] << " calls: the run before the failure differs;";
        if (!run.leftovers.empty())
            wrong << " left:" << run.leftovers << ';';

        // Up to the failing call the run is the run without failures.
        std::size_t before = 0;
        while (before < clean.callsAtBox.size() && clean.callsAtBox[before][seamIndex] < nth)
            ++before;
        const bool samePrefix =
            run.boxes.size() >= before &&
            std::equal(clean.boxes.begin(), clean.boxes.begin() + static_cast<long>(before), run.boxes.begin());
        bool told = samePrefix;
        for (std::size_t i = before; told && i < run.boxes.size(); ++i) {
            told = std::any_of(seam.mayTell.begin(), seam.mayTell.end(),
                               [&](MessageKind kind) { return Message(kind) == run.boxes[i]; }) ||
                   // What the run without failures went on to tell, in its order.
                   (i < clean.boxes.size() && run.boxes[i] == clean.boxes[i]);
        }
        if (!told)
            wrong << " messages:" << Describe(run.boxes) << " (without the failure:" << Describe(clean.boxes) << ");";
        if (seam.invisible && (run.result != clean.result || run.path != clean.path || run.boxes != clean.boxes))
            wrong << " the run differs from the one without the failure;";
        return wrong.str();
    }

    // Sweeps every seam; returns the number of failing runs made.
    std::size_t Sweep(const char* scenario, const SweepPlan& plan, const std::vector<std::string>& valid,
                      INT_PTR expectedResult)
    {
        const Live start = Count();
        const RunOutcome clean = Run(plan, [] {});
        EXPECT_EQ(expectedResult, clean.result);
        EXPECT_EQ("", clean.leftovers);
        EXPECT_EQ(valid.front(), clean.path);

        if (std::getenv("ILT_FAULT_SWEEP_VERBOSE") != nullptr) {
            for (std::size_t s = 0; s < FaultSeams().size(); ++s)
                std::printf("  %s: %zu calls\n", FaultSeams()[s].name.c_str(), clean.calls[s]);
            std::printf("  messages:%s\n", Describe(clean.boxes).c_str());
        }
        const auto started = std::chrono::steady_clock::now();
        std::size_t runs = 0;
        std::vector<std::string> failures;
        for (const bool once : {true, false}) {
            for (std::size_t s = 0; s < FaultSeams().size(); ++s) {
                const FaultSeam& seam = FaultSeams()[s];
                for (std::size_t nth = 1; nth <= clean.calls[s]; ++nth) {
                    const RunOutcome run = Run(plan, [&] { seam.fail(nth - 1, once); });
                    ++runs;
                    const std::string wrong = Judge(seam, s, nth, clean, run, valid);
                    if (!wrong.empty())
                        failures.push_back(seam.name + " call " + std::to_string(nth) +
                                           (once ? " alone" : " and later") + ":" + wrong);
                }
            }
        }
        // The stand-ins' state is as before: a run without failures again goes as the first.
        const RunOutcome again = Run(plan, [] {});
        EXPECT_EQ(clean.result, again.result);
        EXPECT_EQ(clean.path, again.path);
        EXPECT_EQ(clean.boxes, again.boxes);
        EXPECT_EQ(clean.calls, again.calls);
        EXPECT_EQ("", Leftovers(start));

        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("fault sweep, %s (%s setting): %zu runs over %zu seams, %zu failed, %.1f s\n", scenario,
                    LongSweep() ? "long" : "CI", runs, FaultSeams().size(), failures.size(), seconds);
        std::fflush(stdout);
        RecordProperty("runs", static_cast<int>(runs));
        for (std::size_t i = 0; i < failures.size() && i < 40; ++i)
            ADD_FAILURE() << failures[i];
        EXPECT_TRUE(failures.empty()) << failures.size() << " runs failed";
        return runs;
    }
};

int PerFormat() { return LongSweep() ? 6 : 1; }
int Layers() { return LongSweep() ? 12 : 2; }

// The templates the user picks: one of each format, or in a long sweep all
// of them, the last picked first.
std::vector<std::string> Picks(const std::vector<std::string>& valid)
{
    std::vector<std::string> picks;
    for (auto path = valid.rbegin(); path != valid.rend(); ++path)
        picks.push_back(path->substr(path->rfind('\\') + 1));
    if (!LongSweep())
        picks = {"6L", "4L"};
    return picks;
}

TEST_F(FaultSweep, TypicalRunWithAPickOfEachFormat)
{
    const std::vector<std::string> valid = MakeTemplates(kLayout, PerFormat(), Layers());
    SweepPlan plan;
    plan.picks = Picks(valid);
    EXPECT_GT(Sweep("typical run", plan, valid, IDOK), 0u);
}

TEST_F(FaultSweep, QuestionBrowserAndABrowsedFolder)
{
    MakeFolder("other/empty");
    const std::vector<std::string> valid = MakeTemplates("mine", PerFormat(), Layers());
    SweepPlan plan;
    plan.browse = {"D:\\lib\\other", "D:\\lib\\mine"};
    plan.picks = Picks(valid);
    EXPECT_GT(Sweep("question and browser", plan, valid, IDOK), 0u);
}

}  // namespace
