// TemplateDiscovery.h - the valid layout templates in a layout-templates folder.
//
// Each immediate sub-folder of the folder is a candidate, probed by
// ProbeTemplateFolder (TemplateFormats.h); files and deeper folders never count.
#pragma once

#include <list>
#include <string>

// Appends the names of the valid templates to names, in the order of the
// directory listing; removes nothing. True when at least one was appended.
// A missing or unreadable folder gives false and leaves names untouched.
bool FindLayoutTemplates(std::string folder, std::list<std::string>& names);

// True when at least one sub-folder of folder is a valid template.
bool HasLayoutTemplates(std::string folder);
