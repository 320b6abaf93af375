#pragma once
// Conversions between the portable core's UTF-16 text (std::u16string) and the
// wide text of the Windows API. On Windows wchar_t is a UTF-16 code unit, so
// the conversions copy code units one for one and never change the text.

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t must be a UTF-16 code unit");

namespace vandir {

// The text as a zero-terminated wide string, valid as long as text is alive and
// unchanged. Only for passing to Windows functions, which read it as UTF-16.
inline const wchar_t* AsWide(const std::u16string& text) noexcept {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// A wide copy of the text, for building further paths or names from it.
inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

inline std::u16string FromWide(const wchar_t* text, size_t length) {
    return FromWide(std::wstring_view(text, length));
}

}  // namespace vandir
