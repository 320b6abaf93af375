#pragma once
// How skinned controls and pop-up lists report to their parent (a pop-up
// list: its owner): synchronously, as WM_SYSCOMMAND with these parameters.
//
//   wParam              lParam          sent by          meaning
//   kMouseEntered       control ID      push, combo      the mouse entered the control
//   kMouseLeft          control ID      push, combo      the mouse left the control
//   control ID          0               push button      right after kMouseEntered
//   control ID          item value      combo button     the user chose a list item
//   control ID          new position    slider           the position changed
//   control ID          kTextChanged    edit box         the text changed
//   control ID          kDoubleClicked  text static      the static was double-clicked
//   list command ID     item value      pop-up list      the user chose an item
//   kListHiding         1, then 0       pop-up list      a list is about to hide (1), has hidden
//   (0)
// Every other system command goes on to the default processing.

#include <windows.h>

namespace vandir {

inline constexpr WPARAM kMouseEntered = 1124;
inline constexpr WPARAM kMouseLeft = 1125;
inline constexpr WPARAM kListHiding = 2234;
inline constexpr LPARAM kTextChanged = 102;
inline constexpr LPARAM kDoubleClicked = 1;

// Sends one notification to a window.
inline LRESULT NotifyParent(HWND parent, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(parent, WM_SYSCOMMAND, wParam, lParam);
}

}  // namespace vandir
