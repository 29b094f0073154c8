// The terminal, through ncurses: shows a canvas and reads keys.
//
// It talks to the controlling terminal (/dev/tty), never to standard output,
// so that the path printed at the end can be redirected or captured.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "terminal/Canvas.h"
#include "terminal/Keys.h"

namespace ilt {

class Screen {
public:
    // Takes over the terminal; nothing, with a reason in `error`, when there is
    // none. The terminal is given back when the object goes.
    static std::unique_ptr<Screen> Open(std::string& error);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    int Rows() const;
    int Columns() const;
    bool Unicode() const { return m_unicode; }

    void Show(const Canvas& canvas);
    Key ReadKey();
    void Beep();

private:
    struct Session;
    explicit Screen(std::unique_ptr<Session> session, bool unicode);

    std::unique_ptr<Session> m_session;
    bool m_unicode;
};

}  // namespace ilt
