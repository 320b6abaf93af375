#pragma once
// The texts of the LED page's colour boxes: a box holds at most three
// characters and at most 255; its value is the number its leading digits
// make, 0 when it starts with none.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "i18n/LeadingNumber.h"

namespace vandir {

inline constexpr std::size_t kColourTextLength = 3;
inline constexpr int kColourMaximum = 255;

// The text a colour box must show instead of this one: its first three
// characters when it is longer, and "255" when its number is above 255;
// none when the text may stand.
inline std::optional<std::wstring> CorrectedColourText(std::wstring_view text) {
    std::wstring corrected(text.substr(0, kColourTextLength));
    if (LeadingNumber(corrected) > kColourMaximum) {
        corrected = std::to_wstring(kColourMaximum);
    }
    if (corrected == text) {
        return std::nullopt;
    }
    return corrected;
}

}  // namespace vandir
