// What the conformance cases share.
#include "Conformance.h"

#include <cstdio>
#include <memory>
#include <sstream>

namespace conformance {
namespace {

std::vector<Message>& RecordedMessages()
{
    static std::vector<Message> messages;
    return messages;
}

LRESULT notifyAnswer = 0;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        Recorder::Record(hwnd, message, wParam, lParam);
    if (message == WM_NOTIFY) {
        Recorder::Record(hwnd, message, reinterpret_cast<const NMHDR*>(lParam)->code, 0);
        return notifyAnswer;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char kParentClass[] = "ConformanceParent";

// ---- Steps ----

struct StepState {
    std::vector<Step> steps;
    std::size_t next = 0;
};
StepState* currentSteps = nullptr;  // the state of the one Steps alive

void CALLBACK StepTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    StepState* state = currentSteps;
    if (state == nullptr || state->next >= state->steps.size()) {
        KillTimer(nullptr, timer);
        return;
    }
    // A step may run a modal loop of its own, in which the timer ticks again.
    const Step step = state->steps[state->next++];
    step();
}

HWND KeyTarget(HWND hwnd) { return hwnd != nullptr ? hwnd : GetFocus(); }

// ---- RunDialog ----

// The case whose dialog is being made: the messages before WM_INITDIALOG
// (WM_SETFONT) are its too.
DialogCase* creatingCase = nullptr;

INT_PTR CALLBACK CaseDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        creatingCase = nullptr;
    }
    auto* dialogCase = reinterpret_cast<DialogCase*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (dialogCase == nullptr)
        dialogCase = creatingCase;
    if (dialogCase == nullptr)
        return FALSE;
    bool watched = dialogCase->watched.empty();
    for (UINT m : dialogCase->watched)
        watched = watched || m == message;
    if (watched)
        Recorder::Record(dialog, message, wParam, lParam);
    if (dialogCase->handler) {
        const INT_PTR handled = dialogCase->handler(dialog, message, wParam, lParam);
        if (handled != -1)
            return handled;
    }
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        if ((LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) && HIWORD(wParam) == BN_CLICKED) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

const char* MessageName(UINT message)
{
    switch (message) {
    case WM_SETFONT: return "WM_SETFONT";
    case WM_SETFOCUS: return "WM_SETFOCUS";
    case WM_KILLFOCUS: return "WM_KILLFOCUS";
    case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_NOTIFY: return "WM_NOTIFY";
    case WM_INITDIALOG: return "WM_INITDIALOG";
    case WM_COMMAND: return "WM_COMMAND";
    case WM_SYSCOMMAND: return "WM_SYSCOMMAND";
    case WM_GETDLGCODE: return "WM_GETDLGCODE";
    case WM_NEXTDLGCTL: return "WM_NEXTDLGCTL";
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_CHAR: return "WM_CHAR";
    case WM_DESTROY: return "WM_DESTROY";
    case DM_GETDEFID: return "DM_GETDEFID";
    case DM_SETDEFID: return "DM_SETDEFID";
    case WM_TIMER: return "WM_TIMER";
    default: return nullptr;
    }
}

}  // namespace

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

Expected Notification(int id, int code)
{
    return Expected{WM_COMMAND, kWParam, static_cast<WPARAM>(MAKEWPARAM(id, code)), 0};
}

void Recorder::Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    RecordedMessages().push_back(Message{hwnd, message, wParam, lParam});
}

const std::vector<Message>& Recorder::Messages() { return RecordedMessages(); }

void Recorder::Clear() { RecordedMessages().clear(); }

std::string DescribeMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    char text[128];
    const char* name = MessageName(message);
    if (message == WM_COMMAND)
        std::snprintf(text, sizeof(text), "WM_COMMAND(id %u, code %u)", LOWORD(wParam), HIWORD(wParam));
    else if (name != nullptr)
        std::snprintf(text, sizeof(text), "%s(0x%llx, 0x%llx)", name, static_cast<unsigned long long>(wParam),
                      static_cast<unsigned long long>(lParam));
    else
        std::snprintf(text, sizeof(text), "0x%04x(0x%llx, 0x%llx)", message, static_cast<unsigned long long>(wParam),
                      static_cast<unsigned long long>(lParam));
    return text;
}

void ExpectSequence(const std::vector<Message>& got, const std::vector<Expected>& want, const std::string& context)
{
    const auto matches = [](const Message& m, const Expected& e) {
        return m.message == e.message && (!(e.check & kWParam) || m.wParam == e.wParam) &&
               (!(e.check & kLParam) || m.lParam == e.lParam);
    };
    std::size_t g = 0;
    std::size_t w = 0;
    bool ok = true;
    while (ok && (g < got.size() || w < want.size())) {
        if (w < want.size() && g < got.size() && matches(got[g], want[w])) {
            ++g;
            ++w;
        } else if (w < want.size() && (want[w].check & kOptional)) {
            ++w;
        } else {
            ok = false;
        }
    }
    if (ok)
        return;
    std::ostringstream report;
    report << context << ": the messages differ at " << g << ".\n  got:";
    for (const Message& m : got)
        report << "\n    " << DescribeMessage(m.message, m.wParam, m.lParam);
    report << "\n  expected:";
    for (const Expected& e : want)
        report << "\n    " << DescribeMessage(e.message, e.wParam, e.lParam)
               << ((e.check & kOptional) ? " (optional)" : "") << ((e.check & kWParam) ? "" : " (any wParam)");
    ADD_FAILURE() << report.str();
}

void ParentWindow::AnswerNotifications(LRESULT answer) { notifyAnswer = answer; }

ParentWindow::ParentWindow()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = Instance();
    wc.lpszClassName = kParentClass;
    RegisterClassA(&wc);  // once; later calls fail harmlessly
    m_hwnd = CreateWindowExA(0, kParentClass, "conformance", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                             nullptr, Instance(), nullptr);
}

ParentWindow::~ParentWindow() { DestroyWindow(m_hwnd); }

HWND ParentWindow::Child(const char* className, DWORD style, int id, const char* text) const
{
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, 10, 200, 150, m_hwnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
}

std::string WindowText(HWND hwnd)
{
    char buffer[512] = "";
    GetWindowTextA(hwnd, buffer, sizeof(buffer));
    return buffer;
}

std::string ClassName(HWND hwnd)
{
    char buffer[256] = "";
    GetClassNameA(hwnd, buffer, sizeof(buffer));
    return buffer;
}

struct Steps::State : StepState {};

Steps::Steps(std::vector<Step> steps) : m_state(std::make_unique<State>())
{
    m_state->steps = std::move(steps);
    currentSteps = m_state.get();
    m_timer = SetTimer(nullptr, 0, 10, StepTick);
}

Steps::~Steps()
{
    KillTimer(nullptr, m_timer);
    currentSteps = nullptr;
}

bool Steps::Done() const { return m_state->next >= m_state->steps.size(); }

void RepeatStep()
{
    if (currentSteps != nullptr && currentSteps->next > 0)
        --currentSteps->next;
}

void PostKey(UINT virtualKey, HWND hwnd, bool alt)
{
    hwnd = KeyTarget(hwnd);
    // Repeat count 1; bit 29 (the context code) with Alt; bits 30 and 31 on release.
    const LPARAM down = alt ? 0x20000001 : 0x00000001;
    const LPARAM up = static_cast<LPARAM>(alt ? 0xE0000001u : 0xC0000001u);
    PostMessageA(hwnd, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, down);
    PostMessageA(hwnd, alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey, up);
}

void PostChar(char character, HWND hwnd)
{
    PostMessageA(KeyTarget(hwnd), WM_CHAR, static_cast<unsigned char>(character), 1);
}

HWND FocusedDialog()
{
    HWND hwnd = GetFocus();
    while (hwnd != nullptr && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) != 0)
        hwnd = GetParent(hwnd);
    return hwnd != nullptr && ClassName(hwnd) == "#32770" ? hwnd : nullptr;
}

// As the class library runs a dialog: its template found and locked, then
// DialogBoxIndirectParam.
INT_PTR RunDialog(int templateId, DialogCase& dialogCase, HWND owner)
{
    HRSRC resource = FindResourceA(Instance(), MAKEINTRESOURCEA(templateId), RT_DIALOG);
    const void* dialogTemplate = resource != nullptr ? LockResource(LoadResource(Instance(), resource)) : nullptr;
    if (dialogTemplate == nullptr)
        return -1;
    creatingCase = &dialogCase;
    const INT_PTR result = DialogBoxIndirectParamA(Instance(), static_cast<LPCDLGTEMPLATEA>(dialogTemplate), owner,
                                                   CaseDialogProc, reinterpret_cast<LPARAM>(&dialogCase));
    creatingCase = nullptr;
    return result;
}

}  // namespace conformance

namespace {

// The list view and comctl32's own controls are registered before any case runs.
class CommonControls : public ::testing::Environment {
public:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
    }
};

[[maybe_unused]] ::testing::Environment* const commonControls =
    ::testing::AddGlobalTestEnvironment(new CommonControls);  // gtest owns it

}  // namespace
