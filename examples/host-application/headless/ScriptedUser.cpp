// The user of host-application, played without a screen on the Linux package.
//
// The Win32 stand-in shows its windows through a display that the program
// installs (<standin/display.h>); without one nobody answers it and DoModal
// returns IDCANCEL at the dialog's first wait. This file,
// linked into the Linux build of the example only, installs a scripted display
// before main() runs. Its actions come from the environment variable
// HOST_APPLICATION_ACTIONS, separated by commas:
//   pick NAME   choose NAME in the drop-down of templates
//   ok          press OK
//   cancel      press Cancel
// for example "pick 6L,ok,ok". When they run out, an open dialog or message
// box ends as if cancelled.

#include <standin/display.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "dialog/resource.h"

namespace {

std::vector<standin::Action> ActionsFrom(const char* text)
{
    std::vector<standin::Action> actions;
    std::istringstream list(text != nullptr ? text : "");
    std::string item;
    while (std::getline(list, item, ',')) {
        if (item == "ok") {
            actions.push_back(standin::Action::Click(IDOK));
        } else if (item == "cancel") {
            actions.push_back(standin::Action::Click(IDCANCEL));
        } else if (item.rfind("pick ", 0) == 0) {
            actions.push_back(standin::Action::Pick(IDC_COMBO1, item.substr(5)));
        } else {
            std::fprintf(stderr, "host-application: HOST_APPLICATION_ACTIONS: unknown action '%s'\n", item.c_str());
            std::exit(2);
        }
    }
    return actions;
}

class ScriptedUser {
public:
    ScriptedUser() : m_display(ActionsFrom(std::getenv("HOST_APPLICATION_ACTIONS"))), m_installed(m_display) {}

    ~ScriptedUser()
    {
        if (!m_display.Error().empty())
            std::fprintf(stderr, "host-application: the scripted user stopped: %s\n", m_display.Error().c_str());
    }

    ScriptedUser(const ScriptedUser&) = delete;
    ScriptedUser& operator=(const ScriptedUser&) = delete;

private:
    standin::ScriptedDisplay m_display;
    standin::ScopedDisplay m_installed;
};

const ScriptedUser user;

}  // namespace
