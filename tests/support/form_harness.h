// The main window on the fake platform, with fixed handles so that records can be
// checked by value.
#pragma once

#include "app/frm_timer.h"
#include "tests/support/fake_platform.h"

namespace poko {
// What the window keeps to itself, for the tests that set it up or look at it.
struct FormInternals {
    static TrayIconRecord& TrayIconData(FrmTimer& f) { return f.TrayIconData; }
    static Text& IniPath(FrmTimer& f) { return f.IniPath; }
    static NetAddresses& Net(FrmTimer& f) { return f.net_; }
    static std::span<const SettingRow> SettingRows() { return FrmTimer::SettingRows(); }
    static bool ReadSettings(FrmTimer& f, std::span<const SettingRow> rows, StartupStep last) { return f.ReadSettings(rows, last); }
};
}  // namespace poko

inline constexpr poko::Handle kMainHwnd = 0x100;
inline constexpr poko::Handle kStoppedIcon = 0x501, kArmedIcon = 0x502;
inline constexpr poko::Handle kHourHwnd = 0x1020, kMinuteHwnd = 0x1022;

// The status line's texts, and the tray tip of a status and a set time "hh:mm".
inline const std::string kStoppedStatus = "ポコ丸\u3000停止中", kArmedStatus = "ポコ丸\u3000監視中",
                         kDoneStatus = "ポコ丸\u3000定時任務実行完了";
inline std::string TrayTip(const std::string& status, const std::string& time) { return status + "  設定時刻 [" + time + "]"; }

// A tray record as start-up and TrayIconSetting build it, stopped or armed, at a set time:
// every field fresh.
inline void ExpectFullTrayRecord(const poko::TrayIconRecord& r, bool armed, const std::string& time) {
    EXPECT_EQ(r.cbSize, 88u);
    EXPECT_EQ(r.hWnd, kMainHwnd);
    EXPECT_EQ(r.uID, 1u);
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.uCallbackMessage, 512u);
    EXPECT_EQ(r.hIcon, armed ? kArmedIcon : kStoppedIcon);
    EXPECT_EQ(TipText(r), TrayTip(armed ? kArmedStatus : kStoppedStatus, time));
}

struct FormHarness {
    FakePlatform fake;
    poko::FrmTimer frm{fake};

    FormHarness() {
        frm.Attach(kMainHwnd, fake.smallIcons = {kStoppedIcon, kArmedIcon});
        frm.requestClose = [this] { frm.Form_Unload(); };
    }
    // Start-up, then a clean call list for what the test does next.
    void Load() {
        frm.Form_Load();
        fake.calls.clear();
        fake.trayRecords.clear();
    }
};
