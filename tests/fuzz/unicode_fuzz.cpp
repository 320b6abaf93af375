// UTF-8 <-> UTF-16, both directions on the same bytes: the input read as
// UTF-8 text, and read as UTF-16 code units (low byte first).
//
// Properties: every result is well-formed; valid input comes back exactly
// after a round trip; in invalid UTF-8 each byte that starts no well-formed
// sequence becomes one U+FFFD, and unpaired surrogates become U+FFFD.

#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "i18n/Unicode.h"

namespace {

using vandir::fuzz::Check;

constexpr char16_t kReplacement = 0xFFFD;

// Length of the well-formed UTF-8 sequence at text[i], 0 when there is none
// (the table of well-formed byte sequences of the Unicode standard).
size_t WellFormedSequenceAt(std::string_view text, size_t i) {
    auto byte = [&](size_t k) { return static_cast<uint8_t>(text[i + k]); };
    auto in = [](uint8_t b, uint8_t low, uint8_t high) { return b >= low && b <= high; };
    const size_t left = text.size() - i;
    const uint8_t b0 = byte(0);
    if (b0 <= 0x7F) {
        return 1;
    }
    if (in(b0, 0xC2, 0xDF)) {
        return left >= 2 && in(byte(1), 0x80, 0xBF) ? 2 : 0;
    }
    if (in(b0, 0xE0, 0xEF)) {
        const uint8_t low = b0 == 0xE0 ? 0xA0 : 0x80;
        const uint8_t high = b0 == 0xED ? 0x9F : 0xBF;
        return left >= 3 && in(byte(1), low, high) && in(byte(2), 0x80, 0xBF) ? 3 : 0;
    }
    if (in(b0, 0xF0, 0xF4)) {
        const uint8_t low = b0 == 0xF0 ? 0x90 : 0x80;
        const uint8_t high = b0 == 0xF4 ? 0x8F : 0xBF;
        return left >= 4 && in(byte(1), low, high) && in(byte(2), 0x80, 0xBF) &&
                       in(byte(3), 0x80, 0xBF)
                   ? 4
                   : 0;
    }
    return 0;
}

bool IsWellFormedUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const size_t length = WellFormedSequenceAt(text, i);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The input decoded by the table above: each well-formed sequence gives its
// code point, each other byte one U+FFFD.
std::u16string DecodedWithReplacements(std::string_view text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        const size_t length = WellFormedSequenceAt(text, i);
        if (length == 0) {
            out += kReplacement;
            ++i;
            continue;
        }
        constexpr uint8_t kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
        char32_t cp = static_cast<uint8_t>(text[i]) & kLeadBits[length];
        for (size_t k = 1; k < length; ++k) {
            cp = (cp << 6) | (static_cast<uint8_t>(text[i + k]) & 0x3F);
        }
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += length;
    }
    return out;
}

// The text with each unpaired surrogate replaced by U+FFFD.
std::u16string WithUnpairedSurrogatesReplaced(std::u16string_view text) {
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            out += text[i];
            out += text[++i];
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            out += kReplacement;
        } else {
            out += text[i];
        }
    }
    return out;
}

void CheckUtf8Input(std::string_view input) {
    const std::u16string wide = vandir::Utf16FromUtf8(input);
    Check(wide == DecodedWithReplacements(input),
          "UTF-8 decodes by the well-formed table, each bad byte giving one U+FFFD");
    Check(WithUnpairedSurrogatesReplaced(wide) == wide, "UTF-16 from UTF-8 is well-formed");
    const std::string back = vandir::Utf8FromUtf16(wide);
    Check(IsWellFormedUtf8(back), "UTF-8 from UTF-16 is well-formed");
    if (IsWellFormedUtf8(input)) {
        Check(back == input, "valid UTF-8 survives UTF-16 unchanged");
    }
    Check(vandir::Utf16FromUtf8(back) == wide, "well-formed UTF-8 round-trips exactly");
}

void CheckUtf16Input(std::u16string_view input) {
    const std::string narrow = vandir::Utf8FromUtf16(input);
    Check(IsWellFormedUtf8(narrow), "UTF-8 from any UTF-16 is well-formed");
    Check(narrow.size() <= 3 * input.size(), "UTF-8 from UTF-16 has at most three bytes per unit");
    Check(vandir::Utf16FromUtf8(narrow) == WithUnpairedSurrogatesReplaced(input),
          "UTF-16 survives UTF-8 with only its unpaired surrogates replaced");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckUtf8Input(std::string_view(reinterpret_cast<const char*>(data), size));
    std::u16string units;
    for (size_t i = 0; i + 1 < size; i += 2) {
        units += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
    CheckUtf16Input(units);
    return 0;
}
