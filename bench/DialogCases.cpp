// The dialog through the scripted display.
#include "DialogCases.h"

#include "dialog/ImportLayoutTemplateDlg.h"

#include <standin/display.h>

#include <commctrl.h>

#include <chrono>
#include <ctime>

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The dialog with the stack-up display opened up, as a pick in the drop-down reaches it.
class BenchDialog : public CImportLayoutTemplateDlg {
public:
    using CImportLayoutTemplateDlg::CImportLayoutTemplateDlg;
    using CImportLayoutTemplateDlg::DisplayStackUp;
    using CImportLayoutTemplateDlg::m_selectedTemplate;
};

std::string Outcome(const standin::ScriptedDisplay& display, INT_PTR result, bool shown)
{
    if (!display.Error().empty())
        return "script stopped: " + display.Error();
    if (!display.MessageBoxes().empty())
        return "message: " + display.MessageBoxes().front().text;
    if (!shown)
        return "the dialog was never shown";
    if (result != IDCANCEL)
        return "DoModal returned " + std::to_string(result);
    return std::string();
}

}  // namespace

StartUpRun RunStartUp(const std::string& centralLibrary)
{
    StartUpRun run;
    standin::ScriptedDisplay display;
    Clock::time_point shownAt;
    double cpuAtShown = 0;
    bool shown = false;
    BenchDialog dialog(centralLibrary.c_str(), "", "");
    display.Push(standin::Action::Inspect([&](HWND) {
        shownAt = Clock::now();
        cpuAtShown = ThreadCpuSeconds();
        shown = true;
        run.firstTemplate = (LPCSTR)dialog.m_selectedTemplate;
    }));
    display.Push(standin::Action::Escape());
    standin::ScopedDisplay scoped(display);

    const Clock::time_point start = Clock::now();
    const double cpuAtStart = ThreadCpuSeconds();
    const INT_PTR result = dialog.DoModal();
    run.error = Outcome(display, result, shown);
    run.seconds = std::chrono::duration<double>(shownAt - start).count();
    run.cpuSeconds = cpuAtShown - cpuAtStart;
    return run;
}

std::string WithShownDialog(const std::string& centralLibrary,
                            const std::function<void(const ShownDialog& dialog)>& body)
{
    standin::ScriptedDisplay display;
    bool shown = false;
    BenchDialog dialog(centralLibrary.c_str(), "", "");
    display.Push(standin::Action::Inspect([&](HWND active) {
        shown = true;
        ShownDialog shownDialog;
        shownDialog.stackupList = ::GetDlgItem(active, IDC_STACKUP_LIST);
        shownDialog.selectedTemplate = (LPCSTR)dialog.m_selectedTemplate;
        shownDialog.displayStackUp = [&dialog, list = shownDialog.stackupList](const std::string& name) {
            if (dialog.DisplayStackUp(name.c_str()) != 1)
                return -1;
            return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        };
        body(shownDialog);
    }));
    display.Push(standin::Action::Escape());
    standin::ScopedDisplay scoped(display);
    const INT_PTR result = dialog.DoModal();
    return Outcome(display, result, shown);
}

}  // namespace bench
