// The network features against the local board server: the global IP copy, the
// mascot's runs from the alarm and by itself, and servers that fail in each way.
#include <gtest/gtest.h>

#include "driver.h"
#include "ui/control_ids.h"

namespace e2e {
namespace {

const std::wstring kWindows = L"Windows";
// 目覚まし時計について語るスレ: the first thread of every board of the local server.
const std::wstring kFirstThread = L"\u76EE\u899A\u307E\u3057\u6642\u8A08\u306B\u3064\u3044\u3066\u8A9E\u308B\u30B9\u30EC";

void ExpectBox(const MessageBoxWindow& box, const std::wstring& title, const std::wstring& text, size_t buttons) {
    EXPECT_EQ(Describe(box.title), Describe(title));
    EXPECT_EQ(Describe(box.text), Describe(text));
    EXPECT_EQ(box.buttons.size(), buttons);
}

// Points the program at an IP page of the local server, with the clipboard emptied.
void ServeIpPage(AppFolder& app, const wchar_t* path) {
    PointAtBoard(app, path, BoardUrl(L"/~poko/2chmenu.html"));
    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard());
    CloseClipboard();
}

// Asks the program, started hidden, for the global IP from its tray menu.
void AskForTheAddress(Program& program) {
    program.WaitForMainWindow(false);
    WaitForStartup(program);
    program.ChooseFromTrayMenu(L'i');
}

TEST(Network, GlobalIpIsShownThenCopiedInBothFormats) {
    AppFolder app;
    ServeIpPage(app, L"/big/e/?");  // the comment after 5 MiB
    Program program(app, L"-M");
    AskForTheAddress(program);
    MessageBoxWindow box = program.WaitForMessageBox(30s);
    ExpectBox(box, L"\u30DD\u30B3\u4E38 \u30B0\u30ED\u30FC\u30D0\u30EBIP\u53D6\u5F97\u60C5\u5831",  // ポコ丸 グローバルIP取得情報
              L"[203.0.113.5] \u3067\u3059\u3002\r\n\u30AF\u30EA\u30C3\u30D7\u30DC\u30FC\u30C9\u306B\u30B3\u30D4\u30FC"
              L"\u3057\u307E\u3057\u305F\u3002",  // [..] です。 クリップボードにコピーしました。
              1);
    EXPECT_FALSE(ClipboardText(CF_TEXT)) << "the clipboard is touched only after the box";
    program.Answer(box, L"OK");
    const UINT rtf = RegisterClipboardFormatW(L"Rich Text Format");
    WaitUntil("the address on the clipboard", kDeadline, [&] { return ClipboardText(rtf) == "203.0.113.5"; });
    EXPECT_EQ(ClipboardText(CF_TEXT), "203.0.113.5");
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

// Parentheses holding lines of rich text give no address, in the box and on the
// clipboard; an IPv6 address is shown and copied.
TEST(Network, OnlyAnAddressReachesTheClipboard) {
    const UINT rtf = RegisterClipboardFormatW(L"Rich Text Format");
    for (const auto& [path, ip] : {std::pair{L"/lines/e/?", ""}, std::pair{L"/ipv6/e/?", "2001:db8::cafe:5"}}) {
        SCOPED_TRACE(Utf8(path));
        AppFolder app;
        ServeIpPage(app, path);
        Program program(app, L"-M");
        AskForTheAddress(program);
        MessageBoxWindow box = program.WaitForMessageBox(30s);
        EXPECT_TRUE(box.text.starts_with(L"[" + Wide(ip) + L"] ")) << Describe(box.text);
        program.Answer(box, L"OK");
        WaitUntil("the clipboard to be written", kDeadline, [&] { return ClipboardText(rtf) == ip; });
        EXPECT_EQ(ClipboardText(CF_TEXT), ip);
        program.Close();
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

// Meanwhile it answers what is sent to its window, as Windows asks of a program not hung.
TEST(Network, StalledOrTricklingServerGivesTheProgramBackWithin20s) {
    for (const wchar_t* path : {L"/stall/e/?", L"/trickle/e/?"}) {
        SCOPED_TRACE(Utf8(path));
        AppFolder app;
        ServeIpPage(app, path);
        Program program(app, L"-M");
        AskForTheAddress(program);
        const auto asked = std::chrono::steady_clock::now();
        WaitUntil("the page to be asked for", kDeadline, [] { return !BoardRequests().empty(); });
        EXPECT_TRUE(SendMessageTimeoutW(program.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, nullptr))
            << "no answer within 1 s while the page loads";
        MessageBoxWindow box = program.WaitForMessageBox(40s);
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - asked);
        std::printf("%s: the box came after %lld ms\n", Utf8(path).c_str(), static_cast<long long>(waited.count()));
        EXPECT_LT(waited, 23s) << "20 s for the download, and a margin for Wine";
        EXPECT_TRUE(box.text.starts_with(L"[] ")) << Describe(box.text);
        program.Answer(box, L"OK");
        program.Close();
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

TEST(Mascot, QuestionTargetOffersAThreadAndOpensItOnYes) {
    AppFolder app;
    SetShellClass(L"http\\shell\\open\\command", L"\"" + CopyMarker(app) + L"\" \"%1\"");  // the browser
    PointAtBoard(app, L"/e/?", BoardUrl(L"/~poko/2chmenu.html"));
    ScriptDraws(L"0.215,0.215");  // the first board after the lounge's start, its first thread
    Program program(app, QuestionNow());
    program.WaitForMainWindow(false);

    MessageBoxWindow box = program.WaitForMessageBox(90s);
    ExpectBox(box, kWindows, kFirstThread, 2);
    EXPECT_EQ(DefaultButtonId(box), IDNO);
    program.Answer(box, kYes);
    WaitUntil("the browser to be started", kDeadline, [&] { return app.Exists(L"fired.txt"); });
    WaitUntil("the browser to write", kDeadline, [&] { return app.Contents(L"fired.txt").size() > 5; });
    EXPECT_EQ(app.Read(L"fired.txt"), "fired\n\"" + Utf8(BoardUrl(L"/test/read.cgi/lounge/1165000001")) + "\"");
    EXPECT_EQ(BoardRequests(), (std::vector<std::string>{"/~poko/2chmenu.html", "/lounge/subback.html"}));
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Mascot, ByItselfWhileHiddenSaysOneLineOnNoAndLineFiveLooksAgain) {
    AppFolder app;
    PointAtBoard(app, L"/e/?", BoardUrl(L"/~poko/2chmenu.html"), "[CONFIG]\r\nAI=True\r\n");
    // The chatter's draw must hit this minute (or the next, should it pass first); then
    // board, thread, line 5; a new run: board, thread, line 1; then draws that never hit.
    const int m = MinuteWithRoom().wMinute;
    wchar_t draws[512];
    int n = std::swprintf(draws, 512, L"%f,%f,0.215,0.215,0.55,0.215,0.215,0.15", (m + 0.5) / 60,
                          ((m + 1) % 60 + 0.5) / 60);
    for (int i = 0; i < 30; ++i) n += std::swprintf(draws + n, 512 - n, L",%f", ((m + 30) % 60 + 0.5) / 60);
    ScriptDraws(draws);
    Program program(app, L"-M");
    program.WaitForMainWindow(false);

    const wchar_t* lines[] = {
        L"\u5DDDo\u30FB-\u30FB\uFF09\u30CE\uFF1C \u3069\u3046\u3057\u305F\u3093\u3067\u3059\u304B\uFF1F\u672A\u6765"
        L"\u884C\u304D\u306E\u5207\u7B26\u306F\u307F\u3093\u306A\u304C\u6301\u3063\u3066\u308B\u306E\u3067\u3059"
        L"\u30FB\u30FB\u30FB",  // line 5
        L"\u5DDDo\u30FB-\u30FB\uFF09\u30CE\uFF1C \u4EBA\u9593\u3063\u3066\u3001\u5BC2\u3057\u3044\u306D\u3002",  // line 1
    };
    for (const wchar_t* line : lines) {
        MessageBoxWindow prompt = program.WaitForMessageBox(30s);
        ExpectBox(prompt, kWindows, kFirstThread, 2);
        program.Answer(prompt, kNo);
        MessageBoxWindow said = program.WaitForMessageBox();
        ExpectBox(said, kWindows, line, 1);
        ExpectMessageBoxesFor(program, 1, 1s);
        program.Answer(said, L"OK");
    }
    ExpectMessageBoxesFor(program, 0, 3s);
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

// A board at the server root would put its threads on another host: it is never taken.
TEST(Mascot, ABoardWithoutAFolderIsNeverTaken) {
    AppFolder app;
    PointAtBoard(app, L"/e/?", BoardUrl(L"/~root/2chmenu.html"));
    ScriptDraws(L"0.215,0.215");
    Program program(app, QuestionNow());
    program.WaitForMainWindow(false);
    MessageBoxWindow box = program.WaitForMessageBox(90s);
    // 川o･-･)ノ＜ ネットにつながないと動けないよ。
    ExpectBox(box, kWindows,
              L"\u5DDDo\uFF65-\uFF65)\u30CE\uFF1C \u30CD\u30C3\u30C8\u306B\u3064\u306A\u304C\u306A\u3044\u3068"
              L"\u52D5\u3051\u306A\u3044\u3088\u3002",
              1);
    EXPECT_EQ(BoardRequests(), std::vector<std::string>{"/~root/2chmenu.html"});
    program.Answer(box, L"OK");
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Mascot, UnreachableServerSaysItSkipsWork) {
    AppFolder app;
    PointAtBoard(app, L"/e/?", L"http://127.0.0.1:1/~poko/2chmenu.html");
    Program program(app, QuestionNow());
    program.WaitForMainWindow(false);
    MessageBoxWindow box = program.WaitForMessageBox(90s);
    // 川o･-･)ノ＜ 時々、サボるさ。
    ExpectBox(box, kWindows, L"\u5DDDo\uFF65-\uFF65)\u30CE\uFF1C \u6642\u3005\u3001\u30B5\u30DC\u308B\u3055\u3002", 1);
    program.Answer(box, L"OK");
    ExpectMessageBoxesFor(program, 0, 2s);
    EXPECT_EQ(program.QueryState().Get("timer.enabled"), "0") << "the alarm completed";
    program.Close();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace e2e
