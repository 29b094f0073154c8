// Standard output that tells whether everything written to it arrived.
//
// A program whose result goes to a full disk or a closed pipe must not end
// as if it had succeeded. While an object of this class lives, std::cout
// writes through a buffer that keeps the reason (errno) of the first write
// that failed; Close() then flushes standard output, as closing it would, and
// says whether anything was lost.
#pragma once

#include <memory>
#include <streambuf>
#include <string>

namespace ilt {

class StandardOutputCheck {
public:
    StandardOutputCheck();
    ~StandardOutputCheck();  // puts std::cout's own buffer back
    StandardOutputCheck(const StandardOutputCheck&) = delete;
    StandardOutputCheck& operator=(const StandardOutputCheck&) = delete;

    // Flushes standard output and asks the file system, as a close does; false,
    // with the reason ("No space left on device"), when anything written was
    // lost. Nothing should be written to standard output afterwards.
    bool Close(std::string& reason);

private:
    class RecordingBuffer;
    std::unique_ptr<RecordingBuffer> m_buffer;
    std::streambuf* m_original;
};

}  // namespace ilt
