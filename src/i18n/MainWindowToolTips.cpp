#include "i18n/MainWindowToolTips.h"

#include "i18n/Languages.h"
#include "skin/layout/ResourceIds.h"

namespace vandir {
namespace {

// Columns by language index: English (always empty: the skin pictures print the
// English words), French, German, Italian, Japanese, Korean, Portuguese, Russian,
// Simplified Chinese, Spanish, Swedish, Traditional Chinese.
constexpr ToolTipRow kMainWindowToolTips[] = {
    {IDC_MAIN_TAB_KEYS,
     u"Main Control",
     {
         u"",                              // English
         u"Contrôle principal",            // French
         u"Hauptregler",                   // German
         u"Controllo principale",          // Italian
         u"メインコントロール",            // Japanese
         u"메인 컨트롤",                   // Korean
         u"Controle Principal",            // Portuguese
         u"Основные элементы управления",  // Russian
         u"主控制",                        // Simplified Chinese
         u"Control principal",             // Spanish
         u"Huvudkontroll",                 // Swedish
         u"主要控制項",                    // Traditional Chinese
     }},
    {IDC_MAIN_TAB_SENSOR,
     u"Sensor",
     {
         u"",          // English
         u"Capteur",   // French
         u"Sensor",    // German
         u"Sensore",   // Italian
         u"センサー",  // Japanese
         u"센서",      // Korean
         u"Sensor",    // Portuguese
         u"Сенсор",    // Russian
         u"感应器",    // Simplified Chinese
         u"Sensor",    // Spanish
         u"Sensor",    // Swedish
         u"感應器",    // Traditional Chinese
     }},
    {IDC_MAIN_TAB_LED,
     u"LED",
     {
         u"",           // English
         u"DEL",        // French
         u"LED",        // German
         u"LED",        // Italian
         u"LED",        // Japanese
         u"LED",        // Korean
         u"LED",        // Portuguese
         u"Индикатор",  // Russian
         u"LED",        // Simplified Chinese
         u"LED",        // Spanish
         u"LED",        // Swedish
         u"LED",        // Traditional Chinese
     }},
    {IDC_MAIN_TAB_SUPPORT,
     u"Support",
     {
         u"",               // English
         u"Support",        // French
         u"Unterstützung",  // German
         u"Supporto",       // Italian
         u"サポート",       // Japanese
         u"지원",           // Korean
         u"Suporte",        // Portuguese
         u"Поддержка",      // Russian
         u"支持",           // Simplified Chinese
         u"Soporte",        // Spanish
         u"Stöd",           // Swedish
         u"支援",           // Traditional Chinese
     }},
    {IDC_MAIN_LANGUAGE,
     u"Language",
     {
         u"",         // English
         u"Langue",   // French
         u"Sprache",  // German
         u"Lingua",   // Italian
         u"言語",     // Japanese
         u"언어",     // Korean
         u"Idioma",   // Portuguese
         u"Язык",     // Russian
         u"语言",     // Simplified Chinese
         u"Idioma",   // Spanish
         u"Språk",    // Swedish
         u"語言",     // Traditional Chinese
     }},
    {IDC_MAIN_RESET, u"Reset", kResetWords},
    {IDC_MAIN_APPLY, u"Apply", kApplyWords},
};

}  // namespace

ToolTipTable MainWindowToolTips() {
    return kMainWindowToolTips;
}

}  // namespace vandir
