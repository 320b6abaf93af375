#include "skin/SkinImageFile.h"

#include <windows.h>
// <windows.h> first.
#include <objbase.h>

#include <cstring>
#include <utility>

#include "platform/win32/UniqueHandle.h"
#include "skin/PlainBmp.h"

namespace vandir {

namespace {

// Owner of a COM stream reference.
struct StreamTraits {
    using Handle = IStream*;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle stream) noexcept { stream->Release(); }
};
using UniqueStream = UniqueResource<StreamTraits>;

// A stream over a copy of the bytes, which frees its memory when released.
UniqueStream StreamOver(std::span<const BYTE> bytes) {
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (block == nullptr) {
        return {};
    }
    if (void* target = ::GlobalLock(block)) {
        std::memcpy(target, bytes.data(), bytes.size());
        ::GlobalUnlock(block);
        UniqueStream stream;
        if (SUCCEEDED(::CreateStreamOnHGlobal(block, TRUE, stream.Put())) && stream) {
            return stream;
        }
    }
    ::GlobalFree(block);
    return {};
}

// The format the decoded pixels are kept in: the decoder's own where the
// program can keep it, else 32 bits with alpha, which holds every colour.
Gdiplus::PixelFormat KeptFormat(Gdiplus::PixelFormat decoded) {
    switch (decoded) {
        case PixelFormat24bppRGB:
        case PixelFormat32bppRGB:
        case PixelFormat32bppARGB:
        case PixelFormat32bppPARGB:
            return decoded;
        default:
            return PixelFormat32bppARGB;
    }
}

}  // namespace

std::optional<ByteBuffer> ReadWholeFile(const std::wstring& path, ByteBuffer reuse) {
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
        size.QuadPart > kMaxSkinFileSize) {
        return std::nullopt;
    }
    const auto length = static_cast<size_t>(size.QuadPart);
    ByteBuffer bytes =
        reuse.data && reuse.size >= length ? std::move(reuse) : ByteBuffer::Uninitialised(length);
    bytes.size = length;
    size_t done = 0;
    while (done < bytes.size) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), bytes.data.get() + done, static_cast<DWORD>(bytes.size - done),
                        &read, nullptr) ||
            read == 0) {
            return std::nullopt;
        }
        done += read;
    }
    return bytes;
}

std::optional<SheetPixels> DecodeWithGdiplus(std::span<const BYTE> file) {
    if (file.empty() || file.size() > static_cast<size_t>(kMaxSkinFileSize)) {
        return std::nullopt;
    }
    const UniqueStream stream = StreamOver(file);
    if (!stream) {
        return std::nullopt;
    }
    Gdiplus::Bitmap decoded(stream.Get());
    if (decoded.GetLastStatus() != Gdiplus::Ok) {
        return std::nullopt;
    }
    std::optional<SheetPixels> pixels =
        AllocatePixels(static_cast<int>(decoded.GetWidth()), static_cast<int>(decoded.GetHeight()),
                       KeptFormat(decoded.GetPixelFormat()));
    if (!pixels) {
        return std::nullopt;
    }
    // GDI+ writes the pixels straight into the program's rows.
    Gdiplus::BitmapData target{};
    target.Width = static_cast<UINT>(pixels->width);
    target.Height = static_cast<UINT>(pixels->height);
    target.Stride = pixels->stride;
    target.PixelFormat = pixels->format;
    target.Scan0 = pixels->Row(0);
    const Gdiplus::Rect all(0, 0, pixels->width, pixels->height);
    if (decoded.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                         pixels->format, &target) != Gdiplus::Ok) {
        return std::nullopt;
    }
    decoded.UnlockBits(&target);
    const Gdiplus::REAL dpiX = decoded.GetHorizontalResolution();
    const Gdiplus::REAL dpiY = decoded.GetVerticalResolution();
    if (dpiX > 0 && dpiY > 0) {
        pixels->dpiX = dpiX;
        pixels->dpiY = dpiY;
    }
    return pixels;
}

std::optional<SheetPixels> DecodeImageFile(ByteBuffer file) {
    if (std::optional<SheetPixels> pixels = DecodePlainBmp(file)) {
        return pixels;
    }
    return DecodeWithGdiplus(std::span<const BYTE>(file.data.get(), file.data ? file.size : 0));
}

std::shared_ptr<SkinBitmap> LoadSkinImage(const std::wstring& path) {
    std::optional<ByteBuffer> file = ReadWholeFile(path);
    if (!file) {
        return nullptr;
    }
    std::optional<SheetPixels> pixels = DecodeImageFile(std::move(*file));
    return pixels ? SkinBitmap::Make(std::move(*pixels)) : nullptr;
}

}  // namespace vandir
