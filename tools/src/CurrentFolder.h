// CurrentFolder.h - the process's current folder moved into an open folder
// for a while, so that paths relative to it reach what that handle reaches.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include "FileDescriptor.h"

namespace layouttool {

class CurrentFolderIn {
public:
    explicit CurrentFolderIn(int folder)
        : m_previous(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)), m_entered(::fchdir(folder) == 0)
    {}
    // Back to the folder that was current before.
    ~CurrentFolderIn()
    {
        if (m_entered && m_previous.Valid())
            static_cast<void>(::fchdir(m_previous.Get()));
    }
    CurrentFolderIn(const CurrentFolderIn&) = delete;
    CurrentFolderIn& operator=(const CurrentFolderIn&) = delete;

    // False when the folder could not be entered (errno says why).
    bool Entered() const { return m_entered; }

private:
    FileDescriptor m_previous;
    bool m_entered;
};

}  // namespace layouttool
