// JsonReport.h - the parts that the JSON documents of `check --json` and
// `show --json` share. The schema is described in docs/tools.md; its version
// changes whenever a member changes its meaning or goes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CheckReport.h"
#include "JsonWriter.h"

namespace layouttool {

constexpr int kJsonSchemaVersion = 1;

// "schemaVersion", "tool", "command" and "folder" (the FOLDER or DIR given).
void WriteJsonHeader(JsonWriter& json, const char* command, const std::string& folder);

// `key` with a name or path in the system's text, or its exact UTF-8 form
// when given; when that is no valid UTF-8 (Linux: bytes a name may hold),
// "<key>Bytes" with its bytes in hexadecimal as well.
void WriteJsonName(JsonWriter& json, const char* key, const std::string& name, const std::optional<std::string>& exact);

// "rows": the stack-up rows as objects of "number", "layerName" and "layerUsage".
void WriteJsonRows(JsonWriter& json, const std::vector<std::vector<std::string>>& rows);

// `key` with a finding as an object of "code", "text" and "cause" (null when
// it has none), or null.
void WriteJsonFinding(JsonWriter& json, const char* key, const std::optional<Finding>& finding);

}  // namespace layouttool
