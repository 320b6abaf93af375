#pragma once
// CKivImageDialog: the base of every window of the program. It keeps its own
// reference to a skin picture that fills the whole client area, sizes the
// window to that picture, and paints it without flicker (into an off-screen
// bitmap first, then in one copy).

#include <windows.h>

#include <memory>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Dialog.h"

namespace vandir {

class CKivImageDialog : public WithMessageMap<CKivImageDialog, CDialogEx> {
public:
    static const ClassMessageMap<CKivImageDialog> messageMap;

    using WithMessageMap::WithMessageMap;

    // Keeps image as the background (the caller keeps its image), resizes the
    // window to the picture keeping its top-left corner, and redraws it. A
    // skin store's sheet (a SkinBitmap, whose pixels never change) is shared:
    // the dialog holds a reference that keeps it alive, and no copy. Any other
    // image is copied whole. With no image the dialog goes back to a plain
    // dialog's look and keeps its size.
    void SetBackgroundImage(Gdiplus::Image* image);
    Gdiplus::Image* background() const { return background_.get(); }

protected:
    // Paints the background stretched over the client area; without one, the
    // default dialog erase. Windows dragged by their background handle the
    // left button themselves: the base never moves the window.
    Reply OnEraseBackground(HDC dc);

private:
    static const MessageMapEntry messageEntries[];

    std::shared_ptr<Gdiplus::Image> background_;
};

}  // namespace vandir
