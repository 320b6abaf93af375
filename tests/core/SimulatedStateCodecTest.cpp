#include "storage/SimulatedStateCodec.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/StateFileBytes.h"

namespace vandir {
namespace {

using Bytes = std::vector<uint8_t>;
using StoredState = SimulatedMouse::StoredState;
using testing::Crc32;
using testing::Le32;
using testing::Sealed;

ConfigImage Pattern() {
    ConfigImage image;
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(0x80 + i * 7);
    }
    return image;
}

// A file of an older version: header, memory, what the version adds, room for the CRC.
Bytes OldFile(uint8_t version, const Bytes& added) {
    Bytes file = {'V', 'S', 'I', 'M', version, 0x00, 0x03, 0x02};
    const ConfigImage pattern = Pattern();
    file.insert(file.end(), pattern.begin(), pattern.end());
    file.insert(file.end(), added.begin(), added.end());
    file.resize(file.size() + 4);
    return Sealed(file);
}

TEST(SimulatedStateCodec, EncodesEveryFieldInItsPlace) {
    ASSERT_EQ(Crc32(Bytes{'1', '2', '3', '4', '5', '6', '7', '8', '9'}), 0xCBF43926u);
    const Bytes file = EncodeSimulatedState(StoredState{0x0203, Pattern(), true});
    ASSERT_EQ(file.size(), 143u);
    ASSERT_EQ(file.size(), kSimulatedStateFileSize);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 8),
              (Bytes{'V', 'S', 'I', 'M', 0x03, 0x00, 0x03, 0x02}));
    const ConfigImage pattern = Pattern();
    EXPECT_EQ(Bytes(file.begin() + 8, file.begin() + 136), Bytes(pattern.begin(), pattern.end()));
    EXPECT_EQ(file[136], 1) << "plugged in";
    EXPECT_EQ(file[137], 0) << "never busy";
    EXPECT_EQ(file[138], 0) << "no failing transfers";
    EXPECT_EQ(Le32(file, 139), Crc32(Bytes(file.begin(), file.begin() + 139)));

    EXPECT_EQ(DecodeSimulatedState(file), (StoredState{0x0203, Pattern(), true}));
    EXPECT_EQ(EncodeSimulatedState(StoredState{0x0203, Pattern(), false}).at(136), 0);
}

TEST(SimulatedStateCodec, BusyPollsAndFailingTransfersTravelThroughTheBytes) {
    struct Case {
        uint8_t polls;
        HidError error;
        uint8_t errorByte;
    };
    const std::vector<Case> cases = {
        {0, HidError::None, 0},
        {1, HidError::NotReady, 1},
        {10, HidError::Crc, 2},
        {11, HidError::WriteFault, 3},
        {200, HidError::InvalidParameter, 4},
        {255, HidError::FunctionFailed, 5},
        {0, HidError::Other, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int{c.polls} << ", " << int{c.errorByte});
        const StoredState state{105, Pattern(), false, c.polls, c.error};
        const Bytes file = EncodeSimulatedState(state);
        ASSERT_EQ(file.size(), 143u);
        EXPECT_EQ(file[137], c.polls);
        EXPECT_EQ(file[138], c.errorByte);
        EXPECT_EQ(DecodeSimulatedState(file), state);
    }
}

TEST(SimulatedStateCodec, DamagedBytesAreRefused) {
    const Bytes bytes =
        EncodeSimulatedState(StoredState{0x0203, Pattern(), false, 4, HidError::Crc});
    ASSERT_EQ(bytes.size(), 143u);

    struct Damage {
        const char* what;
        Bytes contents;
    };
    std::vector<Damage> damages = {
        {"empty", {}},
        {"the magic alone", {'V', 'S', 'I', 'M'}},
        {"the magic and half a version", {'V', 'S', 'I', 'M', 0x03}},
        {"truncated", Bytes(bytes.begin(), bytes.end() - 1)},
        {"one byte more", bytes},
    };
    damages[4].contents.push_back(0);
    for (const size_t offset : {0, 3, 4, 5, 6, 8, 135, 136, 137, 138, 139, 142}) {
        Bytes flipped = bytes;
        flipped[offset] ^= 0x01;
        damages.push_back({"a flipped byte", flipped});
    }
    // Damage that a fresh CRC does not hide.
    Bytes plugged2 = bytes;
    plugged2[136] = 2;
    damages.push_back({"plugged state neither 0 nor 1", Sealed(plugged2)});
    for (const uint8_t error : {7, 0xFF}) {
        Bytes unknownError = bytes;
        unknownError[138] = error;
        damages.push_back({"an error past the list", Sealed(unknownError)});
    }
    Bytes version4 = bytes;
    version4[4] = 4;
    damages.push_back({"format version 4", Sealed(version4)});
    // Bodies of one version claiming another.
    Bytes shortVersion3 = bytes;
    shortVersion3.erase(shortVersion3.begin() + 137, shortVersion3.begin() + 139);
    damages.push_back({"version 3 without busy polls and error", Sealed(shortVersion3)});
    Bytes longVersion2 = bytes;
    longVersion2[4] = 2;
    damages.push_back({"version 2 with busy polls and error", Sealed(longVersion2)});
    Bytes shortVersion2 = longVersion2;
    shortVersion2.erase(shortVersion2.begin() + 136, shortVersion2.begin() + 139);
    damages.push_back({"version 2 without its plugged state", Sealed(shortVersion2)});
    Bytes longVersion1 = shortVersion3;
    longVersion1[4] = 1;
    damages.push_back({"version 1 with a plugged state", Sealed(longVersion1)});

    for (const Damage& damage : damages) {
        SCOPED_TRACE(::testing::Message() << damage.what << ", " << &damage - damages.data());
        EXPECT_EQ(DecodeSimulatedState(damage.contents), std::nullopt);
    }
}

TEST(SimulatedStateCodec, Version2ReadsAsNeitherBusyNorFailing) {
    EXPECT_EQ(DecodeSimulatedState(OldFile(2, {0})), (StoredState{0x0203, Pattern(), false}));
    EXPECT_EQ(DecodeSimulatedState(OldFile(2, {1})), (StoredState{0x0203, Pattern(), true}));
}

TEST(SimulatedStateCodec, Version1ReadsAsPluggedIn) {
    EXPECT_EQ(DecodeSimulatedState(OldFile(1, {})), (StoredState{0x0203, Pattern(), true}));
}

}  // namespace
}  // namespace vandir
