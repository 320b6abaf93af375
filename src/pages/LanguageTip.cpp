#include "pages/LanguageTip.h"

#include "i18n/LanguagePageToolTips.h"
#include "skin/KivCheckBox.h"
#include "skin/layout/LanguageLayout.h"

namespace vandir {

namespace {
// Language index n has the button IDC_LANGUAGE_1 + n - 1.
constexpr int ButtonOf(int language) {
    return IDC_LANGUAGE_1 + language - kFirstLanguage;
}
}  // namespace

CLanguageTip::CLanguageTip(SkinContext& context, PageHost& host, CWnd* parent)
    : CKivPage(layout::kLanguagePage, context, host, parent, LanguagePageToolTips()) {}

void CLanguageTip::PushSettings(const MouseSettings& settings) {
    selectedLanguage_ = settings.language;
    MarkLanguage(selectedLanguage_);
}

void CLanguageTip::CollectSettings(MouseSettings& settings) {
    settings.language = selectedLanguage_;
}

void CLanguageTip::MarkLanguage(int language) {
    for (int index = kFirstLanguage; index < kFirstLanguage + kLanguageCount; ++index) {
        Item<CKivCheckBox>(ButtonOf(index)).SetChecked(index == language);
    }
}

void CLanguageTip::OnControlEvent(const ControlEvent& event) {
    const int language = event.id - IDC_LANGUAGE_1 + kFirstLanguage;
    if (event.kind != ControlEvent::Kind::Clicked || !IsLanguageIndex(language)) {
        return;
    }
    // The button has toggled itself; the page decides: only this one checked.
    MarkLanguage(language);
    selectedLanguage_ = static_cast<uint8_t>(language);
    host().ApplyLanguageToAll(language);
}

}  // namespace vandir
