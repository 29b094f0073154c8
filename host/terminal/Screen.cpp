// The terminal, through ncurses.
#include "terminal/Screen.h"

#include <curses.h>
#include <langinfo.h>
#include <termios.h>

#include <cerrno>
#include <cstdlib>
#include <clocale>
#include <cstring>

#include "terminal/SignalRestore.h"

namespace ilt {
namespace {

// A terminal capability's string, or "" where the terminal has none.
std::string Capability(const char* name)
{
    const char* value = tigetstr(name);
    return value != nullptr && value != reinterpret_cast<const char*>(-1) ? value : "";
}

// What ends the screen's modes as endwin does: plain attributes, the cursor
// shown on the bottom line, keypad mode off, the normal screen back.
std::string LeavingSequence()
{
    std::string leave = Capability("sgr0") + Capability("cnorm");
    const std::string cursorAddress = Capability("cup");
    if (!cursorAddress.empty()) {
        if (const char* bottomLeft = tiparm(cursorAddress.c_str(), LINES - 1, 0))
            leave += bottomLeft;
    }
    return leave + Capability("rmkx") + Capability("rmcup");
}

}  // namespace

struct Screen::Session {
    FILE* tty = nullptr;
    SCREEN* screen = nullptr;
    std::unique_ptr<SignalRestore> signalRestore;
    int failedReads = 0;

    ~Session()
    {
        if (screen != nullptr) {
            endwin();
            delscreen(screen);
        }
        signalRestore.reset();
        if (tty != nullptr)
            std::fclose(tty);
    }
};

Screen::Screen(std::unique_ptr<Session> session, bool unicode) : m_session(std::move(session)), m_unicode(unicode) {}

Screen::~Screen() = default;

std::unique_ptr<Screen> Screen::Open(std::string& error)
{
    // ncurses measures and writes characters in the locale's encoding.
    std::setlocale(LC_CTYPE, "");
    const bool unicode = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;

    auto session = std::make_unique<Session>();
    session->tty = std::fopen("/dev/tty", "r+");
    if (session->tty == nullptr) {
        error = std::string("cannot open the terminal /dev/tty: ") + std::strerror(errno);
        return nullptr;
    }
    const std::string type = std::getenv("TERM") ? std::getenv("TERM") : "";
    termios shellModes{};
    const bool modesKnown = tcgetattr(fileno(session->tty), &shellModes) == 0;
    // Before newterm, so that ncurses leaves the signals to it.
    session->signalRestore = std::make_unique<SignalRestore>();
    session->screen = newterm(nullptr, session->tty, session->tty);
    if (session->screen == nullptr) {
        error = "the terminal type is not known (TERM=" + type + ")";
        return nullptr;
    }
    set_term(session->screen);
    // A terminal that cannot place the cursor (TERM=dumb) would show the
    // dialog as a stream of text.
    const char* cursorAddress = tigetstr("cup");
    if (cursorAddress == nullptr || cursorAddress == reinterpret_cast<const char*>(-1)) {
        error = "the terminal cannot show the dialog (TERM=" + type + "): it cannot move the cursor";
        return nullptr;
    }
    cbreak();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    set_escdelay(25);
    curs_set(0);
    // From here on every signal that ends the program gives the terminal back.
    if (modesKnown)
        session->signalRestore->Arm(fileno(session->tty), shellModes, LeavingSequence());
    return std::unique_ptr<Screen>(new Screen(std::move(session), unicode));
}

int Screen::Rows() const { return LINES; }

int Screen::Columns() const { return COLS; }

void Screen::Show(const Canvas& canvas)
{
    erase();
    for (int row = 0; row < canvas.Rows() && row < LINES; ++row) {
        int column = 0;
        while (column < canvas.Columns() && column < COLS) {
            // One run of cells with the same attributes at a time.
            const unsigned attributes = canvas.At(row, column).attributes;
            const int start = column;
            std::string run;
            while (column < canvas.Columns() && column < COLS && canvas.At(row, column).attributes == attributes)
                run += canvas.At(row, column++).glyph;
            attr_t curses = A_NORMAL;
            if (attributes & kBold)
                curses |= A_BOLD;
            if (attributes & kReverse)
                curses |= A_REVERSE;
            if (attributes & kDim)
                curses |= A_DIM;
            if (attributes & kUnderline)
                curses |= A_UNDERLINE;
            attrset(curses);
            // Writing the bottom-right cell fails harmlessly (the cursor cannot move on).
            mvaddstr(row, start, run.c_str());
        }
    }
    attrset(A_NORMAL);
    refresh();
}

Key Screen::ReadKey()
{
    for (;;) {
        wint_t input = 0;
        const int kind = get_wch(&input);
        if (kind == ERR) {
            // A terminal that is gone reads as errors for ever.
            if (++m_session->failedReads > 100)
                return Key{KeyCode::Closed, 0};
            continue;
        }
        m_session->failedReads = 0;
        if (kind == KEY_CODE_YES) {
            switch (input) {
            case KEY_UP: return Key{KeyCode::Up, 0};
            case KEY_DOWN: return Key{KeyCode::Down, 0};
            case KEY_LEFT: return Key{KeyCode::Left, 0};
            case KEY_RIGHT: return Key{KeyCode::Right, 0};
            case KEY_HOME: return Key{KeyCode::Home, 0};
            case KEY_END: return Key{KeyCode::End, 0};
            case KEY_PPAGE: return Key{KeyCode::PageUp, 0};
            case KEY_NPAGE: return Key{KeyCode::PageDown, 0};
            case KEY_BTAB: return Key{KeyCode::BackTab, 0};
            case KEY_ENTER: return Key{KeyCode::Enter, 0};
            case KEY_F(4): return Key{KeyCode::DropDown, 0};
            case KEY_RESIZE: return Key{KeyCode::Redraw, 0};
            default: return Key{KeyCode::Other, 0};
            }
        }
        switch (input) {
        case '\t': return Key{KeyCode::Tab, 0};
        case '\r':
        case '\n': return Key{KeyCode::Enter, 0};
        case 27: return Key{KeyCode::Escape, 0};
        case ' ': return Key{KeyCode::Space, 0};
        case 12:  // Ctrl-L
            clearok(curscr, TRUE);
            return Key{KeyCode::Redraw, 0};
        default:
            if (input < 0x20 || input == 0x7f)
                return Key{KeyCode::Other, 0};
            return Key{KeyCode::Character, static_cast<char32_t>(input)};
        }
    }
}

void Screen::Beep() { beep(); }

}  // namespace ilt
