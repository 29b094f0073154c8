// Running the tool binary on Linux: posix_spawn with its output sent to files.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <standin/crt.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "ToolRunner.h"

extern char** environ;

namespace layouttool::testing {

namespace fs = std::filesystem;

namespace {

ToolRun Spawn(const std::vector<std::string>& words, const StartFolder& startFolder, const std::string& input,
              const StandardOutput& output = StandardOutput())
{
    return ToolProcess(words, startFolder, input, output).Wait();
}

}  // namespace

std::string ToolPath() { return LAYOUT_TEMPLATE_TOOL; }

WorkFolder::WorkFolder()
{
    std::string pattern = (fs::temp_directory_path() / "layout-template-tool-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed for " + pattern);
    m_root = pattern;
}

WorkFolder::~WorkFolder() { testsupport::RemoveTree(m_root, false); }

ToolProcess::ToolProcess(const std::vector<std::string>& words, const StartFolder& startFolder,
                         const std::string& input, const StandardOutput& output)
    : m_scratch("layout-template-tool"), m_capture(output.path.empty() && output.descriptor < 0)
{
    const fs::path inputFile = m_scratch.Root() / "stdin";
    const fs::path outFile = output.path.empty() ? m_scratch.Root() / "stdout" : output.path;
    const fs::path errFile = m_scratch.Root() / "stderr";
    WriteTextFile(inputFile, input);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inputFile.c_str(), O_RDONLY, 0);
    if (output.descriptor >= 0)
        posix_spawn_file_actions_adddup2(&actions, output.descriptor, 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (startFolder.handle >= 0)
        posix_spawn_file_actions_addfchdir_np(&actions, startFolder.handle);
    else
        posix_spawn_file_actions_addchdir_np(&actions, startFolder.path.c_str());

    // The signals a shell leaves at their defaults, whatever the test program
    // does with them.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int signal : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaddset(&defaults, signal);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    std::vector<std::string> copies = words;
    std::vector<char*> argv;
    for (std::string& word : copies)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + words[0]);
    m_child = child;
}

ToolProcess::~ToolProcess()
{
    if (!m_ended) {
        ::kill(static_cast<pid_t>(m_child), SIGKILL);
        Wait();
    }
}

void ToolProcess::Signal(int signal) const
{
    if (!m_ended)
        ::kill(static_cast<pid_t>(m_child), signal);
}

bool ToolProcess::Ended()
{
    if (!m_ended && ::waitpid(static_cast<pid_t>(m_child), &m_waitStatus, WNOHANG) == m_child)
        m_ended = true;
    return m_ended;
}

ToolRun ToolProcess::Wait()
{
    while (!m_ended) {
        if (::waitpid(static_cast<pid_t>(m_child), &m_waitStatus, 0) == m_child || errno != EINTR)
            m_ended = true;
    }
    ToolRun run;
    run.status = WIFEXITED(m_waitStatus) ? WEXITSTATUS(m_waitStatus) : -1;
    run.signal = WIFSIGNALED(m_waitStatus) ? WTERMSIG(m_waitStatus) : 0;
    if (m_capture)
        run.out = ReadTextFile(m_scratch.Root() / "stdout");
    run.err = ReadTextFile(m_scratch.Root() / "stderr");
    return run;
}

ToolRun RunToolIn(const std::vector<std::string>& arguments, int workingFolder)
{
    StartFolder folder;
    folder.handle = workingFolder;
    return Spawn(ToolCommand(arguments), folder, std::string());
}

ToolRun RunToolWithOutputTo(const std::vector<std::string>& arguments, const fs::path& workingFolder,
                            const fs::path& standardOutput)
{
    return Spawn(ToolCommand(arguments), {workingFolder}, std::string(), {standardOutput});
}

ToolRun RunToolIntoClosedPipe(const std::vector<std::string>& arguments, const fs::path& workingFolder)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make a pipe");
    ::close(ends[0]);
    StandardOutput output;
    output.descriptor = ends[1];
    try {
        ToolRun run = Spawn(ToolCommand(arguments), {workingFolder}, std::string(), output);
        ::close(ends[1]);
        return run;
    } catch (...) {
        ::close(ends[1]);
        throw;
    }
}

bool RunToolBoundByPermissions(const std::vector<std::string>& arguments, const fs::path& workingFolder, ToolRun& run)
{
    if (::geteuid() != 0) {
        run = RunTool(arguments, workingFolder);
        return true;
    }
    // Root without the capabilities that override permissions.
    const std::vector<std::string> unprivileged = {"/usr/bin/setpriv", "--bounding-set=-dac_override,-dac_read_search"};
    std::vector<std::string> probe = unprivileged;
    probe.push_back("/bin/true");
    if (!fs::exists(unprivileged[0]) || Spawn(probe, {workingFolder}, std::string()).status != 0)
        return false;
    std::vector<std::string> words = unprivileged;
    words.push_back(LAYOUT_TEMPLATE_TOOL);
    words.insert(words.end(), arguments.begin(), arguments.end());
    run = Spawn(words, {workingFolder}, std::string());
    return true;
}

ToolRun RunToolWithFileSizeLimit(const std::vector<std::string>& arguments, const fs::path& workingFolder, long bytes)
{
    // The shell's ulimit counts in blocks of 512 bytes.
    std::vector<std::string> words{
        "/bin/sh", "-c", "ulimit -f " + std::to_string(bytes / 512) + " && exec \"$0\" \"$@\"", LAYOUT_TEMPLATE_TOOL};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return Spawn(words, {workingFolder}, std::string());
}

std::string SystemPathOf(const fs::path& path) { return standin::FromNativePath(path.string()); }

std::string AnsiToUtf8(const std::string& text) { return text; }

std::string AsTextShowsIt(const std::string& utf8) { return utf8; }

}  // namespace layouttool::testing
