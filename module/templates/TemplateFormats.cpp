// The table of template formats and what is asked of it: a folder's format,
// its probe, and the words for a probe's result.

#include "templates/TemplateFormats.h"

const TemplateFormat* const kTemplateFormats[] = { &kFormat2007, &kFormat2005 };
const int kTemplateFormatCount = sizeof(kTemplateFormats) / sizeof(kTemplateFormats[0]);

const TemplateFormat& FormatOfTemplate(const std::string& templateFolder)
{
	for (const TemplateFormat* format : kTemplateFormats)
	{
		if (format->isFormatOf(templateFolder))
			return *format;
	}
	// The last row's test takes every folder; this is not reached.
	return *kTemplateFormats[kTemplateFormatCount - 1];
}

TemplateProbeResult ProbeTemplateFolder(const std::string& candidateFolder, const AcceptedCallback& onAccepted)
{
	return FormatOfTemplate(candidateFolder).probe(candidateFolder, onAccepted);
}

std::string DescribeProbeResult(const TemplateProbeResult& result)
{
	const std::string format = std::string(result.format->label) + ": ";
	switch (result.verdict)
	{
	case TemplateVerdict::Valid:
		return format + "valid";
	case TemplateVerdict::DatabaseDoesNotOpen:
		return format + "keyin.oskel\\sids is present, but the design database does not open";
	case TemplateVerdict::NoSnapshotPCB:
		return format + "the design database holds no snapshot \"PCB\"";
	case TemplateVerdict::NoConfigPCB:
		return format + "snapshot \"PCB\" holds no Trel configuration \"PCB\"";
	case TemplateVerdict::MissingFile:
		return format + "Layout\\" + result.missingFile + " is missing or not a file";
	}
	return format + "unknown verdict";
}
