// Central libraries in a temporary folder.
#include "LibraryFixture.h"

#include <standin/corvane_writer.h>
#include <standin/oskel_writer.h>

#include <stdexcept>

namespace ilt::test {

namespace fs = std::filesystem;

const char LibraryFixture::k4LRows[] =
    R"([["1","TOP","Signal"],["2","GND","Plane"],["3","PWR","Plane"],["4","BOTTOM","Signal"]])";
const char LibraryFixture::k6LRows[] =
    R"([["1","SIGNAL_1","Signal"],["2","PLANE_2","Plane"],["3","SIGNAL_3","Signal"],)"
    R"(["4","SIGNAL_4","Signal"],["5","PLANE_5","Plane"],["6","SIGNAL_6","Signal"]])";

void LibraryFixture::Make4L(const fs::path& folder)
{
    namespace oskel = standin::oskel;
    // Metal numbers out of design order: the dialog sorts by them.
    const oskel::Description description = oskel::PcbDescription({
        oskel::ConductorLayer(1, "TOP", 1, "Signal"),
        oskel::OtherLayer(2, 1, "PREPREG_1_2"),
        oskel::ConductorLayer(3, "GND", 2, "Plane"),
        oskel::OtherLayer(4, 1, "CORE_2_3"),
        oskel::ConductorLayer(6, "BOTTOM", 4, "Signal"),
        oskel::OtherLayer(7, 1, "PREPREG_3_4"),
        oskel::ConductorLayer(8, "PWR", 3, "Plane"),
    });
    std::string error;
    if (!oskel::WriteOskel((folder / "keyin.oskel").string(), description, &error))
        throw std::runtime_error("cannot write the 4L template: " + error);
}

void LibraryFixture::MakeOneLayer(const fs::path& folder, const std::string& name, const std::string& usage)
{
    namespace oskel = standin::oskel;
    const oskel::Description description = oskel::PcbDescription({oskel::ConductorLayer(1, name, 1, usage)});
    std::string error;
    if (!oskel::WriteOskel((folder / "keyin.oskel").string(), description, &error))
        throw std::runtime_error("cannot write the one-layer template: " + error);
}

void LibraryFixture::Make6L(const fs::path& folder)
{
    namespace corvane = standin::corvane;
    corvane::Description description;
    const auto layer = [](int type, std::optional<int> number) {
        corvane::LayerDescription described;
        described.type = type;
        described.number = number;
        return described;
    };
    description.layers = {layer(1, 1), layer(2, std::nullopt), layer(0, 2), layer(2, std::nullopt),
                          layer(1, 3), layer(2, std::nullopt), layer(1, 4), layer(2, std::nullopt),
                          layer(0, 5), layer(2, std::nullopt), layer(1, 6)};
    fs::create_directories(folder.parent_path());
    std::string error;
    if (!corvane::Write2005Template(folder.string(), description, &error))
        throw std::runtime_error("cannot write the 6L template: " + error);
}

void LibraryFixture::MakeLayerless(const fs::path& folder)
{
    std::string error;
    if (!standin::oskel::WriteOskel((folder / "keyin.oskel").string(), standin::oskel::PcbDescription({}), &error))
        throw std::runtime_error("cannot write the layerless template: " + error);
}

}  // namespace ilt::test
