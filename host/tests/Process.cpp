// Runs a program with given standard input and collects what it wrote.
#include "Process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace ilt::test {
namespace {

// Standard output goes to the file `out`, or with `outFd` >= 0 to that descriptor.
int Spawn(const std::vector<std::string>& argv, const std::filesystem::path& in, const std::filesystem::path& out,
          const std::filesystem::path& err, int outFd = -1)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
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
    result.status = Spawn(argv, in, out, err);
    if (standardOutput.empty())
        result.out = ReadFile(out);
    result.err = ReadFile(err);
    return result;
}

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
        result.status = Spawn(argv, in, {}, err, ends[1]);
    } catch (...) {
        close(ends[1]);
        throw;
    }
    close(ends[1]);
    result.err = ReadFile(err);
    return result;
}

int RunQuietly(const std::vector<std::string>& argv, const std::filesystem::path& log)
{
    return Spawn(argv, "/dev/null", log, log.string() + ".err");
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
