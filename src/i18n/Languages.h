#pragma once
// The twelve user-interface languages: their indices, English names, the
// language page's button of each, and the single Reset and Apply words that
// every window uses in each language.

#include <array>
#include <string_view>

#include "i18n/ToolTipTable.h"
#include "skin/layout/ResourceIds.h"

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
    {kEnglish, u"English", IDC_LANGUAGE_1},
    {kFrench, u"French", IDC_LANGUAGE_2},
    {kGerman, u"German", IDC_LANGUAGE_3},
    {kItalian, u"Italian", IDC_LANGUAGE_4},
    {kJapanese, u"Japanese", IDC_LANGUAGE_5},
    {kKorean, u"Korean", IDC_LANGUAGE_6},
    {kPortuguese, u"Portuguese", IDC_LANGUAGE_7},
    {kRussian, u"Russian", IDC_LANGUAGE_8},
    {kSimplifiedChinese, u"Simplified Chinese", IDC_LANGUAGE_9},
    {kSpanish, u"Spanish", IDC_LANGUAGE_10},
    {kSwedish, u"Swedish", IDC_LANGUAGE_11},
    {kTraditionalChinese, u"Traditional Chinese", IDC_LANGUAGE_12},
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
