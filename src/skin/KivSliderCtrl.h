#pragma once
// CKivSliderCtrl: the skinned horizontal slider. It draws a track picture
// stretched over its client area and a thumb picture at the position, turns
// the pointer into an integer position (rounded at one half, clamped to the
// range, snapped to the step) and reports every new position to its parent
// as WM_SYSCOMMAND (control ID, position).
//
// States (layout::ImageState): Normal, Hover, Pressed (dragging) and
// Disabled. Dragging stops when the pointer leaves the slider and resumes
// when it comes back with the left button still held. A disabled slider
// ignores the mouse.
//
// A range with maximum <= minimum, or a track no wider than the thumb, has no
// usable track: the slider then draws no thumb and the mouse leaves its
// position alone.

#include <windows.h>

#include <optional>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Controls.h"
#include "platform/win32/framework/MessageMap.h"
#include "skin/ControlPictures.h"
#include "skin/HoverCapture.h"
#include "skin/layout/SkinLayout.h"

namespace vandir {

class CKivSliderCtrl : public WithMessageMap<CKivSliderCtrl, CStatic>, public SkinnedControl {
public:
    static const ClassMessageMap<CKivSliderCtrl> messageMap;

    CKivSliderCtrl() = default;
    ~CKivSliderCtrl() override = default;

    // The track is the background; the thumbs are the looks: normal, hover
    // (also while dragging) and disabled. The normal thumb's size is the thumb
    // size of every look. The pictures held before are deleted, and so is a
    // pressed look (the slider has none of its own).
    void SetPictures(ControlPictures pictures) override;
    // The same with the four pictures one by one.
    void SetImages(ImagePtr track, ImagePtr thumbNormal, ImagePtr thumbHover,
                   ImagePtr thumbDisabled);

    // Sets the position (no clamping, no snapping) and redraws, unless value
    // is the position last notified or set; with notify, reports it.
    void SetPos(int value, bool notify);
    int GetPos() const { return position_; }

    // Disabled or enabled again (the normal state); redraws.
    void SetDisabled(bool disabled);
    layout::ImageState state() const { return state_; }

    // The range of positions and the step that positions from the pointer
    // are multiples of (a step below 1 counts as 1); redraws. Set by the
    // owning window before SetPos. A maximum not above the minimum leaves the
    // slider without a usable track.
    void SetRange(int minimum, int maximum, int step);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int step() const { return step_; }

    Gdiplus::Image* track() const { return pictures_.background.get(); }
    Gdiplus::Image* thumbNormal() const { return pictures_.lookOf(layout::ImageState::Normal); }
    Gdiplus::Image* thumbHover() const { return pictures_.lookOf(layout::ImageState::Hover); }
    Gdiplus::Image* thumbDisabled() const { return pictures_.lookOf(layout::ImageState::Disabled); }

protected:
    // Lets the static receive the mouse (a static without SS_NOTIFY is
    // transparent to it).
    void PreSubclassWindow() override;

private:
    static const MessageMapEntry messageEntries[];

    void OnPaint();
    bool OnEraseBackground(HDC dc);
    void OnLeftButtonDown(POINT point, UINT keys);
    void OnLeftButtonUp(POINT point, UINT keys);
    void OnMouseMove(POINT point, UINT keys);

    // Moves to the position under client x and notifies a new position.
    void TrackTo(int x);
    // The width over which the thumb's left edge travels; 0 or less when the
    // slider has no usable track.
    int TravelWidth(const RECT& client) const;
    int ThumbWidth() const;
    int ThumbHeight() const;
    void Notify();

    // The thumb drawn in the current state; null when there is none.
    Gdiplus::Image* Thumb() const;

    ControlPictures pictures_;
    HoverCapture hover_;
    layout::ImageState state_ = layout::ImageState::Normal;
    layout::ImageState rememberedState_ = layout::ImageState::Normal;
    int minimum_ = 0;
    int maximum_ = 100;
    int step_ = 1;
    int position_ = 0;
    std::optional<int> lastNotified_;
};

}  // namespace vandir
