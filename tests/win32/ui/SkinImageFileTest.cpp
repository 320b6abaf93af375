// Reading skin picture files: the plain 24-bit BMP layout of the skins is
// taken without GDI+'s codec, everything else goes to GDI+, and either way
// the picture is exactly the one GDI+ decodes from the same file (size,
// format, resolution, every pixel). GDI+ is the oracle throughout.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.

#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "skin/PlainBmp.h"
#include "skin/SkinImageFile.h"
#include "win32/TempFolder.h"
#include "win32/ui/PixelCompare.h"
#include "win32/ui/PngCapture.h"

namespace vandir {
namespace {

using test::FormatCheck;
using test::SamePicture;
using test::TempFolder;

// A colour for every pixel that tells its place, so that a row or column read
// from the wrong place shows.
BYTE Channel(int x, int y, int channel) {
    return static_cast<BYTE>(x * 7 + y * 31 + channel * 101);
}

struct BmpLayout {
    int width = 61;  // 183 bytes of pixels: one byte of padding per row
    int height = 9;  // negative: top row first
    uint32_t infoSize = 40;
    int32_t pixelsPerMetreX = 3780;
    int32_t pixelsPerMetreY = 3780;
};

void Put16(std::vector<BYTE>& bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<BYTE>(value);
    bytes[at + 1] = static_cast<BYTE>(value >> 8);
}
void Put32(std::vector<BYTE>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<BYTE>(value >> (8 * i));
    }
}

// A 24-bit uncompressed BMP file written byte by byte.
std::vector<BYTE> BmpFile(const BmpLayout& layout) {
    const int rows = layout.height < 0 ? -layout.height : layout.height;
    const size_t stride = (static_cast<size_t>(layout.width) * 3 + 3) / 4 * 4;
    const size_t offset = 14 + layout.infoSize;
    std::vector<BYTE> bytes(offset + stride * rows, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    Put32(bytes, 10, static_cast<uint32_t>(offset));
    Put32(bytes, 14, layout.infoSize);
    Put32(bytes, 18, static_cast<uint32_t>(layout.width));
    Put32(bytes, 22, static_cast<uint32_t>(layout.height));
    Put16(bytes, 26, 1);
    Put16(bytes, 28, 24);
    Put32(bytes, 30, BI_RGB);
    Put32(bytes, 34, static_cast<uint32_t>(stride * rows));
    Put32(bytes, 38, static_cast<uint32_t>(layout.pixelsPerMetreX));
    Put32(bytes, 42, static_cast<uint32_t>(layout.pixelsPerMetreY));
    for (int y = 0; y < rows; ++y) {
        const int fileRow = layout.height > 0 ? rows - 1 - y : y;
        BYTE* row = bytes.data() + offset + stride * fileRow;
        for (int x = 0; x < layout.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                row[3 * x + c] = Channel(x, y, c);
            }
        }
    }
    return bytes;
}

void WriteFile(const std::wstring& path, const std::vector<BYTE>& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

ByteBuffer BufferOf(const std::vector<BYTE>& bytes) {
    ByteBuffer buffer = ByteBuffer::Uninitialised(bytes.size());
    if (!bytes.empty()) {
        std::memcpy(buffer.data.get(), bytes.data(), bytes.size());
    }
    return buffer;
}

// What the program loads from the file and what GDI+ decodes from it agree:
// both nothing, or the same picture.
void ExpectLoadsAsGdiplusDecodes(const std::wstring& path, FormatCheck format) {
    const std::shared_ptr<SkinBitmap> ours = LoadSkinImage(path);
    Gdiplus::Bitmap theirs(path.c_str());
    if (theirs.GetLastStatus() != Gdiplus::Ok) {
        EXPECT_EQ(ours, nullptr) << "GDI+ cannot decode the file";
        return;
    }
    EXPECT_TRUE(SamePicture(ours.get(), &theirs, format));
}

TEST(PlainBmp, TakesTheSkinsLayoutAsGdiplusDecodesIt) {
    TempFolder temp;
    const BmpLayout layouts[] = {
        {1, 1},
        {2, 3},
        {3, 2},
        {5, 7},
        {61, 9},
        {64, 4},
        {61, -9},
        {2, -1},
        {61, 9, 108},
        {61, -9, 124},
        {20, 6, 40, 2835, 2835},
        {20, 6, 40, 1, 1},
        {20, 6, 40, 3780, 11811},
    };
    for (const BmpLayout& layout : layouts) {
        SCOPED_TRACE(testing::Message() << layout.width << " x " << layout.height << ", header "
                                        << layout.infoSize << ", " << layout.pixelsPerMetreX
                                        << " x " << layout.pixelsPerMetreY << " per metre");
        const std::vector<BYTE> bytes = BmpFile(layout);
        ByteBuffer file = BufferOf(bytes);
        const BYTE* fileBytes = file.data.get();
        std::optional<SheetPixels> pixels = DecodePlainBmp(file);
        ASSERT_TRUE(pixels) << "the plain layout is refused";
        // The file's bytes are the pixels: nothing was copied.
        EXPECT_EQ(pixels->storage.data.get(), fileBytes);
        const std::shared_ptr<SkinBitmap> ours = SkinBitmap::Make(std::move(*pixels));

        const std::wstring path = temp / L"plain.bmp";
        WriteFile(path, bytes);
        Gdiplus::Bitmap theirs(path.c_str());
        ASSERT_EQ(theirs.GetLastStatus(), Gdiplus::Ok);
        EXPECT_TRUE(SamePicture(ours.get(), &theirs));
        EXPECT_TRUE(SamePicture(LoadSkinImage(path).get(), &theirs));
    }
}

// Every file the plain reader does not take: it refuses without reading
// outside the file and leaves it as it was, and the program then loads what
// GDI+ decodes (or nothing when GDI+ decodes nothing).
TEST(PlainBmp, RefusesEverythingElseAndLeavesItToGdiplus) {
    TempFolder temp;
    const std::vector<BYTE> valid = BmpFile({});
    const size_t offset = 14 + 40;
    const struct {
        const char* what;
        std::function<void(std::vector<BYTE>&)> change;
    } cases[] = {
        {"not BM", [](auto& b) { b[1] = 'X'; }},
        {"core header (12 bytes)", [](auto& b) { Put32(b, 14, 12); }},
        {"header of 64 bytes", [](auto& b) { Put32(b, 14, 64); }},
        {"header larger than the file",
         [](auto& b) {
             Put32(b, 14, 124);
             b.resize(100);
         }},
        {"two planes", [](auto& b) { Put16(b, 26, 2); }},
        {"32 bits per pixel", [](auto& b) { Put16(b, 28, 32); }},
        {"8 bits per pixel", [](auto& b) { Put16(b, 28, 8); }},
        {"run-length compressed", [](auto& b) { Put32(b, 30, BI_RLE8); }},
        {"bit fields", [](auto& b) { Put32(b, 30, BI_BITFIELDS); }},
        {"no width", [](auto& b) { Put32(b, 18, 0); }},
        {"negative width", [](auto& b) { Put32(b, 18, static_cast<uint32_t>(-61)); }},
        {"no height", [](auto& b) { Put32(b, 22, 0); }},
        {"smallest height", [](auto& b) { Put32(b, 22, static_cast<uint32_t>(INT32_MIN)); }},
        {"huge width", [](auto& b) { Put32(b, 18, INT32_MAX); }},
        {"huge height", [](auto& b) { Put32(b, 22, INT32_MAX); }},
        {"no horizontal resolution", [](auto& b) { Put32(b, 38, 0); }},
        {"no vertical resolution", [](auto& b) { Put32(b, 42, 0); }},
        {"negative resolution", [](auto& b) { Put32(b, 38, static_cast<uint32_t>(-3780)); }},
        {"pixels inside the header", [](auto& b) { Put32(b, 10, 20); }},
        {"pixels past the end", [](auto& b) { Put32(b, 10, static_cast<uint32_t>(b.size() + 1)); }},
        {"pixel offset overflows", [](auto& b) { Put32(b, 10, UINT32_MAX); }},
        {"last row one byte short", [](auto& b) { b.pop_back(); }},
        {"half the rows", [&](auto& b) { b.resize(offset + (b.size() - offset) / 2); }},
        {"header only", [&](auto& b) { b.resize(offset); }},
        {"part of the header", [](auto& b) { b.resize(53); }},
        {"file header only", [](auto& b) { b.resize(14); }},
        {"two bytes", [](auto& b) { b.resize(2); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BYTE> bytes = valid;
        c.change(bytes);
        ByteBuffer file = BufferOf(bytes);
        const BYTE* before = file.data.get();
        EXPECT_FALSE(DecodePlainBmp(file));
        EXPECT_EQ(file.data.get(), before);
        EXPECT_EQ(file.size, bytes.size());
        if (!bytes.empty()) {
            EXPECT_EQ(std::memcmp(file.data.get(), bytes.data(), bytes.size()), 0);
        }

        const std::wstring path = temp / L"other.bmp";
        WriteFile(path, bytes);
        ExpectLoadsAsGdiplusDecodes(path, FormatCheck::ColoursOnly);
    }
    ByteBuffer empty;
    EXPECT_FALSE(DecodePlainBmp(empty));
}

// Pictures in other formats, written by GDI+ itself, come through GDI+'s
// decoder with the same pixels (32-bit with alpha where GDI+ keeps indexed
// pixels).
TEST(SkinImageFile, OtherFormatsLoadAsGdiplusDecodesThem) {
    TempFolder temp;
    const struct {
        const wchar_t* name;
        const wchar_t* mimeType;
        Gdiplus::PixelFormat format;
        FormatCheck check;
    } cases[] = {
        {L"alpha.png", L"image/png", PixelFormat32bppARGB, FormatCheck::Exact},
        {L"opaque.png", L"image/png", PixelFormat24bppRGB, FormatCheck::Exact},
        {L"thirty-two.bmp", L"image/bmp", PixelFormat32bppRGB, FormatCheck::Exact},
        {L"sixteen.bmp", L"image/bmp", PixelFormat16bppRGB565, FormatCheck::ColoursOnly},
        {L"palette.bmp", L"image/bmp", PixelFormat8bppIndexed, FormatCheck::ColoursOnly},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::filesystem::path(c.name).string());
        Gdiplus::Bitmap picture(37, 23, c.format);
        if (c.format != PixelFormat8bppIndexed) {
            for (int y = 0; y < 23; ++y) {
                for (int x = 0; x < 37; ++x) {
                    picture.SetPixel(
                        x, y,
                        Gdiplus::Color(static_cast<BYTE>(255 - x * 5), Channel(x, y, 0),
                                       Channel(x, y, 1), Channel(x, y, 2)));
                }
            }
        }
        const std::wstring path = temp / c.name;
        const CLSID encoder = EncoderOrFail(c.mimeType);
        ASSERT_EQ(picture.Save(path.c_str(), &encoder, nullptr), Gdiplus::Ok);
        ExpectLoadsAsGdiplusDecodes(path, c.check);
    }
}

TEST(SkinImageFile, FilesTooLargeOrEmptyAreNotRead) {
    TempFolder temp;
    const std::wstring empty = temp / L"empty.bmp";
    WriteFile(empty, {});
    EXPECT_FALSE(ReadWholeFile(empty));
    EXPECT_FALSE(ReadWholeFile(temp / L"missing.bmp"));

    // One byte over the limit, as a sparse file: nothing is allocated for it.
    const std::wstring huge = temp / L"huge.bmp";
    {
        std::ofstream file(std::filesystem::path(huge), std::ios::binary);
        file.seekp(kMaxSkinFileSize);
        file.put('\0');
    }
    EXPECT_FALSE(ReadWholeFile(huge));
    EXPECT_EQ(LoadSkinImage(huge), nullptr);

    const std::vector<BYTE> bytes = BmpFile({});
    const std::wstring small = temp / L"small.bmp";
    WriteFile(small, bytes);
    const std::optional<ByteBuffer> read = ReadWholeFile(small);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size, bytes.size());
    EXPECT_EQ(std::memcmp(read->data.get(), bytes.data(), bytes.size()), 0);
}

// A buffer handed in is read into when the file fits, and only then.
TEST(SkinImageFile, ReadsIntoABufferLargeEnough) {
    TempFolder temp;
    const std::vector<BYTE> large = BmpFile({61, 40});
    const std::vector<BYTE> small = BmpFile({5, 7});
    WriteFile(temp / L"large.bmp", large);
    WriteFile(temp / L"small.bmp", small);

    std::optional<ByteBuffer> first = ReadWholeFile(temp / L"large.bmp");
    ASSERT_TRUE(first);
    const BYTE* memory = first->data.get();
    std::optional<ByteBuffer> second = ReadWholeFile(temp / L"small.bmp", std::move(*first));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->data.get(), memory);
    ASSERT_EQ(second->size, small.size());
    EXPECT_EQ(std::memcmp(second->data.get(), small.data(), small.size()), 0);

    // Too small for the large file: new memory, the whole file.
    std::optional<ByteBuffer> third = ReadWholeFile(temp / L"large.bmp", std::move(*second));
    ASSERT_TRUE(third);
    ASSERT_EQ(third->size, large.size());
    EXPECT_EQ(std::memcmp(third->data.get(), large.data(), large.size()), 0);
}

}  // namespace
}  // namespace vandir
