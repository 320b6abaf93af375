#include "platform/win32/framework/DisplayDpi.h"

namespace vandir {

namespace {

constexpr int kBaseDpi = 96;

// A function of user32 that older systems lack; null there.
template <class Function>
Function User32Function(const char* name) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    return user32 != nullptr
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)))
               : nullptr;
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

int ScreenDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
    if (screen != nullptr) {
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace

int SystemDpi() {
    static const auto getDpiForSystem = User32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    if (getDpiForSystem != nullptr) {
        if (const UINT dpi = getDpiForSystem(); dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return ScreenDpi();
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (window != nullptr && getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    static const auto getSystemMetricsForDpi =
        User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi != nullptr && dpi > 0) {
        return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    }
    // The metric at the system DPI, in proportion.
    return ::MulDiv(::GetSystemMetrics(index), dpi, SystemDpi());
}

}  // namespace vandir
