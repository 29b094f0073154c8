// Fixture of the CorvanePI tests: a temporary folder, files written into it, and a loaded database.
#pragma once

#include <CorvanePI.h>
#include <standin/corvane.h>
#include <testsupport/MappedFolder.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace corvane_test {

namespace fs = std::filesystem;
using testsupport::MappedFolder;

// A native path as the client takes it: the bytes on Linux, the ANSI code page on Windows.
inline std::string Text(const fs::path& path) { return testsupport::AnsiPath(path); }

inline void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

// Prints a status with its name when an assertion fails.
struct Status {
    long value;
    bool operator==(const Status& other) const { return value == other.value; }
};
inline std::ostream& operator<<(std::ostream& out, const Status& status)
{
    return out << standin::corvane::DescribeStatus(status.value);
}

struct TextCase {
    const char* what;
    std::string text;
    long expected;
};

// Every test starts without injected failures; tests that inject clear them again.
class CorvaneTest : public ::testing::Test {
protected:
    void SetUp() override { standin::corvane::ClearFailures(); }
    void TearDown() override { standin::corvane::ClearFailures(); }

    // Writes `text` as Corvane.cvn and loads it into m_db; the status of Load.
    long LoadText(const std::string& text)
    {
        const fs::path file = m_folder.Native() / "Corvane.cvn";
        WriteBytes(file, text);
        m_db = std::make_unique<CCorvane>();
        EXPECT_EQ(m_db->Init(), CORVANE_S_OK);
        return m_db->Load(Text(file).c_str(), 1);
    }

    // LoadText for each case, expecting its status.
    void ExpectLoadStatuses(const std::vector<TextCase>& cases)
    {
        for (const TextCase& c : cases) {
            SCOPED_TRACE(c.what);
            EXPECT_EQ(Status{LoadText(c.text)}, Status{c.expected});
        }
    }

    MappedFolder m_folder{"corvane"};
    std::unique_ptr<CCorvane> m_db;
};

}  // namespace corvane_test
