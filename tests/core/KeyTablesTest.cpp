#include "i18n/KeyTables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vandir {
namespace {

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(value));
    return text;
}

// ---------------------------------------------------------------------------
// Expected key names
// ---------------------------------------------------------------------------

struct NameCase {
    uint32_t code;
    std::u16string name;
};

const std::vector<NameCase> kSingleNames = {
    {0x01, u"Left Button"},
    {0x02, u"Right Button"},
    {0x04, u"Middle Button"},
    {0x08, u"BACK"},
    {0x09, u"TAB"},
    {0x0C, u"CLEAR"},
    {0x0D, u"ENTER"},
    {0x13, u"PAUSE"},
    {0x14, u"CAPS LOCK"},
    {0x1B, u"ESC"},
    {0x20, u"SPACE"},
    {0x21, u"PAGE UP"},
    {0x22, u"PAGE DOWN"},
    {0x23, u"END"},
    {0x24, u"HOME"},
    {0x25, u"LEFT ARROW"},
    {0x26, u"UP ARROW "},
    {0x27, u"RIGHT ARROW"},
    {0x28, u"DOWN ARROW"},
    {0x29, u"SELECT"},
    {0x2A, u"PRINT"},
    {0x2B, u"EXECUTE"},
    {0x2C, u"PRINT SCREEN"},
    {0x2D, u"INS"},
    {0x2E, u"DEL"},
    {0x2F, u"HELP"},
    {0x5B, u"Left Window"},
    {0x5C, u"Right Window"},
    {0x5D, u"Application"},
    {0x6A, u"*"},
    {0x6B, u"+"},
    {0x6D, u"-"},
    {0x6E, u"."},
    {0x6F, u"/"},
    {0x90, u"NUM LOCK"},
    {0x91, u"SCROLL LOCK"},
    {0xA0, u"Left SHIFT"},
    {0xA1, u"Right SHIFT"},
    {0xA2, u"Left CONTROL"},
    {0xA3, u"Right CONTROL"},
    {0xA4, u"Left ALT"},
    {0xA5, u"Right ALT"},
    {0xA6, u"Browser Back"},
    {0xA7, u"Browser Forward"},
    {0xA8, u"Browser Refresh"},
    {0xAE, u"Volume Down"},
    {0xAF, u"Volume Up "},
    {0xBA, u";"},
    {0xBB, u"+"},
    {0xBC, u","},
    {0xBD, u"-"},
    {0xBE, u"."},
    {0xBF, u"/"},
    {0xC0, u"`"},
    {0xDB, u"["},
    {0xDC, u"\\"},
    {0xDD, u"]"},
    {0xDE, u"'"},
    {0xFF, u"Fn"},
};

// Every code of the four runs with its name, generated from the run's rule.
std::vector<NameCase> RunNames() {
    std::vector<NameCase> cases;
    for (uint32_t digit = 0; digit <= 9; ++digit) {
        const std::u16string name(1, static_cast<char16_t>(u'0' + digit));
        cases.push_back({0x30 + digit, name});
        cases.push_back({0x60 + digit, name});
    }
    for (uint32_t letter = 0; letter < 26; ++letter) {
        cases.push_back({0x41 + letter, std::u16string(1, static_cast<char16_t>(u'A' + letter))});
    }
    for (uint32_t number = 1; number <= 24; ++number) {
        std::u16string name = u"F";
        for (char c : std::to_string(number)) {
            name += static_cast<char16_t>(c);
        }
        cases.push_back({0x70 + number - 1, name});
    }
    return cases;
}

// Codes 0..255 listed as having no name, inclusive ranges.
const std::vector<std::pair<uint32_t, uint32_t>> kUnnamedRanges = {
    {0x00, 0x00}, {0x03, 0x03}, {0x05, 0x07}, {0x0A, 0x0B}, {0x0E, 0x12}, {0x15, 0x1A},
    {0x1C, 0x1F}, {0x3A, 0x40}, {0x5E, 0x5F}, {0x6C, 0x6C}, {0x88, 0x8F}, {0x92, 0x9F},
    {0xA9, 0xAD}, {0xB0, 0xB9}, {0xC1, 0xDA}, {0xDF, 0xFE},
};

TEST(KeyNameTest, SingleEntries) {
    for (const NameCase& expected : kSingleNames) {
        EXPECT_EQ(KeyName(expected.code), expected.name) << "code " << Hex(expected.code);
    }
}

TEST(KeyNameTest, RunEndsAndMiddles) {
    const std::vector<NameCase> cases = {
        {0x30, u"0"},   {0x35, u"5"},   {0x39, u"9"},   {0x60, u"0"},   {0x64, u"4"},
        {0x69, u"9"},   {0x41, u"A"},   {0x4D, u"M"},   {0x5A, u"Z"},   {0x70, u"F1"},
        {0x79, u"F10"}, {0x7B, u"F12"}, {0x7C, u"F13"}, {0x87, u"F24"},
    };
    for (const NameCase& expected : cases) {
        EXPECT_EQ(KeyName(expected.code), expected.name) << "code " << Hex(expected.code);
    }
}

TEST(KeyNameTest, EveryCodeOfTheRuns) {
    for (const NameCase& expected : RunNames()) {
        EXPECT_EQ(KeyName(expected.code), expected.name) << "code " << Hex(expected.code);
    }
}

TEST(KeyNameTest, ListedUnnamedCodesAreEmpty) {
    for (const auto& [first, last] : kUnnamedRanges) {
        for (uint32_t code = first; code <= last; ++code) {
            EXPECT_EQ(KeyName(code), u"") << "code " << Hex(code);
        }
    }
}

// Every byte code is either named (run or single entry) or listed as unnamed,
// never both, and every code outside the named ones has the empty name.
TEST(KeyNameTest, EveryOtherByteCodeIsEmpty) {
    std::set<uint32_t> named;
    for (const NameCase& entry : kSingleNames) {
        EXPECT_TRUE(named.insert(entry.code).second) << "named twice: " << Hex(entry.code);
    }
    for (const NameCase& entry : RunNames()) {
        EXPECT_TRUE(named.insert(entry.code).second) << "named twice: " << Hex(entry.code);
    }
    std::set<uint32_t> listedUnnamed;
    for (const auto& [first, last] : kUnnamedRanges) {
        for (uint32_t code = first; code <= last; ++code) {
            listedUnnamed.insert(code);
        }
    }

    for (uint32_t code = 0; code <= 0xFF; ++code) {
        const bool isNamed = named.count(code) != 0;
        EXPECT_NE(isNamed, listedUnnamed.count(code) != 0)
            << "code " << Hex(code) << " must be either named or listed as unnamed";
        if (!isNamed) {
            EXPECT_EQ(KeyName(code), u"") << "code " << Hex(code);
        }
    }
}

TEST(KeyNameTest, CodesAbove255AreEmpty) {
    // Includes codes whose low byte is a named key, to catch truncation to a byte.
    for (uint32_t code : {0x100u, 0x101u, 0x130u, 0x141u, 0x1FFu, 0x7FFFu, 0xFFFFu, 0x10041u,
                          0x80000001u, 0xFFFFFFFFu}) {
        EXPECT_EQ(KeyName(code), u"") << "code " << Hex(code);
    }
}

// ---------------------------------------------------------------------------
// Expected conversions between virtual-key codes and usage IDs
// ---------------------------------------------------------------------------

struct Conversion {
    uint16_t from;
    uint16_t to;
};

struct ConversionRun {
    uint16_t first;
    uint16_t last;
    uint16_t firstValue;
};

const std::vector<ConversionRun> kUsageRuns = {
    {0x41, 0x5A, 0x04}, {0x31, 0x39, 0x1E}, {0x30, 0x30, 0x27},
    {0x70, 0x7B, 0x3A}, {0x61, 0x69, 0x59}, {0x60, 0x60, 0x62},
};

const std::vector<Conversion> kSingleUsages = {
    {0x03, 0x48}, {0x08, 0x2A}, {0x09, 0x2B}, {0x0D, 0x28}, {0x13, 0x48}, {0x14, 0x39},
    {0x1B, 0x29}, {0x20, 0x2C}, {0x21, 0x4B}, {0x22, 0x4E}, {0x23, 0x4D}, {0x24, 0x4A},
    {0x25, 0x50}, {0x26, 0x52}, {0x27, 0x4F}, {0x28, 0x51}, {0x2C, 0x46}, {0x2D, 0x49},
    {0x2E, 0x4C}, {0x5B, 0xE3}, {0x5C, 0xE7}, {0x5D, 0x65}, {0x6A, 0x55}, {0x6B, 0x57},
    {0x6D, 0x56}, {0x6E, 0x63}, {0x6F, 0x54}, {0x90, 0x53}, {0x91, 0x47}, {0xA0, 0xE1},
    {0xA1, 0xE5}, {0xA2, 0xE0}, {0xA3, 0xE4}, {0xA4, 0xE2}, {0xA5, 0xE6}, {0xAE, 0x81},
    {0xAF, 0x80}, {0xBA, 0x33}, {0xBB, 0x2E}, {0xBC, 0x36}, {0xBD, 0x2D}, {0xBE, 0x37},
    {0xBF, 0x38}, {0xC0, 0x35}, {0xDB, 0x2F}, {0xDC, 0x31}, {0xDD, 0x30}, {0xDE, 0x34},
};

const std::vector<ConversionRun> kCodeRuns = {
    {0x04, 0x1D, 0x41}, {0x1E, 0x26, 0x31}, {0x27, 0x27, 0x30},
    {0x3A, 0x45, 0x70}, {0x59, 0x61, 0x61}, {0x62, 0x62, 0x60},
};

const std::vector<Conversion> kSingleCodes = {
    {0x28, 0x0D}, {0x29, 0x1B}, {0x2A, 0x08}, {0x2B, 0x09}, {0x2C, 0x20}, {0x2D, 0xBD},
    {0x2E, 0xBB}, {0x2F, 0xDB}, {0x30, 0xDD}, {0x31, 0xDC}, {0x33, 0xBA}, {0x34, 0xDE},
    {0x35, 0xC0}, {0x36, 0xBC}, {0x37, 0xBE}, {0x38, 0xBF}, {0x39, 0x14}, {0x46, 0x2C},
    {0x47, 0x91}, {0x48, 0x13}, {0x49, 0x2D}, {0x4A, 0x24}, {0x4B, 0x21}, {0x4C, 0x2E},
    {0x4D, 0x23}, {0x4E, 0x22}, {0x4F, 0x27}, {0x50, 0x25}, {0x51, 0x28}, {0x52, 0x26},
    {0x53, 0x90}, {0x54, 0x6F}, {0x55, 0x6A}, {0x56, 0x6D}, {0x57, 0x6B}, {0x63, 0x6E},
    {0x65, 0x5D}, {0x80, 0xAF}, {0x81, 0xAE}, {0xE0, 0xA2}, {0xE1, 0xA0}, {0xE2, 0xA4},
    {0xE3, 0x5B}, {0xE4, 0xA3}, {0xE5, 0xA1}, {0xE6, 0xA5}, {0xE7, 0x5C},
};

// All entries of a table, runs expanded; fails the test on a value listed twice.
std::map<uint16_t, uint16_t> Expand(const std::vector<ConversionRun>& runs,
                                    const std::vector<Conversion>& singles) {
    std::map<uint16_t, uint16_t> entries;
    for (const ConversionRun& run : runs) {
        for (uint16_t from = run.first; from <= run.last; ++from) {
            EXPECT_TRUE(entries.emplace(from, run.firstValue + (from - run.first)).second)
                << "listed twice: " << Hex(from);
        }
    }
    for (const Conversion& single : singles) {
        EXPECT_TRUE(entries.emplace(single.from, single.to).second)
            << "listed twice: " << Hex(single.from);
    }
    return entries;
}

using Convert = uint16_t (*)(uint16_t);

void ExpectSingles(Convert convert, const std::vector<Conversion>& singles) {
    for (const Conversion& single : singles) {
        EXPECT_EQ(convert(single.from), single.to) << "from " << Hex(single.from);
    }
}

void ExpectRuns(Convert convert, const std::vector<ConversionRun>& runs) {
    for (const ConversionRun& run : runs) {
        for (uint16_t from = run.first; from <= run.last; ++from) {
            EXPECT_EQ(convert(from), run.firstValue + (from - run.first))
                << "from " << Hex(from) << " in run " << Hex(run.first) << ".." << Hex(run.last);
        }
    }
}

void ExpectOthersUnchanged(Convert convert, const std::map<uint16_t, uint16_t>& entries) {
    for (uint32_t value = 0; value <= 0xFFFF; ++value) {
        const auto from = static_cast<uint16_t>(value);
        if (entries.count(from) == 0) {
            EXPECT_EQ(convert(from), from) << "from " << Hex(from);
        }
    }
}

TEST(KeyUsageOfTest, SingleEntries) {
    ExpectSingles(KeyUsageOf, kSingleUsages);
}

TEST(KeyUsageOfTest, Runs) {
    ExpectRuns(KeyUsageOf, kUsageRuns);
}

TEST(KeyUsageOfTest, EveryOtherCodePassesUnchanged) {
    ExpectOthersUnchanged(KeyUsageOf, Expand(kUsageRuns, kSingleUsages));
}

TEST(KeyCodeOfTest, SingleEntries) {
    ExpectSingles(KeyCodeOf, kSingleCodes);
}

TEST(KeyCodeOfTest, Runs) {
    ExpectRuns(KeyCodeOf, kCodeRuns);
}

TEST(KeyCodeOfTest, EveryOtherUsagePassesUnchanged) {
    ExpectOthersUnchanged(KeyCodeOf, Expand(kCodeRuns, kSingleCodes));
}

// ---------------------------------------------------------------------------
// The two conversions together
// ---------------------------------------------------------------------------

// 0x03 shares its usage with 0x13 (Pause); the reverse gives 0x13.
constexpr uint16_t kDuplicateUsageCode = 0x03;

TEST(KeyCodeOfTest, ReversesEveryUsageEntry) {
    const std::map<uint16_t, uint16_t> usages = Expand(kUsageRuns, kSingleUsages);
    const std::map<uint16_t, uint16_t> codes = Expand(kCodeRuns, kSingleCodes);
    for (const auto& [code, usage] : usages) {
        if (code != kDuplicateUsageCode) {
            EXPECT_EQ(KeyCodeOf(usage), code) << "usage " << Hex(usage) << " of " << Hex(code);
        }
    }
    // And nothing more: every reverse entry comes from a usage entry.
    for (const auto& [usage, code] : codes) {
        EXPECT_EQ(KeyUsageOf(code), usage) << "code " << Hex(code) << " of " << Hex(usage);
    }
}

TEST(KeyCodeOfTest, ConvertedValuesConvertBackOverWholeRange) {
    for (uint32_t value = 0; value <= 0xFFFF; ++value) {
        const auto v = static_cast<uint16_t>(value);
        const uint16_t code = KeyCodeOf(v);
        if (code != v) {
            EXPECT_EQ(KeyUsageOf(code), v) << "usage " << Hex(v);
        }
        const uint16_t usage = KeyUsageOf(v);
        if (usage != v && v != kDuplicateUsageCode) {
            EXPECT_EQ(KeyCodeOf(usage), v) << "code " << Hex(v);
        }
    }
}

// A stored usage survives being shown as a key and stored again.
TEST(KeyConversionTest, StoredUsageSurvivesRoundTrip) {
    for (uint32_t value = 0; value <= 0xFFFF; ++value) {
        const auto code = static_cast<uint16_t>(value);
        const uint16_t usage = KeyUsageOf(code);
        EXPECT_EQ(KeyUsageOf(KeyCodeOf(usage)), usage) << "code " << Hex(code);
    }
}

TEST(KeyTablesEdgeCaseTest, SharedNames) {
    EXPECT_EQ(KeyName(0x61), u"1");
    EXPECT_EQ(KeyName(0x31), u"1");
    EXPECT_EQ(KeyName(0x6B), u"+");
    EXPECT_EQ(KeyName(0xBB), u"+");
}

TEST(KeyTablesEdgeCaseTest, CancelAndUnassignedHaveNoName) {
    EXPECT_EQ(KeyName(0x03), u"");
    EXPECT_EQ(KeyName(0xAD), u"");
}

TEST(KeyTablesEdgeCaseTest, CancelAndPauseShareUsage) {
    EXPECT_EQ(KeyUsageOf(0x03), 0x48);
    EXPECT_EQ(KeyUsageOf(0x13), 0x48);
    EXPECT_EQ(KeyCodeOf(0x48), 0x13);
}

TEST(KeyTablesEdgeCaseTest, F13PassesUnchangedBothWays) {
    EXPECT_EQ(KeyUsageOf(0x7C), 0x7C);
    EXPECT_EQ(KeyCodeOf(0x7C), 0x7C);
}

// Usage 0x64 has no key of its own: shown as code 0x64 (keypad 4), it is
// stored again as 0x5C.
TEST(KeyTablesEdgeCaseTest, UsageWithoutKeyDoesNotSurviveRoundTrip) {
    EXPECT_EQ(KeyCodeOf(0x64), 0x64);
    EXPECT_EQ(KeyUsageOf(0x64), 0x5C);
    EXPECT_NE(KeyUsageOf(KeyCodeOf(0x64)), 0x64);
}

}  // namespace
}  // namespace vandir
