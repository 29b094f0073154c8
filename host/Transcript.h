// The transcript of a run: every event the user would see, one JSON object a
// line, in the order they happen, each line flushed as it is written.
//
//   {"event":"messagebox","type":16,"text":"...","answer":1}
//   {"event":"browser","title":"...","root":"..."}
//   {"event":"enableok","path":"...","enabled":true}
//   {"event":"shown"}
//   {"event":"state","caption":"...","central":"...","constraint":"...","format":"...",
//    "templates":["4L","6L"],"selected":"4L","rows":[["1","TOP","Signal"]]}
//   {"event":"end","result":1}
//   {"event":"path","value":"..."}
#pragma once

#include <windows.h>

#include <iosfwd>
#include <string>

#include "dialogstate/DialogState.h"

namespace ilt {

class TranscriptWriter {
public:
    explicit TranscriptWriter(std::ostream& out) : m_out(out) {}

    void MessageBox(UINT style, const std::string& text, INT_PTR answer);
    void Browser(const std::string& title, const std::string& root);
    void EnableOk(const std::string& path, bool enabled);
    void Shown();
    void State(const DialogState& state);
    void End(INT_PTR result);
    void Path(const std::string& value);

    // 0 while every line was written; otherwise the errno of the first write
    // that failed (no line is written after it).
    int WriteError() const { return m_writeError; }

private:
    void Line(const std::string& json);

    std::ostream& m_out;
    int m_writeError = 0;
};

}  // namespace ilt
