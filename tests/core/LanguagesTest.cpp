#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "i18n/Languages.h"
#include "i18n/ToolTipTable.h"

namespace vandir {
namespace {

struct LanguageCase {
    int index;
    std::u16string name;
    int buttonId;
};

const std::vector<LanguageCase> kExpectedLanguages = {
    {1, u"English", 1118},    {2, u"French", 1119},   {3, u"German", 1120},
    {4, u"Italian", 1121},    {5, u"Japanese", 1122}, {6, u"Korean", 1123},
    {7, u"Portuguese", 1124}, {8, u"Russian", 1125},  {9, u"Simplified Chinese", 1126},
    {10, u"Spanish", 1127},   {11, u"Swedish", 1128}, {12, u"Traditional Chinese", 1129},
};

TEST(Languages, IndicesNamesAndButtons) {
    ASSERT_EQ(kLanguages.size(), kExpectedLanguages.size());
    for (std::size_t i = 0; i < kExpectedLanguages.size(); ++i) {
        const LanguageCase& c = kExpectedLanguages[i];
        EXPECT_EQ(kLanguages[i].index, c.index);
        EXPECT_EQ(kLanguages[i].englishName, c.name) << c.index;
        EXPECT_EQ(kLanguages[i].buttonId, c.buttonId) << c.index;
        EXPECT_TRUE(IsLanguageIndex(c.index));
        EXPECT_EQ(LanguageName(c.index), c.name);
        EXPECT_EQ(LanguageButtonId(c.index), c.buttonId);
    }
    const std::vector<int> named = {kEnglish,           kFrench,  kGerman,     kItalian,
                                    kJapanese,          kKorean,  kPortuguese, kRussian,
                                    kSimplifiedChinese, kSpanish, kSwedish,    kTraditionalChinese};
    EXPECT_EQ(named, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

TEST(Languages, IndexOutsideOneToTwelveHasNothing) {
    for (int index : {-1, 0, 13, 255}) {
        EXPECT_FALSE(IsLanguageIndex(index)) << index;
        EXPECT_EQ(LanguageName(index), u"") << index;
        EXPECT_EQ(LanguageButtonId(index), 0) << index;
        EXPECT_EQ(ResetWord(index), u"") << index;
        EXPECT_EQ(ApplyWord(index), u"") << index;
    }
}

struct WordsCase {
    int language;
    std::u16string reset;
    std::u16string apply;
};

TEST(Languages, ResetAndApplyWords) {
    const std::vector<WordsCase> cases = {
        {kEnglish, u"", u""},
        {kFrench, u"Réinitialiser", u"Appliquer"},
        {kGerman, u"Zurücksetzen", u"Übernehmen"},
        {kItalian, u"Ripristina", u"Applica"},
        {kJapanese, u"リセットする", u"適用する"},
        {kKorean, u"재설정", u"적용"},
        {kPortuguese, u"Reinicializar", u"Aplicar"},
        {kRussian, u"Сброс", u"Применить"},
        {kSimplifiedChinese, u"重置", u"应用"},
        {kSpanish, u"Restablecer", u"Aplicar"},
        {kSwedish, u"Återställ", u"Tillämpa"},
        {kTraditionalChinese, u"重設", u"套用"},

    };
    for (const WordsCase& c : cases) {
        EXPECT_EQ(ResetWord(c.language), c.reset) << c.language;
        EXPECT_EQ(ApplyWord(c.language), c.apply) << c.language;
    }
}

}  // namespace
}  // namespace vandir
