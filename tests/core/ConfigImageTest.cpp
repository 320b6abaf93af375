#include "device/ConfigImage.h"

#include <gtest/gtest.h>

#include <vector>

#include "SampleRecords.h"

namespace vandir {
namespace {

std::vector<uint8_t> Slice(const ConfigImage& image, size_t from, size_t to) {
    return {image.begin() + from, image.begin() + to};
}

TEST(ConfigImageEncode, DefaultRecordGivesTheFactoryImage) {
    const ConfigImage image = EncodeConfigImage(MouseSettings());
    const std::vector<uint8_t> head = {
        0x00, 0x80, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x01, 0x00, 0x00,
        0x00, 0xFF, 0x00, 0x00, 0x01, 0x01, 0x00, 0xFF, 0x00, 0x01, 0x02, 0x00, 0x00, 0xFF,
        0x01, 0x03, 0x01, 0x03, 0x00, 0x00, 0x00, 0x00, 0xF4, 0x01, 0xF4, 0x01, 0x00, 0xE2,
        0x04, 0xE2, 0x04, 0x00, 0xAC, 0x0D, 0xAC, 0x0D, 0x00, 0x03, 0x00, 0x00, 0x00,
    };
    EXPECT_EQ(Slice(image, 0, 55), head);
    const std::vector<uint8_t> buttons = {
        0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x0C,  //
        0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x0C,  //
        0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x0C,  //
        0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x0C,  //
        0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x0C,  //
        0x09, 0xF0, 0x00, 0x00, 0x00, 0x00, 0x0C,  //
        0x09, 0xF2, 0x00, 0x00, 0x00, 0x00, 0x0C,
    };
    EXPECT_EQ(Slice(image, 55, 104), buttons);
    EXPECT_EQ(Slice(image, 104, 128), std::vector<uint8_t>(24, 0));
    EXPECT_EQ(ConfigImageChecksum(image), 0x0C1D);
}

TEST(ConfigImageEncode, PlacesEveryFieldAtItsBytes) {
    MouseSettings s;
    s.profileIndex = 3;
    s.imageLength = 77;  // the image always says 128
    s.reportRate = 8;
    s.ledColour = 0x00332211;
    s.ledMode = 6;
    s.levelLeds = {{{0, 2, 0x00030201, 7}, {1, 0, 0x00060504, 8}, {2, 6, 0x00090807, 9}}};
    s.ledLevel = 2;
    s.dpiLevelCount = 2;
    s.dpiLevelFlags = {0xA1, 0xA2, 0xA3};
    s.dpi = {{{0x0102, 0x0304}, {0x0506, 0x0708}, {-1, 0x090A}}};
    s.liftOff = 1;
    const ConfigImage image = EncodeConfigImage(s);
    EXPECT_EQ(image[0], 3);
    EXPECT_EQ(Slice(image, 1, 5), (std::vector<uint8_t>{0x80, 0, 0, 0}));
    EXPECT_EQ(image[5], 8);
    EXPECT_EQ(Slice(image, 8, 12), (std::vector<uint8_t>{0x11, 0x22, 0x33, 6}));
    EXPECT_EQ(Slice(image, 15, 30),
              (std::vector<uint8_t>{1, 2, 3, 2, 7, 4, 5, 6, 0, 8, 7, 8, 9, 6, 9}));
    EXPECT_EQ(image[30], 2);
    EXPECT_EQ(image[31], 2);
    EXPECT_EQ(image[32], 0);
    EXPECT_EQ(Slice(image, 35, 50), (std::vector<uint8_t>{0xA1, 2, 1, 4, 3, 0xA2, 6, 5, 8, 7, 0xA3,
                                                          0xFF, 0xFF, 0x0A, 9}));
    EXPECT_EQ(image[50], 0);
    EXPECT_EQ(image[51], 1);
}

TEST(ConfigImageEncode, ButtonEntriesByKind) {
    struct Case {
        ButtonAssignment button;
        std::vector<uint8_t> entry;  // response 20
    };
    const Case cases[] = {
        {{0, 0, 0x0108, 5, 6, 0}, {0, 0x08, 0, 0, 0, 0, 20}},  // code loses its high byte
        {{0, 2, 3, 0x0504, 6, 0}, {2, 3, 0x04, 0x05, 0, 0, 20}},
        {{0, 9, 241, 5, 6, 0}, {9, 241, 0, 0, 0, 0, 20}},
        {{0, 32, 3, 0x00CD, 6, 0}, {32, 0, 0xCD, 0, 0, 0, 20}},
        {{0, 33, 0, 8, 12, 0}, {33, 0, 8, 0, 12, 0, 20}},
        {{0, 33, 2, 0x2C, -1, 0}, {33, 2, 0x2C, 0, 0xFF, 0xFF, 20}},
        {{0, 34, 5, 5, 6, 0}, {34, 0, 0, 0, 0, 0, 20}},
        {{0, 35, 5, 5, 6, 0}, {35, 0, 0, 0, 0, 0, 20}},
        {{0, 255, 255, 5, 6, 0}, {255, 255, 0, 0, 0, 0, 20}},
        {{0, 7, 5, 5, 6, 0}, {0, 0, 0, 0, 0, 0, 20}},
    };
    for (const Case& c : cases) {
        MouseSettings s;
        s.buttonResponse = 20;
        s.buttons[2] = c.button;
        EXPECT_EQ(Slice(EncodeConfigImage(s), 69, 76), c.entry) << "kind " << int{c.button.kind};
    }
}

TEST(ConfigImageEncode, LevelNumbersTravelInTheFifthLedBytes) {
    MouseSettings s;
    const ConfigImage image = EncodeConfigImage(s);
    EXPECT_EQ(image[19], 1);
    EXPECT_EQ(image[24], 2);
    EXPECT_EQ(image[29], 3);
}

TEST(ConfigImageDecode, ReadsBackEveryReadableField) {
    ConfigImage image = EncodeConfigImage(MouseSettings());
    image[24] = 7;
    image[29] = 9;
    for (int i = 0; i < kButtons; ++i) {
        image[55 + 7 * i + 6] = static_cast<uint8_t>(4 * (i + 1));  // 4, 8, ..., 28
    }
    image[30] = 2;
    image[5] = 4;
    MouseSettings s;
    DecodeConfigImage(image, s);
    EXPECT_EQ(s.levelLeds[1].levelNumber, 7);
    EXPECT_EQ(s.levelLeds[2].levelNumber, 9);
    EXPECT_EQ(s.buttonResponse, 28);
    EXPECT_EQ(s.activeLevel, 2);
    EXPECT_EQ(s.ledLevel, 1);  // not read back
    EXPECT_EQ(s.reportRate, 4);
}

TEST(ConfigImageDecode, ButtonEntriesByKind) {
    struct Case {
        std::vector<uint8_t> entry;
        ButtonAssignment expected;  // over {5, 0, 9, 7, 7, 16}
    };
    const Case cases[] = {
        {{0, 8, 1, 2, 3, 4, 12}, {5, 0, 8, 0, 0, 16}},
        {{9, 243, 1, 2, 3, 4, 12}, {5, 9, 243, 0, 0, 16}},
        {{255, 255, 1, 2, 3, 4, 12}, {5, 255, 255, 0, 0, 16}},
        {{2, 3, 0x04, 0x05, 3, 4, 12}, {5, 2, 3, 0x0504, 0, 16}},
        {{32, 9, 0xCD, 0, 3, 4, 12}, {5, 32, 0, 0x00CD, 0, 16}},
        {{33, 2, 0x2C, 0, 0xFF, 0xFF, 12}, {5, 33, 2, 0x2C, -1, 16}},
        {{34, 9, 1, 2, 3, 4, 12}, {5, 34, 9, 0, 0, 16}},  // code unchanged
        {{35, 9, 1, 2, 3, 4, 12}, {5, 35, 9, 0, 0, 16}},
        {{7, 9, 1, 2, 3, 4, 12}, {5, 0, 9, 0, 0, 16}},  // kind and code unchanged
    };
    for (const Case& c : cases) {
        ConfigImage image = EncodeConfigImage(MouseSettings());
        std::copy(c.entry.begin(), c.entry.end(), image.begin() + 55 + 7 * 4);
        MouseSettings s;
        s.buttons[4] = {5, 0, 9, 7, 7, 16};
        DecodeConfigImage(image, s);
        EXPECT_EQ(s.buttons[4], c.expected) << "entry kind " << int{c.entry[0]};
    }
}

TEST(ConfigImageDecode, SensorButtonKeepsItsCodeThroughARoundTrip) {
    MouseSettings s;
    s.buttons[3] = {3, 34, 5, 0, 0, 16};
    const ConfigImage image = EncodeConfigImage(s);
    EXPECT_EQ(Slice(image, 76, 83), (std::vector<uint8_t>{34, 0, 0, 0, 0, 0, 12}));
    MouseSettings back = s;
    DecodeConfigImage(image, back);
    EXPECT_EQ(back.buttons[3].code, 5);
}

TEST(ConfigImageDecode, FieldsThatAreNotReadBackKeepTheirValues) {
    MouseSettings s = testing::EveryFieldChanged(u"C:\\p");
    const MouseSettings before = s;
    DecodeConfigImage(EncodeConfigImage(MouseSettings()), s);
    EXPECT_EQ(s.profileIndex, before.profileIndex);
    EXPECT_EQ(s.ledLevel, before.ledLevel);
    EXPECT_EQ(s.dpiLevelFlags, before.dpiLevelFlags);
    EXPECT_EQ(s.profileName, before.profileName);
    EXPECT_EQ(s.language, before.language);
    EXPECT_EQ(s.profilePath, before.profilePath);
    EXPECT_EQ(s.pointerSpeed, before.pointerSpeed);
    EXPECT_EQ(s.autoStart, before.autoStart);
    for (int i = 0; i < kButtons; ++i) {
        EXPECT_EQ(s.buttons[i].buttonIndex, before.buttons[i].buttonIndex);
        EXPECT_EQ(s.buttons[i].defaultCode, before.buttons[i].defaultCode);
    }
}

TEST(ConfigImageRoundTrip, AFreshRecordComesBackButForItsActiveLevel) {
    MouseSettings s;
    s.ledLevel = 2;
    MouseSettings back = s;
    back.activeLevel = 0;
    DecodeConfigImage(EncodeConfigImage(s), back);
    MouseSettings expected = s;
    expected.activeLevel = 2;  // the old ledLevel
    EXPECT_EQ(back, expected);
}

TEST(ConfigImageRoundTrip, PackAndUnpackAreInverse) {
    const DeviceConfig config = DeviceConfigFromSettings(testing::EveryFieldChanged(u"C:\\p"));
    EXPECT_EQ(UnpackConfigImage(PackConfigImage(config)), config);
}

TEST(ConfigImageChecksum, SumsEveryByteAsUnsigned) {
    ConfigImage image;
    image.fill(0xFF);
    EXPECT_EQ(ConfigImageChecksum(image), 128 * 255);
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i);
    }
    EXPECT_EQ(ConfigImageChecksum(image), 127 * 128 / 2);
}

}  // namespace
}  // namespace vandir
