// The main window's fixed layout: size, and each control's place, font and tab order,
// in twips as designed (15 twips per pixel at 96 DPI).
#pragma once

#include <array>
#include <string_view>

#include "ui/control_ids.h"

namespace poko {

enum class ControlKind { Label, Edit, ScrollBar, Button };

enum LabelAlign { AlignLeft, AlignCentre, AlignRight };

struct FontSpec {
    std::u16string_view face;
    double points;
    int weight;
    int charset;
};

struct ControlLayout {
    const char* name;  // as the dump and tests name it
    ControlId id;
    ControlKind kind;
    int left, top, width, height;  // twips
    FontSpec font;
    LabelAlign align = AlignLeft;
    bool autoWidth = false;  // a label whose width follows its text
    bool frame = false;
};

inline constexpr int kClientWidthTwips = 5250;
inline constexpr int kClientHeightTwips = 2430;

inline constexpr std::u16string_view kUiGothic = u"MS UI Gothic";
inline constexpr std::u16string_view kPGothic = u"ＭＳ Ｐゴシック";
inline constexpr int kShiftJis = 128, kAnsiCharset = 0;

// One row per control of the main window, in tab order: z-order follows it, so Tab
// walks the controls in this order. FrmTimer::ControlOf finds a row's control by its id.
inline constexpr auto kLayout = std::to_array<ControlLayout>({
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
});

// Names for screen readers of the controls that their labels do not name: the time
// boxes and their spinners stand before their labels in window order, and the labels
// are no static controls a reader would take a name from.
struct AccessibleName {
    ControlId id;
    std::u16string_view name;
};
inline constexpr std::array<AccessibleName, 4> kAccessibleNames{{
    {ID_TextH, u"起動時刻 時"},
    {ID_TextM, u"起動時刻 分"},
    {ID_VS_h, u"時"},
    {ID_VS_m, u"分"},
}};

inline constexpr double kTwipsPerInch = 1440;
// Twips in whole pixels at a DPI (15 twips per pixel at 96, 10 at 144, 7.5 at 192),
// halves rounded away from zero, kept within what window coordinates can mean.
int PixelsAt(double twips, int dpi);
// The character height in pixels of a font of `points` at a DPI.
int FontHeightAt(double points, int dpi);

struct PixelRect {
    int left, top, right, bottom;
};
// Where a control goes at a DPI: its place in the layout, except that a label whose
// width follows its text takes `textWidth` (its text measured in its font at that DPI),
// and a right-aligned one keeps its right edge and grows to the left.
PixelRect PlaceAt(const ControlLayout& l, int dpi, int textWidth);

}  // namespace poko
