// Reader of a "2007" template: the layers of kind 0 (those with a metal-layer
// number) of the design in keyin.oskel, in ascending metal-layer number, each
// with its "LAYER_USAGE" constraint. Failures are told to the user here.

#include "dialog/ImportLayoutTemplateDlg.h"

#include <map>
#include <string>
#include <utility>

#include "pathutil/PathUtil.h"
#include "StackupRow.h"

namespace {

// Layer name and usage, by metal-layer number; the first layer met for a
// number wins.
typedef std::map<int, std::pair<std::string, std::string> > LayerMap;

}  // namespace

int CImportLayoutTemplateDlg::DisplayStackUpFromOskel(CString templateName)
{
	Oskel::OskelPI client;
	Oskel::ProjectData project;

	std::string databasePath = m_templatesFolder;
	databasePath += "/";
	databasePath += (LPCSTR)templateName;
	databasePath += "/keyin.oskel";
	NormalizePath(databasePath);
	project.m_databasePath = databasePath.c_str();
	project.m_clientLabel = "Quillet_LT";

	Oskel::Result result = client.OpenOskel(project);
	if (!result)
	{
		AfxMessageBox("Can't open Layout Template database.", MB_OK | MB_ICONSTOP);
		client.CloseOskel();
		return 0;
	}

	Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
	result = client.GetSnapshotByName(snapshot, Oskel::String("PCB"));
	if (!result)
	{
		AfxMessageBox("Can't open Layout Template database.", MB_OK | MB_ICONSTOP);
		client.CloseOskel();
		return 0;
	}

	Oskel::ContainerT<const Oskel::ITrelConfig> config;
	if (!(*snapshot).GetTrelConfig(config, Oskel::String("PCB")))
	{
		AfxMessageBox("Can't open Layout Template database.", MB_OK | MB_ICONSTOP);
		client.CloseOskel();
		return 0;
	}

	if (!(*config).GetTrelDesign(m_design))
	{
		AfxMessageBox("Can't read TREL design from database.", MB_OK | MB_ICONSTOP);
		client.CloseOskel();
		return 0;
	}

	Oskel::IteratorT<const Oskel::ITrelLayer> layers;
	if (!(*m_design).GetIterLayers(layers))
	{
		AfxMessageBox("Can't get layers from database.", MB_OK | MB_ICONSTOP);
		client.CloseOskel();
		return 0;
	}

	LayerMap layerMap;
	Oskel::ContainerT<const Oskel::ITrelLayer> layer;
	Oskel::ContainerT<const Oskel::ITrelConstraint> usageConstraint;
	Oskel::String layerName;
	bool noLayers = true;

	if (layers.IsValid())
	{
		noLayers = false;
		while (layers.IsValid())
		{
			layer = *layers;

			// A layer that cannot be read ends the reader without a word;
			// the client object's destruction ends the connection.
			Oskel::ELayerType kind;
			if (!(*layer).GetType(kind))
				return 0;

			if (kind == Oskel::eConductorLayer)  // the kind with a metal-layer number
			{
				if (!(*layer).GetName(layerName))
					return 0;

				int metalNumber = 0;
				if (!(*layer).GetMetallicLayerNumber(metalNumber))
					return 0;

				std::pair<std::string, std::string> entry(layerName.c_str(), std::string());
				if ((*layer).GetConstraint(usageConstraint, "LAYER_USAGE"))
				{
					Oskel::String usage;
					Oskel::EConstraintType valueType;
					if ((*usageConstraint).GetValueByString(usage, valueType))
						entry.second = usage.c_str();
				}
				layerMap.insert(LayerMap::value_type(metalNumber, entry));
			}
			++layers;
		}
	}

	client.CloseOskel();

	if (noLayers)
	{
		CString message;
		message.Format("Layout template \"%s\" doesn't have any layers.", (LPCSTR)templateName);
		AfxMessageBox(message, MB_OK | MB_ICONSTOP);
		return 0;
	}

	int rows = 0;
	for (LayerMap::const_iterator it = layerMap.begin(); it != layerMap.end(); ++it)
	{
		AppendStackupRow(m_stackupList, rows, it->second.first.c_str(), it->second.second.c_str());
		++rows;
	}
	return 1;
}
