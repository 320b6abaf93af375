#pragma once
// Conversions between the UTF-16 text the program holds and UTF-8.

#include <string>
#include <string_view>

namespace vandir {

// Unpaired surrogates become U+FFFD, so the result is always valid UTF-8.
std::string Utf8FromUtf16(std::u16string_view text);

// Invalid UTF-8 sequences become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);

}  // namespace vandir
