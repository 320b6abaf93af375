#pragma once
// A button's function chosen on the key-assignment page as its list reports
// it, and the mouse's commands a test holds at the gate.

#include <gtest/gtest.h>

#include <cstdint>

#include "app/PYLADlg.h"
#include "model/FunctionCatalogue.h"
#include "pages/KivPage.h"
#include "skin/KivComboButton.h"
#include "skin/layout/KeyAssignmentLayout.h"

namespace vandir::testing {

inline constexpr uint8_t kReadConfiguration = 7;
inline constexpr uint8_t kWriteConfiguration = 6;

inline CKivComboButton& ButtonSelector(CPYLADlg& window, int button) {
    return window.page(PageId::KeyAssignment)
        .Item<CKivComboButton>(layout::kMouseButtonControls[static_cast<size_t>(button)].selector);
}

// A list entry chosen for a button, as the selector's list reports it, after
// the pointer came over the selector (which makes the lists, if need be).
inline void ChooseFunction(CPYLADlg& window, int button, FunctionId chosen) {
    CKivComboButton& selector = ButtonSelector(window, button);
    window.page(PageId::KeyAssignment)
        .SendMessage(WM_SYSCOMMAND, 1124, static_cast<LPARAM>(selector.GetDlgCtrlID()));
    selector.SendMessage(WM_SYSCOMMAND, static_cast<WPARAM>(selector.GetDlgCtrlID()), chosen);
    ASSERT_EQ(selector.selectedValue(), chosen);
}

}  // namespace vandir::testing
