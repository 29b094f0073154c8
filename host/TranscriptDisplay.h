// The transcript of a run on the stand-in display: what passes through it is
// written as transcript events.
#pragma once

#include <windows.h>
#include <standin/display.h>

#include <map>
#include <optional>

#include "Transcript.h"
#include "OpenWindows.h"

namespace ilt {

// Writes the transcript events of what passes through it, then hands each
// call on to the display that does the work (script player or terminal).
class TranscriptDisplay : public standin::Display {
public:
    TranscriptDisplay(standin::Display& inner, TranscriptWriter& writer) : m_inner(inner), m_writer(writer) {}

    std::optional<standin::Action> WaitForAction(HWND active) override;
    void Notify(const standin::Event& event) override;

private:
    standin::Display& m_inner;
    TranscriptWriter& m_writer;
    std::map<HWND, MessageBoxInfo> m_openBoxes;
};

}  // namespace ilt
