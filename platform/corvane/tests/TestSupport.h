// Fixture of the CorvanePI tests: a temporary folder, files written into it, and a loaded database.
#pragma once

#include <CorvanePI.h>
#include <standin/corvane.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace corvane_test {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "corvane-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        // Tests may leave read-only folders behind; make them writable so they can go.
        for (const auto& entry : fs::recursive_directory_iterator(m_path, ignored)) {
            if (entry.is_directory(ignored)) fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

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
        const fs::path file = m_folder.path() / "Corvane.cvn";
        WriteBytes(file, text);
        m_db = std::make_unique<CCorvane>();
        EXPECT_EQ(m_db->Init(), CORVANE_S_OK);
        return m_db->Load(file.c_str(), 1);
    }

    // LoadText for each case, expecting its status.
    void ExpectLoadStatuses(const std::vector<TextCase>& cases)
    {
        for (const TextCase& c : cases) {
            SCOPED_TRACE(c.what);
            EXPECT_EQ(Status{LoadText(c.text)}, Status{c.expected});
        }
    }

    TempFolder m_folder;
    std::unique_ptr<CCorvane> m_db;
};

}  // namespace corvane_test
