#include "app/NoMouse.h"

#include "platform/win32/framework/CaptionDrag.h"
#include "skin/layout/DisplayScale.h"
#include "skin/layout/NoDeviceLayout.h"

namespace vandir {

const MessageMapEntry CNoMouse::messageEntries[] = {
    On<WM_LBUTTONDOWN, &CNoMouse::OnLeftButtonDown>(),
};
const ClassMessageMap<CNoMouse> CNoMouse::messageMap{messageEntries};

CNoMouse::CNoMouse(SkinContext& context, CWnd* parent)
    : WithMessageMap(layout::kNoDevice, context, parent) {}

void CNoMouse::ShowCentred() {
    const layout::Size size = layout::ScaleSize(layout().size, Dpi());
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - size.width) / 2;
    const int y = work.top + (work.bottom - work.top - size.height) / 2;
    MoveWindow(x, y, size.width, size.height);
    ShowWindow(SW_SHOW);
}

void CNoMouse::OnLeftButtonDown(POINT, UINT) {
    StartCaptionDrag(*this);
    Default();
}

}  // namespace vandir
