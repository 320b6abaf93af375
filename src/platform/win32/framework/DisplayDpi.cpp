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
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

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

UniqueFont StatusFontForDpi(int dpi) {
    static const auto parametersForDpi =
        User32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (parametersForDpi != nullptr && parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics),
                                                        &metrics, 0, static_cast<UINT>(dpi))) {
        return UniqueFont(::CreateFontIndirectW(&metrics.lfStatusFont));
    }
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return UniqueFont();
    }
    // The font at the system DPI, in proportion.
    metrics.lfStatusFont.lfHeight = ::MulDiv(metrics.lfStatusFont.lfHeight, dpi, SystemDpi());
    return UniqueFont(::CreateFontIndirectW(&metrics.lfStatusFont));
}

}  // namespace vandir
