// The support and language pages' own rules, on the real main window.

#include <gtest/gtest.h>

#include <windows.h>

#include "pages/LanguageTip.h"
#include "pages/SupportDlg.h"
#include "skin/KivCheckBox.h"
#include "skin/layout/ResourceIds.h"
#include "win32/app/MainWindowFixture.h"

namespace vandir::testing {
namespace {

void Click(CWnd& window, int id) {
    window.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(window.GetDlgItem(id)));
}

// Which language buttons are checked, as indices 1..12.
std::vector<int> Checked(CKivPage& page) {
    std::vector<int> checked;
    for (int index = 1; index <= 12; ++index) {
        if (page.Item<CKivCheckBox>(IDC_LANGUAGE_1 + index - 1).checked()) {
            checked.push_back(index);
        }
    }
    return checked;
}

TEST(SupportPage, AutoStartIsCheckedOnlyForOneAndCollectedAsOneOrZero) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CKivPage& support = app.window->page(PageId::Support);
    const struct {
        uint8_t pushed;
        bool checked;
        uint8_t collected;
    } cases[] = {{0, false, 0}, {1, true, 1}, {2, false, 0}, {255, false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.pushed));
        MouseSettings record = app.window->settings();
        record.autoStart = c.pushed;
        support.PushSettings(record);
        EXPECT_EQ(support.Item<CKivCheckBox>(IDC_SUPPORT_AUTOSTART).checked(), c.checked);
        support.CollectSettings(record);
        EXPECT_EQ(record.autoStart, c.collected);
    }
}

TEST(SupportPage, OnlineSupportOpensThePageEachTimeAndEnterOrEscDoNothing) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CKivPage& support = app.window->page(PageId::Support);
    app.window->ShowPage(PageId::Support);
    app.log.Clear();
    Click(support, IDC_SUPPORT_ONLINE);
    Click(support, IDC_SUPPORT_ONLINE);
    EXPECT_EQ(app.log.Events(), (std::vector<std::string>{"support page", "support page"}));
    support.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    support.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(support.IsWindowVisible());
}

TEST(LanguagePage, PushMarksTheStoredLanguageOrNone) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CKivPage& page = app.window->page(PageId::Language);
    MouseSettings record = app.window->settings();
    for (const int language : {1, 3, 12}) {
        record.language = static_cast<uint8_t>(language);
        page.PushSettings(record);
        EXPECT_EQ(Checked(page), std::vector<int>{language});
    }
    for (const int language : {0, 13}) {
        SCOPED_TRACE(language);
        record.language = static_cast<uint8_t>(language);
        page.PushSettings(record);
        EXPECT_TRUE(Checked(page).empty());
        MouseSettings collected = app.window->settings();
        page.CollectSettings(collected);
        EXPECT_EQ(collected.language, language);  // kept as it came
    }
}

TEST(LanguagePage, AClickChecksOnlyThatLanguageAlsoTwice) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CKivPage& page = app.window->page(PageId::Language);
    Click(page, IDC_LANGUAGE_5);
    EXPECT_EQ(Checked(page), std::vector<int>{5});
    // The check box toggled itself off; the page keeps it checked.
    page.Item<CKivCheckBox>(IDC_LANGUAGE_5).SetChecked(false);
    Click(page, IDC_LANGUAGE_5);
    EXPECT_EQ(Checked(page), std::vector<int>{5});
    EXPECT_EQ(static_cast<CLanguageTip&>(page).selectedLanguage(), 5);
    EXPECT_EQ(app.window->settings().language, 1);  // the record follows at a collect
}

// Esc and Enter on this page: MainWindowInputTest.cpp (real keys).

}  // namespace
}  // namespace vandir::testing
