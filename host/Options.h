// Command line of import-layout-template.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ilt {

struct DriveMapping {
    char letter = 'A';   // upper case
    std::string folder;  // as given; made absolute by the caller
};

struct Options {
    std::optional<std::string> centralLibrary;  // exactly as given
    std::vector<DriveMapping> drives;
    std::optional<std::string> scriptPath;  // "-" for standard input
    std::optional<std::string> transcriptPath;
    bool raw = false;
    // Order in which folder listings deliver their entries: "filesystem" (the
    // default), "ascending" or "descending" by name, for reproducible runs.
    std::string listingOrder = "filesystem";
    bool help = false;
    bool version = false;
};

// Parses the arguments after the program name. False, with a message that
// names the offending argument in `error`, on a usage error.
//   {"--drive", "D=/srv"}        => drives {D, "/srv"}
//   {"--script=-"}               => scriptPath "-"
//   {"--", "-odd"}               => centralLibrary "-odd"
//   {"--drive", "DD=/x"}         => error
//   {"--drive", "D=/a", "--drive", "D=/b"} => error (a drive is mapped once)
//   {"a", "b"}                   => error (one central library at most)
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error);

// The text of --help.
extern const char kUsageText[];

}  // namespace ilt
