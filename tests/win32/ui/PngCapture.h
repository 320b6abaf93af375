#pragma once
// Screenshots of the window tests: a copy of what the screen shows, and PNG
// files written where an environment variable asks for them.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Gdi.h"

namespace vandir {

// GDI+'s encoder for a MIME type ("image/png", "image/bmp", ...); none when
// GDI+ has no such encoder.
inline std::optional<CLSID> EncoderFor(const wchar_t* mimeType) {
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) {
        return std::nullopt;
    }
    std::vector<BYTE> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) {
        return std::nullopt;
    }
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(encoders[i].MimeType) == mimeType) {
            return encoders[i].Clsid;
        }
    }
    return std::nullopt;
}

// The encoder, or a test failure and an empty CLSID when GDI+ has none.
inline CLSID EncoderOrFail(const wchar_t* mimeType) {
    const std::optional<CLSID> encoder = EncoderFor(mimeType);
    if (!encoder) {
        ADD_FAILURE() << "no GDI+ encoder for this image type";
    }
    return encoder.value_or(CLSID{});
}

// Writes the image as a PNG file; false when there is no PNG encoder or the
// file cannot be written.
inline bool SavePng(Gdiplus::Image& image, const std::wstring& path) {
    const std::optional<CLSID> png = EncoderFor(L"image/png");
    return png && image.Save(path.c_str(), &*png, nullptr) == Gdiplus::Ok;
}

// Writes a GDI bitmap (not selected into any device context) as a PNG file.
inline bool SavePng(HBITMAP bitmap, const std::wstring& path) {
    Gdiplus::Bitmap image(bitmap, nullptr);
    return SavePng(image, path);
}

// A copy of a screen area (screen coordinates) as the screen shows it now;
// null when the area is empty or the copy fails.
inline UniqueBitmap CaptureScreen(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return UniqueBitmap();
    }
    WindowDC screen(nullptr);
    MemoryDC memory(screen.Get());
    UniqueBitmap shot(::CreateCompatibleBitmap(screen.Get(), width, height));
    if (!shot) {
        return shot;
    }
    SelectedObject selected(memory.Get(), shot.Get());
    if (!::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY)) {
        return UniqueBitmap();
    }
    return shot;
}

// The PNG path the environment variable names; none when it is unset or empty.
inline std::optional<std::wstring> ScreenshotPath(const wchar_t* variable) {
    const wchar_t* path = _wgetenv(variable);
    if (path == nullptr || *path == L'\0') {
        return std::nullopt;
    }
    return std::wstring(path);
}

}  // namespace vandir
