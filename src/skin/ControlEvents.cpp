#include "skin/ControlEvents.h"

#include "skin/ControlNotifications.h"

namespace vandir {

namespace {

// Notifications carry 32-bit values; a larger wParam is no notification.
constexpr std::uintptr_t kLargestNotification = 0xFFFFFFFFu;

using Kind = ControlEvent::Kind;
using layout::ControlKind;

// Truncates as the window messages carry the values (IDs and values are
// 32-bit in every notification).
int Low32(std::intptr_t value) {
    return static_cast<int>(static_cast<std::uint32_t>(static_cast<std::uintptr_t>(value)));
}

// What (id, lParam) means when the table says the control with that ID is
// of this kind; nothing when that kind sends no such pair.
std::optional<ControlEvent> OwnNotification(const layout::Control& control, std::intptr_t lParam) {
    const int value = Low32(lParam);
    switch (control.kind) {
        case ControlKind::Button:
            return ControlEvent{Kind::MouseOver, control.id, value};
        case ControlKind::ComboButton:
            return ControlEvent{Kind::Chose, control.id, value};
        case ControlKind::Slider:
            return ControlEvent{Kind::Moved, control.id, value};
        case ControlKind::Edit:
            if (lParam == kTextChanged) {
                return ControlEvent{Kind::TextChanged, control.id, 0};
            }
            return std::nullopt;
        case ControlKind::Anchor:
        case ControlKind::Label:
            if (lParam == kDoubleClicked) {
                return ControlEvent{Kind::DoubleClicked, control.id, 0};
            }
            return std::nullopt;
        case ControlKind::CheckBox:
        case ControlKind::MouseStatic:
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ControlEvent> DecodeNotification(std::uintptr_t wParam, std::intptr_t lParam,
                                               const layout::WindowLayout& window,
                                               std::span<const unsigned> menus) {
    if (wParam > kLargestNotification) {
        return std::nullopt;
    }
    for (const unsigned menu : menus) {
        if (wParam == menu) {
            return ControlEvent{Kind::MenuChose, static_cast<int>(menu), Low32(lParam)};
        }
    }
    const int id = static_cast<int>(wParam);
    // A control's own pair first: the table knows what its ID sends.
    if (const layout::Control* control = layout::FindControl(window, id)) {
        if (auto event = OwnNotification(*control, lParam)) {
            return event;
        }
    }
    if (wParam == kMouseEntered || wParam == kMouseLeft) {
        const int target = Low32(lParam);
        if (layout::FindControl(window, target) == nullptr) {
            return std::nullopt;
        }
        return ControlEvent{wParam == kMouseEntered ? Kind::MouseEntered : Kind::MouseLeft, target,
                            0};
    }
    if (wParam == kListHiding) {
        return ControlEvent{Kind::ListClosing, 0, Low32(lParam)};
    }
    return std::nullopt;
}

std::optional<ControlEvent> DecodeCommand(std::uintptr_t wParam, std::intptr_t lParam,
                                          const layout::WindowLayout& window) {
    constexpr unsigned kClickedCode = 0;  // BN_CLICKED
    const int id = static_cast<int>(LOWORD(wParam));
    const unsigned code = HIWORD(wParam);
    if (code != kClickedCode || lParam == 0) {
        return std::nullopt;  // not a click, or a menu or accelerator command
    }
    const layout::Control* control = layout::FindControl(window, id);
    if (control == nullptr) {
        return std::nullopt;
    }
    switch (control->kind) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
        case ControlKind::ComboButton:
            return ControlEvent{Kind::Clicked, id, 0};
        default:
            return std::nullopt;
    }
}

}  // namespace vandir
