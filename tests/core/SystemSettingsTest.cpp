#include "storage/SystemSettings.h"

#include <gtest/gtest.h>

namespace vandir {
namespace {

TEST(SystemSettings, PointerSpeedForEveryPageStep) {
    const uint32_t expected[] = {1, 3, 5, 7, 9, 10, 12, 14, 16, 18, 20};
    for (uint8_t step = 1; step <= 11; ++step) {
        EXPECT_EQ(PointerSpeedForStep(step), expected[step - 1]) << "step " << int{step};
    }
}

// Steps no slider has (a damaged or foreign profile) give nothing for the
// system: before, 14 gave a double-click time of 4294967286 ms and 200 a
// pointer speed of 363.
TEST(SystemSettings, StepsOutsideTheSlidersGiveNothing) {
    for (const uint8_t step : {0, 12, 14, 200, 255}) {
        EXPECT_FALSE(PointerSpeedForStep(step)) << "step " << int{step};
        EXPECT_FALSE(DoubleClickTimeForStep(step)) << "step " << int{step};
    }
}

TEST(SystemSettings, DoubleClickTimeForEveryPageStep) {
    for (uint8_t step = 1; step <= 11; ++step) {
        EXPECT_EQ(DoubleClickTimeForStep(step), 970u - 70u * step) << "step " << int{step};
    }
    EXPECT_EQ(DoubleClickTimeForStep(1), 900u);
    EXPECT_EQ(DoubleClickTimeForStep(4), 690u);
    EXPECT_EQ(DoubleClickTimeForStep(11), 200u);
}

TEST(SystemSettings, ProfilePathUnderTheApplicationDataFolder) {
    EXPECT_EQ(
        ProfilePathUnder(u"C:\\Users\\Ann\\AppData\\Roaming"),
        u"C:\\Users\\Ann\\AppData\\Roaming\\Meridane\\Vandir II\\Profiles\\DefaultPf.profile");
    // Without an application-data folder the path starts at the drive's root.
    EXPECT_EQ(ProfilePathUnder(u""), u"\\Meridane\\Vandir II\\Profiles\\DefaultPf.profile");
}

}  // namespace
}  // namespace vandir
