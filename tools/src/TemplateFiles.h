// TemplateFiles.h - writing a template into its folder DIR so that a failure
// or an interruption leaves DIR as it was, and so that nothing outside DIR is
// ever touched.
//
// DIR is reached one folder at a time from the current folder (or "/"), each
// opened relative to the one before, so its path is never handed to the
// system whole: a DIR the dialog reaches from a deep current folder is
// reached here too. Missing folders are made on the way.
//
// The new template is written into a staging folder made inside DIR
// (.layout-template-tool-XXXXXX, locked while its run lives), and only when it
// is complete moved into place by rename(), file by file where keyin.oskel or
// Layout already exists. Nothing is written or removed through a symbolic
// link: a keyin.oskel or Layout that is a link is refused, both folders are
// opened without following links, and every move and removal is made
// relative to them, so a link in place of one of the files is replaced or
// removed itself, never what it points to.
//
// Interrupted (SIGINT, SIGTERM, SIGHUP, SIGQUIT) while the template is
// written, the run removes the staging folder and the folders it made, then
// ends by the signal; the move into place and the clean-up are never
// interrupted halfway. A staging folder that a run killed outright left
// behind is no longer locked: the next run into DIR removes it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FileDescriptor.h"

namespace layouttool {

enum class TemplateFormat { k2007, k2005 };

class TemplateWrite {
public:
    // Makes the folder `folder` (a native path, relative or absolute) ready
    // to receive a template of `format`. A missing folder is created with its
    // missing parents; an empty one is used as it is. A folder that holds
    // anything (stale staging folders aside) is refused unless `replace` is
    // set; then the files of both formats that this tool writes will be
    // replaced or removed (and keyin.oskel and Layout when that leaves them
    // empty), and nothing else is touched. Nothing, with *error naming
    // `shownFolder`, when the folder cannot be used.
    static std::unique_ptr<TemplateWrite> Begin(const std::string& folder, const std::string& shownFolder,
                                                TemplateFormat format, bool replace, std::string& error);

    // Removes the staging folder and, unless committed, the folders Begin made.
    ~TemplateWrite();
    TemplateWrite(const TemplateWrite&) = delete;
    TemplateWrite& operator=(const TemplateWrite&) = delete;

    // DIR, open; the staging folder's name in it. The template is to be
    // written into the staging folder as if it were DIR.
    int FolderHandle() const { return m_folderHandle.Get(); }
    const std::string& StagingName() const { return m_stagingName; }
    // A writer's message with the staging folder named as DIR.
    std::string AsWrittenInFolder(std::string message) const;

    // Moves the written template into place, then removes the files of the
    // other format. False, with *error, when a move or removal fails.
    bool Commit(std::string& error);

    // What an interruption removes; only calls that are safe in a signal
    // handler.
    void RemoveOnInterrupt() const noexcept;

private:
    TemplateWrite() = default;

    // A folder that Begin made: the folder it was made in, and its name.
    struct MadeFolder {
        FileDescriptor parent;
        std::string name;
    };

    TemplateFormat m_format = TemplateFormat::k2007;
    std::string m_shownFolder;
    std::vector<MadeFolder> m_made;  // outermost first
    FileDescriptor m_folderHandle;
    FileDescriptor m_keyinOskel;  // DIR/keyin.oskel when it exists
    FileDescriptor m_layout;      // DIR/Layout when it exists
    FileDescriptor m_staging;     // locked while this run lives
    std::string m_stagingName;
    bool m_committed = false;
};

}  // namespace layouttool
