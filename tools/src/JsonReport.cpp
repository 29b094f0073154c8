// The shared parts of the JSON reports.

#include "JsonReport.h"

#include "Text.h"

namespace layouttool {

void WriteJsonHeader(JsonWriter& json, const char* command, const std::string& folder)
{
    json.Key("schemaVersion").Number(kJsonSchemaVersion);
    json.Key("tool").Utf8("layout-template-tool");
    json.Key("command").Utf8(command);
    WriteJsonName(json, "folder", folder, OutsideCodePage(folder));
}

void WriteJsonName(JsonWriter& json, const char* key, const std::string& name, const std::optional<std::string>& exact)
{
    const std::string utf8 = exact ? *exact : SystemToUtf8(name);
    json.Key(key).Utf8(utf8);
    if (!IsUtf8(utf8))
        json.Key(std::string(key) + "Bytes").Utf8(HexBytes(name));
}

void WriteJsonRows(JsonWriter& json, const std::vector<std::vector<std::string>>& rows)
{
    json.Key("rows").BeginArray();
    for (const std::vector<std::string>& row : rows) {
        json.BeginObject();
        json.Key("number").SystemText(row.size() > 0 ? row[0] : std::string());
        json.Key("layerName").SystemText(row.size() > 1 ? row[1] : std::string());
        json.Key("layerUsage").SystemText(row.size() > 2 ? row[2] : std::string());
        json.EndObject();
    }
    json.EndArray();
}

void WriteJsonFinding(JsonWriter& json, const char* key, const std::optional<Finding>& finding)
{
    json.Key(key);
    if (!finding) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("code").Utf8(finding->code);
    json.Key("text").SystemText(finding->text);
    json.Key("cause");
    if (finding->cause.empty())
        json.Null();
    else
        json.SystemText(finding->cause);
    json.EndObject();
}

}  // namespace layouttool
