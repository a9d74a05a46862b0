// Start-up and exit of the main window: Timer.ini, the command line, the tray icon and
// the opacity, in their fixed orders, and what an early stop leaves behind.
#include <gtest/gtest.h>

#include "tests/support/form_harness.h"
#include "tests/support/timer_ini_keys.h"

using namespace poko;
using enum StartupStep;

namespace {

FormHarness& Started(FormHarness& h, const Text& ini, const Text& args = u"") {
    if (!ini.empty()) h.fake.PreloadIni(ini);
    h.fake.commandLine = args;
    h.frm.Form_Load();
    return h;
}

int CheckedOpacityItem(FrmTimer& f) {
    for (int i = 0; i < 4; ++i)
        if (f.M_WinCon[i]->Checked()) return i;
    return -1;
}

TEST(Startup, WithoutSettingsFile) {
    FormHarness h;
    FrmTimer& f = Started(h, u"").frm;
    EXPECT_EQ(f.StartupStepDone(), CommandLineRead);
    EXPECT_EQ(f.TextFileName.GetText(), u"");
    EXPECT_EQ(f.TextH.GetText(), u"0");
    EXPECT_EQ(f.TextM.GetText(), u"0");
    EXPECT_EQ(f.VS_h.Value(), 23);
    EXPECT_EQ(f.VS_m.Value(), 59);
    EXPECT_EQ(f.frm_Timer.Top(), 0);
    EXPECT_EQ(f.frm_Timer.Left(), 0);
    EXPECT_FALSE(f.M_WinCmm->Checked());
    EXPECT_EQ(f.Alpha(), 255);
    EXPECT_EQ(CheckedOpacityItem(f), 0);
    EXPECT_TRUE(f.L_Title.Opaque());
    EXPECT_EQ(FormInternals::IniPath(f), u"C:\\Apps\\Poko\\Timer.ini");
    EXPECT_TRUE(f.frm_Timer.Visible());
    EXPECT_FALSE(f.Timer.Enabled());

    ASSERT_EQ(h.fake.trayRecords.size(), 1u);
    ExpectFullTrayRecord(h.fake.trayRecords[0], false, "00:00");
    EXPECT_TRUE(f.TrayIconShown());
}

TEST(Startup, CallOrder) {
    FormHarness h;
    h.fake.commandLine = u"";
    h.frm.Form_Load();
    EXPECT_TRUE(SameCalls(
        {
            "AppFolder",
            "FileAttributes(C:\\Apps\\Poko\\back.jpg)",
            "GetPrivateProfileStringA(CONFIG|FILENAME||255)",
            "GetPrivateProfileStringA(CONFIG|FILENAMEW||255)",
            "GetPrivateProfileStringA(CONFIG|H|00|255)",
            "GetPrivateProfileStringA(CONFIG|M|00|255)",
            "GetPrivateProfileStringA(WINDOW|X|0|255)",
            "GetPrivateProfileStringA(WINDOW|Y|0|255)",
            "GetPrivateProfileStringA(CONFIG|AI|0|255)",
            "GetPrivateProfileStringA(WINDOW|DATA|255|255)",
            "Shell_NotifyIconA(0)",
            "GetVersionExA(148)",
            "GetWindowLongA(-20)",
            "SetWindowLongA(-20,524288)",
            "SetLayeredWindowAttributes(0,255,2)",
            "RegisterWindowMessageA(TaskbarCreated)",
            "InstallWindowProc",
            "CommandLine",
            "GetPrivateProfileStringA(NET|IPURL|http://127.0.0.1:8780/e/?|255)",
            "GetPrivateProfileStringA(NET|MENUURL|http://127.0.0.1:8780/~poko/2chmenu.html|255)",
            "GetPrivateProfileStringA(POWER|WAKE||255)",
            "GetPrivateProfileStringA(POWER|LATE|0|255)",
            "GetPrivateProfileStringA(ALARM|SOUND||255)",
            "GetPrivateProfileStringA(ALARM|WARN|0|255)",
            "GetPrivateProfileStringA(ALARM|REPEAT||255)",
        },
        h.fake.CallsWithout({"Now"})));
    for (const Bytes& p : h.fake.profilePaths) EXPECT_EQ(p, "C:\\Apps\\Poko\\Timer.ini");
}

TEST(Startup, LayeredStyleKeepsOtherBits) {
    FormHarness h;
    h.fake.exStyle = 0x100;
    Started(h, u"[WINDOW]\nDATA=153\n");
    EXPECT_EQ(h.fake.CallsStartingWith("SetWindowLongA"), (std::vector<std::string>{"SetWindowLongA(-20,524544)"}));
    EXPECT_EQ(h.fake.CallsStartingWith("SetLayered"),
              (std::vector<std::string>{"SetLayeredWindowAttributes(0,153,2)"}));
    EXPECT_EQ(CheckedOpacityItem(h.frm), 2);
}

// Stored settings and how far start-up gets with them. "-TS" is on every command line:
// it arms only when start-up reaches the command line.
TEST(Startup, SettingsAndEarlyStops) {
    struct Case {
        const char* what;
        Text ini;
        StartupStep step;
        bool cmm;
        float top, left;
        int alpha;
        int checkedItem;
    };
    const Case cases[] = {
        {"stored values", u"[CONFIG]\nAI=1\n[WINDOW]\nX=1500\nY=3000\nDATA=102\n", CommandLineRead, true, 1500, 3000, 102, 3},
        {"negative position", u"[WINDOW]\nX=-300\nY=-15\n", CommandLineRead, false, 0, 0, 255, 0},
        {"AI True", u"[CONFIG]\nAI=True\n", CommandLineRead, true, 0, 0, 255, 0},
        {"AI -1", u"[CONFIG]\nAI=-1\n", CommandLineRead, true, 0, 0, 255, 0},
        {"AI yes", u"[CONFIG]\nAI=yes\n[WINDOW]\nX=-300\nY=45\n", LeftRead, false, -300, 45, 0, -1},
        {"AI empty", u"[CONFIG]\nAI=\n", LeftRead, false, 0, 0, 0, -1},
        {"DATA 204", u"[WINDOW]\nDATA=204\n", CommandLineRead, false, 0, 0, 204, 1},
        {"DATA 200", u"[WINDOW]\nDATA=200\n", CommandLineRead, false, 0, 0, 200, -1},
        {"DATA 254.5", u"[WINDOW]\nDATA=254.5\n", CommandLineRead, false, 0, 0, 254, -1},
        {"DATA empty", u"[WINDOW]\nDATA=\n", CommandLineRead, false, 0, 0, 0, -1},
        {"DATA 300", u"[CONFIG]\nAI=1\n[WINDOW]\nX=-300\nDATA=300\n", PositionClamped, true, 0, 0, 0, -1},
        {"DATA -1", u"[WINDOW]\nDATA=-1\n", PositionClamped, false, 0, 0, 0, -1},
        {"DATA 255.5", u"[WINDOW]\nDATA=255.5\n", PositionClamped, false, 0, 0, 0, -1},
        {"DATA huge", u"[WINDOW]\nDATA=1e400\n", PositionClamped, false, 0, 0, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FormHarness h;
        FrmTimer& f = Started(h, c.ini, u"-TS").frm;
        const bool full = c.step == CommandLineRead;
        EXPECT_EQ(f.StartupStepDone(), full ? CommandLineApplied : c.step);
        EXPECT_EQ(f.M_WinCmm->Checked(), c.cmm);
        EXPECT_EQ(f.frm_Timer.Top(), c.top);
        EXPECT_EQ(f.frm_Timer.Left(), c.left);
        EXPECT_EQ(f.Alpha(), c.alpha);
        EXPECT_EQ(CheckedOpacityItem(f), c.checkedItem);
        EXPECT_EQ(h.fake.CallsStartingWith("Shell_NotifyIconA(0)").size(), full ? 1u : 0u);
        EXPECT_EQ(h.fake.CallsStartingWith("InstallWindowProc").size(), full ? 1u : 0u);
        EXPECT_EQ(h.fake.CallsStartingWith("RegisterWindowMessageA").size(), full ? 1u : 0u);
        EXPECT_EQ(h.fake.CallsStartingWith("CommandLine").size(), full ? 1u : 0u);
        EXPECT_EQ(f.Timer.Enabled(), full);
        EXPECT_EQ(f.TrayIconShown(), full);
    }
}

// Two keys at one step: both are read, and the step is done.
TEST(Startup, EveryKeyOfAStepIsRead) {
    const auto add = [](FrmTimer& f, const Text& v) { return f.TextFileName.SetText(f.TextFileName.GetText() + v), true; };
    const SettingRow rows[] = {{.section = u"A", .key = u"1", .readAt = HourRead, .read = add},
                               {.section = u"A", .key = u"2", .readAt = HourRead, .read = add}};
    FormHarness h;
    h.fake.PreloadIni(u"[A]\n1=x\n2=y\n");
    FormInternals::IniPath(h.frm) = h.fake.IniFile();
    EXPECT_TRUE(FormInternals::ReadSettings(h.frm, rows, HourRead));
    EXPECT_EQ(Utf8(h.frm.TextFileName.GetText()) + " " + std::string(StartupStepName(h.frm.StartupStepDone())), "xy HourRead");
}

// The end-to-end driver runs the program and cannot link its table: its list of the keys
// start-up reads and exit writes is the table's.
TEST(Startup, TheDriversKeysAreTheTables) {
    std::string table, list;
    for (const SettingRow& row : FormInternals::SettingRows())
        if (row.value)
            table += Utf8(Text(row.section) + u"/" + Text(row.key) + u"=" + Text(row.fallback) + u"@") +
                     std::string(StartupStepName(row.readAt)) + " ";
    for (const StoredKey& k : kStoredKeys)
        list += std::string(k.section) + "/" + k.key + "=" + k.fallback + "@" + std::string(StartupStepName(k.readAt)) + " ";
    EXPECT_EQ(list, table);
}

TEST(Startup, OldSystemLeavesOpacityAlone) {
    FormHarness h;
    h.fake.version.major = 4;
    h.fake.version.platformId = 1;
    FrmTimer& f = Started(h, u"[WINDOW]\nDATA=153\n").frm;
    EXPECT_EQ(f.StartupStepDone(), CommandLineRead);
    EXPECT_FALSE(f.M_toumei->Enabled());
    EXPECT_EQ(CheckedOpacityItem(f), -1);
    EXPECT_TRUE(h.fake.CallsStartingWith("SetLayered").empty());
    EXPECT_TRUE(h.fake.CallsStartingWith("SetWindowLongA").empty());
    f.Form_Unload();
    EXPECT_EQ(h.fake.Stored(u"WINDOW", u"DATA"), u"153");
}

TEST(Startup, BackgroundPicture) {
    struct Case {
        const char* what;
        std::optional<FileKind> kind;
        bool loads;
        StartupStep step;
        bool opaque, loadCalled;
    };
    const Case cases[] = {
        {"absent", std::nullopt, true, CommandLineRead, true, false},
        {"normal, loads", FileKind::Normal, true, CommandLineRead, false, true},
        {"hidden counts as absent", FileKind::Other, true, CommandLineRead, true, false},
        {"normal, corrupt", FileKind::Normal, false, ScrollBarsSet, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FormHarness h;
        if (c.kind) h.fake.files[u"C:\\Apps\\Poko\\back.jpg"] = *c.kind;
        h.fake.pictureLoads = c.loads;
        FrmTimer& f = Started(h, u"[CONFIG]\nFILENAME=x\nH=5\n").frm;
        EXPECT_EQ(f.StartupStepDone(), c.step);
        EXPECT_EQ(f.L_Title.Opaque(), c.opaque);
        EXPECT_EQ(h.fake.CallsStartingWith("LoadBackgroundPicture").size(), c.loadCalled ? 1u : 0u);
        const bool read = c.step > ScrollBarsSet;
        EXPECT_EQ(h.fake.CallsStartingWith("GetPrivateProfileStringA(CONFIG").size() +
                      h.fake.CallsStartingWith("GetPrivateProfileStringA(WINDOW").size(),
                  read ? 8u : 0u);
        EXPECT_EQ(f.TextFileName.GetText(), read ? u"x" : u"");
        EXPECT_EQ(f.TextH.GetText(), read ? u"5" : u"20");
        if (!read) {  // the bars as step 2 set them from the layout's texts
            EXPECT_EQ(f.VS_h.Value(), 3);
            EXPECT_EQ(f.VS_m.Value(), 34);
        }
    }
}

TEST(Startup, CommandLine) {
    FormHarness h;
    FrmTimer& f = Started(h, u"[CONFIG]\nH=5\nM=10\n", u"TIME=0730 FILE=\"C:\\My-Music\\a.mp3\" -TS").frm;
    // "-TS" arms before the time is set: the tip still shows the stored time.
    EXPECT_TRUE(f.Timer.Enabled());
    EXPECT_EQ(f.TextH.GetText(), u"7");
    EXPECT_EQ(f.TextM.GetText(), u"30");
    EXPECT_EQ(f.VS_h.Value(), 16);
    EXPECT_EQ(f.TextFileName.GetText(), u"C:\\My-Music\\a.mp3");
    EXPECT_EQ(TipText(f.TrayRecord()), TrayTip(kArmedStatus, "05:10"));
    // The folder name holds "-M": minimised, so hidden, with the icon still there.
    EXPECT_EQ(f.frm_Timer.State(), WindowState::Minimised);
    EXPECT_FALSE(f.frm_Timer.Visible());
    EXPECT_TRUE(f.TrayIconShown());
    EXPECT_EQ(h.fake.CallsStartingWith("Shell_NotifyIconA(0)").size(), 1u);
    EXPECT_EQ(h.fake.CallsStartingWith("Shell_NotifyIconA(2)").size(), 0u);
}

TEST(Exit, WritesInOrderAfterRemovingTheIcon) {
    FormHarness h;
    Started(h, u"[CONFIG]\nFILENAME=!会議\nH=07\nM=5\nAI=1\n[WINDOW]\nX=10\nY=20\nDATA=204\n");
    h.fake.calls.clear();
    h.frm.frm_Timer.UserMoved(3000, 1500);  // left, top
    h.frm.M_Exit->Click();
    EXPECT_TRUE(SameCalls(
        {
            "Shell_NotifyIconA(2)",
            "GetFileAttributesA(C:\\Apps\\Poko\\Timer.ini)",
            "WritePrivateProfileStringA(CONFIG|FILENAME|!会議)",
            "DeletePrivateProfileKeyA(CONFIG|FILENAMEW)",
            "WritePrivateProfileStringA(CONFIG|H|7)",
            "WritePrivateProfileStringA(CONFIG|M|5)",
            "WritePrivateProfileStringA(CONFIG|AI|True)",
            "WritePrivateProfileStringA(WINDOW|X|1500)",
            "WritePrivateProfileStringA(WINDOW|Y|3000)",
            "WritePrivateProfileStringA(WINDOW|DATA|204)",
        },
        h.fake.calls));
}

TEST(Exit, PositionTexts) {
    struct Case {
        float top, left;
        const char* x;
        const char* y;
    };
    const Case cases[] = {{0, 0, "0", "0"}, {-45, 1234.5f, "-45", "1234.5"}, {12345678, 30000, "1.234568E+07", "30000"}};
    for (const Case& c : cases) {
        FormHarness h;
        Started(h, u"");
        h.frm.frm_Timer.UserMoved(c.left, c.top);
        h.frm.Form_Unload();
        EXPECT_EQ(h.fake.Stored(u"WINDOW", u"X"), FromUtf8(c.x));
        EXPECT_EQ(h.fake.Stored(u"WINDOW", u"Y"), FromUtf8(c.y));
    }
}

TEST(Exit, HiddenWindowKeepsStoredPosition) {
    FormHarness h;
    Started(h, u"[WINDOW]\nX=600\nY=900\n", u"-M");
    h.frm.frm_Timer.UserMoved(0, 0);
    h.frm.Form_Unload();
    EXPECT_TRUE(h.fake.CallsStartingWith("WritePrivateProfileStringA(WINDOW|X").empty());
    EXPECT_TRUE(h.fake.CallsStartingWith("WritePrivateProfileStringA(WINDOW|Y").empty());
    EXPECT_EQ(h.fake.Stored(u"WINDOW", u"X"), u"600");
    EXPECT_EQ(h.fake.Stored(u"WINDOW", u"Y"), u"900");
}

// The next start reads the target as exit stored it: FILENAMEW (whole) counts while FILENAME
// is its code-page form; 65,535 bytes are read whole, and a longer value, read cut, is kept.
TEST(Exit, TheTargetKeepsItsMeaningAcrossARestart) {
    const Text path300 = u"C:\\" + Text(297, u'a'), long65536(65536, u'b'), ete = u"C:\\%C3%A9t%C3%A9.mp3";
    const Text meeting = u"!%E4%BC%9A%E8%AD%B0%E3%80%9C", badEte = u"C:\\?t?.mp3\nFILENAMEW=C:\\%C3%A9t%C3.mp3";
    Text longEte = u"C:\\", longEteW = u"C:\\";  // its FILENAMEW 65,535 bytes
    for (int i = 0; i < 10922; ++i) longEte += u"é", longEteW += u"%C3%A9";
    const struct {
        const char *what, *codePage;
        Text stored, typed;  // FILENAME's line and more before; "": nothing typed
        bool readOnly;  // Timer.ini marked read-only
        Text fileName, fileNameW, next;  // after exit ("": no FILENAMEW), at the next start
        Text folder = u"C:\\Apps\\Poko";
    } rows[] = {
        {"été.mp3 over EXIT", "CP932", u"EXIT", u"C:\\été.mp3", false, u"C:\\?t?.mp3", ete, u"C:\\été.mp3"},
        {"!会議〜 over EXIT", "CP932", u"EXIT", u"!会議〜", false, u"!会議?", meeting, u"!会議〜"},
        {"!会議〜 over EXIT, 1252", "CP1252", u"EXIT", u"!会議〜", false, u"!???", meeting, u"!会議〜"},
        {"a plain path", "CP932", u"C:\\?t?.mp3\nFILENAMEW=" + ete, u"C:\\a.mp3", false, u"C:\\a.mp3", u"", u"C:\\a.mp3"},
        {"FILENAME edited by hand", "CP932", u"EXIT\nFILENAMEW=" + ete, u"", false, u"EXIT", u"", u"EXIT"},
        {"FILENAMEW not UTF-8", "CP932", badEte, u"", false, u"C:\\?t?.mp3", u"", u"C:\\?t?.mp3"},
        {"read-only", "CP932", u"EXIT", u"C:\\été.mp3", true, u"EXIT", u"", u"EXIT"},
        {"300 bytes stored", "CP932", path300, u"", false, path300, u"", path300},
        {"300 bytes typed", "CP932", u"!前の", path300, false, path300, u"", path300},
        {"65,536 bytes", "CP932", long65536, u"", false, long65536, u"", Text(65535, u'b')},
        {"FILENAMEW of 65,535 bytes", "CP932", u"EXIT", longEte, false, u"C:\\" + Text(10922, u'?'), longEteW, longEte},
        {"in Łukasz, 1252", "CP1252", u"EXIT", u"!会議〜", false, u"!???", meeting, u"!会議〜", u"C:\\Łukasz"},
        {"read-only, in Łukasz", "CP1252", u"EXIT", u"C:\\été.mp3", true, u"EXIT", u"", u"EXIT", u"C:\\Łukasz"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        UseNativeCodePage(row.codePage);
        FormHarness h, next;
        h.fake.appFolder = next.fake.appFolder = row.folder;
        Started(h, u"[CONFIG]\nFILENAME=" + row.stored + u"\n");
        if (!row.typed.empty()) h.frm.TextFileName.UserEdited(row.typed);
        if (row.readOnly) h.fake.attributes[h.fake.IniKey()] = 0x21;
        h.frm.Form_Unload();
        EXPECT_EQ(Utf8(h.fake.Stored(u"CONFIG", u"FILENAME").value_or(u"") + u"|" + h.fake.Stored(u"CONFIG", u"FILENAMEW").value_or(u"")),
                  Utf8(row.fileName + u"|" + row.fileNameW));
        next.fake.ini = h.fake.ini;
        EXPECT_EQ(Utf8(Started(next, u"").frm.TextFileName.GetText()), Utf8(row.next));
    }
    UseNativeCodePage("CP932");
}

// A start-up that stopped early must not wipe the stored settings at exit; a key the
// user changed since is still written.
TEST(Exit, EarlyStopKeepsStoredSettings) {
    struct Case {
        const char* what;
        Text ini;
        std::function<void(FrmTimer&)> userChange;
        std::vector<std::pair<Text, Text>> expected;  // key, stored value after exit
    };
    const Text aiYes = u"[CONFIG]\nFILENAME=!会議\nH=7\nM=30\nAI=yes\n[WINDOW]\nX=1500\nY=3000\nDATA=204\n";
    const Text data300 = u"[CONFIG]\nFILENAME=!会議\nH=7\nM=30\nAI=True\n[WINDOW]\nX=1500\nY=3000\nDATA=300\n";
    const std::vector<std::pair<Text, Text>> kept = {{u"FILENAME", u"!会議"}, {u"H", u"7"},     {u"M", u"30"},
                                                     {u"X", u"1500"},       {u"Y", u"3000"}};
    auto with = [&](std::pair<Text, Text> a, std::pair<Text, Text> b) {
        auto v = kept;
        v.push_back(a), v.push_back(b);
        return v;
    };
    const Case cases[] = {
        {"AI yes", aiYes, nullptr, with({u"AI", u"yes"}, {u"DATA", u"204"})},
        {"DATA 300", data300, nullptr, with({u"AI", u"True"}, {u"DATA", u"300"})},
        {"AI yes, user checks the switch", aiYes, [](FrmTimer& f) { f.M_WinCmm->SetChecked(true); },
         with({u"AI", u"True"}, {u"DATA", u"204"})},
        {"DATA 300, user picks 60%", data300, [](FrmTimer& f) { f.M_WinCon[2]->Click(); },
         with({u"AI", u"True"}, {u"DATA", u"153"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FormHarness h;
        Started(h, c.ini);
        ASSERT_LT(h.frm.StartupStepDone(), CommandLineRead);
        if (c.userChange) c.userChange(h.frm);
        h.frm.Form_Unload();
        for (const auto& [key, value] : c.expected) {
            const Text section = key == u"X" || key == u"Y" || key == u"DATA" ? u"WINDOW" : u"CONFIG";
            EXPECT_EQ(Utf8(h.fake.Stored(section, key).value_or(u"(missing)")), Utf8(value)) << Utf8(key);
        }
    }
}

// Start-up stopped before it set IniPath: exit still writes beside the program, never
// to a profile file of the system's own.
TEST(Exit, EarlyStopBeforeIniPathWritesBesideTheProgram) {
    FormHarness h;
    h.fake.files[u"C:\\Apps\\Poko\\back.jpg"] = FileKind::Normal;
    h.fake.pictureLoads = false;
    Started(h, u"[CONFIG]\nH=7\n");
    ASSERT_EQ(h.frm.StartupStepDone(), ScrollBarsSet);
    h.frm.TextFileName.UserEdited(u"!休憩");
    h.frm.Form_Unload();
    ASSERT_FALSE(h.fake.profilePaths.empty());
    for (const Bytes& p : h.fake.profilePaths) EXPECT_EQ(p, "C:\\Apps\\Poko\\Timer.ini");
    EXPECT_EQ(h.fake.ini.Paths(), (std::vector<Bytes>{"C:\\Apps\\Poko\\Timer.ini"}));
    EXPECT_EQ(h.fake.Stored(u"CONFIG", u"FILENAME"), u"!休憩");
    EXPECT_EQ(h.fake.Stored(u"CONFIG", u"H"), u"7");
}

// A Timer.ini marked read-only, or a folder of that name, is left as it is: the program
// does not rely on the system to refuse the writes.
TEST(Exit, ProtectedSettingsFileIsNotWritten) {
    const struct {
        std::optional<std::uint32_t> attributes;  // nothing: as the store has it
        bool written;
    } cases[] = {{std::nullopt, true}, {0x80, true}, {0x22, true}, {0x01, false}, {0x21, false}, {0x10, false}};
    for (const auto& c : cases) {
        FormHarness h;
        Started(h, u"[CONFIG]\nH=07\n");
        if (c.attributes) h.fake.attributes["C:\\Apps\\Poko\\Timer.ini"] = *c.attributes;
        h.frm.Form_Unload();
        EXPECT_EQ(h.fake.CallsStartingWith("WritePrivateProfileStringA").size(), c.written ? 7u : 0u)
            << "attributes " << c.attributes.value_or(0);
        EXPECT_EQ(h.fake.Stored(u"CONFIG", u"H"), c.written ? u"7" : u"07");
        EXPECT_EQ(h.fake.CallsStartingWith("Shell_NotifyIconA(2)").size(), 1u);
    }
}

}  // namespace
