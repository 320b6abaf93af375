#include "storage/DataStream.h"

#include <gtest/gtest.h>

#include "FakeFileSystem.h"

namespace vandir {
namespace {

std::vector<uint8_t> Bytes(const DataStream& s) {
    return {s.bytes().begin(), s.bytes().end()};
}

TEST(DataStreamGrowth, NewStreamHasRoomForOneKilobyte) {
    DataStream s;
    EXPECT_EQ(s.capacity(), 1024u);
    EXPECT_EQ(s.length(), 0u);
    EXPECT_EQ(s.position(), 0u);
    s.ensureSpace(1024);
    EXPECT_EQ(s.capacity(), 1024u);
}

TEST(DataStreamGrowth, GrowsByTwiceTheRequestOrOneKilobyte) {
    DataStream big;
    big.ensureSpace(3000);
    EXPECT_EQ(big.capacity(), 1024u + 6000u);

    DataStream full;
    for (int i = 0; i < 1024; ++i) {
        full.writeByte(static_cast<uint8_t>(i));
    }
    EXPECT_EQ(full.capacity(), 1024u);
    full.ensureSpace(10);
    EXPECT_EQ(full.capacity(), 2048u);
    // What was written survives the growth.
    const std::vector<uint8_t> bytes = Bytes(full);
    ASSERT_EQ(bytes.size(), 1024u);
    for (int i = 0; i < 1024; ++i) {
        ASSERT_EQ(bytes[i], static_cast<uint8_t>(i));
    }
}

TEST(DataStreamGrowth, AStringLargerThanTheBufferGrowsItOnce) {
    DataStream s;
    s.writeString(std::u16string(1000, u'x'));  // 2004 bytes
    EXPECT_EQ(s.length(), 2004u);
    EXPECT_EQ(s.capacity(), 1024u + 2 * 2004u);
}

TEST(DataStreamWrite, LittleEndianEncodings) {
    DataStream s;
    s.writeByte(0xAB);
    s.writeUInt16(0x1234);
    s.writeUInt32(0x01330612);
    s.writeString(u"Hi\u00E9");
    s.writeString(u"");
    EXPECT_EQ(Bytes(s),
              (std::vector<uint8_t>{0xAB, 0x34, 0x12, 0x12, 0x06, 0x33, 0x01,              //
                                    3,    0,    0,    0,    'H',  0,    'i',  0, 0xE9, 0,  //
                                    0,    0,    0,    0}));
}

TEST(DataStreamWrite, NumberTextIsSignedDecimalOfThe32BitValue) {
    struct Case {
        uint32_t value;
        std::u16string text;
    };
    const Case cases[] = {
        {0x00FF0000, u"16711680"},  {0x0000FF00, u"65280"},       {0, u"0"},
        {0xFF000000, u"-16777216"}, {0x80000000, u"-2147483648"},
    };
    for (const Case& c : cases) {
        DataStream s;
        s.writeNumberText(static_cast<int32_t>(c.value));
        DataStream expected;
        expected.writeString(c.text);
        EXPECT_EQ(Bytes(s), Bytes(expected)) << c.value;

        DataStream back(Bytes(s));
        EXPECT_EQ(static_cast<uint32_t>(back.readNumberText()), c.value);
        EXPECT_FALSE(back.overrun());
    }
}

TEST(DataStreamRead, ReadsWhatWasWritten) {
    DataStream w;
    w.writeByte(7);
    w.writeUInt16(0xBEEF);
    w.writeUInt32(0xDEADBEEF);
    const std::u16string withNul(u"a\0b", 3);
    w.writeString(withNul);

    DataStream r(Bytes(w));
    EXPECT_EQ(r.capacity(), w.length());
    EXPECT_EQ(r.readByte(), 7);
    EXPECT_EQ(r.readUInt16(), 0xBEEF);
    EXPECT_EQ(r.readUInt32(), 0xDEADBEEFu);
    EXPECT_EQ(r.readString(), withNul);  // a unit 0 is kept
    EXPECT_EQ(r.position(), r.length());
    EXPECT_FALSE(r.overrun());
}

TEST(DataStreamRead, NumberTextParsing) {
    struct Case {
        std::u16string text;
        int32_t value;
    };
    const Case cases[] = {
        {u"  \t42", 42},
        {u"-17", -17},
        {u"+5", 5},
        {u"12ab34", 12},
        {u"abc", 0},
        {u"", 0},
        {u"-", 0},
        {u" - 5", 0},
        {u"99999999999", 2147483647},
        {u"-99999999999", -2147483647 - 1},
    };
    for (const Case& c : cases) {
        DataStream w;
        w.writeString(c.text);
        DataStream r(Bytes(w));
        EXPECT_EQ(r.readNumberText(), c.value) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(DataStreamRead, NeverReadsPastTheEnd) {
    DataStream r(std::vector<uint8_t>{1, 2, 3});
    EXPECT_EQ(r.readUInt16(), 0x0201);
    EXPECT_FALSE(r.overrun());
    EXPECT_EQ(r.readUInt32(), 0u);  // only one byte left
    EXPECT_TRUE(r.overrun());
    EXPECT_EQ(r.position(), 3u);
    EXPECT_EQ(r.readByte(), 0);
    EXPECT_EQ(r.position(), 3u);
}

TEST(DataStreamRead, AStringCountPastTheEndYieldsNothing) {
    // Count 0xFFFFFFFF with two units of data behind it.
    DataStream r(std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 'a', 0, 'b', 0});
    EXPECT_EQ(r.readString(), u"");
    EXPECT_TRUE(r.overrun());
    EXPECT_EQ(r.position(), r.length());

    // Count 3 with two and a half units.
    DataStream odd(std::vector<uint8_t>{3, 0, 0, 0, 'a', 0, 'b', 0, 'c'});
    EXPECT_EQ(odd.readString(), u"");
    EXPECT_TRUE(odd.overrun());
}

TEST(DataStreamFiles, SaveEnsuresFoldersThenReplacesTheFile) {
    testing::FakeFileSystem files;
    DataStream w;
    w.writeUInt32(0x11223344);
    ASSERT_TRUE(w.saveFile(u"C:\\a\\b.profile", files));
    EXPECT_EQ(files.ensuredFolders, std::vector<std::u16string>{u"C:\\a\\b.profile"});
    EXPECT_EQ(files.files[u"C:\\a\\b.profile"], (std::vector<uint8_t>{0x44, 0x33, 0x22, 0x11}));

    files.failWrites = true;
    EXPECT_FALSE(w.saveFile(u"C:\\a\\c.profile", files));
}

TEST(DataStreamFiles, LoadTakesTheWholeFileOrLeavesTheStreamAlone) {
    testing::FakeFileSystem files;
    files.files[u"f"] = {9, 8, 7};
    DataStream s;
    s.writeByte(1);
    EXPECT_FALSE(s.loadFile(u"missing", files));
    EXPECT_EQ(Bytes(s), std::vector<uint8_t>{1});

    ASSERT_TRUE(s.loadFile(u"f", files));
    EXPECT_EQ(s.capacity(), 3u);
    EXPECT_EQ(s.length(), 3u);
    EXPECT_EQ(s.position(), 0u);
    EXPECT_EQ(s.readByte(), 9);
}

TEST(DataStreamLifetime, AMovedFromStreamIsEmpty) {
    DataStream a;
    a.writeUInt32(5);
    DataStream b(std::move(a));
    EXPECT_EQ(b.length(), 4u);
    EXPECT_EQ(a.capacity(), 0u);  // NOLINT(bugprone-use-after-move): checks the moved-from state
    EXPECT_EQ(a.length(), 0u);
    EXPECT_EQ(a.position(), 0u);
}

}  // namespace
}  // namespace vandir
