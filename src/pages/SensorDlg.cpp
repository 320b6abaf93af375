#include "pages/SensorDlg.h"

#include <string>

#include "i18n/SensorPageToolTips.h"
#include "skin/KivSliderCtrl.h"
#include "skin/KivStatic.h"
#include "skin/layout/SensorLayout.h"

namespace vandir {

CSensorDlg::CSensorDlg(SkinContext& context, PageHost& host, CWnd* parent)
    : CKivPage(layout::kSensorPage, context, host, parent, SensorPageToolTips()) {}

CKivSliderCtrl& CSensorDlg::DpiSlider(int level) const {
    return Item<CKivSliderCtrl>(kDpiSliders[static_cast<size_t>(level)]);
}

void CSensorDlg::ShowDpi(int level, int value) {
    Item<CKivStatic>(kDpiLabels[static_cast<size_t>(level)]).SetText(std::to_wstring(value));
}

void CSensorDlg::PushSettings(const MouseSettings& settings) {
    for (int level = 0; level < kDpiLevels; ++level) {
        const int x = settings.dpi[static_cast<size_t>(level)].x;
        ShowDpi(level, x);
        // A changed position notifies the page as a drag would (the label
        // then shows the same text again); an equal one changes nothing.
        DpiSlider(level).SetPos(x, true);
    }
    Item<CKivSliderCtrl>(IDC_SENSOR_LIFT_OFF).SetPos(settings.liftOff, true);
}

void CSensorDlg::CollectSettings(MouseSettings& settings) {
    for (int level = 0; level < kDpiLevels; ++level) {
        const auto position = static_cast<int16_t>(DpiSlider(level).GetPos());
        settings.dpi[static_cast<size_t>(level)] = {position, position};
    }
    settings.liftOff = static_cast<uint8_t>(Item<CKivSliderCtrl>(IDC_SENSOR_LIFT_OFF).GetPos());
}

void CSensorDlg::OnControlEvent(const ControlEvent& event) {
    if (event.kind != ControlEvent::Kind::Moved) {
        return;
    }
    for (int level = 0; level < kDpiLevels; ++level) {
        if (event.id == kDpiSliders[static_cast<size_t>(level)]) {
            ShowDpi(level, event.value);
        }
    }
}

}  // namespace vandir
