#include "i18n/KeyTables.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <string_view>

namespace vandir {
namespace {

// ---------------------------------------------------------------------------
// Key names
// ---------------------------------------------------------------------------

// Single-character names of the digit keys, the keypad digits and the letters.
constexpr std::u16string_view kDigitNames = u"0123456789";
constexpr std::u16string_view kLetterNames = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";

constexpr uint8_t kFirstDigitKey = 0x30;
constexpr uint8_t kFirstKeypadDigitKey = 0x60;
constexpr uint8_t kFirstLetterKey = 0x41;
constexpr uint8_t kFirstFunctionKey = 0x70;

// F1 .. F24 at 0x70 .. 0x87.
constexpr std::u16string_view kFunctionKeyNames[] = {
    u"F1",  u"F2",  u"F3",  u"F4",  u"F5",  u"F6",  u"F7",  u"F8",  u"F9",  u"F10", u"F11", u"F12",
    u"F13", u"F14", u"F15", u"F16", u"F17", u"F18", u"F19", u"F20", u"F21", u"F22", u"F23", u"F24",
};

struct NamedKey {
    uint8_t code;
    std::u16string_view name;
};

// The trailing spaces of "UP ARROW " and "Volume Up " are deliberate; keep them.
constexpr NamedKey kNamedKeys[] = {
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

// Name of every code 0..255; codes not filled in stay empty.
constexpr auto kKeyNames = [] {
    std::array<std::u16string_view, 256> names{};
    for (std::size_t i = 0; i < kDigitNames.size(); ++i) {
        names[kFirstDigitKey + i] = kDigitNames.substr(i, 1);
        names[kFirstKeypadDigitKey + i] = kDigitNames.substr(i, 1);
    }
    for (std::size_t i = 0; i < kLetterNames.size(); ++i) {
        names[kFirstLetterKey + i] = kLetterNames.substr(i, 1);
    }
    for (std::size_t i = 0; i < std::size(kFunctionKeyNames); ++i) {
        names[kFirstFunctionKey + i] = kFunctionKeyNames[i];
    }
    for (const NamedKey& key : kNamedKeys) {
        names[key.code] = key.name;
    }
    return names;
}();

// ---------------------------------------------------------------------------
// Virtual-key code <-> usage ID
// ---------------------------------------------------------------------------

// Consecutive values first..last mapping to firstValue, firstValue + 1, ...
struct Run {
    uint8_t first;
    uint8_t last;
    uint8_t firstValue;
};

struct Pair {
    uint8_t from;
    uint8_t to;
};

constexpr Run kUsageRuns[] = {
    {0x41, 0x5A, 0x04},  // A .. Z
    {0x31, 0x39, 0x1E},  // 1 .. 9
    {0x30, 0x30, 0x27},  // 0
    {0x70, 0x7B, 0x3A},  // F1 .. F12
    {0x61, 0x69, 0x59},  // keypad 1 .. 9
    {0x60, 0x60, 0x62},  // keypad 0
};

// 0x03 (Cancel, which is Ctrl+Break) is stored as Pause, like 0x13; the
// reverse table gives Pause back.
constexpr Pair kUsagePairs[] = {
    {0x03, 0x48}, {0x08, 0x2A}, {0x09, 0x2B}, {0x0D, 0x28}, {0x13, 0x48}, {0x14, 0x39},
    {0x1B, 0x29}, {0x20, 0x2C}, {0x21, 0x4B}, {0x22, 0x4E}, {0x23, 0x4D}, {0x24, 0x4A},
    {0x25, 0x50}, {0x26, 0x52}, {0x27, 0x4F}, {0x28, 0x51}, {0x2C, 0x46}, {0x2D, 0x49},
    {0x2E, 0x4C}, {0x5B, 0xE3}, {0x5C, 0xE7}, {0x5D, 0x65}, {0x6A, 0x55}, {0x6B, 0x57},
    {0x6D, 0x56}, {0x6E, 0x63}, {0x6F, 0x54}, {0x90, 0x53}, {0x91, 0x47}, {0xA0, 0xE1},
    {0xA1, 0xE5}, {0xA2, 0xE0}, {0xA3, 0xE4}, {0xA4, 0xE2}, {0xA5, 0xE6}, {0xAE, 0x81},
    {0xAF, 0x80}, {0xBA, 0x33}, {0xBB, 0x2E}, {0xBC, 0x36}, {0xBD, 0x2D}, {0xBE, 0x37},
    {0xBF, 0x38}, {0xC0, 0x35}, {0xDB, 0x2F}, {0xDC, 0x31}, {0xDD, 0x30}, {0xDE, 0x34},
};

constexpr Run kCodeRuns[] = {
    {0x04, 0x1D, 0x41},  // A .. Z
    {0x1E, 0x26, 0x31},  // 1 .. 9
    {0x27, 0x27, 0x30},  // 0
    {0x3A, 0x45, 0x70},  // F1 .. F12
    {0x59, 0x61, 0x61},  // keypad 1 .. 9
    {0x62, 0x62, 0x60},  // keypad 0
};

constexpr Pair kCodePairs[] = {
    {0x28, 0x0D}, {0x29, 0x1B}, {0x2A, 0x08}, {0x2B, 0x09}, {0x2C, 0x20}, {0x2D, 0xBD},
    {0x2E, 0xBB}, {0x2F, 0xDB}, {0x30, 0xDD}, {0x31, 0xDC}, {0x33, 0xBA}, {0x34, 0xDE},
    {0x35, 0xC0}, {0x36, 0xBC}, {0x37, 0xBE}, {0x38, 0xBF}, {0x39, 0x14}, {0x46, 0x2C},
    {0x47, 0x91}, {0x48, 0x13}, {0x49, 0x2D}, {0x4A, 0x24}, {0x4B, 0x21}, {0x4C, 0x2E},
    {0x4D, 0x23}, {0x4E, 0x22}, {0x4F, 0x27}, {0x50, 0x25}, {0x51, 0x28}, {0x52, 0x26},
    {0x53, 0x90}, {0x54, 0x6F}, {0x55, 0x6A}, {0x56, 0x6D}, {0x57, 0x6B}, {0x63, 0x6E},
    {0x65, 0x5D}, {0x80, 0xAF}, {0x81, 0xAE}, {0xE0, 0xA2}, {0xE1, 0xA0}, {0xE2, 0xA4},
    {0xE3, 0x5B}, {0xE4, 0xA3}, {0xE5, 0xA1}, {0xE6, 0xA5}, {0xE7, 0x5C},
};

// Expands runs and pairs into a lookup of all 256 one-byte values; values
// without an entry map to themselves.
template <std::size_t RunCount, std::size_t PairCount>
constexpr std::array<uint8_t, 256> BuildLookup(const Run (&runs)[RunCount],
                                               const Pair (&pairs)[PairCount]) {
    std::array<uint8_t, 256> lookup{};
    for (std::size_t i = 0; i < lookup.size(); ++i) {
        lookup[i] = static_cast<uint8_t>(i);
    }
    for (const Run& run : runs) {
        for (unsigned v = run.first; v <= run.last; ++v) {
            lookup[v] = static_cast<uint8_t>(run.firstValue + (v - run.first));
        }
    }
    for (const Pair& pair : pairs) {
        lookup[pair.from] = pair.to;
    }
    return lookup;
}

constexpr auto kUsageOfCode = BuildLookup(kUsageRuns, kUsagePairs);
constexpr auto kCodeOfUsage = BuildLookup(kCodeRuns, kCodePairs);

}  // namespace

std::u16string KeyName(uint32_t code) {
    if (code >= kKeyNames.size()) {
        return {};
    }
    return std::u16string(kKeyNames[code]);
}

uint16_t KeyUsageOf(uint16_t code) {
    return code < kUsageOfCode.size() ? kUsageOfCode[code] : code;
}

uint16_t KeyCodeOf(uint16_t usage) {
    return usage < kCodeOfUsage.size() ? kCodeOfUsage[usage] : usage;
}

}  // namespace vandir
