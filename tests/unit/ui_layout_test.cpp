// The layout's twips at other DPIs: every place, size and font height comes from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/frm_timer.h"
#include "tests/support/fake_platform.h"
#include "ui/layout.h"

namespace poko {
namespace {

const ControlLayout& Layout(ControlId id) {
    return *std::find_if(kLayout.begin(), kLayout.end(), [id](const ControlLayout& l) { return l.id == id; });
}

TEST(Scaling, PlacesAndFontsAtEachDpi) {
    const struct {
        ControlId id;
        int dpi, textWidth;
        PixelRect place;
        int fontHeight;
    } cases[] = {
        {ID_TextH, 96, 0, {29, 81, 65, 110}, 27},
        {ID_TextH, 144, 0, {44, 122, 98, 166}, 41},  // halves round away from zero
        {ID_TextH, 192, 0, {58, 162, 130, 220}, 54},
        {ID_TextFileName, 120, 0, {13, 169, 378, 192}, 15},
        {ID_L_Time, 96, 100, {236, 51, 336, 67}, 16},  // the clock keeps its right edge, 5040 twips
        {ID_L_Time, 144, 150, {354, 77, 504, 101}, 24},
        {ID_Label1_0, 144, 120, {17, 93, 137, 116}, 23},  // a left label grows to the right
    };
    for (const auto& c : cases) {
        const ControlLayout& l = Layout(c.id);
        const PixelRect r = PlaceAt(l, c.dpi, c.textWidth);
        EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
                  (std::array{c.place.left, c.place.top, c.place.right, c.place.bottom}))
            << l.name << " at " << c.dpi;
        EXPECT_EQ(FontHeightAt(l.font.points, c.dpi), c.fontHeight) << l.name << " at " << c.dpi;
    }
    EXPECT_EQ(PixelsAt(kClientWidthTwips, 144), 525);
    EXPECT_EQ(PixelsAt(kClientHeightTwips, 144), 243);
    EXPECT_EQ(PixelsAt(1e9, 96), 32000);  // a stored position far off the screen
}

// Every row of the layout is a control of the window, of the row's name, and no two
// rows the same one.
TEST(Layout, EachRowIsADistinctControlOfItsName) {
    FakePlatform fake;
    FrmTimer frm(fake);
    std::set<const Control*> seen;
    for (const ControlLayout& row : kLayout) {
        const Control* control = frm.ControlOf(row.id);
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_EQ(control->DisplayName(), row.name);
        EXPECT_TRUE(seen.insert(control).second) << row.name;
    }
}

}  // namespace
}  // namespace poko
