// Fuzz target: the design-database client OskelPI on mutated design.db files,
// called exactly as the dialog's 2007 reader calls it (open, snapshot "PCB",
// configuration "PCB", design, layers, and every call on every layer), then
// the dialog's own start-up and 2007 reader on the same database.
//
// Besides crashes and sanitizer reports, it stops on a broken promise of the
// client: a connection left open, a design handle that answers differently
// once the database is closed, or anything written beside or into the
// database.

#include <standin/oskel.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "DialogRun.h"
#include "FuzzWorkspace.h"
#include <OskelPI.h>

namespace {

const char kDatabaseFolder[] = "lib/Templates/Layout/T/keyin.oskel";
const char kDatabasePath[] = "F:\\lib\\Templates\\Layout\\T\\keyin.oskel";

// What one layer answers; an absent value is a failed call.
struct LayerAnswers {
    std::optional<int> type;
    std::optional<std::string> name;
    std::optional<int> metalNumber;
    bool hasUsage = false;
    std::optional<std::pair<std::string, int>> usage;

    bool operator==(const LayerAnswers& other) const
    {
        return std::tie(type, name, metalNumber, hasUsage, usage) ==
               std::tie(other.type, other.name, other.metalNumber, other.hasUsage, other.usage);
    }
};

LayerAnswers AskLayer(const Oskel::ITrelLayer& layer)
{
    LayerAnswers answers;
    Oskel::ELayerType type = Oskel::eConductorLayer;
    if (layer.GetType(type))
        answers.type = type;
    Oskel::String name;
    if (layer.GetName(name))
        answers.name = name.c_str();
    int number = 0;
    if (layer.GetMetallicLayerNumber(number))
        answers.metalNumber = number;

    Oskel::ContainerT<const Oskel::ITrelConstraint> usage;
    answers.hasUsage = static_cast<bool>(layer.GetConstraint(usage, "LAYER_USAGE"));
    if (answers.hasUsage) {
        Oskel::String value;
        Oskel::EConstraintType valueType = Oskel::eStringConstraint;
        if ((*usage).GetValueByString(value, valueType))
            answers.usage = std::make_pair(std::string(value.c_str()), static_cast<int>(valueType));
    }
    Oskel::ContainerT<const Oskel::ITrelConstraint> unnamed;
    if (layer.GetConstraint(unnamed, nullptr))
        fuzz::Fail("GetConstraint found a constraint without a name");
    return answers;
}

std::optional<std::vector<LayerAnswers>> AskDesign(const Oskel::ContainerT<const Oskel::ITrelDesign>& design)
{
    Oskel::IteratorT<const Oskel::ITrelLayer> layers;
    if (!(*design).GetIterLayers(layers))
        return std::nullopt;
    std::vector<LayerAnswers> answers;
    for (; layers.IsValid(); ++layers) {
        const Oskel::ContainerT<const Oskel::ITrelLayer> layer = *layers;
        answers.push_back(AskLayer(*layer));
    }
    return answers;
}

void ReadThroughTheClient()
{
    Oskel::ContainerT<const Oskel::ITrelDesign> design;
    std::optional<std::vector<LayerAnswers>> whileOpen;
    {
        Oskel::OskelPI client;
        Oskel::ProjectData project;
        project.m_databasePath = kDatabasePath;
        project.m_clientLabel = "Quillet_LT";
        Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
        Oskel::ContainerT<const Oskel::ITrelConfig> config;
        if (client.OpenOskel(project) && client.GetSnapshotByName(snapshot, Oskel::String("PCB")) &&
            (*snapshot).GetTrelConfig(config, Oskel::String("PCB")) && (*config).GetTrelDesign(design))
            whileOpen = AskDesign(design);
        client.CloseOskel();
        if (standin::oskel::OpenConnectionCount() != 0)
            fuzz::Fail("CloseOskel left the connection open");

        // A snapshot or configuration reaches no further once closed.
        Oskel::ContainerT<const Oskel::ITrelConfig> lateConfig;
        Oskel::ContainerT<const Oskel::ITrelDesign> lateDesign;
        if ((*snapshot).GetTrelConfig(lateConfig, Oskel::String("PCB")) || (*config).GetTrelDesign(lateDesign))
            fuzz::Fail("a closed database was still read");
    }

    // The design outlives the close and its client, as the dialog's m_design does.
    if (AskDesign(design) != whileOpen)
        fuzz::Fail("the design answered differently after the database was closed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::Workspace& workspace = fuzz::Workspace::Get();
    const std::string folder = kDatabaseFolder;
    static const bool prepared = [&] {
        workspace.Write(folder + "/sids", nullptr, 0);
        return true;
    }();
    (void)prepared;

    workspace.Write(folder + "/design.db", data, size);

    ReadThroughTheClient();
    fuzz::RunDialogWithoutInput("F:\\lib");

    if (workspace.Entries(folder) != std::vector<std::string>{"design.db", "sids"})
        fuzz::Fail("a file appeared beside design.db");
    if (workspace.Read(folder + "/design.db") != std::string(reinterpret_cast<const char*>(data), size))
        fuzz::Fail("design.db was changed by reading it");
    return 0;
}
