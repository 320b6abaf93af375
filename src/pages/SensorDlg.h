#pragma once
// CSensorDlg: the sensor page. Three sliders set the resolution of the DPI
// levels (250 to 3500 in steps of 250; the position is the resolution
// itself) and one the lift-off distance (1 to 3). A label beside each DPI
// slider follows it while it is dragged. The record takes the positions as
// they are at a collect, x and y of a level alike; a pushed value the slider
// could not produce stays as it is until the user moves that slider.

#include <array>

#include "pages/KivPage.h"
#include "skin/layout/ResourceIds.h"

namespace vandir {

class CKivSliderCtrl;

class CSensorDlg : public CKivPage {
public:
    CSensorDlg(SkinContext& context, PageHost& host, CWnd* parent);

    void PushSettings(const MouseSettings& settings) override;
    void CollectSettings(MouseSettings& settings) override;

protected:
    void OnControlEvent(const ControlEvent& event) override;

private:
    static constexpr std::array kDpiSliders{IDC_SENSOR_DPI_1, IDC_SENSOR_DPI_2, IDC_SENSOR_DPI_3};
    static constexpr std::array kDpiLabels{IDC_SENSOR_VALUE_1, IDC_SENSOR_VALUE_2,
                                           IDC_SENSOR_VALUE_3};

    CKivSliderCtrl& DpiSlider(int level) const;
    void ShowDpi(int level, int value);
};

}  // namespace vandir
