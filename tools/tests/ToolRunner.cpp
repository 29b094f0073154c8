// What the tool's runners share on both systems.

#include "ToolRunner.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace layouttool::testing {

namespace fs = std::filesystem;

std::vector<std::string> ToolCommand(const std::vector<std::string>& arguments)
{
    std::vector<std::string> words{ToolPath()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return words;
}

ToolRun RunTool(const std::vector<std::string>& arguments, const fs::path& workingFolder, const std::string& input)
{
    return ToolProcess(ToolCommand(arguments), {workingFolder}, input).Wait();
}

std::string OnThisSystem(std::string path)
{
#if defined(_WIN32)
    for (char& c : path)
        c = c == '/' ? '\\' : c;
#endif
    return path;
}

void WriteTextFile(const fs::path& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
}

std::string ReadTextFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace layouttool::testing
