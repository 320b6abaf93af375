#include "pages/SensorDlg.h"

#include "i18n/SensorPageToolTips.h"
#include "skin/layout/SensorLayout.h"

namespace vandir {

CSensorDlg::CSensorDlg(SkinContext& context, PageHost& host, CWnd* parent)
    : CKivPage(layout::kSensorPage, context, host, parent, SensorPageToolTips()) {}

// The sliders' rules come with the sensor page's own work; until then the
// record passes through untouched.
void CSensorDlg::PushSettings(const MouseSettings&) {}
void CSensorDlg::CollectSettings(MouseSettings&) {}

}  // namespace vandir
