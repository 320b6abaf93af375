#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "i18n/KeyAssignmentToolTips.h"
#include "i18n/LanguagePageToolTips.h"
#include "i18n/Languages.h"
#include "i18n/LedPageToolTips.h"
#include "i18n/MainWindowToolTips.h"
#include "i18n/SensorPageToolTips.h"
#include "i18n/SupportPageToolTips.h"
#include "i18n/ToolTipTable.h"
#include "i18n/Unicode.h"

namespace vandir {
namespace {

using TableFunction = ToolTipTable (*)();

struct Tool {
    int id;
    std::u16string setUpText;
};

struct WindowCase {
    const char* name;
    TableFunction table;
    // The tools in the order in which the window registers them.
    std::vector<Tool> tools;
    // Tools whose tips come from elsewhere, so their language columns stay empty.
    std::set<int> withoutTexts;
    int resetId;
    int applyId;
};

const std::vector<WindowCase>& Windows() {
    static const std::vector<WindowCase> windows = {
        {"main window",
         MainWindowToolTips,
         {{1000, u"Main Control"},
          {1001, u"Sensor"},
          {1002, u"LED"},
          {1004, u"Support"},
          {1118, u"Language"},
          {1031, u"Reset"},
          {1042, u"Apply"}},
         {},
         1031,
         1042},
        {"key-assignment page",
         KeyAssignmentToolTips,
         {{1012, u"Left Click"},
          {1021, u"Right Click"},
          {1022, u"Wheel Click"},
          {1023, u"Browser Forward"},
          {1024, u"Browser Back"},
          {1025, u"DPI [+]"},
          {1026, u"DPI [-]"},
          {1097, u"Key Assignment"},
          {1098, u"OS Sensitivity"},
          {1099, u"Reset"},
          {1100, u"Apply"},
          {1131, u"USB Polling rate"},
          {1133, u"OS Sensitivity"},
          {1134, u"OS double Click speed"},
          {1135, u"Button response time"},
          {1132, u"Lock OS settings"}},
         {1012, 1021, 1022, 1023, 1024, 1025, 1026},
         1099,
         1100},
        {"sensor page",
         SensorPageToolTips,
         {{1133, u"DPI level 1"},
          {1134, u"DPI level 2"},
          {1135, u"DPI level 3"},
          {1136, u"Lift Off Distance"},
          {1104, u"Reset"},
          {1105, u"Apply"}},
         {},
         1104,
         1105},
        {"LED page",
         LedPageToolTips,
         {{1132, u"Always ON"},
          {1133, u"Always OFF"},
          {1134, u"Rapid fire"},
          {1135, u"Breathing"},
          {1109, u"Reset"},
          {1110, u"Apply"}},
         {},
         1109,
         1110},
        {"support page",
         SupportPageToolTips,
         {{1071, u"Online support"},
          {1006, u"Version info"},
          {1134, u"Automatically start mouse SW at login"},
          {1100, u"Reset"},
          {1101, u"Apply"}},
         {},
         1100,
         1101},
        {"language page",
         LanguagePageToolTips,
         {{1118, u"English"},
          {1119, u"French"},
          {1120, u"German"},
          {1121, u"Italian"},
          {1122, u"Japanese"},
          {1123, u"Korean"},
          {1124, u"Portuguese"},
          {1125, u"Russian"},
          {1126, u"Simplified Chinese"},
          {1127, u"Spanish"},
          {1128, u"Swedish"},
          {1129, u"Traditional Chinese"},
          {1130, u"Reset"},
          {1131, u"Apply"}},
         {},
         1130,
         1131},
    };
    return windows;
}

const ToolTipRow* FindRow(ToolTipTable table, int id) {
    for (const ToolTipRow& row : table) {
        if (row.controlId == id) {
            return &row;
        }
    }
    return nullptr;
}

TEST(ToolTipTables, ToolsAndSetUpTextsInRegistrationOrder) {
    for (const WindowCase& window : Windows()) {
        SCOPED_TRACE(window.name);
        const ToolTipTable table = window.table();
        ASSERT_EQ(table.size(), window.tools.size());
        for (std::size_t i = 0; i < table.size(); ++i) {
            EXPECT_EQ(table[i].controlId, window.tools[i].id) << "row " << i;
            EXPECT_EQ(table[i].setUpText, window.tools[i].setUpText) << "row " << i;
        }
    }
}

TEST(ToolTipTables, EnglishEmptyAndEveryOtherLanguageFilled) {
    for (const WindowCase& window : Windows()) {
        SCOPED_TRACE(window.name);
        for (const ToolTipRow& row : window.table()) {
            SCOPED_TRACE(row.controlId);
            EXPECT_EQ(row.TextFor(kEnglish), u"");
            const bool filled = !window.withoutTexts.contains(row.controlId);
            for (int language = kFrench; language <= kTraditionalChinese; ++language) {
                EXPECT_EQ(row.TextFor(language)->empty(), !filled) << "language " << language;
            }
        }
    }
}

TEST(ToolTipTables, ControlIdsAreUniqueWithinAWindow) {
    for (const WindowCase& window : Windows()) {
        SCOPED_TRACE(window.name);
        std::set<int> seen;
        for (const ToolTipRow& row : window.table()) {
            EXPECT_TRUE(seen.insert(row.controlId).second) << "duplicate " << row.controlId;
        }
    }
}

TEST(ToolTipTables, ResetAndApplyUseTheWordsOfTheLanguage) {
    for (const WindowCase& window : Windows()) {
        SCOPED_TRACE(window.name);
        const ToolTipRow* reset = FindRow(window.table(), window.resetId);
        const ToolTipRow* apply = FindRow(window.table(), window.applyId);
        ASSERT_NE(reset, nullptr);
        ASSERT_NE(apply, nullptr);
        for (int language = kEnglish; language <= kTraditionalChinese; ++language) {
            EXPECT_EQ(reset->TextFor(language), ResetWord(language)) << "language " << language;
            EXPECT_EQ(apply->TextFor(language), ApplyWord(language)) << "language " << language;
        }
    }
}

TEST(ToolTipTables, IndexOutsideTheLanguagesGivesNoText) {
    for (const WindowCase& window : Windows()) {
        SCOPED_TRACE(window.name);
        for (const ToolTipRow& row : window.table()) {
            EXPECT_FALSE(row.TextFor(0).has_value()) << row.controlId;
            EXPECT_FALSE(row.TextFor(13).has_value()) << row.controlId;
        }
    }
}

struct SpotCase {
    TableFunction table;
    int id;
    int language;
    std::u16string text;
};

TEST(ToolTipTables, TranslatedTexts) {
    const std::vector<SpotCase> cases = {
        {MainWindowToolTips, 1001, kFrench, u"Capteur"},
        {MainWindowToolTips, 1002, kFrench, u"DEL"},
        {MainWindowToolTips, 1004, kGerman, u"Unterstützung"},
        {MainWindowToolTips, 1000, kRussian, u"Основные элементы управления"},
        {MainWindowToolTips, 1000, kTraditionalChinese, u"主要控制項"},
        {KeyAssignmentToolTips, 1097, kFrench, u"affectation de touches"},
        {KeyAssignmentToolTips, 1131, kJapanese, u"USB ポーリングレート"},
        {KeyAssignmentToolTips, 1134, kSwedish, u"OS-hastighet för dubbelklick"},
        {KeyAssignmentToolTips, 1133, kItalian, u"Sensibilità sistema operativo"},
        {KeyAssignmentToolTips, 1098, kItalian, u"Sensibilità OS"},
        {KeyAssignmentToolTips, 1135, kKorean, u"버튼 반응 시간"},
        {SensorPageToolTips, 1133, kJapanese, u"DPI レベル１"},
        {SensorPageToolTips, 1136, kFrench, u"Distance soulèvement"},
        {SensorPageToolTips, 1135, kTraditionalChinese, u"DPI 等級 3"},
        {SensorPageToolTips, 1134, kSpanish, u"Nivel de PPP 2"},
        {LedPageToolTips, 1132, kSwedish, u"Alltid PÅ"},
        {LedPageToolTips, 1134, kKorean, u"빠른 실행"},
        {LedPageToolTips, 1135, kItalian, u"Lampeggio lento"},
        {LedPageToolTips, 1133, kRussian, u"Всегда выкл."},
        {SupportPageToolTips, 1134, kGerman, u"Maussoftware bei Anmeldung automatisch starten"},
        {SupportPageToolTips, 1134, kPortuguese, u"Automatically start mouse SW at login"},
        {SupportPageToolTips, 1134, kItalian,
         u"Avvia automaticamente il software del mouse all'accesso"},
        {SupportPageToolTips, 1071, kSwedish, u"Support på nätet"},
        {SupportPageToolTips, 1006, kSimplifiedChinese, u"版本信息"},
        {LanguagePageToolTips, 1120, kPortuguese, u"German"},
        {LanguagePageToolTips, 1126, kGerman, u"Chinesisch (Vereinfacht)"},
        {LanguagePageToolTips, 1129, kKorean, u"중국어 번체"},
        {LanguagePageToolTips, 1119, kFrench, u"Français"},
        {LanguagePageToolTips, 1124, kSimplifiedChinese, u"葡萄牙语"},
    };
    for (const SpotCase& c : cases) {
        SCOPED_TRACE(Utf8FromUtf16(c.text));
        const ToolTipRow* row = FindRow(c.table(), c.id);
        ASSERT_NE(row, nullptr) << c.id;
        EXPECT_EQ(row->TextFor(c.language), c.text) << c.id << " language " << c.language;
    }
}

TEST(KeyAssignmentToolTips, SelectorsAndPageToolsSplitTheTable) {
    const std::vector<int> selectors = {1012, 1021, 1022, 1023, 1024, 1025, 1026};
    const std::vector<int> pageTools = {1097, 1098, 1099, 1100, 1131, 1133, 1134, 1135, 1132};
    std::vector<int> selectorIds;
    for (const ToolTipRow& row : KeyAssignmentSelectorToolTips()) {
        selectorIds.push_back(row.controlId);
    }
    std::vector<int> pageIds;
    for (const ToolTipRow& row : KeyAssignmentPageToolTips()) {
        pageIds.push_back(row.controlId);
    }
    EXPECT_EQ(selectorIds, selectors);
    EXPECT_EQ(pageIds, pageTools);
    EXPECT_EQ(KeyAssignmentSelectorToolTips().data(), KeyAssignmentToolTips().data());
    EXPECT_EQ(KeyAssignmentPageToolTips().data(),
              KeyAssignmentToolTips().data() + selectors.size());
}

}  // namespace
}  // namespace vandir
