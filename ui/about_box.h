// The about box frm_msg: a small modal window whose one control, Text1, shows a fixed
// piece of text art and closes the box at the first click or key. The box exists only
// while it is shown; each opening makes a fresh one.
#pragma once

#include "ui/controls.h"
#include "ui/layout.h"

namespace poko {

// Its fixed look, in twips as designed (15 twips per pixel at 96 DPI). Text1 covers the
// client area and reaches 30 twips below it.
inline constexpr int kAboutClientWidthTwips = 6105;
inline constexpr int kAboutClientHeightTwips = 2595;
inline constexpr int kAboutTextHeightTwips = 2625;
inline constexpr Colour kAboutTextColour = 0x00C0FFC0;  // light green
inline constexpr Colour kAboutBackColour = 0x00000000;
inline constexpr FontSpec kAboutFont{kUiGothic, 11.25, 700, kShiftJis};
inline constexpr std::u16string_view kAboutCaption = u"バージョン情報";
inline constexpr std::u16string_view kAboutTip = u"クリックすると消えます。";
inline constexpr int kAboutIcon = 1;  // the armed icon, PicIcon(1)

// The text art: a line break, ten lines, a line break. Drawn for this program: the
// mascot drumming beside its ringing alarm clock, sized for the box's 15 px bold font.
inline constexpr std::u16string_view kAboutArt =
    u"\r\n"
    u"　ｼﾞﾘﾘﾘﾘﾘﾘﾘﾘﾘﾘﾘﾘﾘﾘﾘﾘﾘﾘﾘ!! 　ﾎﾟﾝ!ﾎﾟｺ!ﾎﾟﾝ!\r\n"
    u"　＼∩＿＿＿＿＿∩／　∩＿＿＿∩　┌─┬─┐\r\n"
    u"　┏━━━━━━━┓　（・ω・）　│○│　│\r\n"
    u"　┃　０７：３０　┃　（つ●と）　└─┴─┘\r\n"
    u"　┗┳━━━━━┳┛　　し―Ｊ～　　ﾁｭﾝﾁｭﾝ♪\r\n"
    u"━━┻━━━━━┻━━━━━━━━━━━━━\r\n"
    u"┌────────────────────┐\r\n"
    u"│　　時間ですよ～！　起きて起きて～♪　　│\r\n"
    u"└────────────────────┘\r\n"
    u"　　　　　　　目覚まし係　ポコ丸　１号\r\n";

class FrmMsg {
public:
    FrmMsg();
    FrmMsg(const FrmMsg&) = delete;
    FrmMsg& operator=(const FrmMsg&) = delete;

    Window frm_msg{u"frm_msg"};
    TextBox Text1{u"Text1"};

    // False once the box has been closed: the platform's modal loop ends then.
    bool Loaded() const { return loaded_; }
    void Text1_Click() { Unload(); }
    // Any key, with any shift state.
    void Text1_KeyDown(int /*keyCode*/) { Unload(); }
    // The title bar's close button.
    void Form_Close() { Unload(); }

private:
    void Unload() { loaded_ = false; }
    bool loaded_ = true;
};

}  // namespace poko
