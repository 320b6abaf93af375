#include "i18n/SensorPageToolTips.h"

#include "i18n/Languages.h"
#include "skin/layout/ResourceIds.h"

namespace vandir {
namespace {

// Columns by language index: English (always empty: the skin pictures print the
// English words), French, German, Italian, Japanese, Korean, Portuguese, Russian,
// Simplified Chinese, Spanish, Swedish, Traditional Chinese.
constexpr ToolTipRow kSensorPageToolTips[] = {
    {IDC_SENSOR_ANCHOR_DPI_1,
     u"DPI level 1",
     {
         u"",                // English
         u"Niveau DPI 1",    // French
         u"DPI-Ebene 1",     // German
         u"DPI livello 1",   // Italian
         u"DPI レベル１",    // Japanese
         u"DPI 수준 1",      // Korean
         u"Nível DPI 1",     // Portuguese
         u"Уровень DPI 1",   // Russian
         u"DPI级别1",        // Simplified Chinese
         u"Nivel de PPP 1",  // Spanish
         u"DPI-nivå 1",      // Swedish
         u"DPI 等級 1",      // Traditional Chinese
     }},
    {IDC_SENSOR_ANCHOR_DPI_2,
     u"DPI level 2",
     {
         u"",                // English
         u"Niveau DPI 2",    // French
         u"DPI-Ebene 2",     // German
         u"DPI livello 2",   // Italian
         u"DPI レベル２",    // Japanese
         u"DPI 수준 2",      // Korean
         u"Nível DPI 2",     // Portuguese
         u"Уровень DPI 2",   // Russian
         u"DPI级别2",        // Simplified Chinese
         u"Nivel de PPP 2",  // Spanish
         u"DPI-nivå 2",      // Swedish
         u"DPI 等級 2",      // Traditional Chinese
     }},
    {IDC_SENSOR_ANCHOR_DPI_3,
     u"DPI level 3",
     {
         u"",                // English
         u"Niveau DPI 3",    // French
         u"DPI-Ebene 3",     // German
         u"DPI livello 3",   // Italian
         u"DPI レベル３",    // Japanese
         u"DPI 수준 3",      // Korean
         u"Nível DPI 3",     // Portuguese
         u"Уровень DPI 3",   // Russian
         u"DPI级别3",        // Simplified Chinese
         u"Nivel de PPP 3",  // Spanish
         u"DPI-nivå 3",      // Swedish
         u"DPI 等級 3",      // Traditional Chinese
     }},
    {IDC_SENSOR_ANCHOR_LIFT_OFF,
     u"Lift Off Distance",
     {
         u"",                            // English
         u"Distance soulèvement",        // French
         u"Abhebdistanz",                // German
         u"Distanza di funzionamento",   // Italian
         u"リフトオフ距離",              // Japanese
         u"발사 거리",                   // Korean
         u"Distância de elevação",       // Portuguese
         u"Расстояние отрыва",           // Russian
         u"抬起距离",                    // Simplified Chinese
         u"Distancia de levantamiento",  // Spanish
         u"Ta bort avstånd",             // Swedish
         u"抬升高度",                    // Traditional Chinese
     }},
    {IDC_SENSOR_RESET, u"Reset", kResetWords},
    {IDC_SENSOR_APPLY, u"Apply", kApplyWords},
};

}  // namespace

ToolTipTable SensorPageToolTips() {
    return kSensorPageToolTips;
}

}  // namespace vandir
