// Fuzz target: the job-preferences client CorvanePI on arbitrary bytes of
// Corvane.cvn, called as the 2005 reader calls it, then the dialog's own 2005
// reader on the same file.
//
// Besides crashes and sanitizer reports, it stops on a broken promise of the
// client: an undocumented status, a layer found outside 1..LayerCount, a
// record that keeps values after a failed FindLayer, a count reported with a
// failure, or a change to the file it read.

#include <CorvanePI.h>

#include <standin/corvane.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "DialogRun.h"
#include "FuzzWorkspace.h"

namespace {

const char kTemplate[] = "lib/Templates/Layout/T/Layout/";
const char kCorvanePath[] = "F:\\lib\\Templates\\Layout\\T\\Layout\\Corvane.cvn";

// Each status is looked up once: a file of 100,000 layers asks for 400,000 of them.
void ExpectDocumented(long status, const char* call)
{
    static std::set<long> documented;
    if (documented.count(status) != 0)
        return;
    if (standin::corvane::DescribeStatus(status).rfind("unknown", 0) == 0)
        fuzz::Fail(std::string(call) + " returned the undocumented status " + std::to_string(status));
    documented.insert(status);
}

// A failed FindLayer empties the record: neither value can be read from it.
void CheckLayer(CCorvaneLayer& layer, int index, int count, long found)
{
    ExpectDocumented(found, "FindLayer");
    const bool inRange = index >= 1 && index <= count;
    if (!inRange && found == CORVANE_S_OK)
        fuzz::Fail("FindLayer found index " + std::to_string(index) + " of " + std::to_string(count));

    CCorvaneLayer::eLayerType type = CCorvaneLayer::eLayerPlane;
    int number = 0;
    const long typeStatus = layer.GetLayerTypeValue(&type);
    const long numberStatus = layer.GetLayerNumber(&number);
    ExpectDocumented(typeStatus, "GetLayerTypeValue");
    ExpectDocumented(numberStatus, "GetLayerNumber");
    if (found != CORVANE_S_OK && (typeStatus == CORVANE_S_OK || numberStatus == CORVANE_S_OK))
        fuzz::Fail("a record kept a value after a failed FindLayer");
}

void ReadThroughTheClient()
{
    CCorvane database;
    if (database.Init() != CORVANE_S_OK)
        fuzz::Fail("Init failed on a new object");

    const long loaded = database.Load(kCorvanePath, 1);
    ExpectDocumented(loaded, "Load");
    int count = -1;
    const long counted = database.GetLayerCount(&count);
    ExpectDocumented(counted, "GetLayerCount");
    if (counted != CORVANE_S_OK && count != 0)
        fuzz::Fail("a failed GetLayerCount left the count at " + std::to_string(count));
    if (counted == CORVANE_S_OK && (count < 0 || count > CORVANE_MAX_LAYER_COUNT))
        fuzz::Fail("GetLayerCount gave " + std::to_string(count));
    if (loaded != CORVANE_S_OK && counted == CORVANE_S_OK)
        fuzz::Fail("a layer count was read although the file did not load");

    // Every index the reader asks for, the two beside them and the extremes.
    CCorvaneLayer layer;
    for (int index = 0; index <= count + 1; ++index)
        CheckLayer(layer, index, count, database.FindLayer(&layer, index));
    for (const int index : {INT_MIN, -1, INT_MAX})
        CheckLayer(layer, index, count, database.FindLayer(&layer, index));

    database.Close();
    if (database.GetLayerCount(&count) == CORVANE_S_OK)
        fuzz::Fail("GetLayerCount answered after Close");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::Workspace& workspace = fuzz::Workspace::Get();
    static const bool prepared = [&] {
        // The three files that make the folder a 2005 template; never read.
        for (const char* name : {"Tamsett.tms", "Halloway.hlw", "Dunmere.dnm"})
            workspace.Write(std::string(kTemplate) + name, nullptr, 0);
        return true;
    }();
    (void)prepared;

    const std::string file = std::string(kTemplate) + "Corvane.cvn";
    workspace.Write(file, data, size);

    ReadThroughTheClient();
    fuzz::RunDialogWithoutInput("F:\\lib");

    if (workspace.Read(file) != std::string(reinterpret_cast<const char*>(data), size))
        fuzz::Fail("Corvane.cvn was changed by reading it");
    return 0;
}
