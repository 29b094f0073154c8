// TemplateFiles.h - writing a template into its folder DIR so that a failure
// or an interruption leaves DIR as it was, and so that nothing outside DIR is
// ever touched.
//
// The new template is written into a staging folder made inside DIR
// (.layout-template-tool-XXXXXX, locked while its run lives), and only when it
// is complete moved into place, file by file where keyin.oskel or Layout
// already exists. Nothing is written or removed through a link: a keyin.oskel
// or Layout that is one is refused, and a link in place of one of the files
// is replaced or removed itself, never what it points to. A staging folder
// that a run killed outright left behind is no longer locked: the next run
// into DIR removes it.
//
// Linux (TemplateFilesPosix.cpp): DIR is reached one folder at a time from
// the current folder (or "/"), each opened relative to the one before, so its
// path is never handed to the system whole; keyin.oskel and Layout are opened
// without following links, and every move and removal is made relative to
// them. The staging folder is locked with flock().
//
// Windows (TemplateFilesWindows.cpp): DIR, keyin.oskel and Layout are held
// open without delete sharing, so that none of them can be renamed, removed
// or replaced by a link while the template is written; a junction or symbolic
// link (a reparse point) is refused where Linux refuses a symbolic link, and
// so are files that are read-only or held open without sharing, which could
// not be replaced. Moves are MoveFileEx replacements. The staging folder is
// locked by a file in it that is open without sharing and goes when the run
// ends, however it ends.
#pragma once

#include <functional>
#include <memory>
#include <string>

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
    virtual ~TemplateWrite() = default;

    // Runs `step` with the path of the staging folder, into which the
    // template is to be written as if it were DIR, in the form the writers
    // and the dialog's code take; returns what `step` returns.
    virtual bool InStaging(const std::function<bool(const std::string& stagingFolder)>& step) = 0;

    // A writer's message with the staging folder named as DIR.
    virtual std::string AsWrittenInFolder(std::string message) const = 0;

    // Moves the written template into place, then removes the files of the
    // other format. False, with *error, when a move or removal fails.
    virtual bool Commit(std::string& error) = 0;
};

}  // namespace layouttool
