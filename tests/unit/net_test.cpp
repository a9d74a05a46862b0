// The download's buffer rules and failure rows, the IP cut and the copy to the clipboard.
#include <gtest/gtest.h>

#include "net/global_ip.h"
#include "net/http_get.h"
#include "tests/support/fake_platform.h"

using namespace poko;

namespace {

const Text kUrl = u"http://echo.test/e/?";
const Bytes kOld = "left over";

struct Row {
    const char* name;
    std::function<void(FakePlatform&)> setUp;
    Text url;
    std::int32_t result;
    std::optional<size_t> bodySize;  // nothing: the caller's array as it was
};

Bytes Pattern(size_t n) {
    Bytes b(n, '\0');
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<char>(i * 7 + i / 251);
    return b;
}

TEST(HttpGetBytes, BufferAndFailureRows) {
    const Row rows[] = {
        {"empty url", {}, u"", 0, {}},
        {"no root handle", [](FakePlatform& f) { f.internetOpens = false; }, kUrl, 0, {}},
        {"url cannot be opened", {}, kUrl, 0, {}},
        {"empty body", [](FakePlatform& f) { f.Serve(kUrl, u""); }, kUrl, 0, 0},
        {"one read's worth", [](FakePlatform& f) { f.pages["http://echo.test/e/?"].body = Pattern(1024000); }, kUrl,
         1024000, 1024000},
        {"grows twice", [](FakePlatform& f) { f.pages["http://echo.test/e/?"].body = Pattern(7000000); }, kUrl, 7000000,
         7000000},
        {"read fails after some bytes",
         [](FakePlatform& f) {
             f.pages["http://echo.test/e/?"] = {Pattern(5000000), 1500000};
         },
         kUrl, 1500000, 1500000},
        {"endless body stops at 32 MiB", [](FakePlatform& f) { f.pages["http://echo.test/e/?"].endless = true; }, kUrl,
         33554432, 33554432},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakePlatform fake;
        if (row.setUp) row.setUp(fake);
        Bytes body = kOld;
        EXPECT_EQ(HttpGetBytes(fake, row.url, body), row.result);
        if (!row.bodySize) {
            EXPECT_EQ(body, kOld);
            continue;
        }
        ASSERT_EQ(body.size(), *row.bodySize);
        const auto& page = fake.pages.begin()->second;
        if (!page.endless) {
            EXPECT_EQ(body, page.body.substr(0, body.size())) << "bytes complete and in order";
        }
    }
}

TEST(HttpGetBytes, TheBufferGrowsByAStepWhenAReadCouldPassItsTop) {
    const struct {
        std::uint32_t size, total, before;
    } cases[] = {
        {3276700, 0, 3276700},         {3276700, 2048000, 3276700}, {3276700, 2252699, 3276700},
        {3276700, 2252700, 6553400},   {6553400, 5529399, 6553400}, {6553400, 5529400, 9830100},
        {36043700, 32768000, 36043700},
    };
    for (const auto& c : cases) EXPECT_EQ(BufferBeforeRead(c.size, c.total), c.before) << c.size << " at " << c.total;
}

TEST(HttpGetBytes, AStepStartsOnlyWithTimeLeft) {  // tick counts wrap around
    EXPECT_EQ(StepTimeLeft(100, 20099, 20000), 1u);
    EXPECT_EQ(StepTimeLeft(0xFFFFFF00u, 0x100, 20000), 20000u - 0x200);
    for (std::uint32_t now : {20100u, 90000u, 99u}) EXPECT_EQ(StepTimeLeft(100, now, 20000), std::nullopt) << now;
}

TEST(HttpGetBytes, CallsAndTheirArguments) {
    FakePlatform fake;
    fake.Serve(kUrl, u"<html>");
    Bytes body;
    EXPECT_EQ(HttpGetBytes(fake, kUrl, body), 6);
    EXPECT_TRUE(SameCalls({"InternetOpenA(Monazilla/1.00 (VELT/0.01)|0|null|null|0)",
                           "InternetOpenUrlA(161|http://echo.test/e/?|null|0|2147483648|0)",
                           "InternetReadFile(162|1024000)", "InternetReadFile(162|1024000)",
                           "InternetCloseHandle(162)", "InternetCloseHandle(161)"},
                          fake.calls));
}

TEST(GlobalIp, TheAddressBetweenTheFirstMarkers) {
    const struct {
        const char16_t *page, *ip;
    } cases[] = {
        {u"<html><!-- IP (203.0.113.5) --></html>", u"203.0.113.5"},
        {u"(1.1.1.1) <!-- your address ( 2001:db8::1 ) -->", u" 2001:db8::1 "},
        {u"<!-- () -->", u""},
        {u"<!-- IP 203.0.113.5 -->", u""},
        {u"<!-- IP (203.0.113.5 -->)", u""},
        {u"IP (203.0.113.5) -->", u""},
        {u"<!-- IP (203.0.113.5)", u""},
        {u"--> <!-- (9.9.9.9) -->", u""},    // the closing marker first
        {u"<!-- )x( -->", u""},              // ")" before "("
        {u"<!-- ((a)) --> <!-- (b) -->", u"(a"},
        {u"<!-- (a) --!> <!-- (b) -->", u"a"},
        {u"<!-- (A) -- >", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8(CutGlobalIP(c.page)), Utf8(c.ip)) << Utf8(c.page);
}

TEST(GlobalIp, BoxFirstThenBothClipboardFormatsThenTheBeep) {
    // Only an address reaches the box and the clipboard (nullptr: offline).
    const std::pair<const char16_t*, std::string> rows[] = {
        {u"(203.0.113.5)", "203.0.113.5"}, {nullptr, ""}, {u"(2001:db8::8a2e:370:7334)", "2001:db8::8a2e:370:7334"},
        {u"({\\rtf1 203.0.113.5\\par\r\ndel /q C:\\*})", ""}, {u"(256.1.1.1)", ""},
        {u"( 203.0.113.5\t)", " 203.0.113.5\t"},  // as written, blanks and tabs included
    };
    for (const auto& [page, ip] : rows) {
        SCOPED_TRACE(ip);
        FakePlatform fake;
        if (page) fake.Serve(kUrl, u"<!-- IP " + Text(page) + u" -->");
        ShowGlobalIP(fake, 0x100, kUrl);
        EXPECT_TRUE(SameCalls(
            {"MessageBox([" + ip + "] です。\r\nクリップボードにコピーしました。|ポコ丸 グローバルIP取得情報|64)",
             "OpenClipboard(256)", "EmptyClipboard", "SetClipboardData(1|" + ip + ")",
             "RegisterClipboardFormatA(Rich Text Format)", "SetClipboardData(49392|" + ip + ")", "CloseClipboard",
             "MessageBeep(0)"},
            fake.CallsWithout({"InternetOpenA", "InternetOpenUrlA", "InternetReadFile", "InternetCloseHandle"})));
    }
}

}  // namespace
