#include "pages/ColorSettingsDlg.h"

#include "i18n/LedPageToolTips.h"
#include "skin/layout/LedLayout.h"

namespace vandir {

CColorSettingsDlg::CColorSettingsDlg(SkinContext& context, PageHost& host, CWnd* parent)
    : CKivPage(layout::kLedPage, context, host, parent, LedPageToolTips()) {}

// The colour and mode rules come with the LED page's own work; until then the
// record passes through untouched.
void CColorSettingsDlg::PushSettings(const MouseSettings&) {}
void CColorSettingsDlg::CollectSettings(MouseSettings&) {}

}  // namespace vandir
