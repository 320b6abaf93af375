#include "cli/ImageText.h"

namespace vandir::cli {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string& text, unsigned value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        text += kHexDigits[(value >> shift) & 0xF];
    }
}

}  // namespace

std::string ImageText(const ConfigImage& image) {
    constexpr size_t kBytesPerLine = 16;
    std::string text;
    for (size_t i = 0; i < image.size(); ++i) {
        AppendHex(text, image[i], 2);
        text += (i % kBytesPerLine == kBytesPerLine - 1) ? '\n' : ' ';
    }
    text += "checksum 0x";
    AppendHex(text, ConfigImageChecksum(image), 4);
    text += '\n';
    return text;
}

}  // namespace vandir::cli
