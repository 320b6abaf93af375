#pragma once
// Reports an exception caught where nothing may cross (a window or hook
// procedure, the top of a thread): the program goes on, but the error leaves a
// trace in the debugger's output instead of vanishing.

#include <string>

namespace vandir {

// Call only from inside a catch block: reports the exception being handled
// (its what() or "unknown exception") with the place it was caught. Never
// throws.
void ReportCaughtException(const wchar_t* place) noexcept;

// Where reports go. The default writes them with OutputDebugStringW; tests
// install their own. Any thread may report.
using ExceptionReporter = void (*)(const std::wstring& report);
// Installs reporter (null: the default) and returns the one installed before.
ExceptionReporter SetExceptionReporter(ExceptionReporter reporter) noexcept;

}  // namespace vandir
