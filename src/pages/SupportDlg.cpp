#include "pages/SupportDlg.h"

#include "i18n/SupportPageToolTips.h"
#include "pages/PopDlg.h"
#include "skin/KivCheckBox.h"
#include "skin/layout/SupportLayout.h"

namespace vandir {

CSupportDlg::CSupportDlg(SkinContext& context, PageHost& host, SystemIntegration& system,
                         CWnd* parent)
    : CKivPage(layout::kSupportPage, context, host, parent, SupportPageToolTips()),
      system_(system) {}

void CSupportDlg::PushSettings(const MouseSettings& settings) {
    Item<CKivCheckBox>(IDC_SUPPORT_AUTOSTART).SetChecked(settings.autoStart == 1);
}

void CSupportDlg::CollectSettings(MouseSettings& settings) {
    settings.autoStart = Item<CKivCheckBox>(IDC_SUPPORT_AUTOSTART).checked() ? 1 : 0;
}

void CSupportDlg::OnControlEvent(const ControlEvent& event) {
    if (event.kind != ControlEvent::Kind::Clicked) {
        return;
    }
    switch (event.id) {
        case IDC_SUPPORT_ONLINE:
            system_.OpenSupportPage(kSupportAddress);
            break;
        case IDC_SUPPORT_VERSION:
            ShowVersion();
            break;
        default:
            break;  // the check box toggles itself; the record follows at the next collect
    }
}

void CSupportDlg::ShowVersion() {
    CPopDlg version(CPopDlg::kVersion, firmwareVersion_, context(), this);
    version.SetMouseLink(ensureOpen_);
    version.DoModal();
}

}  // namespace vandir
