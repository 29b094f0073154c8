// ToolRunner.h - runs the built layout-template-tool in a child process and
// captures what it prints (its scratch files and the templates it writes lie in
// testsupport::TempFolder folders).
#pragma once

#include <sys/types.h>
#include <testsupport/TempFolder.h>

#include <filesystem>
#include <string>
#include <vector>

namespace layouttool::testing {

struct ToolRun {
    int status = -1;  // exit status; -1 when the tool did not exit normally
    int signal = 0;   // the signal that ended the tool, when one did
    std::string out;
    std::string err;
};

// Where the tool runs: a folder named by its path, or an open folder (one
// too deep to be named by a path).
struct WorkingFolder {
    std::filesystem::path path;
    int handle = -1;
};

// Where the tool's standard output goes: a scratch file read back into
// ToolRun::out, the file `path`, or the open descriptor `descriptor`.
struct StandardOutput {
    std::filesystem::path path;
    int descriptor = -1;
};

// The tool's path followed by `arguments`.
std::vector<std::string> ToolCommand(const std::vector<std::string>& arguments);

// A started run of a program (`words`: its path and arguments), with the
// signals a shell leaves at their defaults; killed when dropped unwaited.
class ToolProcess {
public:
    ToolProcess(const std::vector<std::string>& words, const WorkingFolder& workingFolder,
                const std::string& input = std::string(), const StandardOutput& output = StandardOutput());
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    // Sends `signal`, unless the run has ended.
    void Signal(int signal) const;
    // Whether the run has ended, without waiting.
    bool Ended();
    ToolRun Wait();

private:
    testsupport::TempFolder m_scratch;
    bool m_capture;
    pid_t m_child = 0;
    bool m_ended = false;
    int m_waitStatus = 0;
};

// Runs the tool with `arguments` in the folder `workingFolder`, standard input
// read from `input`.
ToolRun RunTool(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                const std::string& input = std::string());

// The same, in the open folder `workingFolder`.
ToolRun RunToolIn(const std::vector<std::string>& arguments, int workingFolder);

// The same, with standard output sent to the file `standardOutput` (such as
// /dev/full); `out` of the result stays empty.
ToolRun RunToolWithOutputTo(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                            const std::filesystem::path& standardOutput);

// The same, with standard output a pipe that nobody reads any more (the
// reader has closed it, as `| head -c1` does once it has its byte).
ToolRun RunToolIntoClosedPipe(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder);

// The same, with file permissions applying to the tool even when the tests
// run as root (whose override of them is dropped). False, without running the
// tool, when that cannot be arranged.
bool RunToolBoundByPermissions(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                               ToolRun& run);

// The same, with no file the tool writes allowed to grow beyond `bytes`
// (the file-size limit, a multiple of 512), as on a full disk.
ToolRun RunToolWithFileSizeLimit(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                                 long bytes);

void WriteTextFile(const std::filesystem::path& path, const std::string& text);
std::string ReadTextFile(const std::filesystem::path& path);

}  // namespace layouttool::testing
