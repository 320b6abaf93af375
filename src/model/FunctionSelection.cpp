#include "model/FunctionSelection.h"

#include <string>

#include "i18n/KeyTables.h"

namespace vandir {
namespace {

using namespace function;

bool InRange(FunctionId id, FunctionId first, FunctionId last) {
    return id >= first && id <= last;
}

int16_t Low16(int64_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>(value));
}

uint16_t UsageOfKey(int32_t virtualKey) {
    return KeyUsageOf(static_cast<uint16_t>(virtualKey));
}

std::u16string DecimalText(int32_t value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

std::u16string RapidFireCaption(std::u16string_view name, int16_t count) {
    return u"Rapid Fire " + std::u16string(name) + u" [" + DecimalText(count) + u"]";
}

// The selector takes a list entry: caption and selected value; its values stay.
void SelectListEntry(FunctionId id, FunctionSelection& selection) {
    if (const auto text = FunctionListText(id)) {
        selection.functionId = id;
        selection.caption = std::u16string(*text);
    }
}

// Names of the mouse buttons that rapid fire repeats, by button bit.
struct RapidFireButton {
    int16_t bit;
    FunctionId id;
    std::u16string_view name;
};
constexpr RapidFireButton kRapidFireButtons[] = {
    {1, kRapidFireLeftClick, u"Left Click"},   {2, kRapidFireRightClick, u"Right Click"},
    {4, kRapidFireWheelClick, u"Wheel Click"}, {8, kRapidFireBack, u"IE Back"},
    {16, kRapidFireForward, u"IE Forward"},
};

}  // namespace

void StoreFunction(const FunctionSelection& s, int buttonIndex, ButtonAssignment& a) {
    const FunctionId f = s.functionId;
    a.buttonIndex = static_cast<uint8_t>(buttonIndex);
    if (f == kDisable) {
        a.kind = kKindDisabled;
        a.code = 255;
    } else if (InRange(f, 1101, 1105)) {
        a.kind = kKindMouse;
        a.code = Low16(codeForFunction(f));
    } else if (InRange(f, 2000, 2199)) {
        a.kind = kKindKeyboard;
        a.code = Low16(s.modifiers);
        a.param1 = Low16(int64_t{UsageOfKey(s.secondKey)} * 256 + UsageOfKey(s.first));
    } else if (InRange(f, 2200, 2299)) {
        a.kind = kKindMultimedia;
        a.param1 = Low16(codeForFunction(f));
    } else if (InRange(f, 2311, 2315)) {
        a.kind = kKindRapidFire;
        a.code = kRapidFireMouse;
        a.param1 = Low16(s.first);
        a.param2 = Low16(s.second);
    } else if (f == kRapidFireKeyboard) {
        a.kind = kKindRapidFire;
        a.code = kRapidFireKey;
        a.param1 = Low16(UsageOfKey(s.first));
        a.param2 = Low16(s.second);
    } else if (InRange(f, 2300, 2499)) {
        a.kind = kKindRapidFire;
        a.param2 = Low16(s.second);
    } else if (InRange(f, 2500, 2599)) {
        a.kind = kKindDpi;
        a.code = Low16(codeForFunction(f));
    } else if (f == kSensorOnOff) {
        a.kind = kKindSensor;
    } else if (f == kLiftOffTuning) {
        a.kind = kKindLiftOffTuning;
    } else {
        a.kind = kindForFunction(f);
        a.code = Low16(codeForFunction(f));
    }
}

std::u16string KeyboardCaption(int32_t modifiers, uint16_t firstUsage, uint16_t secondUsage) {
    std::u16string modifierWords;
    if (modifiers & kModifierCtrl) {
        modifierWords += u"Ctrl+";
    }
    if (modifiers & kModifierShift) {
        modifierWords += u"Shift+";
    }
    if (modifiers & kModifierAlt) {
        modifierWords += u"Alt+";
    }
    if (modifiers & kModifierWin) {
        modifierWords += u"Win+";
    }
    std::u16string keys;
    if (firstUsage != 0) {
        keys += KeyName(KeyCodeOf(firstUsage));
    }
    if (secondUsage != 0) {
        if (firstUsage != 0) {
            keys += u"+";
        }
        keys += KeyName(KeyCodeOf(secondUsage));
    }
    // Modifiers without keys drop the "+" of their last word ("Ctrl"); a key
    // named "+" keeps its own ("Ctrl++").
    if (keys.empty() && !modifierWords.empty()) {
        modifierWords.pop_back();
    }
    return modifierWords + keys;
}

void ShowFunction(const ButtonAssignment& a, FunctionSelection& s) {
    switch (a.kind) {
        case kKindKeyboard: {
            const auto firstUsage = static_cast<uint16_t>(a.param1 & 0xFF);
            const auto secondUsage = static_cast<uint16_t>((a.param1 >> 8) & 0xFF);
            s.functionId = kKeyboard;
            s.caption = KeyboardCaption(a.code, firstUsage, secondUsage);
            s.first = KeyCodeOf(firstUsage);
            s.secondKey = KeyCodeOf(secondUsage);
            s.modifiers = a.code;
            return;
        }
        case kKindRapidFire:
            if (a.code == kRapidFireMouse) {
                FunctionId id = kDisable;
                std::u16string_view name;
                for (const RapidFireButton& button : kRapidFireButtons) {
                    if (button.bit == a.param1) {
                        id = button.id;
                        name = button.name;
                    }
                }
                s.functionId = id;
                s.caption = RapidFireCaption(name, a.param2);
                s.first = a.param1;
                s.second = a.param2;
            } else if (a.code == kRapidFireKey) {
                const uint16_t key = KeyCodeOf(static_cast<uint16_t>(a.param1));
                s.functionId = kRapidFireKeyboard;
                s.caption = RapidFireCaption(KeyName(key), a.param2);
                s.first = key;
                s.second = a.param2;
            } else {
                SelectListEntry(kLeftClick, s);
            }
            return;
        case kKindMultimedia:
            SelectListEntry(functionForAssignment(a.kind, a.param1), s);
            return;
        default:
            SelectListEntry(functionForAssignment(a.kind, a.code), s);
            return;
    }
}

bool RefusesLastLeftClick(const std::array<FunctionId, kButtons>& selected, int button,
                          FunctionId chosen) {
    if (selected[button] != kLeftClick || chosen == kLeftClick) {
        return false;
    }
    for (int other = 0; other < kButtons; ++other) {
        if (other != button && selected[other] == kLeftClick) {
            return false;
        }
    }
    return true;
}

}  // namespace vandir
