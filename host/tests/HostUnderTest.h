// The host program that the end-to-end scenarios run: the Linux host built
// with them (the default), or the Windows host run under Wine, named by the
// environment:
//   ILT_HOST_EXE=<import-layout-template.exe>   the Windows host
//   ILT_WINE_RUN=<scripts/wine-run>             how it runs (a virtual display, drives)
//
// The scenarios map drive D: to their fixture folder; the Linux host maps it
// itself (--drive), under Wine the drive is a link of the prefix (wine-run --drive).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ilt::test {

class HostUnderTest {
public:
    static const HostUnderTest& Get();

    bool UnderWine() const { return !m_wineRun.empty(); }

    // The command line that runs the host with `arguments`, drive D: mapped to
    // `drive` unless it is empty; `window` when the run shows the dialog.
    std::vector<std::string> Command(const std::vector<std::string>& arguments, const std::filesystem::path& drive,
                                     bool window = true) const;

    // Arguments that make the order of folder listings reproducible: the Linux
    // host's stand-in lists in ascending name order on request; Wine lists a
    // folder sorted by name already (case ignored) and has no such option.
    std::vector<std::string> ReproducibleListing() const;

    // `path`, a file or folder under `drive`, as the host is given it on its
    // command line and in scripts: its native path on Linux, its path on D:
    // for the Windows host, whose native paths are Windows paths.
    std::string PathFor(const std::filesystem::path& path, const std::filesystem::path& drive) const;

    // `path` as the host names it natively, not through a drive: the Linux
    // path, or under Wine the path through Z:, where Wine maps "/".
    std::string NativePath(const std::filesystem::path& path) const;

    // The separator of the host's native paths: "/", or "\\" on Windows.
    std::string Separator() const { return UnderWine() ? "\\" : "/"; }

    // What the host printed, with line ends as on Linux (a Windows console
    // program ends its lines with CR LF).
    std::string Text(const std::string& output) const;

private:
    HostUnderTest();

    std::string m_program;
    std::string m_wineRun;
};

// `path`, under `drive`, as the dialog writes it with D: mapped to `drive`:
// "D:\lib\Templates".
std::string DrivePath(const std::filesystem::path& path, const std::filesystem::path& drive);

}  // namespace ilt::test
