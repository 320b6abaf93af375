#pragma once
// Tool-tip text tables: one table per window, one row per tool (a control of
// the window), one column per language index 1..12. The fixed English words of
// the interface are printed in the skin pictures, so the English column is
// empty everywhere; the texts registered when a window sets up its tool tips
// are the English set-up texts.

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace vandir {

// Language indices: 1 English ... 12 Traditional Chinese.
inline constexpr int kFirstLanguage = 1;
inline constexpr int kLanguageCount = 12;

constexpr bool IsLanguageIndex(int language) {
    return language >= kFirstLanguage && language < kFirstLanguage + kLanguageCount;
}

struct ToolTipRow {
    int controlId;
    std::u16string_view setUpText;
    // Column k holds the text of language index k + 1.
    std::array<std::u16string_view, kLanguageCount> texts;

    // The text for a language index 1..12; nothing for any other index
    // (a window then leaves its tips as they are).
    constexpr std::optional<std::u16string_view> TextFor(int language) const {
        if (!IsLanguageIndex(language)) {
            return std::nullopt;
        }
        return texts[language - kFirstLanguage];
    }
};

using ToolTipTable = std::span<const ToolTipRow>;

}  // namespace vandir
