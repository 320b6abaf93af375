#include "i18n/LedPageToolTips.h"

#include "i18n/Languages.h"
#include "skin/layout/ResourceIds.h"

namespace vandir {
namespace {

// Columns by language index: English (always empty: the skin pictures print the
// English words), French, German, Italian, Japanese, Korean, Portuguese, Russian,
// Simplified Chinese, Spanish, Swedish, Traditional Chinese.
constexpr ToolTipRow kLedPageToolTips[] = {
    {IDC_LED_ANCHOR_ON,
     u"Always ON",
     {
         u"",                  // English
         u"Toujours activé",   // French
         u"Immer EIN",         // German
         u"Sempre ON",         // Italian
         u"常にオン",          // Japanese
         u"항상 켜짐",         // Korean
         u"Sempre Ligado",     // Portuguese
         u"Всегда вкл.",       // Russian
         u"始终开启",          // Simplified Chinese
         u"Siempre ACTIVADO",  // Spanish
         u"Alltid PÅ",         // Swedish
         u"永遠開啟",          // Traditional Chinese
     }},
    {IDC_LED_ANCHOR_OFF,
     u"Always OFF",
     {
         u"",                     // English
         u"Toujours désactivé",   // French
         u"Immer AUS",            // German
         u"Sempre OFF",           // Italian
         u"常にオフ",             // Japanese
         u"항상 꺼짐",            // Korean
         u"Sempre Desligado",     // Portuguese
         u"Всегда выкл.",         // Russian
         u"始终关闭",             // Simplified Chinese
         u"Siempre DESACTIVADO",  // Spanish
         u"Alltid AV",            // Swedish
         u"永遠關閉",             // Traditional Chinese
     }},
    {IDC_LED_ANCHOR_BLINK,
     u"Rapid fire",
     {
         u"",                  // English
         u"Tir rapide",        // French
         u"Schnellfeuer",      // German
         u"Fuoco automatico",  // Italian
         u"ラピッドファイア",  // Japanese
         u"빠른 실행",         // Korean
         u"Fogo rápido",       // Portuguese
         u"Быстрый огонь",     // Russian
         u"速射",              // Simplified Chinese
         u"Disparo rápido",    // Spanish
         u"Snabb eld",         // Swedish
         u"速射",              // Traditional Chinese
     }},
    {IDC_LED_ANCHOR_BREATHE,
     u"Breathing",
     {
         u"",                 // English
         u"Respiration",      // French
         u"Atmung",           // German
         u"Lampeggio lento",  // Italian
         u"ブリージング",     // Japanese
         u"브리싱",           // Korean
         u"Respirando",       // Portuguese
         u"Мерцание",         // Russian
         u"呼吸",             // Simplified Chinese
         u"Respiración",      // Spanish
         u"Andas",            // Swedish
         u"呼吸",             // Traditional Chinese
     }},
    {IDC_LED_RESET, u"Reset", kResetWords},
    {IDC_LED_APPLY, u"Apply", kApplyWords},
};

}  // namespace

ToolTipTable LedPageToolTips() {
    return kLedPageToolTips;
}

}  // namespace vandir
