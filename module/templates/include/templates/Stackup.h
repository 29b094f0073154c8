// Stackup.h - a layout template's layer stack-up, as rows of the dialog's
// stack-up list.
//
// The readers of the formats (TemplateFormats.h) produce rows and messages
// and hand them to a StackupOutput: the dialog's writes them into its list
// view and shows the messages in message boxes; the authoring tool's keeps
// them to print. Neither reader knows of windows.
#pragma once

#include <string>

#include <OskelPI.h>

// One row of the stack-up list: the running number of the row within one
// display ("1" for the first, without gaps), the layer name and its usage.
struct StackupRow
{
	std::string number;
	std::string layerName;
	std::string layerUsage;
};

// Where a reader puts what it reads. Rows come in display order and only on
// the paths on which the reader succeeds; a message comes at the moment the
// reader shows it (for a 2007 template, the database's failures before the
// database is closed, "doesn't have any layers" after).
class StackupOutput
{
public:
	// Appends a row at the end of the list.
	virtual void AppendRow(const StackupRow& row) = 0;
	// Shows an error message; returns when the user has dismissed it.
	virtual void ShowMessage(const char* text) = 0;
	// The handle that receives a 2007 template's design. The reader fills it
	// in place, so a failed lookup leaves what it held, and it keeps the
	// design past the database's close.
	virtual Oskel::ContainerT<const Oskel::ITrelDesign>& Design() = 0;

protected:
	~StackupOutput() {}
};
