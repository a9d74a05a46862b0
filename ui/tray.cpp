// The tray record's fields and its tip.
#include "ui/tray.h"

#include <algorithm>
#include <cstring>

#include "base/ansi.h"
#include "base/time_format.h"
#include "platform/system_numbers.h"

namespace poko {

Text TrayTipText(const Text& status, const Text& hour, const Text& minute) {
    return status + u"  設定時刻 [" + SetTimeText(hour, minute) + u"]" + u'\0';
}

void FillTrayRecord(TrayIconRecord& record, Handle hwnd, Handle icon, const Text& tip) {
    record.cbSize = NOTIFYICONDATAA_V1_SIZE_;
    record.hWnd = hwnd;
    record.uID = 1;
    record.uFlags = NIF_MESSAGE_ | NIF_ICON_ | NIF_TIP_;
    record.uCallbackMessage = WM_MOUSEMOVE_;
    record.hIcon = icon;
    StoreTip(record, tip);
}

void StoreTip(TrayIconRecord& record, const Text& tip) {
    Text field = tip.substr(0, kTipChars);
    field.resize(kTipChars, u' ');
    const std::string ansi = ToAnsi(field);
    record.szTip.fill('\0');
    std::memcpy(record.szTip.data(), ansi.data(), std::min(ansi.size(), record.szTip.size() - 1));
}

void StoreIcon(TrayIconRecord& record, Handle icon) { record.hIcon = icon; }

TrayBalloonRecord BalloonOf(const TrayIconRecord& record, const Text& title, const Text& text, std::uint32_t icon) {
    TrayBalloonRecord balloon;
    balloon.hWnd = record.hWnd;
    balloon.uID = record.uID;
    balloon.uFlags = NIF_INFO_;
    balloon.szInfo = text;
    balloon.szInfoTitle = title;
    balloon.dwInfoFlags = icon;
    return balloon;
}

}  // namespace poko
