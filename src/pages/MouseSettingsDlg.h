#pragma once
// CMouseSettingsDlg: the "Mouse Settings" page in one of its two faces, key
// assignment (mode 12) or OS sensitivity (mode 17); the main window makes one
// of each from the same template. Its tabs 1097 and 1098 switch between the
// faces through the main window.

#include "pages/KivPage.h"

namespace vandir {

class CMouseSettingsDlg : public CKivPage {
public:
    static constexpr int kKeyAssignmentMode = 12;
    static constexpr int kOsSensitivityMode = 17;

    CMouseSettingsDlg(int mode, SkinContext& context, PageHost& host, CWnd* parent);

    int mode() const { return mode_; }

    void PushSettings(const MouseSettings& settings) override;
    void CollectSettings(MouseSettings& settings) override;

    // Marks the face's own tab: 1097 on the key-assignment face, 1098 on the
    // OS-sensitivity face.
    void MarkOwnTab();

protected:
    void OnControlEvent(const ControlEvent& event) override;

private:
    int mode_;
};

}  // namespace vandir
