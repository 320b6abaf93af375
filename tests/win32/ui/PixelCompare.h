#pragma once
// Comparing two GDI+ images pixel for pixel: the skin store must give exactly
// the pictures GDI+ decodes from the same files.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.
#include <cstring>
#include <vector>

#include "platform/win32/Gdiplus.h"

namespace vandir::test {

// Every pixel as 32-bit ARGB, row by row; empty when the image is no bitmap
// or cannot be read.
inline std::vector<UINT32> ArgbPixels(Gdiplus::Image* image) {
    auto* bitmap = dynamic_cast<Gdiplus::Bitmap*>(image);
    if (bitmap == nullptr) {
        return {};
    }
    const UINT width = bitmap->GetWidth();
    const UINT height = bitmap->GetHeight();
    std::vector<UINT32> pixels(static_cast<size_t>(width) * height);
    Gdiplus::BitmapData data{};
    data.Width = width;
    data.Height = height;
    data.Stride = static_cast<INT>(width * 4);
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = pixels.data();
    const Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                         PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
        return {};
    }
    bitmap->UnlockBits(&data);
    return pixels;
}

enum class FormatCheck {
    Exact,        // the same pixel format
    ColoursOnly,  // any format: a decoder's indexed or 16-bit pixels kept as 32-bit ones
};

// The same size, resolution and pixels, and the same pixel format unless told.
inline ::testing::AssertionResult SamePicture(Gdiplus::Image* got, Gdiplus::Image* expected,
                                              FormatCheck format = FormatCheck::Exact) {
    if (got == nullptr || expected == nullptr) {
        return ::testing::AssertionFailure() << (got == nullptr ? "no image" : "nothing expected");
    }
    if (got->GetWidth() != expected->GetWidth() || got->GetHeight() != expected->GetHeight()) {
        return ::testing::AssertionFailure()
               << "size " << got->GetWidth() << " x " << got->GetHeight() << ", expected "
               << expected->GetWidth() << " x " << expected->GetHeight();
    }
    if (format == FormatCheck::Exact && got->GetPixelFormat() != expected->GetPixelFormat()) {
        return ::testing::AssertionFailure() << "pixel format " << std::hex << got->GetPixelFormat()
                                             << ", expected " << expected->GetPixelFormat();
    }
    if (got->GetHorizontalResolution() != expected->GetHorizontalResolution() ||
        got->GetVerticalResolution() != expected->GetVerticalResolution()) {
        return ::testing::AssertionFailure()
               << "resolution " << got->GetHorizontalResolution() << " x "
               << got->GetVerticalResolution() << ", expected "
               << expected->GetHorizontalResolution() << " x " << expected->GetVerticalResolution();
    }
    const std::vector<UINT32> a = ArgbPixels(got);
    const std::vector<UINT32> b = ArgbPixels(expected);
    if (a.empty() || a.size() != b.size()) {
        return ::testing::AssertionFailure() << "pixels cannot be read";
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            const UINT width = got->GetWidth();
            return ::testing::AssertionFailure()
                   << "pixel (" << i % width << ", " << i / width << ") is " << std::hex << a[i]
                   << ", expected " << b[i];
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace vandir::test
