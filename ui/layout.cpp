// The main window's layout table, and its twips as pixels at a DPI.
#include "ui/layout.h"

#include <cmath>

namespace poko {

const std::array<ControlLayout, 13> kLayout{{
    {"TextH", ID_TextH, ControlKind::Edit, 435, 1215, 540, 435, {kPGothic, 20.25, 700, kShiftJis}},
    {"TextM", ID_TextM, ControlKind::Edit, 1830, 1215, 540, 435, {kPGothic, 20.25, 700, kShiftJis}},
    {"VS_h", ID_VS_h, ControlKind::ScrollBar, 945, 1200, 345, 450, {kUiGothic, 9, 400, kShiftJis}},
    {"Label1(0)", ID_Label1_0, ControlKind::Label, 165, 930, 1185, 225, {kUiGothic, 11.25, 400, kShiftJis}, AlignLeft, true},
    {"Label1(1)", ID_Label1_1, ControlKind::Label, 165, 1770, 2520, 225, {kUiGothic, 11.25, 400, kShiftJis}, AlignLeft, true},
    {"TextFileName", ID_TextFileName, ControlKind::Edit, 150, 2025, 4380, 270, {kPGothic, 9, 400, kShiftJis}},
    {"cmdFileOpen", ID_cmdFileOpen, ControlKind::Button, 4515, 2010, 615, 285, {kUiGothic, 9.75, 400, kShiftJis}},
    {"VS_m", ID_VS_m, ControlKind::ScrollBar, 2355, 1200, 345, 450, {kUiGothic, 9, 400, kShiftJis}},
    {"Label1(2)", ID_Label1_2, ControlKind::Label, 1350, 1275, 390, 375, {kPGothic, 18, 700, kShiftJis}},
    {"Label1(3)", ID_Label1_3, ControlKind::Label, 2760, 1275, 390, 375, {kPGothic, 18, 700, kShiftJis}},
    {"L_Title", ID_L_Title, ControlKind::Label, 255, 195, 4740, 465, {kPGothic, 18, 700, kShiftJis}, AlignCentre, false, true},
    {"L_Time", ID_L_Time, ControlKind::Label, 4950, 765, 90, 240, {kUiGothic, 12, 700, kAnsiCharset}, AlignRight, true},
    {"C_TimerStart", ID_C_TimerStart, ControlKind::Button, 3555, 1185, 1485, 495, {kUiGothic, 12, 400, kShiftJis}},
}};

int PixelsAt(double twips, int dpi) {
    const double px = std::round(twips * dpi / 1440.0);
    return static_cast<int>(std::fmax(-32000.0, std::fmin(32000.0, px)));
}

int FontHeightAt(double points, int dpi) { return static_cast<int>(std::lround(points * dpi / 72.0)); }

PixelRect PlaceAt(const ControlLayout& l, int dpi, int textWidth) {
    PixelRect r{PixelsAt(l.left, dpi), PixelsAt(l.top, dpi), 0, 0};
    r.right = r.left + PixelsAt(l.width, dpi);
    r.bottom = r.top + PixelsAt(l.height, dpi);
    if (!l.autoWidth) return r;
    if (l.align == AlignRight) {
        r.right = PixelsAt(l.left + l.width, dpi);
        r.left = r.right - textWidth;
    } else {
        r.right = r.left + textWidth;
    }
    return r;
}

}  // namespace poko
