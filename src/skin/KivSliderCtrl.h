#pragma once
// CKivSliderCtrl: the skinned horizontal slider. It draws a track picture
// stretched over its client area and a thumb picture at the position, turns
// the pointer into an integer position (rounded at one half, clamped to the
// range, snapped to the step) and reports every new position to its parent
// as WM_SYSCOMMAND (control ID, position).
//
// States: 0 normal, 1 hover, 2 dragging, 3 disabled. Dragging stops when the
// pointer leaves the slider and resumes when it comes back with the left
// button still held. A disabled slider ignores the mouse.
//
// A range with maximum <= minimum, or a track no wider than the thumb, has no
// usable track: the slider then draws no thumb and the mouse leaves its
// position alone.

#include <windows.h>

#include <optional>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Controls.h"

namespace vandir {

class CKivSliderCtrl : public CStatic {
public:
    static constexpr int kNormal = 0;
    static constexpr int kHover = 1;
    static constexpr int kDragging = 2;
    static constexpr int kDisabled = 3;

    CKivSliderCtrl() = default;
    ~CKivSliderCtrl() override = default;

    // Takes ownership of the four pictures; the ones held before are deleted.
    // The normal thumb's size is the thumb size of every look.
    void SetImages(ImagePtr track, ImagePtr thumbNormal, ImagePtr thumbHover,
                   ImagePtr thumbDisabled);

    // Sets the position (no clamping, no snapping) and redraws, unless value
    // is the position last notified or set; with notify, reports it.
    void SetPos(int value, bool notify);
    int GetPos() const { return position_; }

    // Disabled (state 3) or enabled again (state 0); redraws.
    void SetDisabled(bool disabled);
    int state() const { return state_; }

    // The range and step; set by the owning window before SetPos.
    int minimum = 0;
    int maximum = 100;
    int step = 1;  // values below 1 count as 1

    Gdiplus::Image* track() const { return track_.get(); }
    Gdiplus::Image* thumbNormal() const { return thumbNormal_.get(); }
    Gdiplus::Image* thumbHover() const { return thumbHover_.get(); }
    Gdiplus::Image* thumbDisabled() const { return thumbDisabled_.get(); }

protected:
    // Lets the static receive the mouse (a static without SS_NOTIFY is
    // transparent to it).
    void PreSubclassWindow() override;

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

private:
    static const MessageMapEntry messageEntries[];

    bool OnPaint(Message& m);
    bool OnEraseBackground(Message& m);
    bool OnLeftButtonDown(Message& m);
    bool OnLeftButtonUp(Message& m);
    bool OnMouseMove(Message& m);

    // Moves to the position under client x and notifies a new position.
    void TrackTo(int x);
    // The width over which the thumb's left edge travels; 0 or less when the
    // slider has no usable track.
    int TravelWidth(const RECT& client) const;
    int ThumbWidth() const;
    int ThumbHeight() const;
    void Notify();

    ImagePtr track_;
    ImagePtr thumbNormal_;
    ImagePtr thumbHover_;
    ImagePtr thumbDisabled_;
    bool tracking_ = false;
    int state_ = kNormal;
    int rememberedState_ = kNormal;
    int position_ = 0;
    std::optional<int> lastNotified_;
};

}  // namespace vandir
