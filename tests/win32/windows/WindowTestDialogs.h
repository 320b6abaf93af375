#pragma once
// Templates of the window tests (WindowTestDialogs.rc).

#define IDD_BINDING_TEST 9001
#define IDC_BINDING_NOT_IN_TEMPLATE 1999
