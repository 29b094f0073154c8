// JSON text for the transcript.
#pragma once

#include <string>
#include <vector>

#include "safetext/JsonString.h"  // JsonString: one text, read as UTF-8 (the system's ANSI code page)

namespace ilt {

// ["a","b"]
std::string JsonStringArray(const std::vector<std::string>& items);

}  // namespace ilt
