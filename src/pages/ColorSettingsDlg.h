#pragma once
// CColorSettingsDlg: the LED page (colour and lighting mode of each DPI level).

#include "pages/KivPage.h"

namespace vandir {

class CColorSettingsDlg : public CKivPage {
public:
    CColorSettingsDlg(SkinContext& context, PageHost& host, CWnd* parent);

    void PushSettings(const MouseSettings& settings) override;
    void CollectSettings(MouseSettings& settings) override;
};

}  // namespace vandir
