#pragma once
// CKivButton: the owner-drawn push button of the skinned windows, also used
// as a tab and as a selected toggle. It draws one of four pictures cut from
// the window's skin sheets according to a small hover/press state machine
// driven by mouse capture, draws its caption over the picture, and tells its
// parent when the mouse enters and leaves it (ControlNotifications.h). Clicks
// reach the parent the usual way (WM_COMMAND, BN_CLICKED): the platform
// button's own click handling stays in place.
//
// The pictures and the drawing rules below are shared with CKivCheckBox and
// CKivComboButton.

#include <windows.h>
// <windows.h> first.

#include <string>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Controls.h"
#include "platform/win32/framework/Gdi.h"

namespace vandir {

// The visual states of the skinned buttons.
inline constexpr int kButtonNormal = 0;
inline constexpr int kButtonHover = 1;
inline constexpr int kButtonPressed = 2;

// The four pictures of a skinned button, each owned and each possibly none.
struct ButtonPictures {
    ImagePtr normal;
    ImagePtr hover;
    ImagePtr pressed;  // also the selected (push button) and checked (check box) look
    ImagePtr disabled;

    // The picture to draw, first match wins: a disabled window with a disabled
    // picture; the pressed look (selected or checked) with a pressed picture;
    // the state's own picture. None when the matching picture is missing.
    Gdiplus::Image* Choose(bool disabledWindow, bool pressedLook, int state) const;
};

// Draws image stretched over (0, 0, width, height) with high-quality
// smoothing; no image draws nothing.
void DrawButtonPicture(HDC dc, Gdiplus::Image* image, int width, int height);

// What a mouse move did to a button's hover tracking.
enum class HoverChange { None, Entered, Left };

// The hover half of every skinned button's state machine. A move while the
// control does not hold the capture (the first move over it, or the platform's
// click handling took the capture meanwhile) takes the capture and enters the
// hover state; a move outside the control while holding it returns to the
// normal state and releases it. The control is redrawn on every change.
HoverChange TrackHover(HWND control, LPARAM pointer, bool& tracking, int& state);

class CKivButton : public CButton {
public:
    CKivButton();
    ~CKivButton() override;

    // Replaces the four pictures (any may be none); the old ones are deleted.
    void SetImages(ImagePtr normal, ImagePtr hover, ImagePtr pressed, ImagePtr disabled);

    // The selected look: the pressed picture and the selected caption colour
    // whatever the state. Redraws when the flag changes.
    void SetSelected(bool selected);
    bool selected() const { return selected_; }

    // The caption drawn over the picture (none when empty); redraws.
    void SetCaption(const std::wstring& caption);
    const std::wstring& caption() const { return caption_; }

    // Caption colours, 0xAARRGGBB (alpha ignored): normal and pressed state,
    // and selected.
    void SetTextColour(DWORD argb) { textColour_ = argb; }
    DWORD textColour() const { return textColour_; }
    void SetSelectedTextColour(DWORD argb) { selectedTextColour_ = argb; }
    DWORD selectedTextColour() const { return selectedTextColour_; }

    int state() const { return state_; }
    bool tracking() const { return tracking_; }

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
    std::wstring caption_;
    UniqueFont font_;
    DWORD textColour_ = 0xFFD2D2D2;
    DWORD selectedTextColour_ = 0xFFFFFFFF;
    bool tracking_ = false;
    int state_ = kButtonNormal;
    bool selected_ = false;
};

}  // namespace vandir
