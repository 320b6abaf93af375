#pragma once
// CKivButtonBase: what the three skinned buttons (CKivButton, CKivCheckBox,
// CKivComboButton) share. Each is an owner-drawn platform button that draws
// one of its looks, cut from the window's skin sheets, according to a small
// hover/press state machine driven by mouse capture:
//   - the first mouse move over the control takes the capture and enters the
//     hover state; a move outside while holding it returns to the normal
//     state and releases it (the platform's click handling takes and releases
//     the capture too, so the first move after a click enters again);
//   - a left-button press enters the pressed state, its release the normal
//     state, both after the platform's own handling, which delivers clicks;
//   - the background is never erased: where a look is missing, what lies
//     below the control stays visible;
//   - gaining or losing the focus redraws.
// A derived class adds what differs through the hooks below.

#include <windows.h>
// <windows.h> first.

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Controls.h"
#include "platform/win32/framework/MessageMap.h"
#include "skin/ControlPictures.h"
#include "skin/HoverCapture.h"
#include "skin/layout/SkinLayout.h"

namespace vandir {

// The look a skinned button draws, first match wins: a disabled window with a
// disabled look; the pressed look (selected or checked) with a pressed
// picture; the state's own look. None when the matching look is missing.
Gdiplus::Image* ChooseButtonLook(const ControlPictures& pictures, bool disabledWindow,
                                 bool pressedLook, layout::ImageState state);

class CKivButtonBase : public WithMessageMap<CKivButtonBase, CButton>, public SkinnedControl {
public:
    static const ClassMessageMap<CKivButtonBase> messageMap;

    ~CKivButtonBase() override;

    // Takes the four looks (any may be none); the background is not used.
    void SetPictures(ControlPictures pictures) override;
    const ControlPictures& pictures() const { return pictures_; }

    // Normal, Hover or Pressed.
    layout::ImageState state() const { return state_; }
    // Holds the capture for hover tracking.
    bool tracking() const { return hover_.tracking(); }

protected:
    CKivButtonBase() = default;

    // Makes the platform ask this control to draw itself (BS_OWNERDRAW).
    void PreSubclassWindow() override;

    // Stores the state and redraws.
    void SetState(layout::ImageState state);

    // Hooks, all doing nothing unless overridden.
    // After a mouse move changed the hover tracking; keys as in WM_MOUSEMOVE.
    virtual void OnHoverChanged(HoverChange change, UINT keys);
    // After a left-button press entered the pressed state.
    virtual void OnPressed();
    // After a left-button release returned to the normal state.
    virtual void OnReleased();
    // Whether the pressed look shows whatever the state (selected, checked).
    virtual bool ShowsPressedLook() const;
    // Draws over the look (a caption) in the item's device context.
    virtual void DrawOverLook(HDC dc, const RECT& item);

private:
    static const MessageMapEntry messageEntries[];

    bool OnEraseBackground(HDC dc);
    void OnFocusChange(HWND other);
    void OnLeftButtonDown(POINT point, UINT keys);
    void OnLeftButtonUp(POINT point, UINT keys);
    void OnMouseMove(POINT point, UINT keys);
    void OnDrawItem(const DRAWITEMSTRUCT& item);

    ControlPictures pictures_;
    HoverCapture hover_;
    layout::ImageState state_ = layout::ImageState::Normal;
};

}  // namespace vandir
