#pragma once
// Reading one skin picture file into pixels the program owns. The file is
// read whole and closed at once, so it stays free to be replaced or deleted;
// the plain BMP layout of the skins is taken as it is, anything else is
// decoded by GDI+ from memory, and then nothing of the file or of GDI+'s
// decoder is kept.

#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <string>

#include "skin/SkinBitmap.h"

namespace vandir {

// Larger files are not read: a skin sheet is a window-sized picture, and a
// stray huge file must not exhaust memory.
inline constexpr long long kMaxSkinFileSize = 64LL * 1024 * 1024;

// The whole file; nothing when it is missing, cannot be read, is empty or
// is larger than kMaxSkinFileSize. When reuse is at least as large as the
// file, the file is read into it instead of new memory (which would first
// have to be mapped in, page by page).
std::optional<ByteBuffer> ReadWholeFile(const std::wstring& path, ByteBuffer reuse = {});

// The pixels of an image file in memory, decoded by GDI+ and copied out in
// the decoded image's own format (indexed and other formats become 32 bits
// with alpha, the same colours); nothing when GDI+ cannot decode it.
std::optional<SheetPixels> DecodeWithGdiplus(std::span<const BYTE> file);

// The pixels of an image file: the plain BMP layout taking over the file's
// bytes, anything else decoded by GDI+; nothing when neither can decode it.
std::optional<SheetPixels> DecodeImageFile(ByteBuffer file);

// The picture in the file, or null when the file is missing, unreadable or
// does not decode. Its success is the readability check: nothing is decoded
// twice.
std::shared_ptr<SkinBitmap> LoadSkinImage(const std::wstring& path);

}  // namespace vandir
