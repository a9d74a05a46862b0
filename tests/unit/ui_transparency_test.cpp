// The opacity steps, the window's right-button menu and the about box.
#include <gtest/gtest.h>

#include "base/ansi.h"
#include "tests/support/form_harness.h"
#include "ui/about_box.h"

using namespace poko;

namespace {

// From a stored 128, which no step matches, to each step: the alpha, one check mark,
// the layered call, and the value saved at exit.
TEST(Opacity, EachStepAppliesAtOnceMovesTheCheckAndIsSaved) {
    const int alphas[] = {255, 204, 153, 102};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        FormHarness h;
        h.fake.PreloadIni(u"[WINDOW]\nDATA=128\n");
        h.Load();
        for (MenuItem* item : h.frm.M_WinCon) EXPECT_FALSE(item->Checked());
        h.frm.M_WinCon[i]->Click();
        EXPECT_EQ(h.frm.Alpha(), alphas[i]);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(h.frm.M_WinCon[k]->Checked(), k == i);
        EXPECT_TRUE(SameCalls({"SetLayeredWindowAttributes(0," + std::to_string(alphas[i]) + ",2)"}, h.fake.calls));
        h.frm.Form_Unload();
        EXPECT_EQ(Utf8(h.fake.Stored(u"WINDOW", u"DATA").value_or(u"")), std::to_string(alphas[i]));
    }
}

// A right press on the window, a label or the arm button shows the menu with "show the
// window" disabled and runs the chosen item; other buttons do nothing. The target box
// and the browse button keep the behaviour of their kind of control.
TEST(ContextMenu, RightPressOnTheWindowItsLabelsAndArmButton) {
    for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
        FormHarness h;
        h.Load();
        FrmTimer& f = h.frm;
        std::optional<bool> viewEnabledInMenu;
        h.fake.popupChooser = [&](MenuItem&) {
            viewEnabledInMenu = f.M_WindowView->Enabled();
            return f.M_WinCon[2];
        };
        for (auto* target : {&f.frm_Timer.onMouseDown, &f.L_Title.onMouseDown, &f.L_Time.onMouseDown,
                             &f.Label1[0].onMouseDown, &f.Label1[3].onMouseDown, &f.C_TimerStart.onMouseDown}) {
            SCOPED_TRACE(static_cast<int>(button));
            f.M_WindowView->SetEnabled(true);
            h.fake.calls.clear();
            viewEnabledInMenu.reset();
            (*target)(button);
            const bool right = button == MouseButton::Right;
            EXPECT_TRUE(SameCalls(right ? std::vector<std::string>{"TrackPopupMenu(mPopUpSys)", "SetLayeredWindowAttributes(0,153,2)"}
                                        : std::vector<std::string>{},
                                  h.fake.calls));
            EXPECT_EQ(viewEnabledInMenu, right ? std::optional<bool>(false) : std::nullopt);
            EXPECT_EQ(f.M_WindowView->Enabled(), !right);
        }
        EXPECT_FALSE(f.TextFileName.onMouseDown);
        EXPECT_FALSE(f.cmdFileOpen.onMouseDown);
    }
}

// Each opening is a fresh box with the same text; a click, any key or the close button
// ends it, and a second request while it is open does nothing.
TEST(AboutBox, ADoubleClickOpensItAndAClickAKeyOrTheCloseButtonClosesIt) {
    const std::function<void(FrmMsg&)> closers[] = {
        [](FrmMsg& b) { b.Text1_Click(); },          [](FrmMsg& b) { b.Text1_KeyDown(0x20); },  // Space
        [](FrmMsg& b) { b.Text1_KeyDown(0x1B); },  // Escape
        [](FrmMsg& b) { b.Text1_KeyDown(0x0D); },  // Enter
        [](FrmMsg& b) { b.Text1_KeyDown('A'); },      // A, Shift held or not
        [](FrmMsg& b) { b.Form_Close(); },
    };
    FormHarness h;
    h.Load();
    for (const auto& close : closers) {
        h.fake.onAboutBox = [&](FrmMsg& box) {
            EXPECT_TRUE(box.Loaded());
            EXPECT_EQ(box.Text1.GetText(), kAboutArt);
            EXPECT_EQ(box.frm_msg.IconIndex(), 1);
            h.frm.frm_Timer.onDblClick();
            close(box);
            EXPECT_FALSE(box.Loaded());
        };
        h.frm.frm_Timer.onDblClick();
    }
    EXPECT_EQ(h.fake.calls, std::vector<std::string>(std::size(closers), "ShowAboutBox(バージョン情報)"));
}

// About 452 bytes in code page 932: a line break, ten lines, a line break; the longest
// line 38 characters, none wider than 46 half-width cells (so none wraps in the box),
// the last ending with the program's name.
TEST(AboutBox, TextArtShape) {
    const Text art(kAboutArt);
    EXPECT_EQ(FromAnsi(ToAnsi(art)), art) << "a character outside code page 932";
    EXPECT_NEAR(static_cast<double>(ToAnsi(art).size()), 452, 8);
    std::vector<Text> pieces;
    for (size_t start = 0;;) {
        const size_t end = art.find(u"\r\n", start);
        pieces.push_back(art.substr(start, end == Text::npos ? Text::npos : end - start));
        if (end == Text::npos) break;
        start = end + 2;
    }
    ASSERT_EQ(pieces.size(), 12u);
    EXPECT_TRUE(pieces.front().empty() && pieces.back().empty());
    size_t longest = 0;
    for (const Text& line : pieces) {
        longest = std::max(longest, line.size());
        EXPECT_LE(ToAnsi(line).size(), 46u) << Utf8(line);
    }
    EXPECT_EQ(longest, 38u);
    EXPECT_TRUE(pieces[10].ends_with(u"ポコ丸\u3000１号")) << Utf8(pieces[10]);
}

}  // namespace
