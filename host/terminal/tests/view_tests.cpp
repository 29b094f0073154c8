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
#include "terminal/DialogView.h"
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
        EXPECT_LE(view.Hint().size(), 80u) << view.Hint();
    });
}

TEST_F(DialogViewTest, EveryRowOfALongStackUpCanBeSeenWithoutFocusingTheList)
{
    MakeLayers("30L", 30);
    WithDialogView([](DialogView& view) {
        Canvas first(24, 80, false);
        view.Paint(first);
        const std::string hint = view.Hint();
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
        EXPECT_EQ(view.Hint().find("PgUp/PgDn"), std::string::npos) << "nothing to scroll";
    });
}

TEST_F(DialogViewTest, LabelsAreCutBeforeTheirValues)
{
    MakeLayers("4L", 4);
    WithDialogView([](DialogView& view) {
        for (const int columns : {30, 40, 50, 60}) {
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

// The hint of a real message box of `style`, read while it waits.
std::string MessageBoxHint(UINT style)
{
    std::string hint;
    standin::ScriptedDisplay display({standin::Action::Inspect([&](HWND box) {
        hint = MessageBoxView(box, MessageBoxInfo{"?", "Import", style}).Hint();
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

}  // namespace
}  // namespace ilt::test
