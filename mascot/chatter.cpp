// The mascot's chatter: its ten lines, and when it starts a run by itself.
#include "mascot/chatter.h"

#include <algorithm>
#include <array>

#include "app/frm_timer.h"
#include "mascot/board.h"

namespace poko {

namespace {

struct Line {
    std::uint32_t style;
    const char16_t* text;
};

constexpr std::array<Line, 10> kChatter{{
    {MB_ICONSTOP_, u"川o・-・）ノ＜ バケツでウランすくってもいいですか？。"},
    {MB_ICONINFORMATION_, u"川o・-・）ノ＜ 人間って、寂しいね。"},
    {MB_ICONINFORMATION_, u"川o・-・）ノ＜ 兄貴の彼女に正面切って「不細工」と言ってしまいました！"},
    {MB_ICONINFORMATION_, u"川o・ｏ・）＜♪ミルクと牛乳混ぜるだけ～"},
    {MB_ICONINFORMATION_, u"∬´▽｀)/　ポコ丸とは違うのだよ。ポコ丸とは..."},
    {MB_ICONINFORMATION_, u"川o・-・）ノ＜ どうしたんですか？未来行きの切符はみんなが持ってるのです・・・"},
    {MB_ICONINFORMATION_, u"川o・-・）ノ＜ 私は築地のお寿司屋さんのマグロが好きですね！"},
    {MB_ICONINFORMATION_, u"川o・-・）ノ＜ あの話はとりやめになったはずです。心配しなくていいですよ！"},
    {MB_ICONINFORMATION_, u"川o・-・）ノ＜ 多分、推理もののアドベンチャーゲームみたいです。"},
    {MB_ICONINFORMATION_, u"川o・-・）ノ＜ 挑戦して冒険したところ破綻したみたいです。"},
}};
constexpr int kLookAgainLine = 5;
constexpr int kMinutesPerHour = 60;  // the range of the minute drawn for a run of its own

}  // namespace

bool SayChatterLine(Platform& platform) {
    constexpr int kLines = static_cast<int>(kChatter.size());
    const int n = static_cast<int>(platform.Rnd() * kLines);
    const Line& line = kChatter[static_cast<size_t>(std::clamp(n, 0, kLines - 1))];
    platform.MessageBox(line.text, Text(kMascotTitle), line.style);
    return n == kLookAgainLine;
}

bool ChatterRunDue(Platform& platform) {
    const int minute = platform.Now().minute;
    return static_cast<int>(platform.Rnd() * kMinutesPerHour) == minute;
}

// The switch of the runs of its own.
void FrmTimer::M_WinCmm_Click() { M_WinCmm->SetChecked(!M_WinCmm->Checked()); }

// The board picker the alarm's "?" and the runs of its own start; a run asks after
// every wait whether the program is closing, and ends quietly then.
void FrmTimer::WireMascot() {
    PickBoard = [this] { poko::PickBoard(platform_, net_.menuUrl, [this] { return closing_; }); };
}

}  // namespace poko
