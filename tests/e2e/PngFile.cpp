#include "e2e/PngFile.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace vandir::e2e {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Everything libpng touches after setjmp lives here, so that a longjmp out of
// libpng leaves no object half-built on the stack.
bool WriteRows(std::FILE* file, const Pixels& pixels) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(pixels.width),
                 static_cast<png_uint_32>(pixels.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = static_cast<size_t>(pixels.width) * 3;
    for (int y = 0; y < pixels.height; ++y) {
        png_write_row(png, pixels.rgb.data() + stride * static_cast<size_t>(y));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(const Pixels& pixels, const std::filesystem::path& path) {
    if (pixels.width <= 0 || pixels.height <= 0) {
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    return file && WriteRows(file.get(), pixels);
}

}  // namespace vandir::e2e
