#pragma once
// The skin sheet files and the types of the windows' layout tables.
//
// Plain data without any Windows header: the windows lay themselves out from
// these tables and the skin tests check the generated sheets against the same
// tables. Coordinates are client pixels of a window, which are also pixels of
// its sheets: a window has the size of its Normal sheet.
//
// The artwork generator (skins/) reads the control entries of these headers
// to place its drawings, so every entry starts with `Builder(ID, {x, y, w, h}`,
// ID being a name of ResourceIds.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vandir::layout {

// The 31 skin sheets; the value is the sheet's slot number in load order (the
// same numbers as the skin store's SkinSheet), 0 for no picture.
enum class Sheet : std::uint8_t {
    None = 0,
    MainNormal = 1,
    MainDown,
    MainDisable,
    KeyAssignmentNormal,
    KeyAssignmentDown,
    KeyAssignmentDisable,
    OsSensitivityNormal,
    OsSensitivityDown,
    SensorNormal,
    SensorDown,
    LedDown,
    LedNormal,
    SupportNormal,
    SupportDown,
    LanguageNormal,
    LanguageDown,
    KeyboardNormal,
    KeyboardDown,
    SliderNormal,
    SliderDisable,
    LeftClickNormal,
    LeftClickDown,
    RapidFireKeyNormal,
    RapidFireKeyDown,
    RapidFireMouseNormal,
    RapidFireMouseDown,
    VersionNormal,
    VersionDown,
    NoMouseNormal,
    NoMouseDown,
    ApplyBarFull,
};

inline constexpr std::size_t kSheetCount = 31;

enum class SheetFormat : std::uint8_t { Bmp, PngWithAlpha };

struct SheetFile {
    std::wstring_view name;  // the literal file name, leading backslash included
    SheetFormat format;
    Sheet normal;  // Down and Disable sheets: the Normal sheet whose size they have; else None
};

constexpr int SlotOf(Sheet sheet) {
    return static_cast<int>(sheet);
}
static_assert(SlotOf(Sheet::ApplyBarFull) == static_cast<int>(kSheetCount));

inline constexpr std::wstring_view kSkinFolder = L"\\Vandir_Skins\\";

// Indexed by slot - 1.
inline constexpr std::array<SheetFile, kSheetCount> kSheetFiles{{
    {L"\\MainUI-BG Normal.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\MainUI-BG Down.bmp", SheetFormat::Bmp, Sheet::MainNormal},
    {L"\\MainUI-BG Disable.bmp", SheetFormat::Bmp, Sheet::MainNormal},
    {L"\\Key Assignment Normal.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\Key Assignment Down.bmp", SheetFormat::Bmp, Sheet::KeyAssignmentNormal},
    {L"\\Key Assignment Disable.bmp", SheetFormat::Bmp, Sheet::KeyAssignmentNormal},
    {L"\\OS Sensitivity Normal.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\OS Sensitivity Down.bmp", SheetFormat::Bmp, Sheet::OsSensitivityNormal},
    {L"\\Sensor Normal.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\Sensor Down.bmp", SheetFormat::Bmp, Sheet::SensorNormal},
    {L"\\LED Down.png", SheetFormat::PngWithAlpha, Sheet::LedNormal},
    {L"\\LED Normal.png", SheetFormat::PngWithAlpha, Sheet::None},
    {L"\\SUPPORT Normal.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\SUPPORT Down.bmp", SheetFormat::Bmp, Sheet::SupportNormal},
    {L"\\MainUI-Language Normal.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\MainUI-Language Down.bmp", SheetFormat::Bmp, Sheet::LanguageNormal},
    {L"\\Keyboard Normal.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\Keyboard Down.bmp", SheetFormat::Bmp, Sheet::KeyboardNormal},
    {L"\\Slider_Normal.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\Slider_Disable.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\Left Click pop up Normal.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\Left Click pop up Down.bmp", SheetFormat::Bmp, Sheet::LeftClickNormal},
    {L"\\Rapidfire_KB Normal.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\Rapidfire_KB Down.bmp", SheetFormat::Bmp, Sheet::RapidFireKeyNormal},
    {L"\\Rapidfire_mic Normal.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\Rapidfire_mic Down.bmp", SheetFormat::Bmp, Sheet::RapidFireMouseNormal},
    {L"\\Version Normal.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\Version Down.bmp", SheetFormat::Bmp, Sheet::VersionNormal},
    {L"\\no Mosue Normal.bmp", SheetFormat::Bmp, Sheet::None},
    {L"\\no Mosue Down.bmp", SheetFormat::Bmp, Sheet::NoMouseNormal},
    {L"\\apply Bar-Full.bmp", SheetFormat::Bmp, Sheet::None},
}};

// The three sheets no window needs: the program runs normally without them.
// Every other sheet is used by some window and must be there and decode.
constexpr bool IsOptionalSheet(Sheet sheet) {
    return sheet == Sheet::ApplyBarFull || sheet == Sheet::MainDisable ||
           sheet == Sheet::KeyAssignmentDisable;
}

// The sheet in a slot (1..31), or None.
constexpr Sheet SheetInSlot(int slot) {
    return slot >= 1 && slot <= static_cast<int>(kSheetCount) ? static_cast<Sheet>(slot)
                                                              : Sheet::None;
}

// The file entry of a sheet; null for Sheet::None.
constexpr const SheetFile* FileOf(Sheet sheet) {
    const int slot = SlotOf(sheet);
    return slot >= 1 && slot <= static_cast<int>(kSheetCount) ? &kSheetFiles[slot - 1] : nullptr;
}

struct Size {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    constexpr int right() const { return x + width; }
    constexpr int bottom() const { return y + height; }
    constexpr bool empty() const { return width <= 0 || height <= 0; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// Image states of the skin accessors; a control's looks are indexed by them.
enum class ImageState : std::uint8_t { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };
inline constexpr std::size_t kImageStateCount = 4;

// One picture a window takes: the rectangle `rect` cut from `sheet`, the
// whole sheet when `rect` is empty, or, when `element` is set, the skin
// element of that number asked from the skin store in the image state of the
// slot the picture fills (the store then picks the sheet; `sheet` and `rect`
// say which sheet and rectangle that is, for the checks of the artwork).
struct Crop {
    Sheet sheet = Sheet::None;
    Rect rect{};
    std::optional<int> element{};

    constexpr bool present() const { return sheet != Sheet::None; }
    constexpr bool whole() const { return rect.empty(); }
};

enum class ControlKind : std::uint8_t {
    Button,       // CKivButton: push button, tab, hot-spot, badge
    CheckBox,     // CKivCheckBox: the pressed picture is also the checked one
    ComboButton,  // CKivComboButton: draws its caption in grey, white on hover
    Slider,       // CKivSliderCtrl
    Anchor,       // CKivStatic under words the sheet prints, for a tool tip
    Label,        // CKivStatic showing a text of the program, in white
    Edit,         // CKivEdit: white text over its background
    MouseStatic,  // CKivMouseStatic: colour fill under a picture with light windows
};

// What a control does for its window beyond its pictures, where the window's
// base class can do it from the table alone.
enum class ControlRole : std::uint8_t {
    None,
    Reset,   // the page's Reset: asks the main window to reset
    Apply,   // the page's Apply: asks the main window to apply
    Cancel,  // closes the window as Esc does
};

// A slider's range, step and position at set-up; never changed afterwards.
struct SliderRange {
    int minimum = 0;
    int maximum = 100;
    int step = 1;
    int initial = 0;
    friend constexpr bool operator==(const SliderRange&, const SliderRange&) = default;
};

struct Control {
    int id = 0;
    ControlKind kind = ControlKind::Button;
    Rect rect{};
    // Buttons, check boxes, combo buttons: the picture for each image state.
    // Sliders: the thumb for each state (whole sheets).
    std::array<Crop, kImageStateCount> looks{};
    // Slider track, static and edit background, mouse-static overlay.
    Crop background{};
    ControlRole role = ControlRole::None;
    SliderRange range{};   // sliders only
    int fontHeight = 0;    // labels and edit boxes: "Arial" of this height; 0 keeps the default
    bool centred = false;  // labels: text centred horizontally (always vertically)
    bool notify = false;   // statics that receive the mouse (SS_NOTIFY), for their tool tips

    constexpr const Crop& look(ImageState state) const {
        return looks[static_cast<std::size_t>(state)];
    }
};

struct WindowLayout {
    std::string_view name;                // for messages
    int templateId = 0;                   // the dialog template the window is made from
    Sheet background = Sheet::None;       // drawn whole behind the window
    Size size{};                          // the size its owner gives it; {0, 0}: its background's
    std::span<const Control> controls{};  // the controls the window binds and skins
    std::span<const int> hiddenIds{};     // template controls the window hides
};

// The control with that ID, or null.
constexpr const Control* FindControl(const WindowLayout& window, int id) {
    for (const Control& control : window.controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

// Builders of the table entries. The usual clickable control takes its normal
// look from the Normal sheet and its hover and pressed looks (also checked and
// selected) from the Down sheet, at its own rectangle, and has no disabled look.
constexpr Control Clickable(ControlKind kind, int id, Rect rect, Sheet normal, Sheet down,
                            std::optional<int> element = {}) {
    Control control{id, kind, rect};
    control.looks[0] = {normal, rect, element};
    control.looks[1] = {down, rect, element};
    control.looks[2] = {down, rect, element};
    return control;
}

constexpr Control PushButton(int id, Rect rect, Sheet normal, Sheet down,
                             std::optional<int> element = {}) {
    return Clickable(ControlKind::Button, id, rect, normal, down, element);
}

constexpr Control CheckBox(int id, Rect rect, Sheet normal, Sheet down,
                           std::optional<int> element = {}) {
    return Clickable(ControlKind::CheckBox, id, rect, normal, down, element);
}

constexpr Control ComboButton(int id, Rect rect, Sheet normal, Sheet down) {
    return Clickable(ControlKind::ComboButton, id, rect, normal, down);
}

// A control with one picture cut at its own rectangle: slider track, static or
// edit background, mouse-static overlay.
constexpr Control OnePicture(ControlKind kind, int id, Rect rect, Sheet sheet,
                             std::optional<int> element = {}) {
    Control control{id, kind, rect};
    control.background = {sheet, rect, element};
    return control;
}

// Anchors sit over words of the picture and receive the mouse for their tips.
constexpr Control Anchor(int id, Rect rect, Sheet sheet, std::optional<int> element = {}) {
    Control control = OnePicture(ControlKind::Anchor, id, rect, sheet, element);
    control.notify = true;
    return control;
}

// A white label of the program's text; fontHeight 0 keeps the static's font.
constexpr Control Label(int id, Rect rect, Sheet sheet, std::optional<int> element = {},
                        int fontHeight = 0, bool centred = false) {
    Control control = OnePicture(ControlKind::Label, id, rect, sheet, element);
    control.fontHeight = fontHeight;
    control.centred = centred;
    return control;
}

constexpr Control Edit(int id, Rect rect, Sheet sheet, std::optional<int> element = {},
                       int fontHeight = 0) {
    Control control = OnePicture(ControlKind::Edit, id, rect, sheet, element);
    control.fontHeight = fontHeight;
    return control;
}

constexpr Control MouseStatic(int id, Rect rect, Sheet sheet, int element) {
    return OnePicture(ControlKind::MouseStatic, id, rect, sheet, element);
}

inline constexpr Crop kThumb{Sheet::SliderNormal, {}, 123};
inline constexpr Crop kDisabledThumb{Sheet::SliderDisable, {}, 124};

// A slider: its track cut from the page's Normal sheet, the thumb a whole copy
// of the thumb sheet in every look except the disabled one.
constexpr Control Slider(int id, Rect rect, Sheet track, SliderRange range,
                         std::optional<int> trackElement = {}, Crop disabledThumb = kThumb) {
    Control control = OnePicture(ControlKind::Slider, id, rect, track, trackElement);
    control.looks = {kThumb, kThumb, kThumb, disabledThumb};
    control.range = range;
    return control;
}

// The same control with a disabled look.
constexpr Control WithDisabled(Control control, Crop disabled) {
    control.looks[3] = disabled;
    return control;
}

// The same control with another crop for one image state.
constexpr Control WithLook(Control control, ImageState state, Crop crop) {
    control.looks[static_cast<std::size_t>(state)] = crop;
    return control;
}

// The same control with a role its window's base class handles.
constexpr Control WithRole(Control control, ControlRole role) {
    control.role = role;
    return control;
}

constexpr Control ResetButton(int id, Rect rect, Sheet normal, Sheet down) {
    return WithRole(PushButton(id, rect, normal, down), ControlRole::Reset);
}

constexpr Control ApplyButton(int id, Rect rect, Sheet normal, Sheet down) {
    return WithRole(PushButton(id, rect, normal, down), ControlRole::Apply);
}

}  // namespace vandir::layout
