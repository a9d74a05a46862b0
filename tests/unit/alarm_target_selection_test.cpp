// Choosing the launch target: the filter conversion, the open-file dialog record, the
// browse button and files dropped on the box.
#include <gtest/gtest.h>

#include "alarm/target_selection.h"
#include "tests/support/form_harness.h"

using namespace poko;

namespace {

TEST(ConvertFilter, BarsBecomeNul) {
    struct Case {
        Text in, out;
    };
    const Case cases[] = {
        {u"全てのファイル|*.*", Text(u"全てのファイル\0*.*", 11)},
        {u"a|b|c|d", Text(u"a\0b\0c\0d", 7)},
        {u"||", Text(u"\0\0", 2)},
        {u"", u""},
        {u"no bars", u"no bars"},
    };
    for (const Case& c : cases) {
        const Text out = ConvertFilter(c.in);
        EXPECT_EQ(out.size(), c.in.size());
        EXPECT_EQ(out, c.out);
    }
}

TEST(OpenFileDialog, RecordOfTheBrowseButton) {
    FormHarness h;
    h.frm.cmdFileOpen.Click();
    ASSERT_EQ(h.fake.CallsStartingWith("GetOpenFileNameA").size(), 1u);
    ASSERT_TRUE(h.fake.lastOpenFile);
    const OpenFileRecord& r = *h.fake.lastOpenFile;
    EXPECT_EQ(r.lStructSize, 76u);
    EXPECT_EQ(r.hwndOwner, kMainHwnd);
    EXPECT_EQ(r.hInstance, 0x400000u);
    EXPECT_EQ(r.filter, ToAnsi(u"全てのファイル") + std::string("\0*.*\0\0", 6));
    EXPECT_EQ(r.nFilterIndex, 1u);
    EXPECT_EQ(r.file, std::string(257, '\0'));
    EXPECT_EQ(r.nMaxFile, 256u);
    EXPECT_EQ(r.fileTitle, std::string(257, '\0'));
    EXPECT_EQ(r.nMaxFileTitle, 256u);
    EXPECT_EQ(r.initialDir, "");
    EXPECT_EQ(r.title, "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8A\x4A\x82\xAD");  // ファイルを開く in CP932
    EXPECT_EQ(r.flags, 0u);
}

TEST(OpenFileDialog, CallersFilterIsConverted) {
    FakePlatform fake;
    fake.openFileAnswer = "C:\\a.txt";
    Text filter = u"文書|*.txt|全て|*.*";
    EXPECT_EQ(OpenFileDialog(fake, 7, filter), u"C:\\a.txt");
    EXPECT_EQ(filter, Text(u"文書\0*.txt\0全て\0*.*", 15));
    EXPECT_EQ(fake.lastOpenFile->hwndOwner, 7u);
}

TEST(BrowseButton, ResultReplacesTheTarget) {
    const std::string path255 = "C:\\" + std::string(252, 'p');
    struct Case {
        const char* what;
        std::optional<Bytes> answer;
        Text expected;
    };
    const Case cases[] = {
        {"cancel keeps the typed text", std::nullopt, u"!typed message"},
        {"plain path", Bytes("C:\\Music\\a.mp3"), u"C:\\Music\\a.mp3"},
        {"Japanese path", ToAnsi(u"C:\\ソフト\\表計算.exe"), u"C:\\ソフト\\表計算.exe"},
        {"255 bytes fit", path255, FromUtf8(path255)},
        {"256 bytes do not", path255 + "q", u"!typed message"},
        {"beyond the code page, whole", std::nullopt, u"C:\\Musique\\été.mp3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FormHarness h;
        h.frm.TextFileName.UserEdited(u"!typed message");
        h.fake.openFileAnswer = c.answer;
        if (!c.answer && c.expected != u"!typed message") h.fake.openFileAnswerWide = c.expected;
        h.frm.cmdFileOpen.Click();
        EXPECT_EQ(Utf8(h.frm.TextFileName.GetText()), Utf8(c.expected));
    }
}

TEST(DropOnTarget, FirstFileOnly) {
    const std::vector<Text> three = {u"C:\\一.txt", u"C:\\two.txt", u"C:\\three.txt"};
    const std::vector<Text> none;
    struct Case {
        const std::vector<Text>* files;
        Text expected;
    };
    const Case cases[] = {{&three, u"C:\\一.txt"}, {&none, u"old"}, {nullptr, u"old"}};
    for (const Case& c : cases) {
        FormHarness h;
        h.frm.TextFileName.UserEdited(u"old");
        h.frm.TextFileName_Dropped(c.files);
        EXPECT_EQ(h.frm.TextFileName.GetText(), c.expected);
        EXPECT_TRUE(h.fake.calls.empty());
    }
}

}  // namespace
