#pragma once
// CSensorDlg: the sensor page (DPI levels and lift-off distance).

#include "pages/KivPage.h"

namespace vandir {

class CSensorDlg : public CKivPage {
public:
    CSensorDlg(SkinContext& context, PageHost& host, CWnd* parent);

    void PushSettings(const MouseSettings& settings) override;
    void CollectSettings(MouseSettings& settings) override;
};

}  // namespace vandir
