#include "cli/IntegerText.h"

#include <charconv>

namespace vandir::cli {

std::optional<IntegerText> ParseIntegerText(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    IntegerText number;
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        number.hex = true;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc{} || end != text.data() + text.size() ||
        magnitude > (negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1)) {
        return std::nullopt;
    }
    number.value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    if (negative) {
        number.hex = false;  // a signed number, whatever its notation
    }
    return number;
}

bool FitsUnsigned(const IntegerText& number, int bits) {
    return number.value >= 0 && number.value <= static_cast<int64_t>((uint64_t{1} << bits) - 1);
}

bool FitsSigned(const IntegerText& number, int bits) {
    if (number.hex) {
        return FitsUnsigned(number, bits);
    }
    const int64_t limit = int64_t{1} << (bits - 1);
    return number.value >= -limit && number.value < limit;
}

int64_t AsSigned(const IntegerText& number, int bits) {
    const int64_t span = int64_t{1} << bits;
    if (number.hex && number.value >= span / 2) {
        return number.value - span;
    }
    return number.value;
}

}  // namespace vandir::cli
