#include "cli/InputText.h"

namespace vandir::cli {
namespace {

constexpr size_t kLongestQuoted = 40;

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string Shortened(std::string_view text) {
    if (text.size() <= kLongestQuoted) {
        return std::string(text);
    }
    size_t end = kLongestQuoted;
    while (end > 0 && IsContinuationByte(text[end])) {
        --end;
    }
    return std::string(text.substr(0, end)) + "...";
}

}  // namespace vandir::cli
