#pragma once
// The OS-sensitivity face of the mouse-settings page (mode 17): the polling
// rate boxes, Lock/Unlock and the pointer speed, double-click speed and
// response time sliders. The pointer-speed and double-click sliders write the
// system's settings for the session as they move; a locked record writes them
// for good when it is shown.

#include <array>

#include "pages/MouseSettingsFace.h"

namespace vandir {

class CMouseSettingsDlg::OsSensitivityFace : public CMouseSettingsDlg::Face {
public:
    OsSensitivityFace(CMouseSettingsDlg& page, SystemIntegration& system)
        : page_(page), system_(system) {}

    int OwnTab() const override;
    // 1000 reports a second, neither Lock nor Unlock, and the sliders heard at
    // their set-up positions.
    void SetUp() override;
    void Push(const MouseSettings& settings) override;
    void Collect(MouseSettings& settings) override;
    void OnControlEvent(const ControlEvent& event) override;

private:
    void OnSliderMoved(int id, int position);
    void CheckOnly(const std::array<int, 4>& boxes, int checked);

    CMouseSettingsDlg& page_;
    SystemIntegration& system_;
    // The first pointer-speed notice (the set-up's) only clears this.
    bool pointerSpeedNoticePending_ = true;
};

}  // namespace vandir
