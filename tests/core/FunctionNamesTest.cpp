#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "i18n/FunctionNames.h"
#include "i18n/Languages.h"
#include "i18n/Unicode.h"

namespace vandir {
namespace {

struct NameCase {
    int32_t id;
    int language;
    std::u16string name;
};

// Every row in two languages, then the texts with unusual characters elsewhere.
TEST(FunctionNames, TranslatedNames) {
    const std::vector<NameCase> cases = {
        {0, kGerman, u"Deaktivieren"},
        {1101, kGerman, u"Linksklick"},
        {1102, kGerman, u"Rechtsklick"},
        {1103, kGerman, u"Radklick"},
        {1105, kGerman, u"Browser weiter"},
        {1104, kGerman, u"Browser zurück"},
        {2208, kGerman, u"Webbrowser"},
        {2209, kGerman, u"E-Mail"},
        {2210, kGerman, u"Medienplayer"},
        {2201, kGerman, u"Wiedergabe/ Pause"},
        {2202, kGerman, u"Stopp"},
        {2204, kGerman, u"Nächste Spur"},
        {2203, kGerman, u"Vorherige Spur"},
        {2205, kGerman, u"Lauter"},
        {2206, kGerman, u"Leiser"},
        {2207, kGerman, u"Stumm"},
        {2211, kGerman, u"Rechner"},
        {2212, kGerman, u"Mein Computer"},
        {2502, kGerman, u"DPI [+]"},
        {2504, kGerman, u"DPI [-]"},
        {2503, kGerman, u"DPI-Zyklus [+]"},
        {2505, kGerman, u"DPI-Zyklus [-]"},
        {2600, kGerman, u"Sensor EIN/AUS"},
        {2700, kGerman, u"LOD Anpassen (länger als 3Sek. drüken) "},
        {2000, kGerman, u"Tastatur"},
        {2300, kGerman, u"Schnellfeuer"},
        {0, kRussian, u"Отключить"},
        {1101, kRussian, u"Щелчок левой кнопкой"},
        {1102, kRussian, u"Щелчок правой кнопкой"},
        {1103, kRussian, u"Щелчок колесиком"},
        {1105, kRussian, u"Браузер – вперед"},
        {1104, kRussian, u"Браузер — назад"},
        {2208, kRussian, u"Веб-браузер"},
        {2209, kRussian, u"Эл.\u00A0почта"},
        {2210, kRussian, u"Медиаплеер"},
        {2201, kRussian, u"Пуск / пауза"},
        {2202, kRussian, u"Стоп"},
        {2204, kRussian, u"Следующий файл"},
        {2203, kRussian, u"Предыдущий файл"},
        {2205, kRussian, u"Увеличение громкости"},
        {2206, kRussian, u"Уменьшение громкости"},
        {2207, kRussian, u"Отключение звука"},
        {2211, kRussian, u"Калькулятор"},
        {2212, kRussian, u"Мой компьютер"},
        {2502, kRussian, u"DPI [+]"},
        {2504, kRussian, u"DPI [-]"},
        {2503, kRussian, u"Переключение DPI [+]"},
        {2505, kRussian, u"Переключение DPI [–]"},
        {2600, kRussian, u"Вкл. / выкл. сенсор"},
        {2700, kRussian, u"Настройка дистанции отрыва (удерживать не менее 3-х секунд)"},
        {2000, kRussian, u"Клавиатура"},
        {2300, kRussian, u"Быстрый огонь"},
        {2700, kKorean, u" LOD 조절 (3초 이상 누르세요)"},
        {2700, kJapanese, u"LODチューニング（3秒以上長押し）"},
        {2600, kPortuguese, u"LIGA/DESLIGA Sensor "},
        {2700, kTraditionalChinese, u"抬升高度調整(續按3秒) "},
        {2502, kSwedish, u"DPI-knapp (+)"},
        {2504, kSpanish, u"PPP [-]"},
        {2505, kSimplifiedChinese, u"DPI循环[-]"},
        {2203, kJapanese, u"トラックを準備"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(TranslatedFunctionName(c.id, c.language), c.name)
            << c.id << " language " << c.language << " expected " << Utf8FromUtf16(c.name);
    }
}

// The identifiers that have a name of their own, one per row.
const std::vector<int32_t> kNamedIds = {0,    1101, 1102, 1103, 1104, 1105, 2201, 2202,
                                        2203, 2204, 2205, 2206, 2207, 2208, 2209, 2210,
                                        2211, 2212, 2502, 2503, 2504, 2505, 2600, 2700};

struct GroupCase {
    int language;
    std::u16string keyboard;
    std::u16string rapidFire;
};

TEST(FunctionNames, KeyboardAndRapidFireRangesShareOneName) {
    const std::vector<GroupCase> cases = {
        {kFrench, u"Clavier", u"Tir rapide"},
        {kJapanese, u"キーボード", u"ラピッドファイア"},
        {kTraditionalChinese, u"鍵盤", u"連續射擊"},
    };
    for (const GroupCase& c : cases) {
        for (int32_t id = 2000; id <= 2199; ++id) {
            ASSERT_EQ(TranslatedFunctionName(id, c.language), c.keyboard) << id;
        }
        for (int32_t id = 2300; id <= 2499; ++id) {
            ASSERT_EQ(TranslatedFunctionName(id, c.language), c.rapidFire) << id;
        }
    }
}

TEST(FunctionNames, EveryLanguageButEnglishNamesEveryRow) {
    std::vector<int32_t> ids = kNamedIds;
    ids.insert(ids.end(), {2000, 2199, 2300, 2499});
    for (int language = kFrench; language <= kTraditionalChinese; ++language) {
        for (int32_t id : ids) {
            EXPECT_FALSE(TranslatedFunctionName(id, language).empty())
                << id << " language " << language;
        }
    }
}

TEST(FunctionNames, IdentifiersWithoutARowHaveNoName) {
    // Neighbours of the rows, and the list headings of the multimedia and DPI
    // sub-lists; the rapid-fire headings lie inside the rapid-fire range.
    const std::vector<int32_t> unnamed = {-1,   1,    1100, 1106, 1999, 2200, 2213, 2299,
                                          2500, 2501, 2506, 2599, 2601, 2699, 2701, 2800};
    for (int language = kEnglish; language <= kTraditionalChinese; ++language) {
        for (int32_t id : unnamed) {
            EXPECT_EQ(TranslatedFunctionName(id, language), u"") << id << " language " << language;
        }
    }
}

TEST(FunctionNames, EnglishAndUnknownLanguagesGiveNoName) {
    for (int32_t id = -1; id <= 2800; ++id) {
        ASSERT_EQ(TranslatedFunctionName(id, kEnglish), u"") << id;
        ASSERT_EQ(TranslatedFunctionName(id, 0), u"") << id;
        ASSERT_EQ(TranslatedFunctionName(id, 13), u"") << id;
    }
}

}  // namespace
}  // namespace vandir
