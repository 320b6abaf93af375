#include "i18n/LanguagePageToolTips.h"

#include "i18n/Languages.h"
#include "skin/layout/ResourceIds.h"

namespace vandir {
namespace {

constexpr const LanguageInfo& Language(int language) {
    return kLanguages[language - kFirstLanguage];
}

// Columns by language index: English (always empty: the skin pictures print the
// English words), French, German, Italian, Japanese, Korean, Portuguese, Russian,
// Simplified Chinese, Spanish, Swedish, Traditional Chinese.
//
// The language buttons register the English language names.
// The Portuguese column keeps most names in English.
constexpr ToolTipRow kLanguagePageToolTips[] = {
    {Language(kEnglish).buttonId,
     Language(kEnglish).englishName,
     {
         u"",            // English
         u"Anglais",     // French
         u"Englisch",    // German
         u"Inglese",     // Italian
         u"英語",        // Japanese
         u"영어",        // Korean
         u"Inglês",      // Portuguese
         u"Английский",  // Russian
         u"英语",        // Simplified Chinese
         u"Inglés",      // Spanish
         u"Engelska",    // Swedish
         u"英文",        // Traditional Chinese
     }},
    {Language(kFrench).buttonId,
     Language(kFrench).englishName,
     {
         u"",             // English
         u"Français",     // French
         u"Französisch",  // German
         u"Francese",     // Italian
         u"フランス語",   // Japanese
         u"프랑스어",     // Korean
         u"Francês",      // Portuguese
         u"Французский",  // Russian
         u"法语",         // Simplified Chinese
         u"Francés",      // Spanish
         u"Franska",      // Swedish
         u"法文",         // Traditional Chinese
     }},
    {Language(kGerman).buttonId,
     Language(kGerman).englishName,
     {
         u"",          // English
         u"Allemand",  // French
         u"Deutsch",   // German
         u"Tedesco",   // Italian
         u"ドイツ語",  // Japanese
         u"독일어",    // Korean
         u"German",    // Portuguese
         u"Немецкий",  // Russian
         u"德语",      // Simplified Chinese
         u"Alemán",    // Spanish
         u"Tyska",     // Swedish
         u"德文",      // Traditional Chinese
     }},
    {Language(kItalian).buttonId,
     Language(kItalian).englishName,
     {
         u"",             // English
         u"Italien",      // French
         u"Italienisch",  // German
         u"Italiano",     // Italian
         u"イタリア語",   // Japanese
         u"이탈리아어",   // Korean
         u"Italian",      // Portuguese
         u"Итальянский",  // Russian
         u"意大利语",     // Simplified Chinese
         u"Italiano",     // Spanish
         u"Italienska",   // Swedish
         u"義大利文",     // Traditional Chinese
     }},
    {Language(kJapanese).buttonId,
     Language(kJapanese).englishName,
     {
         u"",            // English
         u"Japonais",    // French
         u"Japanisch",   // German
         u"Giapponese",  // Italian
         u"日本語",      // Japanese
         u"일본어",      // Korean
         u"Japanese",    // Portuguese
         u"Японский",    // Russian
         u"日语",        // Simplified Chinese
         u"Japonés",     // Spanish
         u"Japanska",    // Swedish
         u"日文",        // Traditional Chinese
     }},
    {Language(kKorean).buttonId,
     Language(kKorean).englishName,
     {
         u"",            // English
         u"Coréen",      // French
         u"Koreanisch",  // German
         u"Coreano",     // Italian
         u"韓国語",      // Japanese
         u"한국어",      // Korean
         u"Korean",      // Portuguese
         u"Корейский",   // Russian
         u"朝鲜语",      // Simplified Chinese
         u"Coreano",     // Spanish
         u"Koreanska",   // Swedish
         u"韓文",        // Traditional Chinese
     }},
    {Language(kPortuguese).buttonId,
     Language(kPortuguese).englishName,
     {
         u"",               // English
         u"Portugais",      // French
         u"Portugiesisch",  // German
         u"Portoghese",     // Italian
         u"ポルトガル語",   // Japanese
         u"포르투갈어",     // Korean
         u"Portuguese",     // Portuguese
         u"Португальский",  // Russian
         u"葡萄牙语",       // Simplified Chinese
         u"Portugués",      // Spanish
         u"Portugisiska",   // Swedish
         u"葡萄牙文",       // Traditional Chinese
     }},
    {Language(kRussian).buttonId,
     Language(kRussian).englishName,
     {
         u"",          // English
         u"Russe",     // French
         u"Russisch",  // German
         u"Russo",     // Italian
         u"ロシア語",  // Japanese
         u"러시아어",  // Korean
         u"Russian",   // Portuguese
         u"Русский",   // Russian
         u"俄语",      // Simplified Chinese
         u"Ruso",      // Spanish
         u"Ryska",     // Swedish
         u"俄文",      // Traditional Chinese
     }},
    {Language(kSimplifiedChinese).buttonId,
     Language(kSimplifiedChinese).englishName,
     {
         u"",                          // English
         u"Chinois simplifié",         // French
         u"Chinesisch (Vereinfacht)",  // German
         u"Cinese semplificato",       // Italian
         u"簡体字中国語",              // Japanese
         u"중국어 간체",               // Korean
         u"Simplified Chinese",        // Portuguese
         u"Китайский упрощенный",      // Russian
         u"简体中文",                  // Simplified Chinese
         u"Chino simplificado",        // Spanish
         u"Förenklad kinesiska",       // Swedish
         u"簡體中文",                  // Traditional Chinese
     }},
    {Language(kSpanish).buttonId,
     Language(kSpanish).englishName,
     {
         u"",            // English
         u"Espagnol",    // French
         u"Spanisch",    // German
         u"Spagnolo",    // Italian
         u"スペイン語",  // Japanese
         u"스페인어",    // Korean
         u"Spanish",     // Portuguese
         u"Испанский",   // Russian
         u"西班牙语",    // Simplified Chinese
         u"Español",     // Spanish
         u"Spanska",     // Swedish
         u"西班牙文",    // Traditional Chinese
     }},
    {Language(kSwedish).buttonId,
     Language(kSwedish).englishName,
     {
         u"",                // English
         u"Suédois",         // French
         u"Schwedisch",      // German
         u"Svedese",         // Italian
         u"スウェーデン語",  // Japanese
         u"스웨덴어",        // Korean
         u"Swedish",         // Portuguese
         u"Шведский",        // Russian
         u"瑞典语",          // Simplified Chinese
         u"Sueco",           // Spanish
         u"Svenska",         // Swedish
         u"瑞典文",          // Traditional Chinese
     }},
    {Language(kTraditionalChinese).buttonId,
     Language(kTraditionalChinese).englishName,
     {
         u"",                           // English
         u"Chinois traditionnel",       // French
         u"Chinesisch (Traditionell)",  // German
         u"Cinese tradizionale",        // Italian
         u"繁体字中国語",               // Japanese
         u"중국어 번체",                // Korean
         u"Traditional Chinese",        // Portuguese
         u"Китайский традиционный",     // Russian
         u"繁体中文",                   // Simplified Chinese
         u"Chino tradicional",          // Spanish
         u"Traditionell kinesiska",     // Swedish
         u"繁體中文",                   // Traditional Chinese
     }},
    {IDC_LANGUAGE_RESET, u"Reset", kResetWords},
    {IDC_LANGUAGE_APPLY, u"Apply", kApplyWords},
};

}  // namespace

ToolTipTable LanguagePageToolTips() {
    return kLanguagePageToolTips;
}

}  // namespace vandir
