#pragma once
// CKivCheckBox: the owner-drawn check box of the skinned windows. Its checked
// state is its own flag, shown with the pressed picture. It follows the same
// hover/press state machine as CKivButton but tells its parent nothing about
// the mouse; a left-button release over it toggles the flag before the
// platform delivers the click, so the parent's click handler already sees the
// new value. It draws no caption.

#include <windows.h>
// <windows.h> first.

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Controls.h"
#include "skin/KivButton.h"

namespace vandir {

class CKivCheckBox : public CButton {
public:
    CKivCheckBox() = default;
    ~CKivCheckBox() override;

    // Replaces the four pictures (any may be none); the old ones are deleted.
    // The checked picture is also the pressed one.
    void SetImages(ImagePtr normal, ImagePtr hover, ImagePtr checked, ImagePtr disabled);

    // Redraws when the flag changes.
    void SetChecked(bool checked);
    bool checked() const { return checked_; }

    int state() const { return state_; }
    bool tracking() const { return tracking_; }
    // The left button went down inside the control (or was held as the pointer
    // entered it): its release over the control toggles the flag.
    bool armed() const { return armed_; }

protected:
    // Makes the platform ask this control to draw itself (BS_OWNERDRAW).
    void PreSubclassWindow() override;

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

private:
    static const MessageMapEntry messageEntries[];

    bool OnEraseBackground(Message& m);
    bool OnFocusChange(Message& m);
    bool OnLeftButtonDown(Message& m);
    bool OnLeftButtonUp(Message& m);
    bool OnMouseMove(Message& m);
    bool OnDrawItem(Message& m);

    ButtonPictures pictures_;
    bool tracking_ = false;
    int state_ = kButtonNormal;
    bool armed_ = false;
    bool checked_ = false;
};

}  // namespace vandir
