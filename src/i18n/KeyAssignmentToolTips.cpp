#include "i18n/KeyAssignmentToolTips.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "i18n/Languages.h"
#include "skin/layout/ResourceIds.h"

namespace vandir {
namespace {

// A function selector shows the translated name of the function it holds
// (TranslatedFunctionName), so its row carries no texts of its own.
constexpr std::array<std::u16string_view, kLanguageCount> kNamedByFunction{};

constexpr std::size_t kSelectorCount = 7;

// Columns by language index: English (always empty: the skin pictures print the
// English words), French, German, Italian, Japanese, Korean, Portuguese, Russian,
// Simplified Chinese, Spanish, Swedish, Traditional Chinese.
//
// Both modes of the page register all of these tools. The seven function
// selectors come first, then the page's other tools.
constexpr ToolTipRow kKeyAssignmentToolTips[] = {
    {IDC_MS_SELECTOR_1, u"Left Click", kNamedByFunction},
    {IDC_MS_SELECTOR_2, u"Right Click", kNamedByFunction},
    {IDC_MS_SELECTOR_3, u"Wheel Click", kNamedByFunction},
    {IDC_MS_SELECTOR_4, u"Browser Forward", kNamedByFunction},
    {IDC_MS_SELECTOR_5, u"Browser Back", kNamedByFunction},
    {IDC_MS_SELECTOR_6, u"DPI [+]", kNamedByFunction},
    {IDC_MS_SELECTOR_7, u"DPI [-]", kNamedByFunction},
    {IDC_MS_TAB_KEYS,
     u"Key Assignment",
     {
         u"",                             // English
         u"affectation de touches",       // French
         u"Tastenzuweisung",              // German
         u"Assegnazione tasti",           // Italian
         u"キー割り当て",                 // Japanese
         u"키 할당",                      // Korean
         u"Designação de Tecla",          // Portuguese
         u"с помощью назначения клавиш",  // Russian
         u"按键指派",                     // Simplified Chinese
         u"asignación de teclas",         // Spanish
         u"tilldelning av knappar",       // Swedish
         u"指定按鍵",                     // Traditional Chinese
     }},
    {IDC_MS_TAB_OS,
     u"OS Sensitivity",
     {
         u"",                     // English
         u"Sensibilité OS",       // French
         u"OS-Empfindlichkeit",   // German
         u"Sensibilità OS",       // Italian
         u"OS感度",               // Japanese
         u"OS 민감도",            // Korean
         u"Sensibilidade de OS",  // Portuguese
         u"Чувствительность ОС",  // Russian
         u"OS灵敏度",             // Simplified Chinese
         u"Sensibilidad SO",      // Spanish
         u"OS-känslighet",        // Swedish
         u"作業系統靈敏度",       // Traditional Chinese
     }},
    {IDC_MS_RESET, u"Reset", kResetWords},
    {IDC_MS_APPLY, u"Apply", kApplyWords},
    {IDC_MS_ANCHOR_POLLING,
     u"USB Polling rate",
     {
         u"",                          // English
         u"Taux de vérification USB",  // French
         u"USB-Abrufrate",             // German
         u"Polling rate USB",          // Italian
         u"USB ポーリングレート",      // Japanese
         u"USB 폴링률",                // Korean
         u"Taxa de resposta USB",      // Portuguese
         u"Частота опроса USB",        // Russian
         u"USB轮询速率",               // Simplified Chinese
         u"Tasa de sondeo USB",        // Spanish
         u"USB-pollninghastighet",     // Swedish
         u"USB 輪詢率",                // Traditional Chinese
     }},
    {IDC_MS_ANCHOR_SPEED,
     u"OS Sensitivity",
     {
         u"",                               // English
         u"Sensibilité OS",                 // French
         u"OS-Empfindlichkeit",             // German
         u"Sensibilità sistema operativo",  // Italian
         u"OS感度",                         // Japanese
         u"OS 민감도",                      // Korean
         u"Sensibilidade de OS",            // Portuguese
         u"Чувствительность ОС",            // Russian
         u"OS灵敏度",                       // Simplified Chinese
         u"Sensibilidad SO",                // Spanish
         u"OS-känslighet",                  // Swedish
         u"作業系統靈敏度",                 // Traditional Chinese
     }},
    {IDC_MS_ANCHOR_DOUBLE_CLICK,
     u"OS double Click speed",
     {
         u"",                                        // English
         u"Vitesse double clic OS",                  // French
         u"OS-Doppelklick-Geschwindigkeit",          // German
         u"Velocità doppio clic sistema operativo",  // Italian
         u"OSダブルクリックの速度",                  // Japanese
         u"OS 더블 클릭 속도",                       // Korean
         u"Velocidade do Clique Duplo do OS",        // Portuguese
         u"Скорость двойного щелчка ОС",             // Russian
         u"OS双击速度",                              // Simplified Chinese
         u"Velocidad de doble clic de SO",           // Spanish
         u"OS-hastighet för dubbelklick",            // Swedish
         u"作業系統按兩下速度",                      // Traditional Chinese
     }},
    {IDC_MS_ANCHOR_RESPONSE,
     u"Button response time",
     {
         u"",                                // English
         u"Temps de réponse bouton",         // French
         u"Reaktionszeit der Taste",         // German
         u"Tempo di risposta del pulsante",  // Italian
         u"ボタン応答時間",                  // Japanese
         u"버튼 반응 시간",                  // Korean
         u"Tempo de resposta do botão",      // Portuguese
         u"Время отклика кнопок",            // Russian
         u"按钮响应时间",                    // Simplified Chinese
         u"Tiempo de respuesta del botón",   // Spanish
         u"Svarstid för knapp",              // Swedish
         u"按鈕反應時間",                    // Traditional Chinese
     }},
    {IDC_MS_ANCHOR_LOCK,
     u"Lock OS settings",
     {
         u"",                                       // English
         u"Verrouiller paramètres OS",              // French
         u"OS-Einstellungen sperren",               // German
         u"Blocca impostazioni sistema operativo",  // Italian
         u"OSの設定をロックする",                   // Japanese
         u"OS 설정 잠금",                           // Korean
         u"Bloquear configurações de OS",           // Portuguese
         u"Настройки блокировки ОС",                // Russian
         u"锁定OS设置",                             // Simplified Chinese
         u"Bloquear configuración de SO",           // Spanish
         u"Lås OS-inställningar",                   // Swedish
         u"鎖定作業系統設定",                       // Traditional Chinese
     }},
};

}  // namespace

ToolTipTable KeyAssignmentToolTips() {
    return kKeyAssignmentToolTips;
}

ToolTipTable KeyAssignmentSelectorToolTips() {
    return KeyAssignmentToolTips().first(kSelectorCount);
}

ToolTipTable KeyAssignmentPageToolTips() {
    return KeyAssignmentToolTips().subspan(kSelectorCount);
}

}  // namespace vandir
