#pragma once
// Dialog templates of the window tests.

#define IDD_TEST_DIALOG 9100
#define IDC_TEST_BUTTON 9101
#define IDC_TEST_EDIT 9102
