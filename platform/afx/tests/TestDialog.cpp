// In-memory dialog templates for the tests.
#include "TestDialog.h"

namespace afxtest {

DialogTemplate::DialogTemplate(const char* caption, DWORD style)
{
	Dword(style);
	Dword(0);   // extended style
	Word(0);    // item count, patched by Add
	Word(0);    // x
	Word(0);    // y
	Word(200);  // cx
	Word(120);  // cy
	Word(0);    // no menu
	Word(0);    // default class
	Text(caption);
}

void DialogTemplate::Word(uint16_t value)
{
	m_bytes.push_back(static_cast<uint8_t>(value & 0xFF));
	m_bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void DialogTemplate::Dword(uint32_t value)
{
	Word(static_cast<uint16_t>(value & 0xFFFF));
	Word(static_cast<uint16_t>(value >> 16));
}

void DialogTemplate::Text(const char* text)
{
	for (; *text != '\0'; ++text)
		Word(static_cast<uint8_t>(*text));
	Word(0);
}

void DialogTemplate::AlignToDword()
{
	while (m_bytes.size() % 4 != 0)
		m_bytes.push_back(0);
}

void DialogTemplate::Item(int id, DWORD style)
{
	AlignToDword();
	Dword(style | WS_CHILD | WS_VISIBLE);
	Dword(0);  // extended style
	Word(10);  // x, y, cx, cy
	Word(10);
	Word(60);
	Word(14);
	Word(static_cast<uint16_t>(id));
	const uint16_t count = static_cast<uint16_t>(m_bytes[8] | (m_bytes[9] << 8)) + 1;
	m_bytes[8] = static_cast<uint8_t>(count & 0xFF);
	m_bytes[9] = static_cast<uint8_t>(count >> 8);
}

DialogTemplate& DialogTemplate::Add(WORD classOrdinal, int id, const char* text, DWORD style)
{
	Item(id, style);
	Word(0xFFFF);
	Word(classOrdinal);
	Text(text);
	Word(0);  // no creation data
	return *this;
}

DialogTemplate& DialogTemplate::Add(const char* className, int id, const char* text, DWORD style)
{
	Item(id, style);
	Text(className);
	Text(text);
	Word(0);
	return *this;
}

LPCDLGTEMPLATE DialogTemplate::Get() const
{
	m_aligned.assign((m_bytes.size() + 3) / 4, 0);
	std::memcpy(m_aligned.data(), m_bytes.data(), m_bytes.size());
	return reinterpret_cast<LPCDLGTEMPLATE>(m_aligned.data());
}

DialogTemplate StandardTemplate()
{
	DialogTemplate dialog("Probe", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
	dialog.Add(0x0080, IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP)
		.Add(0x0080, IDCANCEL, "Cancel", BS_PUSHBUTTON | WS_TABSTOP)
		.Add(0x0085, kComboId, "", CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP)
		.Add("SysListView32", kListId, "", LVS_REPORT | WS_TABSTOP)
		.Add(0x0082, kLabelId, "Label", SS_LEFT)
		.Add(0x0080, kApplyId, "Apply", BS_PUSHBUTTON | WS_TABSTOP);
	return dialog;
}

void RunInDialog(standin::ScriptedDisplay& display, const std::function<void(CDialog&)>& fn)
{
	const DialogTemplate layout = StandardTemplate();
	CDialog dialog;
	dialog.InitModalIndirect(layout.Get());
	display.Push(standin::Action::Inspect([&](HWND) { fn(dialog); }));
	display.Push(standin::Action::Escape());
	standin::ScopedDisplay scoped(display);
	dialog.DoModal();
}

}  // namespace afxtest
