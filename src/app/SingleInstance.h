#pragma once
// One copy of the program per session: a second start calls the running
// program's window up and ends.

#include "platform/win32/UniqueHandle.h"

namespace vandir {

inline constexpr wchar_t kInstanceMutexName[] = L"Meridane Vandir II Config";
// Posted to the window titled "Meridane Vandir II", wParam and lParam 0.
inline constexpr unsigned kCallUpMessage = 2028;

// Posts the call-up message to a window titled "Meridane Vandir II" if there
// is one (before the test, so a second start calls the first one up), then
// creates the instance mutex. The mutex, held for the program's life; empty
// when another instance already holds it.
UniqueKernelHandle ClaimSingleInstance();

}  // namespace vandir
