// TemplateFormats.h - the formats of layout templates: how a template's folder
// is told to be of a format, probed for validity and read into a stack-up.
//
// Each format is one row of kTemplateFormats. The rows' format tests are asked
// in order and the first that answers true decides; the last row, "2005",
// takes every folder that the rows before it leave. Discovery, the dialog's
// stack-up display and the authoring tool all go through the table, so a
// template is read in the format in which discovery accepted it. A further
// format is one more row and the three functions that it names.
#pragma once

#include <functional>
#include <string>

#include "templates/Stackup.h"

// Why a probed folder is, or is not, a valid template.
enum class TemplateVerdict
{
	Valid,
	DatabaseDoesNotOpen,  // 2007: keyin.oskel\sids is there, but the design database does not open
	NoSnapshotPCB,        // 2007: the database opens but holds no snapshot "PCB"
	NoConfigPCB,          // 2007: snapshot "PCB" yields no Trel configuration "PCB"
	MissingFile,          // 2005: a file of Layout\ is missing or is not a regular file
};

struct TemplateFormat;

struct TemplateProbeResult
{
	const TemplateFormat* format;  // the format the folder was probed as
	TemplateVerdict verdict;
	std::string missingFile;  // MissingFile: the first such file's name, e.g. "Dunmere.dnm"

	bool IsValid() const { return verdict == TemplateVerdict::Valid; }
};

// Runs when a probe accepts a folder, before the probe lets go of what it
// opened (for a 2007 template, before the database is closed).
typedef std::function<void()> AcceptedCallback;

struct TemplateFormat
{
	// The format's name, as the dialog's format label shows it.
	const char* label;
	// True when templateFolder, a template's full path, is of this format.
	bool (*isFormatOf)(const std::string& templateFolder);
	// Whether templateFolder is a valid template of this format; nothing is
	// shown to the user.
	TemplateProbeResult (*probe)(const std::string& templateFolder, const AcceptedCallback& onAccepted);
	// Reads the stack-up of the template templateName of the layout-templates
	// folder templatesFolder into output: 1 when it can be shown, 0 when not.
	int (*readStackup)(const std::string& templatesFolder, const std::string& templateName, StackupOutput& output);
};

// The formats, each defined beside its functions.
extern const TemplateFormat kFormat2007;  // the design database keyin.oskel (OskelPI)
extern const TemplateFormat kFormat2005;  // the four files of Layout\ (Corvane.cvn through CorvanePI)

// The formats, in the order in which their tests are asked: 2007, then 2005,
// whose test takes every folder.
extern const TemplateFormat* const kTemplateFormats[];
extern const int kTemplateFormatCount;

// The format of a template's folder: the first row whose test answers true.
const TemplateFormat& FormatOfTemplate(const std::string& templateFolder);

// Probes candidateFolder, the full path of a sub-folder of a layout-templates
// folder, in its format. A folder is probed in one format only: one that
// carries the 2007 marker is never tried as a 2005 template.
TemplateProbeResult ProbeTemplateFolder(const std::string& candidateFolder,
                                        const AcceptedCallback& onAccepted = AcceptedCallback());

// One line of English for a probe's result, e.g.
// "2005: Layout\Dunmere.dnm is missing or not a file".
std::string DescribeProbeResult(const TemplateProbeResult& result);
