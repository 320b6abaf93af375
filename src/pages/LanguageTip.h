#pragma once
// CLanguageTip: the language page. A click on a language changes every
// window's tool tips at once; the record takes the choice at the next
// collect. Unlike the other pages, Enter and Esc hide it.

#include "pages/KivPage.h"

namespace vandir {

class CLanguageTip : public CKivPage {
public:
    CLanguageTip(SkinContext& context, PageHost& host, CWnd* parent);

    void PushSettings(const MouseSettings& settings) override;
    void CollectSettings(MouseSettings& settings) override;

    int selectedLanguage() const { return selectedLanguage_; }

protected:
    // Built hidden in idle time: it takes no focus, which would activate
    // (and raise) the main window from under whatever the user is looking at.
    BOOL OnInitDialog() override {
        CKivPage::OnInitDialog();
        return FALSE;
    }
    void OnControlEvent(const ControlEvent& event) override;
    void OnOK() override { EndDialog(IDOK); }
    void OnCancel() override { EndDialog(IDCANCEL); }

private:
    // Checks the button of the language index (1..12) and no other; any
    // other index leaves all twelve unchecked.
    void MarkLanguage(int language);

    uint8_t selectedLanguage_ = 1;
};

}  // namespace vandir
