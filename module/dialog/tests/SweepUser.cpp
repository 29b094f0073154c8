#include "SweepUser.h"

#include <standin/shell.h>

#include "dialog/resource.h"

namespace dialog_test {

using standin::Action;
using standin::Event;

SweepUser::SweepUser(SweepPlan plan, std::function<void()> onMessageBox)
    : m_plan(std::move(plan)), m_onMessageBox(std::move(onMessageBox))
{}

std::optional<Action> SweepUser::WaitForAction(HWND active)
{
    if (++m_waits > kMaxWaits)
        return std::nullopt;
    const auto box = m_openBoxes.find(active);
    if (box != m_openBoxes.end()) {
        const UINT buttons = box->second & MB_TYPEMASK;
        return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? Action::Click(IDYES) : Action::Enter();
    }
    if (standin::BrowserState(active)) {
        if (m_browseStep < m_plan.browse.size())
            return Action::Highlight(m_plan.browse[m_browseStep++]);
        if (m_browseStep++ == m_plan.browse.size())
            return Action::Click(IDOK);
        return std::nullopt;
    }
    if (m_pickStep < m_plan.picks.size())
        return Action::Pick(IDC_COMBO1, m_plan.picks[m_pickStep++]);
    if (m_pickStep++ == m_plan.picks.size())
        return Action::Click(IDOK);
    return std::nullopt;
}

void SweepUser::Notify(const Event& event)
{
    switch (event.kind) {
    case Event::Kind::MessageBoxOpened:
        m_openBoxes[event.hwnd] = event.style;
        m_boxes.push_back({event.text, event.style});
        if (m_onMessageBox)
            m_onMessageBox();
        break;
    case Event::Kind::MessageBoxClosed: m_openBoxes.erase(event.hwnd); break;
    default: break;
    }
}

}  // namespace dialog_test
