// The fuzzing workspace: a temporary folder mapped as drive F:.

#include "FuzzWorkspace.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fuzz {

namespace fs = std::filesystem;

Workspace& Workspace::Get()
{
    static Workspace workspace;
    return workspace;
}

std::string Workspace::Native(const std::string& relative) const { return m_drive.Root().string() + "/" + relative; }

void Workspace::Write(const std::string& relative, const std::uint8_t* data, std::size_t size) const
{
    const fs::path path = Native(relative);
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!file.flush())
        Fail("cannot write " + path.string());
}

std::string Workspace::Read(const std::string& relative) const
{
    std::ifstream file(Native(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> Workspace::Entries(const std::string& relative) const
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(Native(relative), error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void Fail(const std::string& what)
{
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what.c_str());
    std::abort();
}

}  // namespace fuzz
