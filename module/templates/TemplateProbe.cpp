// Probing one candidate folder: the format test, then the 2007 probe through
// the design-database client or the 2005 probe of the four Layout files.

#include "templates/TemplateProbe.h"

#include "designdb/OskelPI.h"
#include "pathutil/PathUtil.h"

namespace {

// The four files of a 2005 template, in the order they are tested.
const char* const k2005Files[] = { "Tamsett.tms", "Corvane.cvn", "Halloway.hlw", "Dunmere.dnm" };

TemplateProbeResult Verdict(TemplateVerdict verdict, const std::string& missingFile = std::string())
{
	TemplateProbeResult result;
	result.verdict = verdict;
	result.missingFile = missingFile;
	return result;
}

// The database must open and hold snapshot "PCB" with configuration "PCB";
// nothing more is read. The handles, the record and the client object are
// released in the reverse order of their creation when the probe returns;
// CloseOskel is called only on success, after the caller has taken note.
TemplateProbeResult Probe2007(const std::string& candidateFolder, const std::function<void()>& onAccepted)
{
	std::string databasePath = candidateFolder + "/keyin.oskel";
	NormalizePath(databasePath);

	Oskel::OskelPI client;
	Oskel::ProjectData project;
	project.m_databasePath = databasePath.c_str();
	project.m_clientLabel = "Quillet_LT";
	if (!client.OpenOskel(project))
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
	return Verdict(TemplateVerdict::Valid2007);
}

// All four files must be regular files; their contents are not read.
TemplateProbeResult Probe2005(const std::string& candidateFolder, const std::function<void()>& onAccepted)
{
	const std::string prefix = candidateFolder + "/Layout/";
	for (const char* fileName : k2005Files)
	{
		std::string path = prefix + fileName;
		NormalizePath(path);
		if (!IsFile(path))
			return Verdict(TemplateVerdict::Missing2005File, fileName);
	}

	if (onAccepted)
		onAccepted();
	return Verdict(TemplateVerdict::Valid2005);
}

}  // namespace

bool IsTemplate2007(const std::string& templateFolder)
{
	std::string marker = templateFolder + "/keyin.oskel/sids";
	NormalizePath(marker);
	return IsFile(marker);
}

TemplateProbeResult ProbeTemplateFolder(const std::string& candidateFolder, const std::function<void()>& onAccepted)
{
	if (IsTemplate2007(candidateFolder))
		return Probe2007(candidateFolder, onAccepted);
	return Probe2005(candidateFolder, onAccepted);
}

std::string DescribeProbeResult(const TemplateProbeResult& result)
{
	switch (result.verdict)
	{
	case TemplateVerdict::Valid2007:
		return "2007: valid";
	case TemplateVerdict::Valid2005:
		return "2005: valid";
	case TemplateVerdict::DatabaseDoesNotOpen:
		return "2007: keyin.oskel\\sids is present, but the design database does not open";
	case TemplateVerdict::NoSnapshotPCB:
		return "2007: the design database holds no snapshot \"PCB\"";
	case TemplateVerdict::NoConfigPCB:
		return "2007: snapshot \"PCB\" holds no Trel configuration \"PCB\"";
	case TemplateVerdict::Missing2005File:
		return "2005: Layout\\" + result.missingFile + " is missing or not a file";
	}
	return "unknown verdict";
}
