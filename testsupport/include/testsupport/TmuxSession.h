// A terminal for the tests of programs people run in one (Linux): a tmux
// server of its own, in the test's folder, with one session running a shell
// command. Keys go in with send-keys; the screen comes back with capture-pane,
// and is read only once it has settled.
#pragma once

#if defined(_WIN32)
#error "TmuxSession.h is for the Linux build"
#endif

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// `text` as one word of the POSIX shell.
inline std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct TerminalSize {
    int columns = 80;
    int rows = 24;
};

class TmuxSession {
public:
    static constexpr std::chrono::seconds kPatience{30};

    explicit TmuxSession(std::filesystem::path folder)
        : m_folder(std::move(folder)), m_socket((m_folder / "tmux.sock").string())
    {}
    ~TmuxSession() { Stop(); }
    TmuxSession(const TmuxSession&) = delete;
    TmuxSession& operator=(const TmuxSession&) = delete;

    static bool Available() { return std::system("tmux -V >/dev/null 2>&1") == 0; }

    bool Start(const std::string& command, TerminalSize size = {})
    {
        ::unsetenv("TMUX");
        return Tmux({"new-session", "-d", "-s", kSession, "-x", std::to_string(size.columns), "-y",
                     std::to_string(size.rows), command}) == 0;
    }
    // Ends the server, and waits until it has gone: a new session must not
    // meet the old server on its way out.
    void Stop()
    {
        if (!std::filesystem::exists(m_socket))
            return;
        Tmux({"kill-server"});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (Tmux({"has-session"}) == 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::error_code ignored;
        std::filesystem::remove(m_socket, ignored);
    }
    void Resize(TerminalSize size)
    {
        Tmux({"resize-window", "-t", kSession, "-x", std::to_string(size.columns), "-y", std::to_string(size.rows)});
    }
    void Keys(const std::vector<std::string>& keys)
    {
        std::vector<std::string> arguments = {"send-keys", "-t", kSession};
        arguments.insert(arguments.end(), keys.begin(), keys.end());
        Tmux(arguments);
    }

    // What the pane's terminal is in, by tmux's format variables ("#{alternate_on}").
    std::string Format(const std::string& format)
    {
        std::string text = Answer({"display-message", "-p", "-t", kSession, format});
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text;
    }

    // Waits until the screen satisfies `ready` and has settled; the last
    // screen in *shown. A capture can fall between two reads tmux makes of
    // one write to the terminal and show half of it, so a screen counts only
    // when the next capture, a moment later, is the same. With `attributes`,
    // the screen holds the escape sequences of its attributes too (bold is
    // "\x1b[1m", dim "\x1b[2m").
    bool WaitForScreen(const std::function<bool(const std::string&)>& ready, std::string* shown,
                       bool attributes = false)
    {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        std::optional<std::string> candidate;
        do {
            *shown = attributes ? Answer({"capture-pane", "-p", "-e", "-t", kSession})
                                : Answer({"capture-pane", "-p", "-t", kSession});
            if (candidate == *shown)
                return true;
            candidate = ready(*shown) ? std::optional<std::string>(*shown) : std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(candidate ? 20 : 50));
        } while (std::chrono::steady_clock::now() < deadline);
        return false;
    }

private:
    static constexpr const char* kSession = "test";

    // Runs tmux on this server; what it writes goes to `output`, else to tmux.log.
    int Tmux(const std::vector<std::string>& arguments, const std::filesystem::path& output = {})
    {
        std::vector<std::string> words = {"tmux", "-u", "-f", "/dev/null", "-S", m_socket};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);

        const std::string log = (m_folder / "tmux.log").string();
        const std::string out = output.empty() ? log : output.string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(),
                                         O_WRONLY | O_CREAT | (output.empty() ? O_APPEND : O_TRUNC), 0644);
        posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        pid_t child = 0;
        const int spawned = posix_spawnp(&child, "tmux", &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0)
            return -1;
        int status = 0;
        pid_t waited = 0;
        do
            waited = waitpid(child, &status, 0);
        while (waited < 0 && errno == EINTR);
        return waited == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Answer(const std::vector<std::string>& arguments)
    {
        const std::filesystem::path answer = m_folder / "tmux-answer.txt";
        Tmux(arguments, answer);
        std::ifstream in(answer, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::filesystem::path m_folder;
    std::string m_socket;
};

}  // namespace testsupport
