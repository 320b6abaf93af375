#include "model/FunctionCatalogue.h"

#include <array>

namespace vandir {
namespace {

using namespace function;

// Multimedia functions and their Consumer-page (0x0C) usages.
struct MultimediaFunction {
    FunctionId id;
    uint16_t usage;
};
constexpr MultimediaFunction kMultimedia[] = {
    {kWebBrowser, 0x0223},   // AC Home
    {kEmail, 0x018A},        // AL Email Reader
    {kMediaPlayer, 0x0183},  // AL Consumer Control Configuration
    {kPlayPause, 0x00CD},     {kStop, 0x00B7},       {kNextTrack, 0x00B5},
    {kPreviousTrack, 0x00B6}, {kVolumeUp, 0x00E9},   {kVolumeDown, 0x00EA},
    {kMute, 0x00E2},          {kCalculator, 0x0192}, {kMyComputer, 0x0194},
};

constexpr FunctionListEntry kMultimediaEntries[] = {
    {kWebBrowser, u"Web Browser", {}},
    {kEmail, u"E-Mail", {}},
    {kMediaPlayer, u"Media Player", {}},
    {kPlayPause, u"Play/ Pause", {}},
    {kStop, u"Stop", {}},
    {kNextTrack, u"Next Track", {}},
    {kPreviousTrack, u"Previous Track", {}},
    {kVolumeUp, u"Volume Up", {}},
    {kVolumeDown, u"Volume Down", {}},
    {kMute, u"Mute Speaker", {}},
    {kCalculator, u"Calculator", {}},
    {kMyComputer, u"My Computer", {}},
};

constexpr FunctionListEntry kRapidFireMouseEntries[] = {
    {kRapidFireLeftClick, u"Left Click", {}},   {kRapidFireRightClick, u"Right Click", {}},
    {kRapidFireWheelClick, u"Wheel Click", {}}, {kRapidFireForward, u"IE Forward", {}},
    {kRapidFireBack, u"IE Back", {}},
};

constexpr FunctionListEntry kRapidFireEntries[] = {
    {kRapidFireMouseList, u"Mouse", kRapidFireMouseEntries},
    {kRapidFireKeyboard, u"Keyboard", {}},
};

constexpr FunctionListEntry kDpiEntries[] = {
    {kDpiUp, u"DPI [+]", {}},
    {kDpiDown, u"DPI [-]", {}},
    {kDpiCycleUp, u"DPI Cycle[+]", {}},
    {kDpiCycleDown, u"DPI Cycle[-]", {}},
};

constexpr FunctionListEntry kTopLevel[] = {
    {kDisable, u"Disable", {}},
    {kLeftClick, u"Left Click", {}},
    {kRightClick, u"Right Click", {}},
    {kWheelClick, u"Wheel Click", {}},
    {kBrowserForward, u"Browser Forward", {}},
    {kBrowserBack, u"Browser Back", {}},
    {kKeyboard, u"Keyboard", {}},
    {kMultimediaList, u"MultiMedia", kMultimediaEntries},
    {kRapidFireList, u"Rapid Fire", kRapidFireEntries},
    {kDpiList, u"DPI", kDpiEntries},
    {kSensorOnOff, u"Sensor ON/OFF", {}},
    {kLiftOffTuning, u"LOD Tuning(Press over 3sec)", {}},
};

constexpr std::array<FunctionId, 7> kDefaults = {
    kLeftClick, kRightClick, kWheelClick, kBrowserForward, kBrowserBack, kDpiUp, kDpiDown,
};

std::optional<std::u16string_view> FindText(std::span<const FunctionListEntry> entries,
                                            FunctionId id) {
    for (const FunctionListEntry& entry : entries) {
        if (entry.id == id) {
            return entry.text;
        }
        if (auto found = FindText(entry.subList, id)) {
            return found;
        }
    }
    return std::nullopt;
}

bool InRange(FunctionId id, FunctionId first, FunctionId last) {
    return id >= first && id <= last;
}

}  // namespace

std::span<const FunctionListEntry> FunctionList() {
    return kTopLevel;
}

std::optional<std::u16string_view> FunctionListText(FunctionId id) {
    return FindText(kTopLevel, id);
}

std::span<const FunctionId, 7> DefaultButtonFunctions() {
    return kDefaults;
}

FunctionKind kindForFunction(FunctionId id) {
    if (id == kDisable) {
        return kKindDisabled;
    }
    if (InRange(id, 1101, 1105)) {
        return kKindMouse;
    }
    if (InRange(id, 2000, 2199)) {
        return kKindKeyboard;
    }
    if (InRange(id, 2200, 2299)) {
        return kKindMultimedia;
    }
    if (InRange(id, 2300, 2499)) {
        return kKindRapidFire;
    }
    if (InRange(id, 2500, 2599)) {
        return kKindDpi;
    }
    if (id == kSensorOnOff) {
        return kKindSensor;
    }
    if (id == kLiftOffTuning) {
        return kKindLiftOffTuning;
    }
    return kKindMouse;
}

uint16_t codeForFunction(FunctionId id) {
    switch (id) {
        case kLeftClick:
            return 1;
        case kRightClick:
        case kRapidFireRightClick:
            return 2;
        case kWheelClick:
        case kRapidFireWheelClick:
            return 4;
        case kBrowserBack:
        case kRapidFireBack:
            return 8;
        case kBrowserForward:
        case kRapidFireForward:
            return 16;
        case kDpiUp:
            return 240;
        case kDpiCycleUp:
            return 241;
        case kDpiDown:
            return 242;
        case kDpiCycleDown:
            return 243;
        case kSensorOnOff:
            return 34;
        case kLiftOffTuning:
            return 35;
        default:
            break;
    }
    for (const MultimediaFunction& m : kMultimedia) {
        if (m.id == id) {
            return m.usage;
        }
    }
    // Everything else, 2311 included (whose button bit happens to be 1).
    return 1;
}

FunctionId functionForAssignment(uint8_t kind, int32_t codeOrUsage) {
    switch (kind) {
        case kKindDisabled:
            return kDisable;
        case kKindMouse:
            switch (codeOrUsage) {
                case 2:
                    return kRightClick;
                case 4:
                    return kWheelClick;
                case 8:
                    return kBrowserBack;
                case 16:
                    return kBrowserForward;
                default:
                    return kLeftClick;
            }
        case kKindKeyboard:
            return kKeyboard;
        case kKindDpi:
            switch (codeOrUsage) {
                case 240:
                    return kDpiUp;
                case 241:
                    return kDpiCycleUp;
                case 242:
                    return kDpiDown;
                case 243:
                    return kDpiCycleDown;
                default:
                    return kLeftClick;
            }
        case kKindMultimedia:
            for (const MultimediaFunction& m : kMultimedia) {
                if (m.usage == codeOrUsage) {
                    return m.id;
                }
            }
            return kLeftClick;
        case kKindRapidFire:
            if (codeOrUsage == kRapidFireMouse) {
                return kRapidFireMouseList;
            }
            return codeOrUsage == kRapidFireKey ? kRapidFireKeyboard : kLeftClick;
        case kKindSensor:
            return kSensorOnOff;
        case kKindLiftOffTuning:
            return kLiftOffTuning;
        default:
            return kLeftClick;
    }
}

}  // namespace vandir
