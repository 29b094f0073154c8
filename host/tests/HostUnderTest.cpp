// The host program that the end-to-end scenarios run.
#include "HostUnderTest.h"

#include <cstdlib>

namespace ilt::test {

namespace fs = std::filesystem;

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

const HostUnderTest& HostUnderTest::Get()
{
    static const HostUnderTest host;
    return host;
}

HostUnderTest::HostUnderTest() : m_program(Environment("ILT_HOST_EXE")), m_wineRun(Environment("ILT_WINE_RUN"))
{
    if (m_program.empty() || m_wineRun.empty()) {
        m_program = ILT_HOST_PROGRAM;
        m_wineRun.clear();
    }
}

std::vector<std::string> HostUnderTest::Command(const std::vector<std::string>& arguments, const fs::path& drive,
                                                bool window) const
{
    std::vector<std::string> command;
    if (UnderWine()) {
        command.push_back(m_wineRun);
        if (window)
            command.push_back("--gui");
        if (!drive.empty())
            command.insert(command.end(), {"--drive", "D=" + drive.string()});
        command.push_back(m_program);
    } else {
        command.push_back(m_program);
        if (!drive.empty())
            command.insert(command.end(), {"--drive", "D=" + drive.string()});
    }
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

std::vector<std::string> HostUnderTest::ReproducibleListing() const
{
    if (UnderWine())
        return {};
    return {"--listing-order", "ascending"};
}

std::string HostUnderTest::PathFor(const fs::path& path, const fs::path& drive) const
{
    return UnderWine() ? DrivePath(path, drive) : path.string();
}

std::string HostUnderTest::NativePath(const fs::path& path) const
{
    if (!UnderWine())
        return path.string();
    std::string windows = "Z:";
    for (const char c : path.string())
        windows += c == '/' ? '\\' : c;
    return windows;
}

std::string HostUnderTest::Text(const std::string& output) const
{
    if (!UnderWine())
        return output;
    std::string text;
    for (std::size_t i = 0; i < output.size(); ++i) {
        if (!(output[i] == '\r' && i + 1 < output.size() && output[i + 1] == '\n'))
            text += output[i];
    }
    return text;
}

std::string DrivePath(const fs::path& path, const fs::path& drive)
{
    std::string windows = "D:";
    for (const fs::path& part : path.lexically_relative(drive)) {
        if (part != ".")
            windows += "\\" + part.string();
    }
    return windows == "D:" ? "D:\\" : windows;
}

}  // namespace ilt::test
