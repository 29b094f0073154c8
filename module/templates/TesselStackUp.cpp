// Reader of a "2005" template: the signal and plane layers of its
// job-preferences database Layout\Corvane.cvn, in the order of the layer
// indexes. Failures are not reported to the user here; the caller decides.

#include "dialog/ImportLayoutTemplateDlg.h"

#include <CorvanePI.h>

#include <cstdio>

#include "pathutil/PathUtil.h"
#include "StackupRow.h"

namespace {

// Name word (column 1) and display word (column 2) of the layer kinds shown.
struct TesselLayerKind
{
	CCorvaneLayer::eLayerType type;
	const char* nameWord;
	const char* usageWord;
};

const TesselLayerKind kShownKinds[] = {
	{ CCorvaneLayer::eLayerPlane, "PLANE", "Plane" },
	{ CCorvaneLayer::eLayerSignal, "SIGNAL", "Signal" },
};

const TesselLayerKind* FindShownKind(CCorvaneLayer::eLayerType type)
{
	for (const TesselLayerKind& kind : kShownKinds)
	{
		if (kind.type == type)
			return &kind;
	}
	return NULL;  // dielectric and any other kind take no row
}

}  // namespace

int CImportLayoutTemplateDlg::DisplayStackUpFromTessel(CString templateName)
{
	std::string path = m_templatesFolder;
	path += "/";
	path += (LPCSTR)templateName;
	path += "/";
	path += "Layout";
	path += "/";
	path += "Corvane.cvn";
	NormalizePath(path);

	CCorvane database;
	if (database.Init() != 0)
		return 0;

	if (database.Load(path.c_str(), 1) != 0)
	{
		database.Close();
		return 0;
	}

	CCorvaneLayer layer;
	int layerCount = 0;
	// A loaded database that cannot say how many layers it has is unreadable:
	// showing it as an empty stack-up would report a failure as success.
	if (database.GetLayerCount(&layerCount) != 0)
	{
		database.Close();
		return 0;
	}

	int rows = 0;
	for (int index = 1; index <= layerCount; ++index)
	{
		if (database.FindLayer(&layer, index) != 0)
			continue;

		CCorvaneLayer::eLayerType type;
		if (layer.GetLayerTypeValue(&type) != 0)
			continue;

		const TesselLayerKind* kind = FindShownKind(type);
		if (kind == NULL)
			continue;

		int number = 0;
		if (layer.GetLayerNumber(&number) != 0)
			continue;

		char layerName[32];
		std::snprintf(layerName, sizeof(layerName), "%s_%d", kind->nameWord, number);
		AppendStackupRow(m_stackupList, rows, layerName, kind->usageWord);
		++rows;
	}

	database.Close();
	return 1;
}
