// TemplateProbe.h - the verdict of template discovery on one sub-folder of a
// layout-templates folder: which format it is, and whether it is valid, or
// the first reason why not.
//
// Discovery (TemplateDiscovery.h) is built on this probe, so anything that
// asks why a folder was or was not accepted gets the same answer as the scan.
#pragma once

#include <functional>
#include <string>

enum class TemplateVerdict
{
	Valid2007,            // keyin.oskel\sids is a file; snapshot "PCB" yields configuration "PCB"
	Valid2005,            // Layout\ holds the four files
	DatabaseDoesNotOpen,  // 2007 marker present, but the design database does not open
	NoSnapshotPCB,        // the database opens but holds no snapshot "PCB"
	NoConfigPCB,          // snapshot "PCB" yields no Trel configuration "PCB"
	Missing2005File,      // a file of Layout\ is missing or is not a regular file
};

struct TemplateProbeResult
{
	TemplateVerdict verdict;
	std::string missingFile;  // Missing2005File: the first such file's name, e.g. "Dunmere.dnm"

	bool IsValid() const { return verdict == TemplateVerdict::Valid2007 || verdict == TemplateVerdict::Valid2005; }
};

// The format test, shared by discovery and the stack-up display: a template
// is a 2007 template when <templateFolder>\keyin.oskel\sids is a regular file,
// otherwise a 2005 template.
bool IsTemplate2007(const std::string& templateFolder);

// Probes candidateFolder, the full path of a sub-folder of a layout-templates
// folder. When the folder is valid, onAccepted runs before the probe ends; for
// a 2007 template that is while the database is still open, before it is closed. A 2007 folder is never
// tried as a 2005 one.
TemplateProbeResult ProbeTemplateFolder(const std::string& candidateFolder,
                                        const std::function<void()>& onAccepted = std::function<void()>());

// One line of English for a verdict, e.g. "2005: Layout\Dunmere.dnm is missing or not a file".
std::string DescribeProbeResult(const TemplateProbeResult& result);
