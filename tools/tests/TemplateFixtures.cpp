// Template fixtures for the tool's tests.

#include "TemplateFixtures.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <testsupport/TempFolder.h>

namespace layouttool::testing {

namespace fs = std::filesystem;

void Write2007(const fs::path& folder, const standin::oskel::Description& description)
{
    std::string error;
    ASSERT_TRUE(standin::oskel::WriteOskel(testsupport::AnsiPath(folder / "keyin.oskel"), description, &error))
        << error;
}

void Write2005(const fs::path& folder, const std::vector<std::string>& extraLines)
{
    fs::create_directories(folder);
    standin::corvane::Description description;
    description.layers.push_back({1, 1});
    description.extraLines = extraLines;
    std::string error;
    ASSERT_TRUE(standin::corvane::Write2005Template(testsupport::AnsiPath(folder), description, &error)) << error;
}

void Write2005Lines(const fs::path& folder, int layerCount, const std::vector<std::string>& lines)
{
    fs::create_directories(folder);
    standin::corvane::Description description;
    description.layerCount = layerCount;
    description.extraLines = lines;
    std::string error;
    ASSERT_TRUE(standin::corvane::Write2005Template(testsupport::AnsiPath(folder), description, &error)) << error;
}

void PatchHeader(const fs::path& database, std::streamoff offset, unsigned value)
{
    std::fstream file(database, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(offset);
    const char bytes[] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    file.write(bytes, 4);
    ASSERT_TRUE(file.good());
}

#if !defined(_WIN32)
void MakeSocket(const fs::path& path)
{
    // Bound where its path fits a socket address, then moved into place.
    const testsupport::TempFolder shortFolder("s");
    const fs::path bound = shortFolder.Root() / "s";
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(bound.string().size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, bound.c_str());
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(socket, 0);
    const int bindResult = ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(socket);
    ASSERT_EQ(0, bindResult);
    fs::rename(bound, path);
}

#endif

std::vector<std::string> SortedLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace layouttool::testing
