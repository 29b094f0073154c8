// Runs a program with given standard input and collects what it wrote.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace ilt::test {

struct ProcessResult {
    int status = -1;  // the exit status; 128 + the signal when killed by one
    std::string out;
    std::string err;
};

// Runs argv[0] with the arguments, standard input read from `input`, in the
// folder `workFolder` (which also receives the captured output files). With
// `standardOutput`, standard output goes to that file instead (and `out` of
// the result stays empty).
ProcessResult RunProgram(const std::vector<std::string>& argv, const std::string& input,
                         const std::filesystem::path& workFolder,
                         const std::filesystem::path& standardOutput = std::filesystem::path());

// A program run with pipes on its standard input and output, as a program
// that drives it would: it writes a line when it has seen what it waits for.
// Standard error goes to a file. A program still running when the object goes
// is killed, with everything it started.
class DrivenProcess {
public:
    DrivenProcess(const std::vector<std::string>& argv, const std::filesystem::path& workFolder);
    ~DrivenProcess();
    DrivenProcess(const DrivenProcess&) = delete;
    DrivenProcess& operator=(const DrivenProcess&) = delete;

    // The next line of standard output (without its line end); false when the
    // output ended or nothing came for `seconds`.
    bool ReadLine(std::string& line, int seconds);
    void Write(const std::string& text);
    void CloseInput();
    // The exit status, once the program ends; killed after `seconds` (the
    // status of a kill, 128 + 9).
    int Wait(int seconds);
    std::string Errors() const;

private:
    pid_t m_child = -1;
    int m_input = -1;
    int m_output = -1;
    std::string m_pending;  // read, not yet a whole line
    std::filesystem::path m_errors;
};

// As RunProgram, with standard output a pipe whose reading end was closed
// before the program started (`| head -c1` once head has gone).
ProcessResult RunProgramIntoClosedPipe(const std::vector<std::string>& argv, const std::string& input,
                                       const std::filesystem::path& workFolder);

std::string ReadFile(const std::filesystem::path& path);
std::vector<std::string> ReadLines(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& contents);

}  // namespace ilt::test
