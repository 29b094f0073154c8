// A temporary folder mapped as a drive for the path helpers' tests. Unmapping the drive and
// removing the folder with everything in it happen on destruction.
#pragma once

#include <standin/crt.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace pathutil_test {

class TempDir {
public:
    explicit TempDir(char drive = 'D') : drive_(drive)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pathutil-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        native_ = pattern;
        standin::MapDrive(drive_, native_);
    }
    ~TempDir()
    {
        standin::UnmapDrive(drive_);
        std::error_code ignored;
        std::filesystem::remove_all(native_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder as the system names it: "D:" plus a backslash and `relative` (written with '/').
    std::string Path(const std::string& relative = "") const
    {
        std::string path = std::string{drive_, ':', '\\'} + relative;
        for (char& c : path)
            c = c == '/' ? '\\' : c;
        return path;
    }

    std::string Native(const std::string& relative = "") const
    {
        return relative.empty() ? native_ : native_ + "/" + relative;
    }

    void MakeFile(const std::string& relative, const std::string& contents = "x") const
    {
        const std::filesystem::path path = Native(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << contents;
        if (!std::filesystem::is_regular_file(path))
            throw std::runtime_error("cannot create " + path.string());
    }

    void MakeFolder(const std::string& relative) const
    {
        std::filesystem::create_directories(Native(relative));
    }

private:
    char drive_;
    std::string native_;
};

}  // namespace pathutil_test
