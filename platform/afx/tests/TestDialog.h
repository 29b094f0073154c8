// An in-memory dialog template and a dialog to run it, for tests that need
// live controls.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <standin/display.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace afxtest {

constexpr int kComboId = 1001;
constexpr int kListId = 1002;
constexpr int kLabelId = 1003;
constexpr int kApplyId = 1004;

// Builds a DLGTEMPLATE with its items, in the layout the dialog manager reads.
class DialogTemplate
{
public:
	DialogTemplate(const char* caption, DWORD style);

	// classOrdinal: 0x0080 button, 0x0082 static, 0x0085 combo box.
	DialogTemplate& Add(WORD classOrdinal, int id, const char* text, DWORD style);
	DialogTemplate& Add(const char* className, int id, const char* text, DWORD style);

	LPCDLGTEMPLATE Get() const;

private:
	void Word(uint16_t value);
	void Dword(uint32_t value);
	void Text(const char* text);  // ASCII as UTF-16, terminated
	void AlignToDword();
	void Item(int id, DWORD style);

	std::vector<uint8_t> m_bytes;
	mutable std::vector<uint32_t> m_aligned;
};

// OK, Cancel, a sorted drop-down list, a report list view, a label and an
// "Apply" button.
DialogTemplate StandardTemplate();

// Runs a plain CDialog of StandardTemplate under `display`; fn gets the
// dialog while it runs, then the dialog is cancelled.
void RunInDialog(standin::ScriptedDisplay& display, const std::function<void(CDialog&)>& fn);

}  // namespace afxtest
