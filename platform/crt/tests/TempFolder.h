// A temporary native folder for the run-time's tests, removed with everything in it at the end.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace crt_test {

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "crt-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }

    // A file `relative` (with '/') holding `contents`; its native path.
    std::string MakeFile(const std::string& relative, const std::string& contents = "x") const
    {
        const std::filesystem::path path = path_ + "/" + relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << contents;
        if (!std::filesystem::is_regular_file(path))
            throw std::runtime_error("cannot create " + path.string());
        return path.string();
    }

    std::string MakeFolder(const std::string& relative) const
    {
        const std::string path = path_ + "/" + relative;
        std::filesystem::create_directories(path);
        return path;
    }

private:
    std::string path_;
};

}  // namespace crt_test
