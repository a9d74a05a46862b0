// Window class names and child-window ids of the main window. The end-to-end driver
// finds controls by these ids, so they are part of the program's outside contract.
#pragma once

namespace poko {

inline constexpr wchar_t kMainWindowClass[] = L"PokomaruNo1Main";
inline constexpr wchar_t kLabelClass[] = L"PokomaruNo1Label";
inline constexpr wchar_t kAboutWindowClass[] = L"PokomaruNo1About";

enum ControlId : int {
    ID_L_Title = 1001,
    ID_L_Time = 1002,
    ID_Label1_0 = 1010,
    ID_Label1_1 = 1011,
    ID_Label1_2 = 1012,
    ID_Label1_3 = 1013,
    ID_TextH = 1020,
    ID_VS_h = 1021,
    ID_TextM = 1022,
    ID_VS_m = 1023,
    ID_C_TimerStart = 1030,
    ID_TextFileName = 1040,
    ID_cmdFileOpen = 1041,
};

}  // namespace poko
