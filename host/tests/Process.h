// Runs a program with given standard input and collects what it wrote.
#pragma once

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

// As RunProgram, with standard output a pipe whose reading end was closed
// before the program started (`| head -c1` once head has gone).
ProcessResult RunProgramIntoClosedPipe(const std::vector<std::string>& argv, const std::string& input,
                                       const std::filesystem::path& workFolder);

// Runs a program and returns its exit status; its output goes to `log`.
int RunQuietly(const std::vector<std::string>& argv, const std::filesystem::path& log);

std::string ReadFile(const std::filesystem::path& path);
std::vector<std::string> ReadLines(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& contents);

}  // namespace ilt::test
