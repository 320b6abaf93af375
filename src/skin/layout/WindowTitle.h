/* The main window's title, the one home of the text: the resource script
   gives it to the main window's template, and the program looks for it at a
   second start and shows it as its message boxes' caption (so a call-up
   reaches them too). Plain C for the resource compiler. */
#pragma once

#define VANDIR_MAIN_WINDOW_TITLE "Meridane Vandir II"

#ifndef RC_INVOKED
namespace vandir {
inline constexpr wchar_t kMainWindowTitle[] = L"" VANDIR_MAIN_WINDOW_TITLE;
}  // namespace vandir
#endif
