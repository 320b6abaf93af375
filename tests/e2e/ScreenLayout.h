#pragma once
// Where the program's controls sit, in client pixels of their window at 100 %
// (96 DPI; a scenario at another scale scales them as the program does), and
// the order of the entries in a function selector's list. Written down here on
// their own rather than read from the program, so that a moved control fails.

#include "e2e/XSession.h"

namespace vandir::e2e::layout {

inline constexpr char kMainTitle[] = "Meridane Vandir II";
inline constexpr int kMainWidth = 800;
inline constexpr int kMainHeight = 600;
inline constexpr Point kPageOrigin = {0, 85};  // pages, in the main window

namespace main {
inline constexpr Rect kKeyTab = {0, 27, 199, 57};
inline constexpr Rect kLedTab = {200, 27, 199, 57};
inline constexpr Rect kSensorTab = {400, 27, 199, 57};
inline constexpr Rect kSupportTab = {600, 27, 200, 57};
inline constexpr Rect kLanguageButton = {739, 5, 21, 20};
inline constexpr Rect kHideButton = {782, 5, 16, 20};
}  // namespace main

// Reset and Apply sit at the same place on every page.
inline constexpr Rect kPageReset = {660, 462, 61, 43};
inline constexpr Rect kPageApply = {727, 462, 61, 43};

namespace keys {
inline constexpr Rect kKeyAssignmentTab = {1, 2, 157, 21};
inline constexpr Rect kOsSensitivityTab = {160, 2, 160, 21};
inline constexpr int kSelectorTops[7] = {139, 172, 205, 238, 270, 302, 336};
inline constexpr Rect Selector(int button) {
    return {474, kSelectorTops[button - 1], 272, 27};
}
inline constexpr int kListFrame = 2;       // a selector's list: its width less this
inline constexpr int kSubListWidth = 100;  // every sub-list
inline constexpr int kSubListOverlap = 5;  // a sub-list starts this far inside its list
inline constexpr int kListTop = 4;         // the first entry's top in its list
inline constexpr int kListMargins = 8;     // a list's height beyond its entries
}  // namespace keys

namespace os {
inline constexpr Rect kRate125 = {60, 111, 17, 17};
inline constexpr Rect kRate250 = {140, 111, 17, 17};
inline constexpr Rect kRate500 = {219, 111, 17, 17};
inline constexpr Rect kRate1000 = {299, 111, 17, 17};
inline constexpr Rect kLock = {59, 370, 19, 20};
inline constexpr Rect kUnlock = {139, 370, 18, 20};
inline constexpr Rect kPointerSpeed = {97, 168, 646, 19};
inline constexpr Rect kDoubleClick = {97, 232, 646, 18};
inline constexpr Rect kResponse = {97, 294, 646, 17};
}  // namespace os

namespace sensor {
inline constexpr Rect kDpi[3] = {{33, 107, 661, 17}, {33, 184, 661, 17}, {33, 262, 661, 17}};
inline constexpr Rect kLiftOff = {33, 339, 661, 17};
inline constexpr Rect kDpiValue[3] = {{713, 108, 57, 16}, {713, 185, 57, 16}, {713, 263, 57, 16}};
}  // namespace sensor

namespace led {
inline constexpr Rect kLevel[3] = {{441, 103, 48, 26}, {562, 103, 47, 26}, {682, 103, 47, 26}};
inline constexpr Rect kRed = {437, 224, 300, 17};
inline constexpr Rect kGreenValue = {743, 256, 39, 18};
inline constexpr Rect kBlueValue = {743, 287, 39, 18};
inline constexpr Rect kAlwaysOn = {412, 404, 19, 19};
inline constexpr Rect kAlwaysOff = {513, 404, 19, 19};
inline constexpr Rect kRapidFire = {617, 404, 19, 19};
inline constexpr Rect kBreathing = {708, 404, 19, 19};
}  // namespace led

namespace support {
inline constexpr Rect kAutoStart = {52, 403, 25, 25};
}

namespace language {
// Language index n (1..12) is entry n - 1.
inline constexpr Rect kButtons[12] = {{131, 204, 83, 19},  {131, 245, 80, 19}, {131, 287, 83, 19},
                                      {131, 328, 88, 20},  {284, 204, 90, 19}, {284, 245, 81, 19},
                                      {284, 287, 112, 19}, {284, 328, 84, 20}, {464, 204, 155, 19},
                                      {464, 245, 83, 19},  {464, 287, 86, 19}, {464, 328, 170, 20}};
}  // namespace language

// The key capture dialog, at the page's origin.
namespace keyboard {
inline constexpr int kWidth = 312;
inline constexpr int kHeight = 104;
inline constexpr Rect kCtrl = {11, 8, 17, 17};
inline constexpr Rect kShift = {91, 8, 17, 17};
inline constexpr Rect kAlt = {176, 8, 17, 17};
inline constexpr Rect kFirstKey = {43, 37, 77, 18};
inline constexpr Rect kSecondKey = {189, 37, 77, 18};
inline constexpr Rect kOk = {228, 67, 74, 28};
}  // namespace keyboard

// The pop-up dialog's kinds, at the page's origin; sizes are their sheets'.
namespace popup {
inline constexpr int kLeftClickWidth = 475;
inline constexpr int kLeftClickHeight = 236;
inline constexpr Rect kLeftClickOk = {200, 195, 75, 28};
inline constexpr int kRapidKeyWidth = 370;
inline constexpr int kRapidKeyHeight = 102;
inline constexpr Rect kRapidKeyField = {85, 28, 71, 18};
inline constexpr Rect kRapidKeyNumber = {215, 28, 71, 18};
inline constexpr Rect kRapidKeyOk = {184, 63, 75, 28};
inline constexpr int kRapidMouseWidth = 290;
inline constexpr int kRapidMouseHeight = 102;
inline constexpr Rect kRapidMouseNumber = {71, 28, 71, 18};
inline constexpr Rect kRapidMouseOk = {146, 63, 75, 28};
}  // namespace popup

// Wine's own notification area (there is none in a bare X server) and the
// program's icon in it, the first.
inline constexpr char kTrayTitle[] = "Wine System Tray";
inline constexpr Point kTrayIcon = {12, 31};

inline constexpr int kNoDeviceWidth = 422;
inline constexpr int kNoDeviceHeight = 303;

// A path through a selector's list: the entry index at each level.
struct ListPath {
    int entries[3] = {-1, -1, -1};
    int counts[3] = {0, 0, 0};  // entries in the list of each level
    int depth = 1;
};

// Top level: Disable, Left Click, Right Click, Wheel Click, Browser Forward,
// Browser Back, Keyboard, MultiMedia >, Rapid Fire >, DPI >, Sensor ON/OFF,
// LOD Tuning(Press over 3sec).
inline constexpr int kTopEntries = 12;
inline constexpr ListPath Top(int index) {
    return {{index, -1, -1}, {kTopEntries, 0, 0}, 1};
}
inline constexpr ListPath kDisable = Top(0);
inline constexpr ListPath kLeftClick = Top(1);
inline constexpr ListPath kRightClick = Top(2);
inline constexpr ListPath kWheelClick = Top(3);
inline constexpr ListPath kKeyboard = Top(6);
inline constexpr ListPath kSensorOnOff = Top(10);
inline constexpr ListPath kLodTuning = Top(11);
// MultiMedia: Web Browser, E-Mail, Media Player, Play/ Pause, Stop, Next Track,
// Previous Track, Volume Up, Volume Down, Mute Speaker, Calculator, My Computer.
inline constexpr ListPath MultiMedia(int index) {
    return {{7, index, -1}, {kTopEntries, 12, 0}, 2};
}
inline constexpr ListPath kVolumeUp = MultiMedia(7);
// Rapid Fire: Mouse > (Left Click, Right Click, Wheel Click, IE Forward,
// IE Back), Keyboard.
inline constexpr ListPath RapidMouse(int index) {
    return {{8, 0, index}, {kTopEntries, 2, 5}, 3};
}
inline constexpr ListPath kRapidRightClick = RapidMouse(1);
inline constexpr ListPath kRapidKeyboard = {{8, 1, -1}, {kTopEntries, 2, 0}, 2};
// DPI: DPI [+], DPI [-], DPI Cycle[+], DPI Cycle[-].
inline constexpr ListPath Dpi(int index) {
    return {{9, index, -1}, {kTopEntries, 4, 0}, 2};
}
inline constexpr ListPath kDpiCycleUp = Dpi(2);

}  // namespace vandir::e2e::layout
