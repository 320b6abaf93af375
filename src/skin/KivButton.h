#pragma once
// CKivButton: the owner-drawn push button of the skinned windows, also used
// as a tab and as a selected toggle. It draws its look for the hover/press
// state (CKivButtonBase) and its caption over it, and tells its parent when
// the mouse enters and leaves it (ControlNotifications.h): on entering
// (kMouseEntered, control ID) and then (control ID, 0), on leaving
// (kMouseLeft, control ID). Clicks reach the parent the usual way
// (WM_COMMAND, BN_CLICKED): the platform button's own click handling stays in
// place.

#include <windows.h>
// <windows.h> first.

#include <string>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Gdi.h"
#include "skin/Argb.h"
#include "skin/KivButtonBase.h"

namespace vandir {

class CKivButton : public CKivButtonBase {
public:
    CKivButton();
    ~CKivButton() override;

    // Replaces the four looks (any may be none); the old ones are deleted.
    void SetImages(ImagePtr normal, ImagePtr hover, ImagePtr pressed, ImagePtr disabled);

    // The selected look: the pressed picture and the selected caption colour
    // whatever the state. Redraws when the flag changes.
    void SetSelected(bool selected);
    bool selected() const { return selected_; }

    // The caption drawn over the picture (none when empty); redraws.
    void SetCaption(const std::wstring& caption);
    const std::wstring& caption() const { return caption_; }

    // Caption colours (alpha ignored): normal and pressed state, and selected.
    void SetTextColour(Argb colour);
    Argb textColour() const { return textColour_; }
    void SetSelectedTextColour(Argb colour);
    Argb selectedTextColour() const { return selectedTextColour_; }

private:
    void OnHoverChanged(HoverChange change, UINT keys) override;
    bool ShowsPressedLook() const override { return selected_; }
    void DrawOverLook(HDC dc, const RECT& item) override;

    std::wstring caption_;
    UniqueFont font_;
    Argb textColour_{0xFFD2D2D2};
    Argb selectedTextColour_{0xFFFFFFFF};
    bool selected_ = false;
};

}  // namespace vandir
