// ReadIni / WriteIni through the profile calls, and the stored truth value.
#include <gtest/gtest.h>

#include "app/settings.h"
#include "tests/support/fake_platform.h"

using namespace poko;

namespace {

const Text kPath = u"C:\\Apps\\Poko\\Timer.ini";

TEST(ReadWriteIni, ValuesComeBackAsWritten) {
    // Each value must survive a write and a read of the profile calls unchanged,
    // including those the read would trim or unquote if they were stored bare.
    static const Text kValues[] = {
        u"!会議の時間です",
        u"C:\\ソフト\\表.exe",  // trail bytes 0x5C
        u"notepad.exe foo",
        u" EXIT",  // must not come back as the shutdown target EXIT
        u"EXIT ",
        u"\tREBOOT",
        u"\"quoted\"",
        u"'single'",
        u"\"half",
        u"\u3000全角空白\u3000",
        u"",
    };
    for (const Text& value : kValues) {
        FakePlatform fake;
        WriteIni(fake, kPath, u"CONFIG", u"FILENAME", value);
        EXPECT_EQ(Utf8(ReadIni(fake, kPath, u"CONFIG", u"FILENAME", u"DEF")), Utf8(value))
            << "stored as [" << *fake.ini.Raw(ToAnsi(kPath), "CONFIG", "FILENAME") << "]";
    }
}

// What WriteIni stores is read back from the file as written, so a line break in a value
// must not reach the file: it would start a section or key of its own.
TEST(WriteIni, LineBreaksBecomeBlanks) {
    const struct {
        Text value, readBack;
    } cases[] = {
        {u"!one\ntwo", u"!one two"},
        {u"x\r\n[WINDOW]\r\nDATA=0", u"x  [WINDOW]  DATA=0"},
        {u"EXIT\n", u"EXIT "},
    };
    for (const auto& c : cases) {
        FakePlatform fake;
        WriteIni(fake, kPath, u"CONFIG", u"FILENAME", c.value);
        fake.ini.Load(ToAnsi(kPath), fake.ini.Dump(ToAnsi(kPath)));  // as a later start finds the file
        EXPECT_EQ(Utf8(ReadIni(fake, kPath, u"CONFIG", u"FILENAME", u"")), Utf8(c.readBack));
        EXPECT_EQ(fake.ini.Raw(ToAnsi(kPath), "WINDOW", "DATA"), std::nullopt);
    }
}

TEST(ReadWriteIni, CallArgumentsAndPath) {
    FakePlatform fake;
    ReadIni(fake, kPath, u"CONFIG", u"H", u"00");
    WriteIni(fake, kPath, u"CONFIG", u"H", u"7");
    EXPECT_TRUE(SameCalls({"GetPrivateProfileStringA(CONFIG|H|00|255)", "WritePrivateProfileStringA(CONFIG|H|7)"},
                          fake.calls));
    EXPECT_EQ(fake.profilePaths, (std::vector<Bytes>{ToAnsi(kPath), ToAnsi(kPath)}));
}

TEST(ReadIni, LongValuesAreCutAt254Bytes) {
    struct Case {
        Text stored, expected;
        Text path = kPath;  // one the code page cannot hold (Ł) goes through the "W" calls, cut alike
    };
    Text dbcs200, dbcs127;
    for (int i = 0; i < 200; ++i) dbcs200 += u"あ";
    for (int i = 0; i < 127; ++i) dbcs127 += u"あ";
    const Case cases[] = {
        {Text(300, u'a'), Text(254, u'a')},
        {Text(254, u'b'), Text(254, u'b')},
        {dbcs200, dbcs127},  // 400 bytes; the cut falls between characters
        {dbcs200, dbcs127, u"C:\\\u0141\\Timer.ini"},
    };
    for (const Case& c : cases) {
        FakePlatform fake;
        fake.ini.Load(FitsAnsi(c.path) ? ToAnsi(c.path) : Utf8(c.path), "[CONFIG]\r\nFILENAME=" + ToAnsi(c.stored) + "\r\n");
        const Text got = ReadIni(fake, c.path, u"CONFIG", u"FILENAME", u"");
        EXPECT_EQ(got.size(), c.expected.size());
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(ReadIniWhole(fake, c.path, u"CONFIG", u"FILENAME", u""), c.stored) << "read again, whole";
    }
}

TEST(ReadIni, MissingGivesDefaultAndEmptyGivesEmpty) {
    struct Case {
        const char* file;  // nullptr: no file at all
        const char* section;
        const char* key;
        Text expected;
    };
    const Case cases[] = {
        {nullptr, "CONFIG", "H", u"00"},
        {"[CONFIG]\r\nM=5\r\n", "CONFIG", "H", u"00"},
        {"[WINDOW]\r\nH=5\r\n", "CONFIG", "H", u"00"},
        {"[CONFIG]\r\nH=\r\n", "CONFIG", "H", u""},
        {"[config]\r\nh=  12  \r\n", "CONFIG", "H", u"12"},
    };
    for (const Case& c : cases) {
        FakePlatform fake;
        if (c.file) fake.ini.Load(ToAnsi(kPath), c.file);
        EXPECT_EQ(Utf8(ReadIni(fake, kPath, FromUtf8(c.section), FromUtf8(c.key), u"00")), Utf8(c.expected))
            << (c.file ? c.file : "(no file)");
    }
}

TEST(TruthValue, WordsAndNumbers) {
    struct Case {
        Text text;
        std::optional<bool> expected;
    };
    const Case cases[] = {
        {u"True", true},  {u"false", false}, {u"TRUE", true},   {u"1", true},        {u"0", false},
        {u"-1", true},    {u"2.5", true},    {u"&H1", true},    {u"&H0", false},     {u"yes", std::nullopt},
        {u"", std::nullopt}, {u"abc", std::nullopt}, {u"12abc", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(TruthValue(c.text), c.expected) << Utf8(c.text);
}

}  // namespace
