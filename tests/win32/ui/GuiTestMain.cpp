// Entry point of the window tests: GDI+ and the common controls are started
// once for the whole run, as the application does. An exception that a window
// procedure, a hook or a thread caught and reported fails the running test:
// the program goes on after such a report, but a test must not.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.
#include <commctrl.h>

#include <string>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/ReportException.h"

namespace {

std::string Utf8(const std::wstring& text) {
    const int length = ::WideCharToMultiByte(
        CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                              narrow.data(), length, nullptr, nullptr);
    }
    return narrow;
}

// Any thread may report; GoogleTest's failures are thread-safe on this
// platform, and one outside a test fails the whole run.
void FailTheRunningTest(const std::wstring& report) {
    ADD_FAILURE() << Utf8(report);
}

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    vandir::GdiplusSession gdiplus;
    if (!gdiplus.started()) {
        return 3;
    }
    ::testing::InitGoogleTest(&argc, argv);
    vandir::SetExceptionReporter(&FailTheRunningTest);
    return RUN_ALL_TESTS();
}
