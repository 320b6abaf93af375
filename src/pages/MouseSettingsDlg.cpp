#include "pages/MouseSettingsDlg.h"

#include "i18n/KeyAssignmentToolTips.h"
#include "pages/KeyAssignmentFace.h"
#include "pages/OsSensitivityFace.h"
#include "skin/KivButton.h"
#include "skin/layout/KeyAssignmentLayout.h"

namespace vandir {

namespace {

const layout::WindowLayout& LayoutOf(CMouseSettingsDlg::Mode mode) {
    return mode == CMouseSettingsDlg::Mode::OsSensitivity ? layout::kOsSensitivity
                                                          : layout::kKeyAssignment;
}

}  // namespace

CMouseSettingsDlg::CMouseSettingsDlg(Mode mode, SkinContext& context, PageHost& host,
                                     SystemIntegration& system, CWnd* parent)
    : CKivPage(LayoutOf(mode), context, host, parent, KeyAssignmentToolTips()),
      mode_(mode),
      face_(MakeFace(mode, *this, system)) {}

CMouseSettingsDlg::~CMouseSettingsDlg() = default;

std::unique_ptr<CMouseSettingsDlg::Face> CMouseSettingsDlg::MakeFace(Mode mode,
                                                                     CMouseSettingsDlg& page,
                                                                     SystemIntegration& system) {
    if (mode == Mode::OsSensitivity) {
        return std::make_unique<OsSensitivityFace>(page, system);
    }
    return std::make_unique<KeyAssignmentFace>(page);
}

BOOL CMouseSettingsDlg::OnInitDialog() {
    CKivPage::OnInitDialog();  // background, controls, the other face's controls hidden
    MarkOwnTab();
    face_->SetUp();
    return TRUE;
}

void CMouseSettingsDlg::PushSettings(const MouseSettings& settings) {
    if (GetSafeHwnd() != nullptr) {
        face_->Push(settings);
    }
}

void CMouseSettingsDlg::CollectSettings(MouseSettings& settings) {
    if (GetSafeHwnd() != nullptr) {
        face_->Collect(settings);
    }
}

void CMouseSettingsDlg::ApplyLanguage(int language) {
    CKivPage::ApplyLanguage(language);  // the page's nine tools, for 1..12
    if (GetSafeHwnd() != nullptr) {
        face_->ApplyLanguage(language);
    }
}

void CMouseSettingsDlg::MarkOwnTab() {
    const int own = face_->OwnTab();
    for (const int tab : {IDC_MS_TAB_KEYS, IDC_MS_TAB_OS}) {
        Item<CKivButton>(tab).SetSelected(tab == own);
    }
}

void CMouseSettingsDlg::BuildLists() {
    if (GetSafeHwnd() != nullptr) {
        face_->BuildLists();
    }
}

bool CMouseSettingsDlg::ListsBuilt() const {
    return GetSafeHwnd() == nullptr || face_->ListsBuilt();
}

void CMouseSettingsDlg::CloseLists() {
    if (GetSafeHwnd() != nullptr) {
        face_->CloseLists();
    }
}

void CMouseSettingsDlg::OnControlEvent(const ControlEvent& event) {
    // The tabs are the page's; every other control belongs to one face.
    if (event.kind == ControlEvent::Kind::Clicked && event.id == IDC_MS_TAB_KEYS) {
        host().ShowPage(PageId::KeyAssignment);
    } else if (event.kind == ControlEvent::Kind::Clicked && event.id == IDC_MS_TAB_OS) {
        host().ShowPage(PageId::OsSensitivity);
    } else {
        face_->OnControlEvent(event);
    }
}

}  // namespace vandir
