// The layout tables' units in a display's pixels: the rounding every window
// and the artwork generator share, and the artwork set a display takes.

#include <gtest/gtest.h>

#include "skin/layout/DisplayScale.h"

namespace vandir::layout {
namespace {

struct ScaledUnits {
    int units;
    int dpi;
    int pixels;
};

TEST(DisplayScale, UnitsRoundHalfAwayFromZero) {
    const ScaledUnits cases[] = {
        {0, 144, 0},      {1, 96, 1},       {1, 120, 1},      {2, 120, 3},     {3, 120, 4},
        {1, 144, 2},      {3, 144, 5},      {13, 144, 20},    {17, 168, 30},   {800, 120, 1000},
        {800, 144, 1200}, {800, 168, 1400}, {600, 192, 1200}, {515, 120, 644}, {-3, 144, -5},
        {-1, 120, -1},    {7, 110, 8},
    };
    for (const ScaledUnits& c : cases) {
        EXPECT_EQ(ScaleUnits(c.units, c.dpi), c.pixels) << c.units << " units at " << c.dpi;
    }
}

TEST(DisplayScale, AScaledLengthReadsBackAsItsUnitsAtEveryScaleWithArtwork) {
    for (const int percent : kSkinScales) {
        const int dpi = DpiOfPercent(percent);
        for (int units = -50; units <= 2000; ++units) {
            ASSERT_EQ(UnscalePixels(ScaleUnits(units, dpi), dpi), units) << units << " at " << dpi;
        }
    }
}

TEST(DisplayScale, RectanglesScaleByTheirEdgesSoNeighboursStillTouch) {
    const Rect left{3, 5, 7, 9};
    const Rect right{10, 5, 11, 9};  // starts where left ends
    for (const int dpi : {96, 110, 120, 144, 168, 192, 240}) {
        const Rect a = ScaleRect(left, dpi);
        const Rect b = ScaleRect(right, dpi);
        EXPECT_EQ(a.right(), b.x) << dpi;
        EXPECT_EQ(a.x, ScaleUnits(3, dpi));
        EXPECT_EQ(a.bottom(), ScaleUnits(14, dpi));
        EXPECT_EQ(b.right(), ScaleUnits(21, dpi));
    }
    EXPECT_EQ(ScaleRect(left, kBaseDpi), left);
    EXPECT_EQ(ScaleSize({800, 600}, 144), (Size{1200, 900}));
}

TEST(DisplayScale, ADisplayTakesTheSmallestSetAtOrAboveItsScale) {
    const struct {
        int dpi;
        int set;
    } cases[] = {
        {72, 100},  {96, 100},  {97, 125},  {110, 125}, {120, 125}, {121, 150},
        {144, 150}, {168, 175}, {180, 200}, {192, 200}, {240, 200}, {288, 200},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SkinScaleFor(c.dpi), c.set) << c.dpi;
    }
}

TEST(DisplayScale, EverySetButTheFirstLiesInAFolderNamedByItsPercentage) {
    EXPECT_EQ(SkinSetFolder(100), L"\\Vandir_Skins\\");
    EXPECT_EQ(SkinSetFolder(150), L"\\Vandir_Skins\\150\\");
    EXPECT_EQ(DpiOfPercent(175), 168);
    EXPECT_EQ(PercentOfDpi(168), 175);
    EXPECT_EQ(PercentOfDpi(120), 125);
}

}  // namespace
}  // namespace vandir::layout
