#pragma once
// One copy of the program per session: a second start calls the running
// program's window up and ends.

#include "platform/win32/UniqueHandle.h"

namespace vandir {

inline constexpr wchar_t kInstanceMutexName[] = L"Meridane Vandir II Config";
// Posted to the window titled "Meridane Vandir II", wParam and lParam 0.
inline constexpr unsigned kCallUpMessage = 2028;

// Posts the call-up message to every top-level window titled exactly
// "Meridane Vandir II" (before the test, so a second start calls the first
// one up, even while one of its message boxes shows that caption), then
// creates the instance mutex. The mutex, held for the program's life; empty
// when another instance already holds it.
UniqueKernelHandle ClaimSingleInstance();

}  // namespace vandir
