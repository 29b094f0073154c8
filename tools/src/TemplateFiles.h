// TemplateFiles.h - the files that make a template of either format, and the
// preparation of a template folder for writing.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace layouttool {

// Makes `folder` ready to receive a template. A missing folder is created
// with its missing parents (the topmost one created goes to *createdTop); an
// empty one is used as it is. A folder that holds anything is refused unless
// `replace` is set; then the files of both formats that this tool writes are
// removed (and keyin.oskel and Layout when that leaves them empty), and
// nothing else is touched. False, with *error, when the folder cannot be
// used; `folder` names it in every message as the user gave it.
bool PrepareTemplateFolder(const std::filesystem::path& folder, const std::string& shownFolder, bool replace,
                           std::optional<std::filesystem::path>& createdTop, std::string& error);

// Removes what a failed write left: the whole of *createdTop when the folder
// was created, otherwise only the files this tool writes.
void CleanUpFailedWrite(const std::filesystem::path& folder,
                        const std::optional<std::filesystem::path>& createdTop);

}  // namespace layouttool
