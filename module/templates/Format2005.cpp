// The "2005" format: every folder that is of no other format. A valid 2005
// template holds four files in Layout\; the stack-up is read from the
// job-preferences file Layout\Corvane.cvn through the CorvanePI client: its
// signal and plane layers, in the order of the layer indexes. Nothing is told
// to the user here; a 0 is the caller's to report.

#include "templates/TemplateFormats.h"

#include <CorvanePI.h>

#include <cstdio>
#include <string>

#include "pathutil/PathUtil.h"
#include "StackupRowWriter.h"

namespace {

// The four files of a 2005 template, in the order in which they are tested.
const char* const kLayoutFiles[] = { "Tamsett.tms", "Corvane.cvn", "Halloway.hlw", "Dunmere.dnm" };

// Name word (column 1) and display word (column 2) of the layer kinds shown.
struct ShownKind
{
	CCorvaneLayer::eLayerType type;
	const char* nameWord;
	const char* usageWord;
};

const ShownKind kShownKinds[] = {
	{ CCorvaneLayer::eLayerPlane, "PLANE", "Plane" },
	{ CCorvaneLayer::eLayerSignal, "SIGNAL", "Signal" },
};

const ShownKind* FindShownKind(CCorvaneLayer::eLayerType type)
{
	for (const ShownKind& kind : kShownKinds)
	{
		if (kind.type == type)
			return &kind;
	}
	return NULL;  // dielectric and any other kind take no row
}

TemplateProbeResult Verdict(TemplateVerdict verdict, const std::string& missingFile = std::string())
{
	TemplateProbeResult result;
	result.format = &kFormat2005;
	result.verdict = verdict;
	result.missingFile = missingFile;
	return result;
}

bool IsTemplate2005(const std::string&)
{
	return true;
}

// All four files must be regular files; the first that is not rejects the
// folder and the later ones are not tested.
TemplateProbeResult ProbeTemplate2005(const std::string& templateFolder, const AcceptedCallback& onAccepted)
{
	const std::string prefix = templateFolder + "/Layout/";
	for (const char* fileName : kLayoutFiles)
	{
		std::string path = prefix + fileName;
		NormalizePath(path);
		if (!IsFile(path))
			return Verdict(TemplateVerdict::MissingFile, fileName);
	}

	if (onAccepted)
		onAccepted();
	return Verdict(TemplateVerdict::Valid);
}

// Each row is appended as soon as its layer has been read. An index whose
// layer cannot be found, or whose kind or number cannot be read, is skipped.
int ReadStackup2005(const std::string& templatesFolder, const std::string& templateName, StackupOutput& output)
{
	std::string path = templatesFolder + "/" + templateName + "/Layout/Corvane.cvn";
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

	StackupRowWriter rows(output);
	for (int index = 1; index <= layerCount; ++index)
	{
		if (database.FindLayer(&layer, index) != 0)
			continue;

		CCorvaneLayer::eLayerType type;
		if (layer.GetLayerTypeValue(&type) != 0)
			continue;

		const ShownKind* kind = FindShownKind(type);
		if (kind == NULL)
			continue;

		int number = 0;
		if (layer.GetLayerNumber(&number) != 0)
			continue;

		char layerName[32];
		std::snprintf(layerName, sizeof(layerName), "%s_%d", kind->nameWord, number);
		rows.Append(layerName, kind->usageWord);
	}

	database.Close();
	return 1;
}

}  // namespace

const TemplateFormat kFormat2005 = { "2005", IsTemplate2005, ProbeTemplate2005, ReadStackup2005 };
