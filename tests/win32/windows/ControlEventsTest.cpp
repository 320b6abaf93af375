// Decoding the controls' notifications with the windows' own tables: the same
// parameter pair means different things for different controls.

#include "skin/ControlEvents.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <optional>
#include <ostream>

#include "skin/layout/KeyAssignmentLayout.h"
#include "skin/layout/LanguageLayout.h"
#include "skin/layout/PopupLayout.h"
#include "skin/layout/SensorLayout.h"
#include "win32/windows/EventPrinting.h"

namespace vandir {

namespace {

using Kind = ControlEvent::Kind;

struct NotificationCase {
    const char* what;
    const layout::WindowLayout* window;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    std::optional<ControlEvent> expected;
};

void PrintTo(const NotificationCase& c, std::ostream* out) {
    *out << c.what;
}

class DecodeNotificationTest : public testing::TestWithParam<NotificationCase> {};

TEST_P(DecodeNotificationTest, GivesTheEventTheTableSays) {
    const NotificationCase& c = GetParam();
    EXPECT_EQ(DecodeNotification(c.wParam, c.lParam, *c.window), c.expected);
}

const layout::WindowLayout* const kKeyPopup = &layout::kPopupRapidFireKey;
const layout::WindowLayout* const kKeys = &layout::kKeyAssignment;
const layout::WindowLayout* const kOs = &layout::kOsSensitivity;
const layout::WindowLayout* const kSensor = &layout::kSensorPage;
const layout::WindowLayout* const kLanguage = &layout::kLanguagePage;

INSTANTIATE_TEST_SUITE_P(
    Pairs, DecodeNotificationTest,
    testing::Values(
        // The pop-up's edit boxes have the IDs of the enter and leave notices.
        NotificationCase{"key field text changed", kKeyPopup, IDC_POPUP_KEY, 102,
                         ControlEvent{Kind::TextChanged, IDC_POPUP_KEY}},
        NotificationCase{"number field text changed", kKeyPopup, IDC_POPUP_NUMBER, 102,
                         ControlEvent{Kind::TextChanged, IDC_POPUP_NUMBER}},
        NotificationCase{"pointer entered OK", kKeyPopup, 1124, IDC_POPUP_OK,
                         ControlEvent{Kind::MouseEntered, IDC_POPUP_OK}},
        NotificationCase{"pointer left Clear", kKeyPopup, 1125, IDC_POPUP_CLEAR,
                         ControlEvent{Kind::MouseLeft, IDC_POPUP_CLEAR}},
        NotificationCase{"push button's second notice", kKeyPopup, IDC_POPUP_OK, 0,
                         ControlEvent{Kind::MouseOver, IDC_POPUP_OK}},
        // On the language page 1124 and 1125 are check boxes, which send
        // nothing of their own: the pair is the pointer's.
        NotificationCase{"language page: entered Reset", kLanguage, 1124, IDC_LANGUAGE_RESET,
                         ControlEvent{Kind::MouseEntered, IDC_LANGUAGE_RESET}},
        NotificationCase{"combo choice", kKeys, IDC_MS_SELECTOR_4, 2311,
                         ControlEvent{Kind::Chose, IDC_MS_SELECTOR_4, 2311}},
        NotificationCase{"slider moved to 0", kOs, IDC_MS_RESPONSE, 0,
                         ControlEvent{Kind::Moved, IDC_MS_RESPONSE, 0}},
        NotificationCase{"slider moved", kSensor, IDC_SENSOR_DPI_2, 1750,
                         ControlEvent{Kind::Moved, IDC_SENSOR_DPI_2, 1750}},
        NotificationCase{"anchor double-clicked", kSensor, IDC_SENSOR_ANCHOR_LIFT_OFF, 1,
                         ControlEvent{Kind::DoubleClicked, IDC_SENSOR_ANCHOR_LIFT_OFF}},
        NotificationCase{"label double-clicked", kSensor, IDC_SENSOR_VALUE_1, 1,
                         ControlEvent{Kind::DoubleClicked, IDC_SENSOR_VALUE_1}},
        NotificationCase{"list about to hide", kKeys, 2234, 1,
                         ControlEvent{Kind::ListClosing, 0, 1}},
        NotificationCase{"list hidden", kKeys, 2234, 0, ControlEvent{Kind::ListClosing, 0, 0}},
        // Not control notifications: the default processing gets them.
        NotificationCase{"drag by the caption", kKeys, SC_MOVE | HTCAPTION, 0, std::nullopt},
        NotificationCase{"close", kKeys, SC_CLOSE, 0, std::nullopt},
        NotificationCase{"minimise", kKeys, SC_MINIMIZE, 0, std::nullopt},
        NotificationCase{"edit box with another code", kKeyPopup, IDC_POPUP_KEY, 5, std::nullopt},
        NotificationCase{"static with another code", kSensor, IDC_SENSOR_VALUE_1, 0, std::nullopt},
        NotificationCase{"entered a control of another window", kSensor, 1124, 4242, std::nullopt},
        // Taken (it must not reach the default processing), meaning nothing.
        NotificationCase{"list notice with another value", kKeys, 2234, 7,
                         ControlEvent{Kind::ListClosing, 0, 7}},
        NotificationCase{"check box has no own notice", kOs, IDC_MS_LOCK, 0, std::nullopt},
        NotificationCase{"ID beyond 32 bits", kKeys, std::uintptr_t{1} << 40 | IDC_MS_SELECTOR_1, 1,
                         std::nullopt}));

// A window's own list (the notification-area menu, whose command ID is a
// tick count) comes before everything: its ID may equal a control's, or read
// as a system command in its low bits.
TEST(DecodeNotification, AChoiceFromTheWindowsOwnListComesFirst) {
    const std::array<unsigned, 1> menu{0x0012F060};  // low bits: SC_CLOSE
    EXPECT_EQ(DecodeNotification(0x0012F060, 101, layout::kKeyAssignment, menu),
              (ControlEvent{Kind::MenuChose, 0x0012F060, 101}));
    const std::array<unsigned, 1> clash{IDC_MS_SELECTOR_1};
    EXPECT_EQ(DecodeNotification(IDC_MS_SELECTOR_1, 100, layout::kKeyAssignment, clash),
              (ControlEvent{Kind::MenuChose, IDC_MS_SELECTOR_1, 100}));
    // Without the list, the same pair is the selector's choice, or nothing.
    EXPECT_EQ(DecodeNotification(IDC_MS_SELECTOR_1, 100, layout::kKeyAssignment),
              (ControlEvent{Kind::Chose, IDC_MS_SELECTOR_1, 100}));
    EXPECT_EQ(DecodeNotification(0x0012F060, 101, layout::kKeyAssignment), std::nullopt);
}

TEST(DecodeCommand, ClicksOfTheTablesClickableControls) {
    const auto click = [](int id, int code, LPARAM control = 0x1234) {
        return DecodeCommand(MAKEWPARAM(id, code), control, layout::kOsSensitivity);
    };
    EXPECT_EQ(click(IDC_MS_APPLY, BN_CLICKED), (ControlEvent{Kind::Clicked, IDC_MS_APPLY}));
    EXPECT_EQ(click(IDC_MS_POLL_500, BN_CLICKED), (ControlEvent{Kind::Clicked, IDC_MS_POLL_500}));
    // A double click is no second click; neither is a focus notice.
    EXPECT_EQ(click(IDC_MS_APPLY, BN_DOUBLECLICKED), std::nullopt);
    EXPECT_EQ(click(IDC_MS_APPLY, BN_SETFOCUS), std::nullopt);
    // A menu or accelerator command with the same number is not the control.
    EXPECT_EQ(click(IDC_MS_APPLY, BN_CLICKED, 0), std::nullopt);
    // Sliders and anchors are statics: their commands are no clicks.
    EXPECT_EQ(click(IDC_MS_RESPONSE, BN_CLICKED), std::nullopt);
    EXPECT_EQ(click(IDC_MS_ANCHOR_LOCK, BN_CLICKED), std::nullopt);
    // Not in this table (a key-assignment control).
    EXPECT_EQ(click(IDC_MS_SELECTOR_1, BN_CLICKED), std::nullopt);
    EXPECT_EQ(click(IDOK, BN_CLICKED), std::nullopt);
}

TEST(DecodeCommand, ComboButtonsClickToo) {
    EXPECT_EQ(DecodeCommand(MAKEWPARAM(IDC_MS_SELECTOR_7, BN_CLICKED), 1, layout::kKeyAssignment),
              (ControlEvent{Kind::Clicked, IDC_MS_SELECTOR_7}));
}

}  // namespace
}  // namespace vandir
