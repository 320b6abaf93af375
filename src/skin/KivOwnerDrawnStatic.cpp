#include "skin/KivOwnerDrawnStatic.h"

#include "platform/win32/framework/BufferedPaint.h"

namespace vandir {

const MessageMapEntry CKivOwnerDrawnStatic::messageEntries[] = {
    OnReflected<WM_DRAWITEM, &CKivOwnerDrawnStatic::OnDrawItem>(),
    On<WM_ERASEBKGND, &CKivOwnerDrawnStatic::OnEraseBackground>(),
};
const ClassMessageMap<CKivOwnerDrawnStatic> CKivOwnerDrawnStatic::messageMap{messageEntries};

void CKivOwnerDrawnStatic::PreSubclassWindow() {
    ModifyStyle(SS_TYPEMASK, SS_OWNERDRAW);
}

void CKivOwnerDrawnStatic::OnDrawItem(const DRAWITEMSTRUCT& item) {
    BufferedPaint buffer(item.hDC, item.rcItem);
    Draw(buffer.dc(), buffer.width(), buffer.height());
    buffer.Present();
}

bool CKivOwnerDrawnStatic::OnEraseBackground(HDC) {
    return false;  // not erased: drawing covers it
}

}  // namespace vandir
