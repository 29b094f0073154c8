// The contents of a loaded Corvane.cvn that the client answers from, and how they are read.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

// What one [Layer i] section holds, values as written (trimmed).
struct CorvaneLayerValues {
    std::optional<std::string> type;
    std::optional<std::string> number;
};

struct CorvaneDocument {
    std::optional<std::string> layerCount;     // [Corvane] LayerCount
    std::map<int, CorvaneLayerValues> layers;  // [Layer i] by i
};

namespace corvane {

// Reads the file that the caller's path names (a Windows path: on Linux translated by the crt
// stand-in, on Windows in the ANSI code page) into `document`; CORVANE_S_OK or the status of the
// first failure.
long ReadDocumentFile(const std::string& callerPath, CorvaneDocument* document);

// Parses the text of a whole file: INI syntax, then [Corvane] with Version = 1.
long ParseDocument(std::string_view text, CorvaneDocument* document);

// A decimal int with an optional sign and nothing else: "7", "+7", "-7", "007".
// Fails for "", "0x1", "1.0", "1x", "+-1", "1 2" and values outside int.
bool ParseDecimalInt(std::string_view text, int* value);

}  // namespace corvane
