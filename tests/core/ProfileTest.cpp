#include "storage/Profile.h"

#include <gtest/gtest.h>

#include "FakeFileSystem.h"
#include "SampleRecords.h"

namespace vandir {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ToBytes(const DataStream& s) {
    return {s.bytes().begin(), s.bytes().end()};
}

void Append(Bytes& out, std::initializer_list<uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

void AppendText(Bytes& out, const char* ascii) {
    const auto count = static_cast<uint8_t>(std::char_traits<char>::length(ascii));
    Append(out, {count, 0, 0, 0});
    for (const char* c = ascii; *c != 0; ++c) {
        Append(out, {static_cast<uint8_t>(*c), 0});
    }
}

// The profile of the record the program starts with, written out by hand.
Bytes StartupProfileBytes() {
    Bytes b;
    Append(b, {0x12, 0x06, 0x33, 0x01});
    AppendText(b, "Profile");
    Append(b, {0x01, 0x00, 0x00, 0x00});        // profileNumber
    Append(b, {0x00});                          // profileIndex
    Append(b, {0x80, 0x00});                    // imageLength
    Append(b, {0x01, 0x06, 0x04, 0x00, 0x03});  // rate, speed, double-click, unlocked, levels
    Append(b, {0x00, 0xF4, 0x01, 0xF4, 0x01});  // level 1: flag, 500, 500
    Append(b, {0x00, 0xE2, 0x04, 0xE2, 0x04});  // level 2: flag, 1250, 1250
    Append(b, {0x00, 0xAC, 0x0D, 0xAC, 0x0D});  // level 3: flag, 3500, 3500
    Append(b, {0x03});                          // liftOff
    AppendText(b, "65280");                     // ledColour
    Append(b, {0x01, 0x01, 0x00, 0x01});        // ledMode, ledLevel, autoStart, language
    Append(b, {0x00, 0x01});                    // level LED 1
    AppendText(b, "255");
    Append(b, {0x01});
    Append(b, {0x01, 0x01});  // level LED 2
    AppendText(b, "65280");
    Append(b, {0x02});
    Append(b, {0x02, 0x01});  // level LED 3
    AppendText(b, "16711680");
    Append(b, {0x03});
    Append(b, {0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00});
    Append(b, {0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00});
    Append(b, {0x02, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00});
    Append(b, {0x03, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00});
    Append(b, {0x04, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00});
    Append(b, {0x05, 0x09, 0xF0, 0x00, 0x00, 0x00, 0x00, 0x00});
    Append(b, {0x06, 0x09, 0xF2, 0x00, 0x00, 0x00, 0x00, 0x00});
    return b;
}

MouseSettings UnusualRecord() {
    return testing::EveryFieldChanged(u"C:\\p\\DefaultPf.profile");
}

TEST(ProfileWrite, StartupRecordIsThe177ByteProfile) {
    const MouseSettings s = MouseSettings::ForStartup(u"x");
    const Bytes bytes = ToBytes(WriteProfile(s));
    EXPECT_EQ(bytes.size(), 177u);
    EXPECT_EQ(bytes, StartupProfileBytes());
}

TEST(ProfileWrite, LedColourIsEightDigitText) {
    MouseSettings s;
    s.ledColour = 0x00FF0000;
    DataStream written = WriteProfile(s);
    // magic, name, number, index, length, 5 bytes, 3 x 5 level bytes, liftOff
    const uint32_t offset = 4 + 4 + 2 * 7 + 4 + 1 + 2 + 5 + 15 + 1;
    Bytes expected;
    AppendText(expected, "16711680");
    const Bytes bytes = ToBytes(written);
    ASSERT_GE(bytes.size(), offset + expected.size());
    EXPECT_EQ(Bytes(bytes.begin() + offset, bytes.begin() + offset + 20), expected);
}

TEST(ProfileWrite, EmptyNameStoresCountZero) {
    MouseSettings s;
    s.profileName.clear();
    const Bytes bytes = ToBytes(WriteProfile(s));
    EXPECT_EQ(Bytes(bytes.begin() + 4, bytes.begin() + 8), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(bytes.size(), 177u - 14u);

    MouseSettings back = MouseSettings::ForStartup(u"x");
    DataStream in(bytes);
    ASSERT_EQ(ReadProfile(in, back), ProfileLoadResult::Loaded);
    EXPECT_EQ(back.profileName, u"");
}

TEST(ProfileWrite, SavingTwiceGivesIdenticalFiles) {
    testing::FakeFileSystem files;
    const MouseSettings s = UnusualRecord();
    ASSERT_TRUE(SaveProfile(s, files));
    const Bytes first = files.files.at(s.profilePath);
    ASSERT_TRUE(SaveProfile(s, files));
    EXPECT_EQ(files.files.at(s.profilePath), first);
}

TEST(ProfileRoundTrip, EverySavedFieldComesBack) {
    testing::FakeFileSystem files;
    const MouseSettings saved = UnusualRecord();
    ASSERT_TRUE(SaveProfile(saved, files));
    EXPECT_EQ(files.ensuredFolders, std::vector<std::u16string>{saved.profilePath});

    MouseSettings loaded = MouseSettings::ForStartup(saved.profilePath);
    const MouseSettings before = loaded;
    ASSERT_EQ(LoadProfile(loaded, files), ProfileLoadResult::Loaded);

    // Fields the file does not hold keep what the record had.
    MouseSettings expected = saved;
    testing::CopyUnsavedFields(before, expected);
    EXPECT_EQ(loaded, expected);
}

TEST(ProfileRoundTrip, DefaultCodeIsNeverTakenFromTheFile) {
    MouseSettings saved;
    for (ButtonAssignment& b : saved.buttons) {
        b.defaultCode = 0x55;
    }
    DataStream in(ToBytes(WriteProfile(saved)));
    MouseSettings loaded;
    ASSERT_EQ(ReadProfile(in, loaded), ProfileLoadResult::Loaded);
    for (int i = 0; i < kButtons; ++i) {
        EXPECT_EQ(loaded.buttons[i].defaultCode, MouseSettings().buttons[i].defaultCode);
    }
}

TEST(ProfileLoad, MissingFileKeepsTheStartupRecord) {
    testing::FakeFileSystem files;
    MouseSettings s = MouseSettings::ForStartup(u"C:\\none.profile");
    const MouseSettings before = s;
    EXPECT_EQ(LoadProfile(s, files), ProfileLoadResult::NotOpened);
    EXPECT_EQ(s, before);
}

TEST(ProfileLoad, WrongMagicTakesNothing) {
    testing::FakeFileSystem files;
    Bytes bytes = ToBytes(WriteProfile(UnusualRecord()));
    bytes[3] = 0x02;  // 12 06 33 02
    files.files[u"p"] = bytes;
    MouseSettings s = MouseSettings::ForStartup(u"p");
    const MouseSettings before = s;
    EXPECT_EQ(LoadProfile(s, files), ProfileLoadResult::WrongMagic);
    EXPECT_EQ(s, before);
}

TEST(ProfileLoad, AFileCutAnywhereChangesNothing) {
    const Bytes whole = ToBytes(WriteProfile(UnusualRecord()));
    for (size_t size = 0; size < whole.size(); ++size) {
        MouseSettings s = MouseSettings::ForStartup(u"p");
        const MouseSettings before = s;
        DataStream in(Bytes(whole.begin(), whole.begin() + size));
        EXPECT_EQ(ReadProfile(in, s), ProfileLoadResult::Truncated) << "size " << size;
        EXPECT_EQ(s, before) << "size " << size;
    }
}

TEST(ProfileLoad, ANameCountPastTheEndChangesNothing) {
    Bytes bytes = ToBytes(WriteProfile(MouseSettings()));
    bytes[4] = 0xFF;  // name count 0x000000FF, far beyond the 167 bytes left
    MouseSettings s;
    s.profileName = u"before";
    const MouseSettings before = s;
    DataStream in(bytes);
    EXPECT_EQ(ReadProfile(in, s), ProfileLoadResult::Truncated);
    EXPECT_EQ(s, before);
}

TEST(ProfileLoad, BytesAfterTheLastButtonAreIgnored) {
    Bytes bytes = ToBytes(WriteProfile(UnusualRecord()));
    Append(bytes, {1, 2, 3});
    MouseSettings s = MouseSettings::ForStartup(u"C:\\p\\DefaultPf.profile");
    DataStream in(bytes);
    EXPECT_EQ(ReadProfile(in, s), ProfileLoadResult::Loaded);
    MouseSettings expected = UnusualRecord();
    testing::CopyUnsavedFields(MouseSettings::ForStartup(u"C:\\p\\DefaultPf.profile"), expected);
    EXPECT_EQ(s, expected);
}

TEST(ProfileLoad, ColourTextIsReadAsSignedDecimal) {
    Bytes bytes = StartupProfileBytes();
    // Replace the ledColour text "65280" (at offset 50) with " -1x".
    const size_t offset = 50;
    Bytes replaced(bytes.begin(), bytes.begin() + offset);
    AppendText(replaced, " -1x");
    replaced.insert(replaced.end(), bytes.begin() + offset + 14, bytes.end());
    MouseSettings s;
    DataStream in(replaced);
    ASSERT_EQ(ReadProfile(in, s), ProfileLoadResult::Loaded);
    EXPECT_EQ(s.ledColour, 0xFFFFFFFFu);
    EXPECT_EQ(s.ledMode, 1);
}

TEST(ProfileSave, AFailedWriteIsReported) {
    testing::FakeFileSystem files;
    files.failWrites = true;
    EXPECT_FALSE(SaveProfile(MouseSettings::ForStartup(u"p"), files));
    EXPECT_TRUE(files.files.empty());
}

}  // namespace
}  // namespace vandir
