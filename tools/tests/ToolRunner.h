// ToolRunner.h - runs the built layout-template-tool in a child process and
// captures what it prints (its scratch files lie in testsupport::TempFolder
// folders; the templates it writes in a WorkFolder).
//
// On Windows the child's text is taken as it comes (the ANSI code page for
// text, UTF-8 for JSON), with each CR LF line end read as LF.
#pragma once

#include <testsupport/TempFolder.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace layouttool::testing {

struct ToolRun {
    int status = -1;  // exit status; -1 when the tool did not exit normally
    int signal = 0;   // the signal that ended the tool, when one did (Linux)
    std::string out;
    std::string err;
};

// A fresh folder for a test's templates, removed with everything in it on
// destruction: a temporary folder on Linux; on Windows a folder on the test
// run's drive (ILT_TEST_DRIVE, which scripts/wine-run maps), so that the tool
// works on a mapped drive as a librarian's does.
class WorkFolder {
public:
    WorkFolder();
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::filesystem::path& Root() const { return m_root; }

private:
    std::filesystem::path m_root;
};

// Where the tool starts: a folder named by its path, or (Linux) an open
// folder, one too deep to be named by a path.
struct StartFolder {
    std::filesystem::path path;
    int handle = -1;
};

// Where the tool's standard output goes: a scratch file read back into
// ToolRun::out, the file `path`, or the open descriptor `descriptor` (Linux).
struct StandardOutput {
    std::filesystem::path path;
    int descriptor = -1;
};

// The built tool: on Linux where the build put it, on Windows beside the
// test program (both in the build's bin folder).
std::string ToolPath();

// The tool's path followed by `arguments`.
std::vector<std::string> ToolCommand(const std::vector<std::string>& arguments);

// A started run of a program (`words`: its path and arguments, UTF-8), with
// the signals a shell leaves at their defaults (Linux); killed when dropped
// unwaited.
class ToolProcess {
public:
    ToolProcess(const std::vector<std::string>& words, const StartFolder& startFolder,
                const std::string& input = std::string(), const StandardOutput& output = StandardOutput());
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    // Sends `signal`, unless the run has ended (Linux).
    void Signal(int signal) const;
    // Whether the run has ended, without waiting.
    bool Ended();
    ToolRun Wait();

private:
    testsupport::TempFolder m_scratch;
    bool m_capture;
    std::intptr_t m_child = 0;  // Linux: the process id; Windows: the process handle
    bool m_ended = false;
    int m_waitStatus = 0;
};

// Runs the tool with `arguments` in the folder `workingFolder`, standard input
// read from `input`.
ToolRun RunTool(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                const std::string& input = std::string());

// The same, with standard output a pipe that nobody reads any more (the
// reader has closed it, as `| head -c1` does once it has its byte).
ToolRun RunToolIntoClosedPipe(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder);

#if !defined(_WIN32)
// The same, in the open folder `workingFolder`.
ToolRun RunToolIn(const std::vector<std::string>& arguments, int workingFolder);

// The same, with standard output sent to the file `standardOutput` (such as
// /dev/full); `out` of the result stays empty.
ToolRun RunToolWithOutputTo(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                            const std::filesystem::path& standardOutput);

// The same, with file permissions applying to the tool even when the tests
// run as root (whose override of them is dropped). False, without running the
// tool, when that cannot be arranged.
bool RunToolBoundByPermissions(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                               ToolRun& run);

// The same, with no file the tool writes allowed to grow beyond `bytes`
// (the file-size limit, a multiple of 512), as on a full disk.
ToolRun RunToolWithFileSizeLimit(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                                 long bytes);
#endif

void WriteTextFile(const std::filesystem::path& path, const std::string& text);
std::string ReadTextFile(const std::filesystem::path& path);

// The system's name of a native path, as the module and the clients take it:
// on Linux with backslashes ("/tmp/x" => "\tmp\x"), on Windows as it is.
std::string SystemPathOf(const std::filesystem::path& path);

// A path written with '/' as the tool names it in messages on this system:
// on Windows with '\\'.
std::string OnThisSystem(std::string path);

// UTF-8 text as the tool's text output shows it: on Windows each character
// the ANSI code page cannot write as '?'; on Linux as it is.
std::string AsTextShowsIt(const std::string& utf8);

// Text in the ANSI code page (the tool's text output on Windows) as UTF-8;
// on Linux, where the code page is UTF-8, as it is.
std::string AnsiToUtf8(const std::string& text);

}  // namespace layouttool::testing
