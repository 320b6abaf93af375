#pragma once
// CKivCheckBox: the owner-drawn check box of the skinned windows. Its checked
// state is its own flag, shown with the pressed look. It follows the hover/
// press state machine of CKivButtonBase but tells its parent nothing about
// the mouse; a left-button release over it toggles the flag before the
// platform delivers the click, so the parent's click handler already sees the
// new value. It draws no caption.

#include <windows.h>
// <windows.h> first.

#include "platform/win32/Gdiplus.h"
#include "skin/KivButtonBase.h"

namespace vandir {

class CKivCheckBox : public WithMessageMap<CKivCheckBox, CKivButtonBase> {
public:
    static const ClassMessageMap<CKivCheckBox> messageMap;

    CKivCheckBox() = default;
    ~CKivCheckBox() override;

    // Replaces the four looks (any may be none); the old ones are deleted.
    // The checked look is also the pressed one.
    void SetImages(ImagePtr normal, ImagePtr hover, ImagePtr checked, ImagePtr disabled);

    // Redraws when the flag changes.
    void SetChecked(bool checked);
    bool checked() const { return checked_; }

    // The left button went down inside the control (or was held as the pointer
    // entered it): its release over the control toggles the flag.
    bool armed() const { return armed_; }

private:
    static const MessageMapEntry messageEntries[];

    // Replaces the base's release: the flag toggles before the platform's
    // handling delivers the click.
    void OnLeftButtonUp(POINT point, UINT keys);

    void OnHoverChanged(HoverChange change, UINT keys) override;
    void OnPressed() override { armed_ = true; }
    bool ShowsPressedLook() const override { return checked_; }

    bool armed_ = false;
    bool checked_ = false;
};

}  // namespace vandir
