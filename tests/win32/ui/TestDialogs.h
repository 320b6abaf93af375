#pragma once
// Dialog templates of the window tests.

#define IDD_TEST_DIALOG 9100
#define IDC_TEST_BUTTON 9101
#define IDC_TEST_EDIT 9102
#define IDD_SKIN_DIALOG 9110

// Skinned buttons: one of each kind, and a showcase with each kind in each look.
#define IDD_BUTTONS_DIALOG 9120
#define IDC_KIV_PUSH 9121
#define IDC_KIV_CHECK 9122
#define IDC_KIV_COMBO 9123
#define IDD_BUTTONS_SHOWCASE 9130
#define IDC_SHOW_PUSH_FIRST 9131
#define IDC_SHOW_CHECK_FIRST 9141
#define IDC_SHOW_COMBO_FIRST 9151

// Skinned slider, statics and edit box: the tests lay the controls out and
// hide the ones they do not bind.
#define IDD_KIV_CONTROLS 9400
#define IDC_KIV_SLIDER 9401
#define IDC_KIV_SLIDER_2 9402
#define IDC_KIV_SLIDER_3 9403
#define IDC_KIV_LABEL 9404
#define IDC_KIV_LABEL_2 9405
#define IDC_KIV_LED 9406
#define IDC_KIV_LED_2 9407
#define IDC_KIV_LED_3 9408
#define IDC_KIV_EDIT 9409
#define IDC_KIV_EDIT_2 9410
