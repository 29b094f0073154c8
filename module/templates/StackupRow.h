// Appending one row to the stack-up list view, shared by both readers.
#pragma once

#include <afxcmn.h>

#include <cstdio>

// Appends row `row` (0-based, the count of rows already written in this
// display): an item with text only whose text is the running number row + 1,
// then the layer name in column 1 and the layer usage in column 2.
inline void AppendStackupRow(CListCtrl& list, int row, const char* layerName, const char* layerUsage)
{
	char number[16];
	std::snprintf(number, sizeof(number), "%d", row + 1);
	list.InsertItem(LVIF_TEXT, row, number, 0, 0, 0, 0);
	list.SetItemText(row, 1, layerName);
	list.SetItemText(row, 2, layerUsage);
}
