// The benchmark's yardstick: the least a Win32 program does to show an
// 800 x 600 window painted in one colour. It reports when its window was first
// fully painted and its private memory at that moment, then ends.
// With --stay it hides its window once painted and waits for messages until
// it is ended, reporting nothing: the yardstick for a program at rest.

#include <windows.h>

#include <string_view>

#include "Measure.h"

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        const HDC dc = ::BeginPaint(hwnd, &paint);
        ::FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(::GetStockObject(DKGRAY_BRUSH)));
        ::EndPaint(hwnd, &paint);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    using namespace vandir::bench;
    const int64_t entered = Now();

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"VandirBenchMinimal";
    if (::RegisterClassW(&windowClass) == 0) {
        return 1;
    }
    const HWND window =
        ::CreateWindowExW(WS_EX_APPWINDOW, windowClass.lpszClassName, L"Minimal", WS_POPUP, 0, 0,
                          800, 600, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ::ShowWindow(window, SW_SHOW);
    PumpUntilPainted();
    const int64_t painted = Now();

    if (std::wstring_view(commandLine).starts_with(L"--stay")) {
        ::ShowWindow(window, SW_HIDE);
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::DispatchMessageW(&msg);
        }
        return 0;
    }

    ResultLine result;
    result.Add("entered", entered);
    result.Add("painted", painted);
    result.Add("private_painted", PrivateBytes());
    ::DestroyWindow(window);
    return result.Write() ? 0 : 2;
}
