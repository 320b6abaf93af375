#pragma once
// The twelve user-interface languages: their indices, English names, the
// language page's button of each, and the single Reset and Apply words that
// every window uses in each language.

#include <array>
#include <string_view>

#include "i18n/ToolTipTable.h"

namespace vandir {

inline constexpr int kEnglish = 1;
inline constexpr int kFrench = 2;
inline constexpr int kGerman = 3;
inline constexpr int kItalian = 4;
inline constexpr int kJapanese = 5;
inline constexpr int kKorean = 6;
inline constexpr int kPortuguese = 7;
inline constexpr int kRussian = 8;
inline constexpr int kSimplifiedChinese = 9;
inline constexpr int kSpanish = 10;
inline constexpr int kSwedish = 11;
inline constexpr int kTraditionalChinese = 12;

struct LanguageInfo {
    int index;
    // Also the tool-tip text that the language page registers for the button.
    std::u16string_view englishName;
    int buttonId;  // the language page's button of this language
};

// In index order.
inline constexpr std::array<LanguageInfo, kLanguageCount> kLanguages = {{
    {kEnglish, u"English", 1118},
    {kFrench, u"French", 1119},
    {kGerman, u"German", 1120},
    {kItalian, u"Italian", 1121},
    {kJapanese, u"Japanese", 1122},
    {kKorean, u"Korean", 1123},
    {kPortuguese, u"Portuguese", 1124},
    {kRussian, u"Russian", 1125},
    {kSimplifiedChinese, u"Simplified Chinese", 1126},
    {kSpanish, u"Spanish", 1127},
    {kSwedish, u"Swedish", 1128},
    {kTraditionalChinese, u"Traditional Chinese", 1129},
}};

// Column k holds the word of language index k + 1. Every window's Reset and
// Apply tools use these words; English has none (the skin pictures print it).
inline constexpr std::array<std::u16string_view, kLanguageCount> kResetWords = {
    u"",               // English
    u"Réinitialiser",  // French
    u"Zurücksetzen",   // German
    u"Ripristina",     // Italian
    u"リセットする",   // Japanese
    u"재설정",         // Korean
    u"Reinicializar",  // Portuguese
    u"Сброс",          // Russian
    u"重置",           // Simplified Chinese
    u"Restablecer",    // Spanish
    u"Återställ",      // Swedish
    u"重設",           // Traditional Chinese
};
inline constexpr std::array<std::u16string_view, kLanguageCount> kApplyWords = {
    u"",            // English
    u"Appliquer",   // French
    u"Übernehmen",  // German
    u"Applica",     // Italian
    u"適用する",    // Japanese
    u"적용",        // Korean
    u"Aplicar",     // Portuguese
    u"Применить",   // Russian
    u"应用",        // Simplified Chinese
    u"Aplicar",     // Spanish
    u"Tillämpa",    // Swedish
    u"套用",        // Traditional Chinese
};

// English name of a language index; empty outside 1..12.
std::u16string_view LanguageName(int language);

// The language page's button of a language index; 0 outside 1..12.
int LanguageButtonId(int language);

// Reset and Apply words of a language index; empty for English and outside 1..12.
std::u16string_view ResetWord(int language);
std::u16string_view ApplyWord(int language);

}  // namespace vandir
