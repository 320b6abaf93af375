#include "model/FunctionSelection.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "i18n/KeyTables.h"
#include "i18n/Unicode.h"

namespace vandir {
namespace {

std::string Utf8(const std::u16string& text) {
    return Utf8FromUtf16(text);
}

// A previous assignment whose every field would show if Store overwrote it.
constexpr ButtonAssignment kPrevious{9, 2, 3, 0x1234, 77, 0x42};

TEST(StoreFunction, WritesOnlyTheFieldsTheFunctionUses) {
    struct Case {
        FunctionId id;
        int32_t first, second, secondKey, modifiers;
        ButtonAssignment expected;  // buttonIndex 4
    };
    const Case cases[] = {
        {0, 1, 2, 3, 4, {4, 255, 255, 0x1234, 77, 0x42}},
        {1103, 1, 2, 3, 4, {4, 0, 4, 0x1234, 77, 0x42}},
        {1105, 1, 2, 3, 4, {4, 0, 16, 0x1234, 77, 0x42}},
        // Keyboard: modifier bits, and usage(second key) x 256 + usage(first key).
        {2000, 0x41, 2, 0x42, 5, {4, 2, 5, 0x0504, 77, 0x42}},
        {2000, 0x41, 2, 0, 0, {4, 2, 0, 0x0004, 77, 0x42}},
        {2000, 0, 2, 0xA2, 8, {4, 2, 8, static_cast<int16_t>(0xE000), 77, 0x42}},
        // Multimedia: the usage into param1, the code left as it was.
        {2201, 1, 2, 3, 4, {4, 32, 3, 0x00CD, 77, 0x42}},
        {2208, 1, 2, 3, 4, {4, 32, 3, 0x0223, 77, 0x42}},
        // Mouse rapid fire: the button bit from the first value, not from the function.
        {2311, 1, 5, 3, 4, {4, 33, 0, 1, 5, 0x42}},
        {2315, 16, 254, 3, 4, {4, 33, 0, 16, 254, 0x42}},
        {2313, 8, 12, 3, 4, {4, 33, 0, 8, 12, 0x42}},
        // Key rapid fire: the usage of the key.
        {2400, 0x41, 9, 3, 4, {4, 33, 2, 0x04, 9, 0x42}},
        // Other rapid-fire identifiers only write the number.
        {2301, 1, 6, 3, 4, {4, 33, 3, 0x1234, 6, 0x42}},
        {2300, 1, 6, 3, 4, {4, 33, 3, 0x1234, 6, 0x42}},
        {2503, 1, 2, 3, 4, {4, 9, 241, 0x1234, 77, 0x42}},
        {2600, 1, 2, 3, 4, {4, 34, 3, 0x1234, 77, 0x42}},
        {2700, 1, 2, 3, 4, {4, 35, 3, 0x1234, 77, 0x42}},
        // Anything else: the kind and code of the conversions (mouse, code 1).
        {-1, 1, 2, 3, 4, {4, 0, 1, 0x1234, 77, 0x42}},
        {1500, 1, 2, 3, 4, {4, 0, 1, 0x1234, 77, 0x42}},
        {2200, 1, 2, 3, 4, {4, 32, 3, 1, 77, 0x42}},
    };
    for (const Case& c : cases) {
        ButtonAssignment a = kPrevious;
        FunctionSelection s;
        s.functionId = c.id;
        s.first = c.first;
        s.second = c.second;
        s.secondKey = c.secondKey;
        s.modifiers = c.modifiers;
        StoreFunction(s, 4, a);
        EXPECT_EQ(a, c.expected) << "function " << c.id;
    }
}

struct ShowCase {
    ButtonAssignment stored;
    FunctionSelection expected;  // shown over a fresh selector (-1, 1, -1, -1)
};

TEST(ShowFunction, ListFunctionsTakeTheirListTextAndKeepTheValues) {
    const ShowCase cases[] = {
        {{0, 255, 255, 0, 0, 0}, {0, u"Disable", -1, 1, -1, -1}},
        {{0, 0, 1, 0, 0, 0}, {1101, u"Left Click", -1, 1, -1, -1}},
        {{0, 0, 3, 0, 0, 0}, {1101, u"Left Click", -1, 1, -1, -1}},
        {{0, 0, 32, 0, 0, 0}, {1101, u"Left Click", -1, 1, -1, -1}},
        {{0, 0, 8, 0, 0, 0}, {1104, u"Browser Back", -1, 1, -1, -1}},
        {{0, 0, 16, 0, 0, 0}, {1105, u"Browser Forward", -1, 1, -1, -1}},
        {{0, 9, 243, 0, 0, 0}, {2505, u"DPI Cycle[-]", -1, 1, -1, -1}},
        {{0, 32, 3, 0xCD, 0, 0}, {2201, u"Play/ Pause", -1, 1, -1, -1}},
        {{0, 32, 0, 0x194, 0, 0}, {2212, u"My Computer", -1, 1, -1, -1}},
        {{0, 32, 0, 0x195, 0, 0}, {1101, u"Left Click", -1, 1, -1, -1}},
        {{0, 34, 0, 0, 0, 0}, {2600, u"Sensor ON/OFF", -1, 1, -1, -1}},
        {{0, 35, 0, 0, 0, 0}, {2700, u"LOD Tuning(Press over 3sec)", -1, 1, -1, -1}},
        {{0, 7, 2, 0, 0, 0}, {1101, u"Left Click", -1, 1, -1, -1}},
    };
    for (const ShowCase& c : cases) {
        FunctionSelection s;
        ShowFunction(c.stored, s);
        EXPECT_EQ(s, c.expected) << "kind " << int{c.stored.kind} << " code " << c.stored.code;
    }
}

TEST(ShowFunction, KeyboardCaptionsAndKeys) {
    const ShowCase cases[] = {
        {{0, 2, 3, 0x0504, 0, 0}, {2000, u"Ctrl+Shift+A+B", 0x41, 1, 0x42, 3}},
        {{0, 2, 0, 0x0500, 0, 0}, {2000, u"B", 0, 1, 0x42, 0}},
        {{0, 2, 1, 0x0000, 0, 0}, {2000, u"Ctrl", 0, 1, 0, 1}},
        {{0, 2, 15, 0x0000, 0, 0}, {2000, u"Ctrl+Shift+Alt+Win", 0, 1, 0, 15}},
        {{0, 2, 4, 0x0052, 0, 0}, {2000, u"Alt+UP ARROW ", 0x26, 1, 0, 4}},
        {{0, 2, 8, 0x0028, 0, 0}, {2000, u"Win+ENTER", 0x0D, 1, 0, 8}},
        // Usage 0x48 is Pause (its code converts back to 0x13).
        {{0, 2, 0, 0x2948, 0, 0}, {2000, u"PAUSE+ESC", 0x13, 1, 0x1B, 0}},
        // A key named "+" keeps its name after the modifier words.
        {{0, 2, 1, 0x0057, 0, 0}, {2000, u"Ctrl++", 0x6B, 1, 0, 1}},
    };
    for (const ShowCase& c : cases) {
        FunctionSelection s;
        ShowFunction(c.stored, s);
        EXPECT_EQ(s, c.expected) << Utf8(c.expected.caption);
    }
}

TEST(ShowFunction, RapidFireCaptions) {
    const ShowCase cases[] = {
        {{0, 33, 0, 1, 5, 0}, {2311, u"Rapid Fire Left Click [5]", 1, 5, -1, -1}},
        {{0, 33, 0, 2, 1, 0}, {2312, u"Rapid Fire Right Click [1]", 2, 1, -1, -1}},
        {{0, 33, 0, 4, 254, 0}, {2313, u"Rapid Fire Wheel Click [254]", 4, 254, -1, -1}},
        {{0, 33, 0, 8, 12, 0}, {2314, u"Rapid Fire IE Back [12]", 8, 12, -1, -1}},
        {{0, 33, 0, 16, 3, 0}, {2315, u"Rapid Fire IE Forward [3]", 16, 3, -1, -1}},
        // An unknown button bit: no name, two spaces before the bracket.
        {{0, 33, 0, 3, 7, 0}, {0, u"Rapid Fire  [7]", 3, 7, -1, -1}},
        // Numbers are shown as they are stored, signed.
        {{0, 33, 0, 1, 300, 0}, {2311, u"Rapid Fire Left Click [300]", 1, 300, -1, -1}},
        {{0, 33, 0, 1, -1, 0}, {2311, u"Rapid Fire Left Click [-1]", 1, -1, -1, -1}},
        {{0, 33, 2, 0x04, 9, 0}, {2400, u"Rapid Fire A [9]", 0x41, 9, -1, -1}},
        {{0, 33, 2, 0x2C, 2, 0}, {2400, u"Rapid Fire SPACE [2]", 0x20, 2, -1, -1}},
        {{0, 33, 5, 1, 5, 0}, {1101, u"Left Click", -1, 1, -1, -1}},
    };
    for (const ShowCase& c : cases) {
        FunctionSelection s;
        ShowFunction(c.stored, s);
        EXPECT_EQ(s, c.expected) << Utf8(c.expected.caption);
    }
}

TEST(ShowFunction, ListFunctionsLeaveEarlierValuesInPlace) {
    FunctionSelection s{2000, u"Ctrl+A", 0x41, 7, 0x42, 1};
    ShowFunction({0, 9, 240, 0, 0, 0}, s);
    EXPECT_EQ(s, (FunctionSelection{2502, u"DPI [+]", 0x41, 7, 0x42, 1}));
}

// Every usage a captured key can produce (one byte each, as param1 holds them).
std::set<uint16_t> CapturableUsages() {
    std::set<uint16_t> usages;
    for (uint32_t code = 0; code <= 0xFF; ++code) {
        const uint16_t usage = KeyUsageOf(static_cast<uint16_t>(code));
        if (usage <= 0xFF) {
            usages.insert(usage);
        }
    }
    return usages;
}

TEST(FunctionRoundTrip, KeyboardUsagesSurviveShowAndStore) {
    const std::set<uint16_t> usages = CapturableUsages();
    for (uint16_t first : usages) {
        for (uint16_t second : usages) {
            const auto param1 = static_cast<int16_t>(second << 8 | first);
            const ButtonAssignment stored{2, 2, 6, param1, 0, 0};
            FunctionSelection s;
            ShowFunction(stored, s);
            ButtonAssignment again{};
            StoreFunction(s, 2, again);
            ASSERT_EQ(again.param1, param1) << "usages " << first << ", " << second;
            ASSERT_EQ(again.code, 6);
            ASSERT_EQ(again.kind, 2);
        }
    }
}

TEST(FunctionRoundTrip, RapidFireAssignmentsSurviveShowAndStore) {
    for (uint16_t usage : CapturableUsages()) {
        const ButtonAssignment stored{1, 33, 2, static_cast<int16_t>(usage), 200, 2};
        FunctionSelection s;
        ShowFunction(stored, s);
        ButtonAssignment again = stored;
        again.param1 = again.param2 = 0;
        StoreFunction(s, 1, again);
        EXPECT_EQ(again, stored) << "usage " << usage;
    }
    for (int16_t bit : {1, 2, 4, 8, 16}) {
        const ButtonAssignment stored{1, 33, 0, bit, 254, 2};
        FunctionSelection s;
        ShowFunction(stored, s);
        ButtonAssignment again = stored;
        again.param1 = again.param2 = 0;
        StoreFunction(s, 1, again);
        EXPECT_EQ(again, stored) << "bit " << bit;
    }
}

TEST(FunctionRoundTrip, DefaultButtonsShowAndStoreAsThemselves) {
    const MouseSettings record;
    for (int i = 0; i < kButtons; ++i) {
        FunctionSelection s;
        ShowFunction(record.buttons[i], s);
        EXPECT_EQ(s.functionId, DefaultButtonFunctions()[i]);
        ButtonAssignment again = record.buttons[i];
        StoreFunction(s, i, again);
        EXPECT_EQ(again, record.buttons[i]) << "button " << i + 1;
    }
}

TEST(LastLeftClick, OnlyTheLastLeftClickIsProtected) {
    using Selected = std::array<FunctionId, kButtons>;
    struct Case {
        Selected selected;
        int button;
        FunctionId chosen;
        bool refused;
    };
    const Selected defaults = {1101, 1102, 1103, 1105, 1104, 2502, 2504};
    const Selected twoLeft = {1101, 1101, 1103, 1105, 1104, 2502, 2504};
    const Selected rapidLeft = {1101, 2311, 1103, 1105, 1104, 2502, 2504};
    const Selected leftElsewhere = {1102, 1102, 1103, 1105, 1104, 2502, 1101};
    const Case cases[] = {
        {defaults, 0, 1102, true},       {defaults, 0, 0, true},     {defaults, 0, 2311, true},
        {defaults, 0, 1101, false},      {defaults, 1, 0, false},    {twoLeft, 0, 1102, false},
        {twoLeft, 1, 0, false},          {rapidLeft, 0, 2000, true}, {leftElsewhere, 6, 2502, true},
        {leftElsewhere, 0, 1101, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RefusesLastLeftClick(c.selected, c.button, c.chosen), c.refused)
            << "button " << c.button << " chooses " << c.chosen;
    }
}

}  // namespace
}  // namespace vandir
