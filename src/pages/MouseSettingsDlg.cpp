#include "pages/MouseSettingsDlg.h"

#include "i18n/KeyAssignmentToolTips.h"
#include "skin/KivButton.h"
#include "skin/layout/KeyAssignmentLayout.h"

namespace vandir {

namespace {
const layout::WindowLayout& LayoutOf(int mode) {
    return mode == CMouseSettingsDlg::kOsSensitivityMode ? layout::kOsSensitivity
                                                         : layout::kKeyAssignment;
}
}  // namespace

CMouseSettingsDlg::CMouseSettingsDlg(int mode, SkinContext& context, PageHost& host, CWnd* parent)
    : CKivPage(LayoutOf(mode), context, host, parent, KeyAssignmentToolTips()),
      mode_(mode == kOsSensitivityMode ? kOsSensitivityMode : kKeyAssignmentMode) {}

// The settings controls of both faces come with the key-assignment page's own
// work; until then the record passes through untouched.
void CMouseSettingsDlg::PushSettings(const MouseSettings&) {}
void CMouseSettingsDlg::CollectSettings(MouseSettings&) {}

void CMouseSettingsDlg::MarkOwnTab() {
    const bool keys = mode_ == kKeyAssignmentMode;
    Item<CKivButton>(IDC_MS_TAB_KEYS).SetSelected(keys);
    Item<CKivButton>(IDC_MS_TAB_OS).SetSelected(!keys);
}

void CMouseSettingsDlg::OnControlEvent(const ControlEvent& event) {
    if (event.kind != ControlEvent::Kind::Clicked) {
        return;
    }
    if (event.id == IDC_MS_TAB_KEYS) {
        host().ShowPage(PageId::KeyAssignment);
    } else if (event.id == IDC_MS_TAB_OS) {
        host().ShowPage(PageId::OsSensitivity);
    }
}

}  // namespace vandir
