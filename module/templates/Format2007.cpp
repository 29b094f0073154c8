// The "2007" format: a template whose keyin.oskel\sids is a file keeps its
// design in the database keyin.oskel, read through the OskelPI client. The
// probe asks for the snapshot "PCB" and its Trel configuration "PCB"; the
// reader walks the design's layers and keeps those of kind 0, the layers with
// a metal-layer number. Every failure to read the database is told to the
// user here.

#include "templates/TemplateFormats.h"

#include <map>
#include <string>
#include <utility>

#include "pathutil/PathUtil.h"
#include "StackupRowWriter.h"

namespace {

const char kCannotOpen[] = "Can't open Layout Template database.";
const char kCannotReadDesign[] = "Can't read TREL design from database.";
const char kCannotGetLayers[] = "Can't get layers from database.";

// Opens the design database keyin.oskel of a template's folder.
Oskel::Result OpenDatabase(Oskel::OskelPI& client, const std::string& templateFolder)
{
	std::string databasePath = templateFolder + "/keyin.oskel";
	NormalizePath(databasePath);
	Oskel::ProjectData project;
	project.m_databasePath = databasePath.c_str();
	project.m_clientLabel = "Quillet_LT";
	return client.OpenOskel(project);
}

TemplateProbeResult Verdict(TemplateVerdict verdict)
{
	TemplateProbeResult result;
	result.format = &kFormat2007;
	result.verdict = verdict;
	return result;
}

// Layer name and usage by metal-layer number; the first layer met for a
// number wins.
typedef std::map<int, std::pair<std::string, std::string> > LayerMap;

// Reads the layer under the cursor and those after it. False when a layer's
// kind, name or metal-layer number cannot be read.
bool ReadLayers(Oskel::IteratorT<const Oskel::ITrelLayer>& cursor, LayerMap& layers)
{
	Oskel::ContainerT<const Oskel::ITrelLayer> layer;
	Oskel::ContainerT<const Oskel::ITrelConstraint> usageConstraint;
	Oskel::String layerName;
	do
	{
		layer = *cursor;

		Oskel::ELayerType kind;
		if (!(*layer).GetType(kind))
			return false;

		if (kind == Oskel::eConductorLayer)  // the kind with a metal-layer number
		{
			if (!(*layer).GetName(layerName))
				return false;

			int metalNumber = 0;
			if (!(*layer).GetMetallicLayerNumber(metalNumber))
				return false;

			// A usage that is missing or cannot be read leaves the column empty.
			std::pair<std::string, std::string> entry(layerName.c_str(), std::string());
			if ((*layer).GetConstraint(usageConstraint, "LAYER_USAGE"))
			{
				Oskel::String usage;
				Oskel::EConstraintType valueType;
				if ((*usageConstraint).GetValueByString(usage, valueType))
					entry.second = usage.c_str();
			}
			layers.insert(LayerMap::value_type(metalNumber, entry));
		}
		++cursor;
	} while (cursor.IsValid());
	return true;
}

// A step of the database failed: the user is told, then the database is
// closed (a failed open is closed as well, which the client allows).
int TellAndClose(Oskel::OskelPI& client, StackupOutput& output, const char* message)
{
	output.ShowMessage(message);
	client.CloseOskel();
	return 0;
}

// The marker <templateFolder>\keyin.oskel\sids is a regular file; its
// contents are not read.
bool IsTemplate2007(const std::string& templateFolder)
{
	std::string marker = templateFolder + "/keyin.oskel/sids";
	NormalizePath(marker);
	return IsFile(marker);
}

// The handles, the record and the client object are released in the reverse
// order of their creation; CloseOskel is called only on success, after the
// caller has taken note.
TemplateProbeResult ProbeTemplate2007(const std::string& templateFolder, const AcceptedCallback& onAccepted)
{
	Oskel::OskelPI client;
	if (!OpenDatabase(client, templateFolder))
		return Verdict(TemplateVerdict::DatabaseDoesNotOpen);

	Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
	if (!client.GetSnapshotByName(snapshot, Oskel::String("PCB")))
		return Verdict(TemplateVerdict::NoSnapshotPCB);

	Oskel::ContainerT<const Oskel::ITrelConfig> config;
	if (!(*snapshot).GetTrelConfig(config, Oskel::String("PCB")))
		return Verdict(TemplateVerdict::NoConfigPCB);

	if (onAccepted)
		onAccepted();
	client.CloseOskel();
	return Verdict(TemplateVerdict::Valid);
}

// The layers of kind 0 in ascending metal-layer number, each with its usage.
int ReadStackup2007(const std::string& templatesFolder, const std::string& templateName, StackupOutput& output)
{
	Oskel::OskelPI client;
	if (!OpenDatabase(client, templatesFolder + "/" + templateName))
		return TellAndClose(client, output, kCannotOpen);

	Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
	if (!client.GetSnapshotByName(snapshot, Oskel::String("PCB")))
		return TellAndClose(client, output, kCannotOpen);

	Oskel::ContainerT<const Oskel::ITrelConfig> config;
	if (!(*snapshot).GetTrelConfig(config, Oskel::String("PCB")))
		return TellAndClose(client, output, kCannotOpen);

	Oskel::ContainerT<const Oskel::ITrelDesign>& design = output.Design();
	if (!(*config).GetTrelDesign(design))
		return TellAndClose(client, output, kCannotReadDesign);

	Oskel::IteratorT<const Oskel::ITrelLayer> cursor;
	if (!(*design).GetIterLayers(cursor))
		return TellAndClose(client, output, kCannotGetLayers);

	if (!cursor.IsValid())
	{
		client.CloseOskel();
		const std::string message = "Layout template \"" + templateName + "\" doesn't have any layers.";
		output.ShowMessage(message.c_str());
		return 0;
	}

	// A layer that cannot be read ends the reader without a word; the client
	// object's destruction ends the connection.
	LayerMap layers;
	if (!ReadLayers(cursor, layers))
		return 0;
	client.CloseOskel();

	// The rows are written from the map alone, once the database is closed.
	StackupRowWriter rows(output);
	for (const LayerMap::value_type& layer : layers)
		rows.Append(layer.second.first, layer.second.second);
	return 1;
}

}  // namespace

const TemplateFormat kFormat2007 = { "2007", IsTemplate2007, ProbeTemplate2007, ReadStackup2007 };
