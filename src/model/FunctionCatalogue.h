#pragma once
// The functions a mouse button can carry: their identifiers (the item values
// of a button's pop-up list), English list texts, the list's structure, and
// the conversions between an identifier and the kind and code stored for it.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vandir {

// The user interface's name of a button function.
using FunctionId = int32_t;

// The kind byte stored in a ButtonAssignment.
enum FunctionKind : uint8_t {
    kKindMouse = 0,
    kKindKeyboard = 2,
    kKindDpi = 9,
    kKindMultimedia = 32,
    kKindRapidFire = 33,
    kKindSensor = 34,
    kKindLiftOffTuning = 35,
    kKindDisabled = 255,
};

// Rapid-fire codes: what is repeated.
inline constexpr int16_t kRapidFireMouse = 0;
inline constexpr int16_t kRapidFireKey = 2;

// Modifier bits of a keyboard assignment's code.
enum ModifierBits : int32_t {
    kModifierCtrl = 1,
    kModifierShift = 2,
    kModifierAlt = 4,
    kModifierWin = 8,
};

namespace function {
inline constexpr FunctionId kDisable = 0;
inline constexpr FunctionId kLeftClick = 1101;
inline constexpr FunctionId kRightClick = 1102;
inline constexpr FunctionId kWheelClick = 1103;
inline constexpr FunctionId kBrowserBack = 1104;
inline constexpr FunctionId kBrowserForward = 1105;
inline constexpr FunctionId kKeyboard = 2000;
inline constexpr FunctionId kMultimediaList = 2200;  // sub-list, not a function
inline constexpr FunctionId kPlayPause = 2201;
inline constexpr FunctionId kStop = 2202;
inline constexpr FunctionId kPreviousTrack = 2203;
inline constexpr FunctionId kNextTrack = 2204;
inline constexpr FunctionId kVolumeUp = 2205;
inline constexpr FunctionId kVolumeDown = 2206;
inline constexpr FunctionId kMute = 2207;
inline constexpr FunctionId kWebBrowser = 2208;
inline constexpr FunctionId kEmail = 2209;
inline constexpr FunctionId kMediaPlayer = 2210;
inline constexpr FunctionId kCalculator = 2211;
inline constexpr FunctionId kMyComputer = 2212;
inline constexpr FunctionId kRapidFireList = 2300;       // sub-list, not a function
inline constexpr FunctionId kRapidFireMouseList = 2301;  // sub-list, not a function
inline constexpr FunctionId kRapidFireLeftClick = 2311;
inline constexpr FunctionId kRapidFireRightClick = 2312;
inline constexpr FunctionId kRapidFireWheelClick = 2313;
inline constexpr FunctionId kRapidFireBack = 2314;
inline constexpr FunctionId kRapidFireForward = 2315;
inline constexpr FunctionId kRapidFireKeyboard = 2400;
inline constexpr FunctionId kDpiList = 2500;  // sub-list, not a function
inline constexpr FunctionId kDpiUp = 2502;
inline constexpr FunctionId kDpiCycleUp = 2503;
inline constexpr FunctionId kDpiDown = 2504;
inline constexpr FunctionId kDpiCycleDown = 2505;
inline constexpr FunctionId kSensorOnOff = 2600;
inline constexpr FunctionId kLiftOffTuning = 2700;
}  // namespace function

// One entry of a button's pop-up list: a function, or a sub-list that opens
// further entries (choosing a sub-list entry does nothing).
struct FunctionListEntry {
    FunctionId id;
    std::u16string_view text;
    std::span<const FunctionListEntry> subList;

    bool opensSubList() const { return !subList.empty(); }
};

// The top level of every button's pop-up list, in the order it is offered.
std::span<const FunctionListEntry> FunctionList();

// The list text of an entry anywhere in the list (depth first), if there is one.
std::optional<std::u16string_view> FunctionListText(FunctionId id);

// The default function of each of the seven buttons.
std::span<const FunctionId, 7> DefaultButtonFunctions();

FunctionKind kindForFunction(FunctionId id);
uint16_t codeForFunction(FunctionId id);
// The function a stored kind and code (for multimedia: the usage) show as.
FunctionId functionForAssignment(uint8_t kind, int32_t codeOrUsage);

}  // namespace vandir
