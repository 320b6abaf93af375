#pragma once
// Integers typed on the command line: decimal, or hexadecimal with 0x.

#include <cstdint>
#include <optional>
#include <string_view>

namespace vandir::cli {

struct IntegerText {
    int64_t value = 0;
    bool hex = false;  // written as 0x...: a bit pattern rather than a signed number
};

// "-12", "+7", "0x1F", "0XFF", "-0x10". Nothing else (no spaces, no octal, no
// suffixes); values beyond 64 bits are refused.
std::optional<IntegerText> ParseIntegerText(std::string_view text);

// Whether the value fits an unsigned field of the given width in bits.
bool FitsUnsigned(const IntegerText& number, int bits);

// Whether the value fits a signed field of the given width: decimal within the
// signed range, or a hex bit pattern of that width (0xFFFF is -1 in 16 bits).
bool FitsSigned(const IntegerText& number, int bits);

// The value as it lands in a signed field (hex patterns wrap).
int64_t AsSigned(const IntegerText& number, int bits);

}  // namespace vandir::cli
