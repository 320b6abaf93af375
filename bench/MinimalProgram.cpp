// The benchmark's yardstick: the least a Win32 program does to show an
// 800 x 600 window painted in one colour. It reports when its window was first
// fully painted and its private memory at that moment, then ends.

#include <windows.h>

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

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
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

    ResultLine result;
    result.Add("entered", entered);
    result.Add("painted", painted);
    result.Add("private_painted", PrivateBytes());
    ::DestroyWindow(window);
    return result.Write() ? 0 : 2;
}
