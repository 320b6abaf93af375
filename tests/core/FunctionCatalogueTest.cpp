#include "model/FunctionCatalogue.h"

#include "model/MouseSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vandir {
namespace {

struct Item {
    FunctionId id;
    std::u16string text;
    std::vector<Item> subList;
};

std::vector<Item> Items(std::span<const FunctionListEntry> entries) {
    std::vector<Item> items;
    for (const FunctionListEntry& e : entries) {
        items.push_back({e.id, std::u16string(e.text), Items(e.subList)});
    }
    return items;
}

bool operator==(const Item& a, const Item& b) {
    return a.id == b.id && a.text == b.text && a.subList == b.subList;
}

void PrintTo(const Item& item, std::ostream* os) {
    *os << item.id << " (" << item.subList.size() << " sub-entries)";
}

TEST(FunctionList, OffersEveryFunctionInItsListOrder) {
    const std::vector<Item> expected = {
        {0, u"Disable", {}},
        {1101, u"Left Click", {}},
        {1102, u"Right Click", {}},
        {1103, u"Wheel Click", {}},
        {1105, u"Browser Forward", {}},
        {1104, u"Browser Back", {}},
        {2000, u"Keyboard", {}},
        {2200,
         u"MultiMedia",
         {{2208, u"Web Browser", {}},
          {2209, u"E-Mail", {}},
          {2210, u"Media Player", {}},
          {2201, u"Play/ Pause", {}},
          {2202, u"Stop", {}},
          {2204, u"Next Track", {}},
          {2203, u"Previous Track", {}},
          {2205, u"Volume Up", {}},
          {2206, u"Volume Down", {}},
          {2207, u"Mute Speaker", {}},
          {2211, u"Calculator", {}},
          {2212, u"My Computer", {}}}},
        {2300,
         u"Rapid Fire",
         {{2301,
           u"Mouse",
           {{2311, u"Left Click", {}},
            {2312, u"Right Click", {}},
            {2313, u"Wheel Click", {}},
            {2315, u"IE Forward", {}},
            {2314, u"IE Back", {}}}},
          {2400, u"Keyboard", {}}}},
        {2500,
         u"DPI",
         {{2502, u"DPI [+]", {}},
          {2504, u"DPI [-]", {}},
          {2503, u"DPI Cycle[+]", {}},
          {2505, u"DPI Cycle[-]", {}}}},
        {2600, u"Sensor ON/OFF", {}},
        {2700, u"LOD Tuning(Press over 3sec)", {}},
    };
    EXPECT_EQ(Items(FunctionList()), expected);
}

TEST(FunctionList, TextsAreFoundAtEveryDepth) {
    EXPECT_EQ(FunctionListText(2311), u"Left Click");
    EXPECT_EQ(FunctionListText(2400), u"Keyboard");
    EXPECT_EQ(FunctionListText(2301), u"Mouse");
    EXPECT_EQ(FunctionListText(2505), u"DPI Cycle[-]");
    EXPECT_EQ(FunctionListText(0), u"Disable");
    EXPECT_FALSE(FunctionListText(2100).has_value());
    EXPECT_FALSE(FunctionListText(-1).has_value());
}

TEST(FunctionConversions, KindForFunction) {
    struct Case {
        FunctionId id;
        uint8_t kind;
    };
    const Case cases[] = {
        {0, 255},  {1101, 0},  {1105, 0},  {1100, 0},  {1106, 0},  {2000, 2},
        {2199, 2}, {2200, 32}, {2299, 32}, {2300, 33}, {2499, 33}, {2500, 9},
        {2599, 9}, {2600, 34}, {2700, 35}, {2601, 0},  {-1, 0},    {9999, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kindForFunction(c.id), c.kind) << c.id;
    }
}

TEST(FunctionConversions, CodeForFunction) {
    struct Case {
        FunctionId id;
        uint16_t code;
    };
    const Case cases[] = {
        {1101, 1},
        {1102, 2},
        {1103, 4},
        {1104, 8},
        {1105, 16},
        {2208, 0x0223},
        {2209, 0x018A},
        {2210, 0x0183},
        {2201, 0x00CD},
        {2202, 0x00B7},
        {2204, 0x00B5},
        {2203, 0x00B6},
        {2205, 0x00E9},
        {2206, 0x00EA},
        {2207, 0x00E2},
        {2211, 0x0192},
        {2212, 0x0194},
        {2312, 2},
        {2313, 4},
        {2314, 8},
        {2315, 16},
        {2502, 240},
        {2503, 241},
        {2504, 242},
        {2505, 243},
        {2600, 34},
        {2700, 35},
        // Everything else falls back to 1, 2311 included.
        {2311, 1},
        {0, 1},
        {2000, 1},
        {2400, 1},
        {2200, 1},
        {-5, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(codeForFunction(c.id), c.code) << c.id;
    }
}

TEST(FunctionConversions, FunctionForAssignment) {
    struct Case {
        uint8_t kind;
        int32_t code;
        FunctionId id;
    };
    const Case cases[] = {
        {255, 0, 0},        {255, 255, 0},      {0, 1, 1101},       {0, 2, 1102},
        {0, 4, 1103},       {0, 8, 1104},       {0, 16, 1105},      {0, 3, 1101},
        {0, 32, 1101},      {2, 99, 2000},      {9, 240, 2502},     {9, 241, 2503},
        {9, 242, 2504},     {9, 243, 2505},     {9, 244, 1101},     {32, 0x0223, 2208},
        {32, 0x018A, 2209}, {32, 0x0183, 2210}, {32, 0x00CD, 2201}, {32, 0x00B7, 2202},
        {32, 0x00B5, 2204}, {32, 0x00B6, 2203}, {32, 0x00E9, 2205}, {32, 0x00EA, 2206},
        {32, 0x00E2, 2207}, {32, 0x0192, 2211}, {32, 0x0194, 2212}, {32, 0x0195, 1101},
        {33, 0, 2301},      {33, 2, 2400},      {33, 1, 1101},      {34, 7, 2600},
        {35, 7, 2700},      {7, 1, 1101},       {1, 2, 1101},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(functionForAssignment(c.kind, c.code), c.id)
            << "kind " << int{c.kind} << " code " << c.code;
    }
}

TEST(FunctionConversions, EveryListedFunctionMapsBackToItself) {
    // Functions whose kind and code identify them are found again from what is stored.
    for (FunctionId id :
         {0, 1101, 1102, 1103, 1104, 1105, 2000, 2400, 2502, 2503, 2504, 2505, 2600, 2700}) {
        const uint8_t kind = kindForFunction(id);
        const int32_t code = id == 0 ? 255 : id == 2400 ? 2 : codeForFunction(id);
        EXPECT_EQ(functionForAssignment(kind, code), id) << id;
    }
    for (FunctionId id = 2201; id <= 2212; ++id) {
        EXPECT_EQ(functionForAssignment(kindForFunction(id), codeForFunction(id)), id) << id;
    }
}

TEST(FunctionDefaults, MatchTheRecordsDefaultButtons) {
    const std::vector<FunctionId> expected = {1101, 1102, 1103, 1105, 1104, 2502, 2504};
    const auto defaults = DefaultButtonFunctions();
    EXPECT_EQ(std::vector<FunctionId>(defaults.begin(), defaults.end()), expected);
    const MouseSettings record;
    for (int i = 0; i < kButtons; ++i) {
        EXPECT_EQ(functionForAssignment(record.buttons[i].kind, record.buttons[i].code),
                  defaults[i])
            << "button " << i + 1;
    }
}

}  // namespace
}  // namespace vandir
