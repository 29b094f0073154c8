// Discovery of the valid layout templates: one scan over the immediate
// sub-folders, shared by both operations. Every sub-folder is probed, also
// after the first valid one.

#include "templates/TemplateDiscovery.h"

#include "pathutil/PathUtil.h"
#include "templates/TemplateFormats.h"

namespace {

// Counts the valid templates under folder; with names, appends each one's
// name as soon as its probe accepts it.
int ScanLayoutTemplates(const std::string& folder, std::list<std::string>* names)
{
	std::list<std::string> folders;
	std::list<std::string> files;  // not used: files never count
	CollectEntries(folder, folders, files);

	// The walk lists the folder itself first; it is no candidate. (Given with
	// a trailing backslash, as the shell reports a drive root, it does not
	// equal the folder argument, so it is known by its place.)
	if (!folders.empty())
		folders.pop_front();

	int count = 0;
	for (const std::string& candidate : folders)
	{
		const TemplateProbeResult result = ProbeTemplateFolder(candidate, [&]() {
			if (names != NULL)
			{
				std::string parent;
				std::string name;
				SplitPath(candidate, parent, name);
				names->push_back(name);
			}
		});
		if (result.IsValid())
			++count;
	}
	return count;
}

}  // namespace

bool FindLayoutTemplates(std::string folder, std::list<std::string>& names)
{
	return ScanLayoutTemplates(folder, &names) > 0;
}

bool HasLayoutTemplates(std::string folder)
{
	return ScanLayoutTemplates(folder, NULL) > 0;
}
