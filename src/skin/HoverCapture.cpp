#include "skin/HoverCapture.h"

namespace vandir {

HoverChange HoverCapture::Track(const CWnd& control, POINT pointer) {
    const HWND self = control.GetSafeHwnd();
    if (tracking_ && ::GetCapture() == self) {
        const RECT client = control.GetClientRect();
        if (::PtInRect(&client, pointer)) {
            return HoverChange::None;
        }
        tracking_ = false;
        ::ReleaseCapture();
        return HoverChange::Left;
    }
    ::SetCapture(self);
    tracking_ = true;
    return HoverChange::Entered;
}

void HoverCapture::Stop(const CWnd& control) {
    if (!tracking_) {
        return;
    }
    tracking_ = false;
    if (::GetCapture() == control.GetSafeHwnd()) {
        ::ReleaseCapture();
    }
}

}  // namespace vandir
