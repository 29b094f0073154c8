// Runs a program with given standard input and collects what it wrote.
#include "Process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace ilt::test {
namespace {

// Runs argv in `folder` (when given). Standard output goes to the file `out`,
// or with `outFd` >= 0 to that descriptor.
int Spawn(const std::vector<std::string>& argv, const std::filesystem::path& in, const std::filesystem::path& out,
          const std::filesystem::path& err, const std::filesystem::path& folder = std::filesystem::path(),
          int outFd = -1)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, in.c_str(), O_RDONLY, 0);
    if (outFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> arguments;
    for (const std::string& argument : argv)
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    pid_t child = 0;
    const int failed = posix_spawnp(&child, arguments[0], &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
        throw std::runtime_error("cannot run " + argv[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

ProcessResult RunProgram(const std::vector<std::string>& argv, const std::string& input,
                         const std::filesystem::path& workFolder, const std::filesystem::path& standardOutput)
{
    const std::filesystem::path in = workFolder / "stdin.txt";
    const std::filesystem::path out = standardOutput.empty() ? workFolder / "stdout.txt" : standardOutput;
    const std::filesystem::path err = workFolder / "stderr.txt";
    WriteFile(in, input);
    ProcessResult result;
    result.status = Spawn(argv, in, out, err, workFolder);
    if (standardOutput.empty())
        result.out = ReadFile(out);
    result.err = ReadFile(err);
    return result;
}

DrivenProcess::DrivenProcess(const std::vector<std::string>& argv, const std::filesystem::path& workFolder)
    : m_errors(workFolder / "stderr.txt")
{
    int input[2];
    int output[2];
    if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make pipes");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, m_errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, workFolder.c_str());
    // A group of its own, so that a kill reaches what it started (Wine's processes).
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::vector<char*> arguments;
    for (const std::string& argument : argv)
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    const int failed = posix_spawnp(&m_child, arguments[0], &actions, &attributes, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(input[0]);
    close(output[1]);
    m_input = input[1];
    m_output = output[0];
    if (failed != 0)
        throw std::runtime_error("cannot run " + argv[0]);
}

DrivenProcess::~DrivenProcess()
{
    CloseInput();
    if (m_output >= 0)
        close(m_output);
    if (m_child > 0) {
        kill(-m_child, SIGKILL);
        waitpid(m_child, nullptr, 0);
    }
}

bool DrivenProcess::ReadLine(std::string& line, int seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (;;) {
        const std::size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            line = m_pending.substr(0, end > 0 && m_pending[end - 1] == '\r' ? end - 1 : end);
            m_pending.erase(0, end + 1);
            return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || m_output < 0)
            return false;
        pollfd ready{m_output, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char buffer[4096];
        const ssize_t count = read(m_output, buffer, sizeof buffer);
        if (count <= 0) {
            close(m_output);
            m_output = -1;
            return false;
        }
        m_pending.append(buffer, static_cast<std::size_t>(count));
    }
}

void DrivenProcess::Write(const std::string& text)
{
    // A program that has ended takes no more: its pipe's end is not an error here.
    const sighandler_t previous = signal(SIGPIPE, SIG_IGN);
    if (m_input >= 0 && write(m_input, text.data(), text.size()) < 0)
        CloseInput();
    signal(SIGPIPE, previous);
}

void DrivenProcess::CloseInput()
{
    if (m_input >= 0)
        close(m_input);
    m_input = -1;
}

int DrivenProcess::Wait(int seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (waitpid(m_child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(-m_child, SIGKILL);
            waitpid(m_child, &status, 0);
            break;
        }
        usleep(20000);
    }
    m_child = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string DrivenProcess::Errors() const { return ReadFile(m_errors); }

ProcessResult RunProgramIntoClosedPipe(const std::vector<std::string>& argv, const std::string& input,
                                       const std::filesystem::path& workFolder)
{
    const std::filesystem::path in = workFolder / "stdin.txt";
    const std::filesystem::path err = workFolder / "stderr.txt";
    WriteFile(in, input);
    int ends[2];
    if (pipe(ends) != 0)
        throw std::runtime_error("cannot make a pipe");
    close(ends[0]);  // the reader is gone before the program writes
    ProcessResult result;
    try {
        result.status = Spawn(argv, in, {}, err, workFolder, ends[1]);
    } catch (...) {
        close(ends[1]);
        throw;
    }
    close(ends[1]);
    result.err = ReadFile(err);
    return result;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> ReadLines(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line))
        lines.push_back(line);
    return lines;
}

void WriteFile(const std::filesystem::path& path, const std::string& contents)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << contents;
}

}  // namespace ilt::test
