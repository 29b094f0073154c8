// An owned file descriptor (POSIX, or the C run-time's on Windows), closed on destruction.
#pragma once

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace corvane {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

    // Closes now; false when close reports an error (for a written file: data may be lost).
    bool Close()
    {
        if (m_fd < 0)
            return true;
        const int fd = m_fd;
        m_fd = -1;
#if defined(_WIN32)
        return ::_close(fd) == 0;
#else
        return ::close(fd) == 0;
#endif
    }

private:
    int m_fd;
};

}  // namespace corvane
