// The tray icon's record (platform/records.h) and its tip: one record for the whole run,
// written only through these functions.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/text.h"
#include "platform/records.h"

namespace poko {

// The tip: the status line, "  設定時刻 [", the set time "hh:mm", "]" and a NUL.
Text TrayTipText(const Text& status, const Text& hour, const Text& minute);

// Every field fresh: this window, icon 1, a message, an icon and a tip, the icon's mouse
// messages sent as mouse moves, the given icon and tip.
void FillTrayRecord(TrayIconRecord& record, Handle hwnd, Handle icon, const Text& tip);
// The tip is kept as kTipChars characters, blank-filled or cut, and goes into the record's
// szTip in the ANSI code page; the field always ends in a NUL.
inline constexpr size_t kTipChars = 64;
void StoreTip(TrayIconRecord& record, const Text& tip);
void StoreIcon(TrayIconRecord& record, Handle icon);
// A balloon from the icon of this record; only the balloon's fields are named.
TrayBalloonRecord BalloonOf(const TrayIconRecord& record, const Text& title, const Text& text, std::uint32_t icon);

}  // namespace poko
