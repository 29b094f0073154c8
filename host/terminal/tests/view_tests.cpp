// The terminal views of the running dialog, painted onto canvases of chosen
// sizes: the key line, every row of a long stack-up within reach, labels that
// never run into their values, and the keys a message box offers.
#include <gtest/gtest.h>

#include <standin/crt.h>
#include <standin/display.h>
#include <standin/oskel_writer.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "LibraryFixture.h"
#include "dialog/ImportLayoutTemplateDlg.h"
#include "dialog/resource.h"
#include "terminal/DialogView.h"
#include "terminal/KeyLine.h"
#include "terminal/MessageBoxView.h"

namespace ilt::test {
namespace {

namespace fs = std::filesystem;

// The screen's rows as text, one string a row.
std::vector<std::string> RowsOf(const Canvas& canvas)
{
    std::vector<std::string> rows;
    for (int row = 0; row < canvas.Rows(); ++row)
        rows.push_back(canvas.RowText(row));
    return rows;
}

std::string Joined(const std::vector<std::string>& rows)
{
    std::string text;
    for (const std::string& row : rows)
        text += row + "\n";
    return text;
}

class DialogViewTest : public ::testing::Test {
protected:
    void SetUp() override { standin::MapDrive('D', m_library.Root().string()); }
    void TearDown() override { standin::UnmapDrive('D'); }

    // A 2007 template of `count` conductor layers L1, L2, ...
    void MakeLayers(const std::string& name, int count)
    {
        std::vector<standin::oskel::LayerDescription> layers;
        for (int i = 1; i <= count; ++i)
            layers.push_back(standin::oskel::ConductorLayer(i, "L" + std::to_string(i), i, "Signal"));
        std::string error;
        const fs::path folder = m_library.Root() / "lib" / "Templates" / "Layout" / name / "keyin.oskel";
        ASSERT_TRUE(standin::oskel::WriteOskel(folder.string(), standin::oskel::PcbDescription(layers), &error))
            << error;
    }

    // Runs the dialog on D:\lib; while it waits, `look` gets its view.
    void WithDialogView(const std::function<void(DialogView&)>& look)
    {
        standin::ScriptedDisplay display({standin::Action::Inspect([&](HWND active) {
                                              DialogView view(active);
                                              look(view);
                                          }),
                                          standin::Action::Escape()});
        CImportLayoutTemplateDlg dialog("D:\\lib", "", "", nullptr);
        const standin::ScopedDisplay installed(display);
        ASSERT_EQ(dialog.DoModal(), IDCANCEL);
    }

    LibraryFixture m_library;
};

TEST_F(DialogViewTest, AtEightyByTwentyFourTheBottomLineIsLeftForTheKeys)
{
    MakeLayers("4L", 4);
    WithDialogView([](DialogView& view) {
        Canvas canvas(24, 80, false);
        view.Paint(canvas);
        const std::vector<std::string> rows = RowsOf(canvas);
        EXPECT_EQ(rows[23], "") << Joined(rows);
        EXPECT_NE(rows[22].find("+---"), std::string::npos) << "the frame ends above the key line\n" << Joined(rows);
        EXPECT_NE(Joined(rows).find("L4"), std::string::npos) << Joined(rows);
    });
}

TEST_F(DialogViewTest, EveryRowOfALongStackUpCanBeSeenWithoutFocusingTheList)
{
    MakeLayers("30L", 30);
    WithDialogView([](DialogView& view) {
        Canvas first(24, 80, false);
        view.Paint(first);
        const std::string hint = KeyLine(view.Keys(), 80, false);
        EXPECT_NE(hint.find("PgUp/PgDn"), std::string::npos) << hint;
        EXPECT_EQ(Joined(RowsOf(first)).find(" L30 "), std::string::npos);

        // Keys the dialog does not use otherwise scroll the list; the focus
        // stays where it was.
        std::set<std::string> seen;
        const HWND focus = GetFocus();
        for (int page = 0; page < 8; ++page) {
            Canvas canvas(24, 80, false);
            view.Paint(canvas);
            for (const std::string& row : RowsOf(canvas)) {
                for (int layer = 1; layer <= 30; ++layer) {
                    if (row.find(" L" + std::to_string(layer) + " ") != std::string::npos)
                        seen.insert("L" + std::to_string(layer));
                }
            }
            const KeyOutcome outcome = view.HandleKey(Key{KeyCode::PageDown, 0});
            EXPECT_FALSE(outcome.action);
            EXPECT_FALSE(outcome.refused);
        }
        EXPECT_EQ(seen.size(), 30u);
        EXPECT_EQ(GetFocus(), focus);

        view.HandleKey(Key{KeyCode::Home, 0});
        Canvas top(24, 80, false);
        view.Paint(top);
        EXPECT_NE(Joined(RowsOf(top)).find(" L1 "), std::string::npos);
        view.HandleKey(Key{KeyCode::End, 0});
        Canvas bottom(24, 80, false);
        view.Paint(bottom);
        EXPECT_NE(Joined(RowsOf(bottom)).find(" L30 "), std::string::npos) << Joined(RowsOf(bottom));
    });
}

TEST_F(DialogViewTest, ATallTerminalGivesTheListItsSpareHeight)
{
    MakeLayers("30L", 30);
    WithDialogView([](DialogView& view) {
        Canvas canvas(48, 80, false);
        view.Paint(canvas);
        const std::string screen = Joined(RowsOf(canvas));
        for (int layer = 1; layer <= 30; ++layer)
            EXPECT_NE(screen.find(" L" + std::to_string(layer) + " "), std::string::npos) << layer << "\n" << screen;
        EXPECT_EQ(KeyLine(view.Keys(), 80, false).find("PgUp/PgDn"), std::string::npos) << "nothing to scroll";
    });
}

TEST_F(DialogViewTest, LabelsAreCutBeforeTheirValues)
{
    MakeLayers("4L", 4);
    WithDialogView([](DialogView& view) {
        for (const int columns : {40, 50, 60, 80}) {
            Canvas canvas(16, columns, false);
            view.Paint(canvas);
            const std::vector<std::string> rows = RowsOf(canvas);
            SCOPED_TRACE(Joined(rows));
            for (const char* value : {"D:\\lib", "2007"}) {
                for (const std::string& row : rows) {
                    const std::size_t at = row.find(value);
                    if (at != std::string::npos && at > 0) {
                        EXPECT_EQ(row[at - 1], ' ') << columns << " columns: '" << value << "' runs into its label";
                    }
                }
            }
        }
    });
}

// Home and End are the drop-down's while it has the focus (the first and the
// last template, as on Windows), and scroll the stack-up while a button has it.
TEST_F(DialogViewTest, HomeAndEndBelongToTheDropDownWhileItHasTheFocus)
{
    MakeLayers("30L", 30);
    WithDialogView([](DialogView& view) {
        Canvas canvas(24, 80, false);
        view.Paint(canvas);
        ASSERT_NE(GetFocus(), nullptr);
        for (const KeyCode code : {KeyCode::Home, KeyCode::End, KeyCode::PageUp, KeyCode::PageDown}) {
            const KeyOutcome outcome = view.HandleKey(Key{code, 0});
            EXPECT_FALSE(outcome.action) << "a button has the focus: the key scrolls the list";
            EXPECT_FALSE(outcome.refused);
        }

        SetFocus(GetDlgItem(GetParent(GetFocus()), IDC_COMBO1));
        view.Paint(canvas);
        const std::pair<KeyCode, UINT> keys[] = {{KeyCode::Home, VK_HOME},
                                                 {KeyCode::End, VK_END},
                                                 {KeyCode::PageUp, VK_PRIOR},
                                                 {KeyCode::PageDown, VK_NEXT}};
        for (const auto& [code, virtualKey] : keys) {
            const KeyOutcome outcome = view.HandleKey(Key{code, 0});
            ASSERT_TRUE(outcome.action.has_value()) << virtualKey;
            EXPECT_EQ(outcome.action->kind, standin::Action::Kind::Key);
            EXPECT_EQ(outcome.action->virtualKey, virtualKey);
        }
    });
}

// The key line offers the keys of the focused control, and on a short line
// keeps Escape and Enter the longest.
TEST_F(DialogViewTest, TheKeyLineFollowsTheFocus)
{
    MakeLayers("30L", 30);
    WithDialogView([](DialogView& view) {
        const HWND dialog = GetParent(GetFocus());
        Canvas canvas(24, 80, false);
        view.Paint(canvas);
        // OK has the focus; the least important entry, Left/Right, does not fit.
        EXPECT_EQ(KeyLine(view.Keys(), 80, false),
                  "Tab: next  Shift-Tab: back  Enter: OK  Esc: cancel  PgUp/PgDn: scroll");
        EXPECT_EQ(KeyLine(view.Keys(), 100, false),
                  "Left/Right: button  Tab: next  Shift-Tab: back  Enter: OK  Esc: cancel  PgUp/PgDn: scroll");

        SetFocus(GetDlgItem(dialog, IDCANCEL));
        view.Paint(canvas);
        EXPECT_EQ(KeyLine(view.Keys(), 40, false), "Tab: next  Enter: Cancel  Esc: cancel");

        SetFocus(GetDlgItem(dialog, IDC_COMBO1));
        view.Paint(canvas);
        EXPECT_EQ(KeyLine(view.Keys(), 80, false),
                  "Up/Down: choose  F4: list  Tab: next  Shift-Tab: back  Enter: OK  Esc: cancel");
        EXPECT_EQ(KeyLine(view.Keys(), 60, false), "Up/Down: choose  Tab: next  Enter: OK  Esc: cancel");
        EXPECT_EQ(KeyLine(view.Keys(), 40, false), "Up/Down: choose  Enter: OK  Esc: cancel");
    });
}

// Down to the smallest size every control keeps a place of its own, a
// button its brackets; below it the terminal says how large it must be, and
// nothing but Escape is done unseen.
TEST_F(DialogViewTest, BelowTheSmallestSizeTheTerminalSaysSo)
{
    MakeLayers("4L", 4);
    WithDialogView([](DialogView& view) {
        for (const auto& [columns, rows] : {std::pair{80, 24}, {60, 20}, {40, 12}, {40, 11}}) {
            Canvas canvas(rows, columns, false);
            view.Paint(canvas);
            const std::string screen = Joined(RowsOf(canvas));
            SCOPED_TRACE(screen);
            for (const char* text : {"Cen", "Sel", "Con", "Lay", "D:\\lib", "4L", "NC/NP", "2007", "L1"})
                EXPECT_NE(screen.find(text), std::string::npos) << columns << " x " << rows << ": " << text;
            EXPECT_TRUE(screen.find("[ OK ]") != std::string::npos || screen.find("[OK]") != std::string::npos);
            EXPECT_TRUE(screen.find("[ Cancel ]") != std::string::npos || screen.find("[Cancel]") != std::string::npos);
        }
        for (const auto& [columns, rows] : {std::pair{39, 24}, {80, 10}, {30, 8}}) {
            Canvas canvas(rows, columns, false);
            view.Paint(canvas);
            std::string screen = Joined(RowsOf(canvas));
            std::replace(screen.begin(), screen.end(), '\n', ' ');
            EXPECT_NE(screen.find("at least 40 columns wide and 11 rows high"), std::string::npos) << screen;
            EXPECT_EQ(screen.find("[OK]"), std::string::npos) << screen;
            EXPECT_TRUE(view.HandleKey(Key{KeyCode::Enter, 0}).refused);
            EXPECT_TRUE(view.HandleKey(Key{KeyCode::Escape, 0}).action.has_value());
            EXPECT_EQ(KeyLine(view.Keys(), columns, false), "Esc: cancel");
        }
    });
}

// A name and a usage too long for their cells end in the cut mark.
TEST_F(DialogViewTest, ACutNameOrUsageSaysSo)
{
    std::vector<standin::oskel::LayerDescription> layers = {
        standin::oskel::ConductorLayer(1, std::string(255, 'N'), 1, std::string(1 << 20, 'U'))};
    std::string error;
    const fs::path folder = m_library.Root() / "lib" / "Templates" / "Layout" / std::string(255, 't') / "keyin.oskel";
    ASSERT_TRUE(standin::oskel::WriteOskel(folder.string(), standin::oskel::PcbDescription(layers), &error)) << error;
    WithDialogView([](DialogView& view) {
        Canvas canvas(24, 80, false);
        view.Paint(canvas);
        const std::string screen = Joined(RowsOf(canvas));
        for (const char* cut : {"tt~ ", "NN~ ", "UU~ "})
            EXPECT_NE(screen.find(cut), std::string::npos) << cut << "\n" << screen;
    });
}

// The hint of a real message box of `style`, read while it waits.
std::string MessageBoxHint(UINT style)
{
    std::string hint;
    standin::ScriptedDisplay display({standin::Action::Inspect([&](HWND box) {
        hint = KeyLine(MessageBoxView(box, MessageBoxInfo{"?", "Import", style}).Keys(), 80, false);
    })});
    const standin::ScopedDisplay installed(display);
    MessageBoxA(nullptr, "?", "Import", style);
    return hint;
}

TEST(MessageBoxViewTest, TheKeyLineOffersEscapeOnlyWhereItDoesSomething)
{
    EXPECT_EQ(MessageBoxHint(MB_YESNO | MB_ICONEXCLAMATION).find("Esc"), std::string::npos);
    EXPECT_EQ(MessageBoxHint(MB_ABORTRETRYIGNORE).find("Esc"), std::string::npos);
    EXPECT_NE(MessageBoxHint(MB_OK | MB_ICONSTOP).find("Esc"), std::string::npos);
    EXPECT_NE(MessageBoxHint(MB_YESNOCANCEL).find("Esc"), std::string::npos);
}

// The box's own buttons are drawn, the focused one (at first the default)
// highlighted; the keys become key presses for the box.
TEST(MessageBoxViewTest, PaintsTheBoxsButtonsAndHandsItTheKeys)
{
    std::string screen;
    KeyOutcome tab;
    standin::ScriptedDisplay display({standin::Action::Inspect([&](HWND box) {
                                          MessageBoxView view(box, MessageBoxInfo{"Select one?", "Import", MB_YESNO});
                                          Canvas canvas(24, 80, false);
                                          view.Paint(canvas);
                                          screen = Joined(RowsOf(canvas));
                                          tab = view.HandleKey(Key{KeyCode::Tab, 0});
                                      }),
                                      standin::Action::Key(VK_TAB), standin::Action::Enter()});
    const standin::ScopedDisplay installed(display);
    EXPECT_EQ(MessageBoxA(nullptr, "Select one?", "Import", MB_YESNO), IDNO);
    EXPECT_NE(screen.find("[ Yes ]  [ No ]"), std::string::npos) << screen;
    ASSERT_TRUE(tab.action.has_value());
    EXPECT_EQ(tab.action->kind, standin::Action::Kind::Key);
    EXPECT_EQ(tab.action->virtualKey, static_cast<UINT>(VK_TAB));
}

// A message whose path would take more rows than the screen has keeps its
// end: the path loses its middle.
TEST(MessageBoxViewTest, ALongPathLosesItsMiddleNotTheEndOfTheMessage)
{
    const std::string text = "Central library \"D:\\" + std::string(3000, 'p') + "\" doesn't exist.";
    std::vector<std::string> screens;
    standin::ScriptedDisplay display({standin::Action::Inspect([&](HWND box) {
                                          MessageBoxView view(box, MessageBoxInfo{text, "Import", MB_OK | MB_ICONSTOP});
                                          for (const auto& [columns, rows] : {std::pair{80, 24}, {60, 20}, {40, 12}}) {
                                              Canvas canvas(rows, columns, false);
                                              view.Paint(canvas);
                                              screens.push_back(Joined(RowsOf(canvas)));
                                          }
                                      }),
                                      standin::Action::Enter()});
    const standin::ScopedDisplay installed(display);
    MessageBoxA(nullptr, text.c_str(), "Import", MB_OK | MB_ICONSTOP);
    ASSERT_EQ(screens.size(), 3u);
    for (const std::string& screen : screens) {
        EXPECT_NE(screen.find("doesn't exist."), std::string::npos) << screen;
        EXPECT_NE(screen.find("Central library"), std::string::npos) << screen;
        EXPECT_NE(screen.find("pp~pp"), std::string::npos) << screen;
        EXPECT_NE(screen.find("[ OK ]"), std::string::npos) << screen;
    }
}

}  // namespace
}  // namespace ilt::test
