#include "i18n/FunctionNames.h"

#include <array>

#include "i18n/ToolTipTable.h"

namespace vandir {
namespace {

struct FunctionNameRow {
    int32_t firstId;  // a row names the identifiers firstId..lastId
    int32_t lastId;
    // Column k holds the name in language index k + 1.
    std::array<std::u16string_view, kLanguageCount> names;
};

// Columns by language index: English (always empty: the function lists are
// English already), French, German, Italian, Japanese, Korean, Portuguese,
// Russian, Simplified Chinese, Spanish, Swedish, Traditional Chinese.
// Rows follow the order of the function list.
constexpr FunctionNameRow kFunctionNames[] = {
    {0,
     0,
     {
         u"",              // English
         u"Désactiver",    // French
         u"Deaktivieren",  // German
         u"Disattiva",     // Italian
         u"無効にする",    // Japanese
         u"비활성화",      // Korean
         u"Desativar",     // Portuguese
         u"Отключить",     // Russian
         u"禁用",          // Simplified Chinese
         u"Deshabilitar",  // Spanish
         u"Inaktivera",    // Swedish
         u"停用",          // Traditional Chinese
     }},
    {1101,
     1101,
     {
         u"",                             // English
         u"Clic gauche",                  // French
         u"Linksklick",                   // German
         u"Clic sinistro",                // Italian
         u"左クリック",                   // Japanese
         u"왼쪽 클릭",                    // Korean
         u"Clique Esquerdo",              // Portuguese
         u"Щелчок левой кнопкой",         // Russian
         u"单击左键",                     // Simplified Chinese
         u"Clic con el botón izquierdo",  // Spanish
         u"Vänster knapp",                // Swedish
         u"按左鍵",                       // Traditional Chinese
     }},
    {1102,
     1102,
     {
         u"",                           // English
         u"Clic droit",                 // French
         u"Rechtsklick",                // German
         u"Clic destro",                // Italian
         u"右クリック",                 // Japanese
         u"오른쪽 클릭",                // Korean
         u"Clique Direito",             // Portuguese
         u"Щелчок правой кнопкой",      // Russian
         u"单击右键",                   // Simplified Chinese
         u"Clic con el botón derecho",  // Spanish
         u"Höger knapp",                // Swedish
         u"按右鍵",                     // Traditional Chinese
     }},
    {1103,
     1103,
     {
         u"",                   // English
         u"Clic molette",       // French
         u"Radklick",           // German
         u"Clic rotellina",     // Italian
         u"ホイールクリック",   // Japanese
         u"휠 클릭",            // Korean
         u"Clique da Roda",     // Portuguese
         u"Щелчок колесиком",   // Russian
         u"单击滚轮",           // Simplified Chinese
         u"Clic con la rueda",  // Spanish
         u"Hjulknapp",          // Swedish
         u"按滾輪鍵",           // Traditional Chinese
     }},
    {1105,
     1105,
     {
         u"",                         // English
         u"Navigateur suivant",       // French
         u"Browser weiter",           // German
         u"Sfoglia avanti",           // Italian
         u"ブラウザーで進む",         // Japanese
         u"브라우저 앞으로",          // Korean
         u"Avançar Navegador",        // Portuguese
         u"Браузер – вперед",         // Russian
         u"浏览器前进",               // Simplified Chinese
         u"Explorar hacia adelante",  // Spanish
         u"Framåtknapp",              // Swedish
         u"瀏覽器下一頁",             // Traditional Chinese
     }},
    {1104,
     1104,
     {
         u"",                      // English
         u"Navigateur précédent",  // French
         u"Browser zurück",        // German
         u"Sfoglia indietro",      // Italian
         u"ブラウザーで戻る",      // Japanese
         u"브라우저 뒤로",         // Korean
         u"Voltar Navegador",      // Portuguese
         u"Браузер — назад",       // Russian
         u"浏览器后退",            // Simplified Chinese
         u"Explorar hacia atrás",  // Spanish
         u"Bakåtknapp",            // Swedish
         u"瀏覽器上一頁",          // Traditional Chinese
     }},
    {2208,
     2208,
     {
         u"",                  // English
         u"Navigateur Web",    // French
         u"Webbrowser",        // German
         u"Browser web",       // Italian
         u"ウェブブラウザー",  // Japanese
         u"웹 브라우저",       // Korean
         u"Navegador da Web",  // Portuguese
         u"Веб-браузер",       // Russian
         u"Web浏览器",         // Simplified Chinese
         u"Explorador Web",    // Spanish
         u"Webbläsare",        // Swedish
         u"網路瀏覽器",        // Traditional Chinese
     }},
    {2209,
     2209,
     {
         u"",                    // English
         u"E-Mail",              // French
         u"E-Mail",              // German
         u"E-Mail",              // Italian
         u"Eメール",             // Japanese
         u"이메일",              // Korean
         u"E-Mail",              // Portuguese
         u"Эл.\u00A0почта",      // Russian, with a no-break space
         u"电子邮件",            // Simplified Chinese
         u"Correo electrónico",  // Spanish
         u"E-post",              // Swedish
         u"電子郵件",            // Traditional Chinese
     }},
    {2210,
     2210,
     {
         u"",                        // English
         u"Lecteur multimédia",      // French
         u"Medienplayer",            // German
         u"Lettore multimediale",    // Italian
         u"メディアプレイヤー",      // Japanese
         u"미디어 플레이어",         // Korean
         u"Reprodutor de Mídia",     // Portuguese
         u"Медиаплеер",              // Russian
         u"媒体播放器",              // Simplified Chinese
         u"Reproductor multimedia",  // Spanish
         u"Mediespelare",            // Swedish
         u"媒體播放器",              // Traditional Chinese
     }},
    {2201,
     2201,
     {
         u"",                    // English
         u"Lecture/Pause",       // French
         u"Wiedergabe/ Pause",   // German
         u"Riproduci /Pausa",    // Italian
         u"再生/一時停止",       // Japanese
         u"재생/일시 정지",      // Korean
         u"Reproduzir/ Pausar",  // Portuguese
         u"Пуск / пауза",        // Russian
         u"播放/暂停",           // Simplified Chinese
         u"Reproducir/Pausar",   // Spanish
         u"Spela/Pausa",         // Swedish
         u"播放/暫停",           // Traditional Chinese
     }},
    {2202,
     2202,
     {
         u"",         // English
         u"Arrêt",    // French
         u"Stopp",    // German
         u"Stop",     // Italian
         u"停止",     // Japanese
         u"중지",     // Korean
         u"Parar",    // Portuguese
         u"Стоп",     // Russian
         u"停止",     // Simplified Chinese
         u"Detener",  // Spanish
         u"Stopp",    // Swedish
         u"停止",     // Traditional Chinese
     }},
    {2204,
     2204,
     {
         u"",                  // English
         u"Piste suiv.",       // French
         u"Nächste Spur",      // German
         u"Traccia seguente",  // Italian
         u"次のトラック",      // Japanese
         u"다음 트랙",         // Korean
         u"Próxima Faixa",     // Portuguese
         u"Следующий файл",    // Russian
         u"下一个曲目",        // Simplified Chinese
         u"Pista siguiente",   // Spanish
         u"Nästa låt",         // Swedish
         u"下一首",            // Traditional Chinese
     }},
    {2203,
     2203,
     {
         u"",                    // English
         u"Piste préc.",         // French
         u"Vorherige Spur",      // German
         u"Traccia precedente",  // Italian
         u"トラックを準備",      // Japanese
         u"이전 트랙",           // Korean
         u"Prep Faixa",          // Portuguese
         u"Предыдущий файл",     // Russian
         u"上一个曲目",          // Simplified Chinese
         u"Pista anterior",      // Spanish
         u"Föregående låt",      // Swedish
         u"上一首",              // Traditional Chinese
     }},
    {2205,
     2205,
     {
         u"",                      // English
         u"Augmenter volume",      // French
         u"Lauter",                // German
         u"Alza volume",           // Italian
         u"ボリュームアップ",      // Japanese
         u"볼륨 업",               // Korean
         u"Aumentar Volume",       // Portuguese
         u"Увеличение громкости",  // Russian
         u"增大音量",              // Simplified Chinese
         u"Subir volumen",         // Spanish
         u"Volym upp",             // Swedish
         u"增加音量",              // Traditional Chinese
     }},
    {2206,
     2206,
     {
         u"",                      // English
         u"Réduire volume",        // French
         u"Leiser",                // German
         u"Abbassa volume",        // Italian
         u"ボリュームダウン",      // Japanese
         u"볼륨 다운",             // Korean
         u"Abaixar Volume",        // Portuguese
         u"Уменьшение громкости",  // Russian
         u"减小音量",              // Simplified Chinese
         u"Bajar volumen",         // Spanish
         u"Volym ned",             // Swedish
         u"降低音量",              // Traditional Chinese
     }},
    {2207,
     2207,
     {
         u"",                  // English
         u"Mute",              // French
         u"Stumm",             // German
         u"Mute",              // Italian
         u"ミュート",          // Japanese
         u"음소거",            // Korean
         u"Mudo",              // Portuguese
         u"Отключение звука",  // Russian
         u"静音",              // Simplified Chinese
         u"Silencio",          // Spanish
         u"Tyst",              // Swedish
         u"靜音",              // Traditional Chinese
     }},
    {2211,
     2211,
     {
         u"",              // English
         u"Calculatrice",  // French
         u"Rechner",       // German
         u"Calcolatore",   // Italian
         u"計算機",        // Japanese
         u"계산기",        // Korean
         u"Calculadora",   // Portuguese
         u"Калькулятор",   // Russian
         u"计算器",        // Simplified Chinese
         u"Calculadora",   // Spanish
         u"Räknare",       // Swedish
         u"計算機",        // Traditional Chinese
     }},
    {2212,
     2212,
     {
         u"",                    // English
         u"Poste de travail",    // French
         u"Mein Computer",       // German
         u"Il mio computer",     // Italian
         u"マイコンピューター",  // Japanese
         u"내 컴퓨터",           // Korean
         u"Meu computador",      // Portuguese
         u"Мой компьютер",       // Russian
         u"我的电脑",            // Simplified Chinese
         u"Mi PC",               // Spanish
         u"Min dator",           // Swedish
         u"我的電腦",            // Traditional Chinese
     }},
    {2502,
     2502,
     {
         u"",               // English
         u"DPI [+]",        // French
         u"DPI [+]",        // German
         u"DPI [+]",        // Italian
         u"DPI [+]",        // Japanese
         u"DPI [+]",        // Korean
         u"DPI [+]",        // Portuguese
         u"DPI [+]",        // Russian
         u"DPI [+]",        // Simplified Chinese
         u"PPP [+]",        // Spanish
         u"DPI-knapp (+)",  // Swedish
         u"DPI [+]",        // Traditional Chinese
     }},
    {2504,
     2504,
     {
         u"",               // English
         u"DPI [-]",        // French
         u"DPI [-]",        // German
         u"DPI [-]",        // Italian
         u"DPI [-]",        // Japanese
         u"DPI [-]",        // Korean
         u"DPI [-]",        // Portuguese
         u"DPI [-]",        // Russian
         u"DPI [-]",        // Simplified Chinese
         u"PPP [-]",        // Spanish
         u"DPI-knapp (-)",  // Swedish
         u"DPI [-]",        // Traditional Chinese
     }},
    {2503,
     2503,
     {
         u"",                      // English
         u"Cycle DPI [+]",         // French
         u"DPI-Zyklus [+]",        // German
         u"Ciclo DPI [+]",         // Italian
         u"DPI サイクル [+]",      // Japanese
         u"DPI 주기 [+]",          // Korean
         u"Ciclo DPI [+]",         // Portuguese
         u"Переключение DPI [+]",  // Russian
         u"DPI循环[+]",            // Simplified Chinese
         u"Ciclo PPP [+]",         // Spanish
         u"DPI-cykel [+]",         // Swedish
         u"DPI 循環 [+]",          // Traditional Chinese
     }},
    {2505,
     2505,
     {
         u"",                      // English
         u"Cycle DPI [-]",         // French
         u"DPI-Zyklus [-]",        // German
         u"Ciclo DPI [-]",         // Italian
         u"DPI サイクル [-]",      // Japanese
         u"DPI 주기 [-]",          // Korean
         u"Ciclo DPI [-]",         // Portuguese
         u"Переключение DPI [–]",  // Russian
         u"DPI循环[-]",            // Simplified Chinese
         u"Ciclo PPP [-]",         // Spanish
         u"DPI-cykel [-]",         // Swedish
         u"DPI 循環 [-]",          // Traditional Chinese
     }},
    {2600,
     2600,
     {
         u"",                           // English
         u"Capteur marche/arrêt",       // French
         u"Sensor EIN/AUS",             // German
         u"Sensore ON/OFF",             // Italian
         u"センサーオン/オフ",          // Japanese
         u"센서 ON/OFF",                // Korean
         u"LIGA/DESLIGA Sensor ",       // Portuguese
         u"Вкл. / выкл. сенсор",        // Russian
         u"感应器开/关",                // Simplified Chinese
         u"ACTIVAR/DESACTIVAR sensor",  // Spanish
         u"Sensor AV/PÅ",               // Swedish
         u"感應器開/關",                // Traditional Chinese
     }},
    {2700,
     2700,
     {
         u"",                                                             // English
         u"Réglage distance de soulèvement (Maintenir plus de 3sec)",     // French
         u"LOD Anpassen (länger als 3Sek. drüken) ",                      // German
         u"LOD tuning (premi per 3 secondi)",                             // Italian
         u"LODチューニング（3秒以上長押し）",                             // Japanese
         u" LOD 조절 (3초 이상 누르세요)",                                // Korean
         u"LOD Tuning (pressionar durante 3 segundos)",                   // Portuguese
         u"Настройка дистанции отрыва (удерживать не менее 3-х секунд)",  // Russian
         u"抬起距离调整(续按3秒)",                                        // Simplified Chinese
         u"LOD Tuning (Pulsar durante 3 seg.)",                           // Spanish
         u"LOD-inställning (håll intryckt 3 sekunder)",                   // Swedish
         u"抬升高度調整(續按3秒) ",                                       // Traditional Chinese
     }},
    {2000,
     2199,
     {
         u"",             // English
         u"Clavier",      // French
         u"Tastatur",     // German
         u"Tastiera",     // Italian
         u"キーボード",   // Japanese
         u"키보드",       // Korean
         u"Teclado",      // Portuguese
         u"Клавиатура",   // Russian
         u"键盘",         // Simplified Chinese
         u"Teclado",      // Spanish
         u"Tangentbord",  // Swedish
         u"鍵盤",         // Traditional Chinese
     }},
    {2300,
     2499,
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
         u"連續射擊",          // Traditional Chinese
     }},
};

}  // namespace

std::u16string_view TranslatedFunctionName(int32_t functionId, int language) {
    if (!IsLanguageIndex(language)) {
        return {};
    }
    for (const FunctionNameRow& row : kFunctionNames) {
        if (functionId >= row.firstId && functionId <= row.lastId) {
            return row.names[language - kFirstLanguage];
        }
    }
    return {};
}

}  // namespace vandir
