// TemplateFiles.h - writing a template into its folder DIR so that a failure
// leaves DIR as it was, and so that nothing outside DIR is ever touched.
//
// The new template is written into a staging folder made inside DIR, and only
// when it is complete moved into place by rename(), file by file where
// keyin.oskel or Layout already exists. Nothing is written or removed through
// a symbolic link: a keyin.oskel or Layout that is a link is refused, both
// folders are opened without following links, and every move and removal is
// made relative to them, so a link in place of one of the files is replaced
// or removed itself, never what it points to.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "FileDescriptor.h"

namespace layouttool {

enum class TemplateFormat { k2007, k2005 };

class TemplateWrite {
public:
    // Makes `folder` ready to receive a template of `format`. A missing folder
    // is created with its missing parents; an empty one is used as it is. A
    // folder that holds anything is refused unless `replace` is set; then the
    // files of both formats that this tool writes will be replaced or removed
    // (and keyin.oskel and Layout when that leaves them empty), and nothing
    // else is touched. Nothing, with *error naming `shownFolder`, when the
    // folder cannot be used.
    static std::unique_ptr<TemplateWrite> Begin(const std::filesystem::path& folder, const std::string& shownFolder,
                                                TemplateFormat format, bool replace, std::string& error);

    // Removes the staging folder and, unless committed, the folders Begin made.
    ~TemplateWrite();
    TemplateWrite(const TemplateWrite&) = delete;
    TemplateWrite& operator=(const TemplateWrite&) = delete;

    // The folder into which the template is to be written, as if it were DIR.
    const std::filesystem::path& StagingFolder() const { return m_staging; }
    // A writer's message with the staging folder named as DIR.
    std::string AsWrittenInFolder(std::string message) const;

    // Moves the written template into place, then removes the files of the
    // other format. False, with *error, when a move or removal fails.
    bool Commit(std::string& error);

private:
    TemplateWrite() = default;

    TemplateFormat m_format = TemplateFormat::k2007;
    std::filesystem::path m_folder;
    std::string m_shownFolder;
    std::optional<std::filesystem::path> m_createdTop;  // the topmost folder Begin created
    FileDescriptor m_folderHandle;
    FileDescriptor m_keyinOskel;  // DIR/keyin.oskel when it exists
    FileDescriptor m_layout;      // DIR/Layout when it exists
    std::filesystem::path m_staging;
    bool m_committed = false;
};

}  // namespace layouttool
