#include "device/DeviceCommands.h"

#include <gtest/gtest.h>

#include <thread>

#include "RecordingClock.h"
#include "device/SimulatedMouse.h"

namespace vandir {
namespace {

using testing::RecordingClock;
using Waits = std::vector<uint32_t>;

class DeviceCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(transport_.Discover(), 1); }

    SimulatedMouse mouse_;
    RecordingClock clock_;
    Transport transport_{mouse_, clock_};
};

TEST_F(DeviceCommandsTest, ReadInformationFillsTheBlockWithTheVersion) {
    mouse_.SetFirmwareVersion(0x0203);
    InformationBlock block{};
    EXPECT_EQ(ReadInformation(transport_, block), 1);
    EXPECT_EQ(FirmwareVersion(block), 0x0203);
    EXPECT_EQ(block[0], 0x03);
    EXPECT_EQ(block[1], 0x02);
    EXPECT_EQ(clock_.waits, Waits{50});
    const std::vector<uint8_t> request = mouse_.LastRequest();
    ASSERT_EQ(request.size(), 1041u);
    EXPECT_EQ(request[0], 0xA0);
    EXPECT_EQ(request[1], 2);
    EXPECT_EQ(std::count(request.begin() + 2, request.end(), 0), 1039);
}

TEST_F(DeviceCommandsTest, ReadInformationFromAMouseThatStaysBusyReturnsTheStatus) {
    mouse_.StayBusyFor(11);
    InformationBlock block;
    block.fill(0x77);
    EXPECT_EQ(ReadInformation(transport_, block), 3);
    EXPECT_EQ(block[0], 0x77) << "the caller's block is untouched";
    EXPECT_EQ(clock_.waits, (Waits{50, 0, 100, 200, 300, 400, 500, 600, 700, 800, 900}));
}

TEST_F(DeviceCommandsTest, ReadConfigurationUnpacksTheMemory) {
    MouseSettings s;
    s.dpi[1] = {2250, 2000};
    s.reportRate = 4;
    mouse_.SetMemory(EncodeConfigImage(s));
    DeviceConfig config;
    ConfigImage received{};
    EXPECT_EQ(ReadConfiguration(transport_, config, &received), 1);
    EXPECT_EQ(received, mouse_.Memory());
    EXPECT_EQ(config, UnpackConfigImage(mouse_.Memory()));
    EXPECT_EQ(clock_.waits, Waits{80});
    const std::vector<uint8_t> request = mouse_.LastRequest();
    ASSERT_EQ(request.size(), 64u);
    EXPECT_EQ(request[0], 0xA1);
    EXPECT_EQ(request[1], 7);
}

TEST_F(DeviceCommandsTest, ReadConfigurationFailuresAllReturnTwoAndTouchNothing) {
    struct Case {
        const char* name;
        std::vector<HidError> errors;
        int busyPolls;
    };
    const Case cases[] = {
        {"request not sent", {HidError::Other}, 0},
        {"no reply", {HidError::None, HidError::Other}, 0},
        {"stays busy", {}, 11},
    };
    for (const Case& c : cases) {
        mouse_.QueueTransferErrors(c.errors);
        mouse_.StayBusyFor(c.busyPolls);
        DeviceConfig config;
        config.liftOff = 9;
        EXPECT_EQ(ReadConfiguration(transport_, config), 2) << c.name;
        EXPECT_EQ(config.liftOff, 9) << c.name;
    }
}

TEST_F(DeviceCommandsTest, WithoutAHandleTheCommandsStillWait) {
    transport_.Close();
    InformationBlock block{};
    EXPECT_EQ(ReadInformation(transport_, block), 2);
    DeviceConfig config;
    EXPECT_EQ(ReadConfiguration(transport_, config), 2);
    EXPECT_EQ(WriteConfiguration(transport_, config, 0), 2);
    EXPECT_EQ(clock_.waits, (Waits{50, 80, 80}));
    EXPECT_EQ(mouse_.GetCounters().setFeatures, 0);
}

TEST_F(DeviceCommandsTest, WriteConfigurationSendsTheImageWithItsChecksum) {
    MouseSettings s;
    WriteOutcome outcome;
    EXPECT_EQ(WriteConfiguration(transport_, DeviceConfigFromSettings(s), 0, &outcome), 1);
    EXPECT_TRUE(outcome.sent);
    EXPECT_TRUE(outcome.replied);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(clock_.waits, Waits{80});
    const std::vector<uint8_t> request = mouse_.LastRequest();
    ASSERT_EQ(request.size(), 1041u);
    EXPECT_EQ(
        std::vector<uint8_t>(request.begin(), request.begin() + 16),
        (std::vector<uint8_t>{0xA0, 0x06, 0x00, 0x1D, 0x0C, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    const ConfigImage image = EncodeConfigImage(s);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), request.begin() + 16));
    EXPECT_EQ(std::count(request.begin() + 144, request.end(), 0), 1041 - 144);
    EXPECT_EQ(mouse_.Memory(), image);
}

TEST_F(DeviceCommandsTest, WriteConfigurationCarriesTheProfileNumber) {
    MouseSettings s;
    s.profileIndex = 3;
    EXPECT_EQ(WriteConfiguration(transport_, DeviceConfigFromSettings(s), s.profileIndex), 1);
    EXPECT_EQ(mouse_.LastRequest()[5], 3);
    EXPECT_EQ(mouse_.LastRequest()[16], 3);  // image byte 0
}

TEST_F(DeviceCommandsTest, WriteReportsSuccessOnceAReplyCameWhateverItsStatus) {
    mouse_.StayBusyFor(11);
    WriteOutcome outcome;
    EXPECT_EQ(
        WriteConfiguration(transport_, DeviceConfigFromSettings(MouseSettings()), 0, &outcome), 1);
    EXPECT_EQ(outcome.status, 3);
}

TEST_F(DeviceCommandsTest, WriteFailsWhenTheRequestOrTheReplyIsLost) {
    struct Case {
        std::vector<HidError> errors;
        bool sent;
    };
    const Case cases[] = {{{HidError::Other}, false}, {{HidError::None, HidError::Other}, true}};
    for (const Case& c : cases) {
        mouse_.QueueTransferErrors(c.errors);
        WriteOutcome outcome;
        outcome.status = 9;
        EXPECT_EQ(
            WriteConfiguration(transport_, DeviceConfigFromSettings(MouseSettings()), 0, &outcome),
            2);
        EXPECT_EQ(outcome.sent, c.sent);
        EXPECT_FALSE(outcome.replied);
        EXPECT_EQ(outcome.status, 0);
    }
}

TEST_F(DeviceCommandsTest, CommandsFromTwoThreadsNeverInterleave) {
    MouseSettings s;
    s.liftOff = 2;
    mouse_.SetMemory(EncodeConfigImage(s));
    int informationOk = 0;
    int configurationOk = 0;
    std::thread reader([&] {
        for (int i = 0; i < 50; ++i) {
            InformationBlock block{};
            informationOk += ReadInformation(transport_, block) == 1 &&
                             FirmwareVersion(block) == SimulatedMouse::kDefaultFirmwareVersion;
        }
    });
    for (int i = 0; i < 50; ++i) {
        DeviceConfig config;
        configurationOk += ReadConfiguration(transport_, config) == 1 && config.liftOff == 2;
    }
    reader.join();
    EXPECT_EQ(informationOk, 50);
    EXPECT_EQ(configurationOk, 50);
}

TEST(DevicePath, RecognisesTheMouseByVendorAndProductText) {
    struct Case {
        std::u16string path;
        bool matches;
    };
    const Case cases[] = {
        {u"\\\\?\\HID#VID_1F2E&PID_002B&MI_01&Col02#8&1a2b&0&0001#{4d1e55b2-f16f-11cf}", true},
        {u"\\\\?\\hid#vid_1f2e&pid_002b&mi_01#7&abc", true},
        {u"\\\\?\\HID#VID_1f2E&PID_002b", true},
        {u"\\\\?\\HID#VID_1F2E&PID_002C&MI_00", false},
        {u"\\\\?\\HID#VID_046D&PID_C31C", false},
        {u"1F2E002B", false},  // vendor text at the first character does not count
        {u"x1F2E002B", true},
        {u"x002B1F2E", true},  // any order
        {u"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsVandirDevicePath(c.path), c.matches)
            << std::string(c.path.begin(), c.path.end());
    }
}

}  // namespace
}  // namespace vandir
