#include "i18n/SupportPageToolTips.h"

#include "i18n/Languages.h"
#include "skin/layout/ResourceIds.h"

namespace vandir {
namespace {

// Columns by language index: English (always empty: the skin pictures print the
// English words), French, German, Italian, Japanese, Korean, Portuguese, Russian,
// Simplified Chinese, Spanish, Swedish, Traditional Chinese.
constexpr ToolTipRow kSupportPageToolTips[] = {
    {IDC_SUPPORT_ONLINE,
     u"Online support",
     {
         u"",                          // English
         u"Assistance en ligne",       // French
         u"Online-Unterstützung",      // German
         u"Supporto online",           // Italian
         u"オンラインサポート",        // Japanese
         u"온라인 지원",               // Korean
         u"Suporte online",            // Portuguese
         u"Онлайновая поддержка",      // Russian
         u"在线支持",                  // Simplified Chinese
         u"Soporte técnico en línea",  // Spanish
         u"Support på nätet",          // Swedish
         u"線上支援",                  // Traditional Chinese
     }},
    {IDC_SUPPORT_VERSION,
     u"Version info",
     {
         u"",                           // English
         u"Infos version",              // French
         u"Versionsinfo",               // German
         u"Informazioni versione",      // Italian
         u"バージョン情報",             // Japanese
         u"버전 정보",                  // Korean
         u"Informações da versão",      // Portuguese
         u"Сведения о версии",          // Russian
         u"版本信息",                   // Simplified Chinese
         u"Información de la versión",  // Spanish
         u"Version-info",               // Swedish
         u"版本資訊",                   // Traditional Chinese
     }},
    {IDC_SUPPORT_ANCHOR_AUTOSTART,
     u"Automatically start mouse SW at login",
     {
         u"",                                                         // English
         u"Démarrer logiciel de la souris à la connexion",            // French
         u"Maussoftware bei Anmeldung automatisch starten",           // German
         u"Avvia automaticamente il software del mouse all'accesso",  // Italian
         u"ログイン時に自動的にマウスSWを開始する",                   // Japanese
         u"로그인 시 마우스 SW 자동 시작",                            // Korean
         u"Automatically start mouse SW at login",                    // Portuguese, kept in English
         u"Автоматически запускать ПО мыши при входе",                // Russian
         u"登录时自动启动鼠标SW",                                     // Simplified Chinese
         u"Iniciar automáticamente el software del ratón al iniciar sesión",  // Spanish
         u"Starta automatiskt mus-programmet vid inloggning",                 // Swedish
         u"登入時自動啟動滑鼠軟體",                                           // Traditional Chinese
     }},
    {IDC_SUPPORT_RESET, u"Reset", kResetWords},
    {IDC_SUPPORT_APPLY, u"Apply", kApplyWords},
};

}  // namespace

ToolTipTable SupportPageToolTips() {
    return kSupportPageToolTips;
}

}  // namespace vandir
