// The transcript of a run.
#include "Transcript.h"

#include <cerrno>
#include <ostream>

#include "Json.h"

namespace ilt {

void TranscriptWriter::Line(const std::string& json)
{
    if (m_writeError != 0)
        return;
    errno = 0;
    m_out << json << '\n';
    m_out.flush();
    if (!m_out)
        m_writeError = errno != 0 ? errno : EIO;
}

void TranscriptWriter::MessageBox(UINT style, const std::string& text, INT_PTR answer)
{
    Line("{\"event\":\"messagebox\",\"type\":" + std::to_string(style) + ",\"text\":" + JsonString(text) +
         ",\"answer\":" + std::to_string(answer) + "}");
}

void TranscriptWriter::Browser(const std::string& title, const std::string& root)
{
    Line("{\"event\":\"browser\",\"title\":" + JsonString(title) + ",\"root\":" + JsonString(root) + "}");
}

void TranscriptWriter::EnableOk(const std::string& path, bool enabled)
{
    Line("{\"event\":\"enableok\",\"path\":" + JsonString(path) + ",\"enabled\":" + (enabled ? "true" : "false") + "}");
}

void TranscriptWriter::Shown() { Line("{\"event\":\"shown\"}"); }

void TranscriptWriter::State(const DialogState& state)
{
    std::string rows = "[";
    for (std::size_t i = 0; i < state.rows.size(); ++i) {
        if (i > 0)
            rows += ',';
        rows += JsonStringArray({state.rows[i][0], state.rows[i][1], state.rows[i][2]});
    }
    rows += ']';
    Line("{\"event\":\"state\",\"caption\":" + JsonString(state.caption) + ",\"central\":" + JsonString(state.central) +
         ",\"constraint\":" + JsonString(state.constraint) + ",\"format\":" + JsonString(state.format) +
         ",\"templates\":" + JsonStringArray(state.templates) + ",\"selected\":" + JsonString(state.selected) +
         ",\"rows\":" + rows + "}");
}

void TranscriptWriter::End(INT_PTR result) { Line("{\"event\":\"end\",\"result\":" + std::to_string(result) + "}"); }

void TranscriptWriter::Path(const std::string& value)
{
    Line("{\"event\":\"path\",\"value\":" + JsonString(value) + "}");
}

}  // namespace ilt
