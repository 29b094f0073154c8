// Reads a template's stack-up through the template library, keeping the rows
// and the messages that the dialog would show.

#include "ShownStackup.h"

#include "templates/TemplateFormats.h"

namespace layouttool {
namespace {

class KeptOutput : public StackupOutput {
public:
    explicit KeptOutput(ShownStackup& shown) : m_shown(shown) {}

    void AppendRow(const StackupRow& row) override
    {
        m_shown.rows.push_back({row.number, row.layerName, row.layerUsage});
    }
    void ShowMessage(const char* text) override { m_shown.messages.emplace_back(text); }
    Oskel::ContainerT<const Oskel::ITrelDesign>& Design() override { return m_design; }

private:
    ShownStackup& m_shown;
    Oskel::ContainerT<const Oskel::ITrelDesign> m_design;
};

}  // namespace

ShownStackup ShowStackup(const std::string& templatesFolder, const std::string& name)
{
    const TemplateFormat& format = FormatOfTemplate(templatesFolder + "/" + name);
    ShownStackup shown;
    shown.format = format.label;
    KeptOutput output(shown);
    shown.displayed = format.readStackup(templatesFolder, name, output) != 0;
    return shown;
}

}  // namespace layouttool
