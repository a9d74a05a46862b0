// The global IP copy: the address cut from the IP-echo page, the box, the clipboard.
#include "net/global_ip.h"

#include "app/frm_timer.h"
#include "base/ansi.h"
#include "base/search.h"
#include "net/http_get.h"

namespace poko {

namespace {

// The clipboard is closed again however the copy goes.
struct OpenedClipboard {
    Platform& platform;
    bool open;
    OpenedClipboard(Platform& p, Handle owner) : platform(p), open(p.OpenClipboard(owner)) {}
    ~OpenedClipboard() {
        if (open) platform.CloseClipboard();
    }
};

}  // namespace

Text CutGlobalIP(const Text& page) {
    const int a = InStr(page, u"<!--");
    const int b = InStr(page, u"-->");
    if (a == 0 || b == 0 || b < a) return {};
    const Text comment = Mid(page, a, b - a + 1);
    const int c = InStr(comment, u"(");
    const int d = InStr(comment, u")");
    if (c == 0 || d == 0 || d < c) return {};
    return Mid(comment, c + 1, d - c - 1);
}

bool IsIpAddress(std::u16string_view text) {
    const size_t first = text.find_first_not_of(u" \t"), last = text.find_last_not_of(u" \t");
    text = first == std::u16string_view::npos ? std::u16string_view() : text.substr(first, last - first + 1);
    if (text.find(u':') != std::u16string_view::npos) {
        if (text.size() > 45) return false;
        int colons = 0;
        for (char16_t c : text) {
            if (c == u':') ++colons;
            else if (!IsHexDigit(c) && c != u'.') return false;
        }
        return colons >= 2;  // "::" is the shortest
    }
    int parts = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        size_t end = i;
        while (end < text.size() && IsAsciiDigit(text[end])) ++end;
        if (end == i || end - i > 3) return false;
        int value = 0;
        for (size_t k = i; k < end; ++k) value = value * 10 + (text[k] - u'0');
        if (value > 255) return false;
        ++parts;
        if (end == text.size()) return parts == 4;
        if (text[end] != u'.') return false;
        i = end;
    }
    return false;
}

Text GetGlobalIP(Platform& platform, const Text& ipUrl) {
    Bytes body;
    if (HttpGetBytes(platform, ipUrl, body) == 0) return {};
    Text ip = CutGlobalIP(FromAnsi(body));
    return IsIpAddress(ip) ? ip : Text();
}

void ShowGlobalIP(Platform& platform, Handle owner, const Text& ipUrl) {
    const Text ip = GetGlobalIP(platform, ipUrl);
    platform.MessageBox(u"[" + ip + u"] です。\r\nクリップボードにコピーしました。", u"ポコ丸 グローバルIP取得情報",
                        MB_ICONINFORMATION_);
    {
        OpenedClipboard clipboard(platform, owner);
        if (clipboard.open) {
            const Bytes text = ToAnsi(ip);
            platform.EmptyClipboard();
            platform.SetClipboardData(CF_TEXT_, text);
            platform.SetClipboardData(platform.RegisterClipboardFormatA("Rich Text Format"), text);
        }
    }
    platform.MessageBeep(MB_OK_);
}

// The tray menu's "copy the global IP".
void FrmTimer::ShowGIP_Click() { ShowGlobalIP(platform_, hWnd, net_.ipUrl); }

}  // namespace poko
