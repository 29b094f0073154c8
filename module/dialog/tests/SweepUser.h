// A user for fault sweeps: plays a plan against whatever window is active, so
// that a run still ends when a failure changes the dialog's course.
//   message box      Yes where it asks, otherwise its default button
//   folder browser   highlights the planned folders in order, then OK
//   the dialog       picks the planned templates in order, then OK
// Input runs out after the plan (or after kMaxWaits waits), and the open
// loops end as if cancelled.
#pragma once

#include <standin/display.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace dialog_test {

struct SweepPlan {
    std::vector<std::string> browse;  // folders to highlight in the browser
    std::vector<std::string> picks;   // templates to pick in the drop-down
};

struct ShownMessageBox {
    std::string text;
    UINT style = 0;

    bool operator==(const ShownMessageBox& other) const { return text == other.text && style == other.style; }
};

class SweepUser : public standin::Display {
public:
    static constexpr int kMaxWaits = 64;

    // onMessageBox runs as each message box opens (to note the seams' counts there).
    SweepUser(SweepPlan plan, std::function<void()> onMessageBox);

    std::optional<standin::Action> WaitForAction(HWND active) override;
    void Notify(const standin::Event& event) override;

    const std::vector<ShownMessageBox>& MessageBoxes() const { return m_boxes; }

private:
    SweepPlan m_plan;
    std::function<void()> m_onMessageBox;
    std::map<HWND, UINT> m_openBoxes;  // message boxes open now, with their style
    std::vector<ShownMessageBox> m_boxes;
    std::size_t m_browseStep = 0;
    std::size_t m_pickStep = 0;
    int m_waits = 0;
};

}  // namespace dialog_test
