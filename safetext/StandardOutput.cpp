// Standard output that tells whether everything written to it arrived.
#include "safetext/StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace ilt {

// Passes every write straight on to std::cout's own buffer (it keeps none of
// its own) and notes errno when one fails.
class StandardOutputCheck::RecordingBuffer : public std::streambuf {
public:
    explicit RecordingBuffer(std::streambuf* inner) : m_inner(inner) {}

    int FirstError() const { return m_error; }

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        errno = 0;
        const int_type written = m_inner->sputc(traits_type::to_char_type(c));
        if (traits_type::eq_int_type(written, traits_type::eof()))
            Record();
        return written;
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        errno = 0;
        const std::streamsize written = m_inner->sputn(text, count);
        if (written < count)
            Record();
        return written;
    }

    int sync() override
    {
        errno = 0;
        const int result = m_inner->pubsync();
        if (result != 0)
            Record();
        return result;
    }

private:
    void Record()
    {
        if (m_error == 0)
            m_error = errno != 0 ? errno : EIO;
    }

    std::streambuf* m_inner;
    int m_error = 0;
};

StandardOutputCheck::StandardOutputCheck()
    : m_buffer(std::make_unique<RecordingBuffer>(std::cout.rdbuf())), m_original(std::cout.rdbuf(m_buffer.get()))
{}

StandardOutputCheck::~StandardOutputCheck() { std::cout.rdbuf(m_original); }

bool StandardOutputCheck::Close(std::string& reason)
{
    std::cout.flush();
    int error = m_buffer->FirstError();
    errno = 0;
    if (std::fflush(stdout) != 0 && error == 0)
        error = errno != 0 ? errno : EIO;
    if (std::ferror(stdout) && error == 0)
        error = EIO;
#if !defined(_WIN32)
    // Some file systems report a lost write only when the file is closed;
    // closing a duplicate asks without leaving stdout closed under the C library.
    const int duplicate = ::dup(STDOUT_FILENO);
    if (duplicate >= 0 && ::close(duplicate) != 0 && error == 0)
        error = errno;
#endif
    if (error == 0)
        return true;
    reason = std::strerror(error);
    return false;
}

}  // namespace ilt
