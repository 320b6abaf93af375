#pragma once
// The pictures a skinned control is given, by role. Every skinned control
// takes its pictures through SetPictures with one of these, so the window
// binding (and any caller) skins every kind of control the same way. The
// control owns what it is given and deletes what it replaces.

#include <array>
#include <cstddef>

#include "platform/win32/Gdiplus.h"
#include "skin/layout/SkinLayout.h"

namespace vandir {

struct ControlPictures {
    // Buttons, check boxes, combo buttons: the look for each image state
    // (pressed is also the checked and selected look; a combo has no disabled
    // look). Sliders: the thumb, normal, hover (also while dragging) and
    // disabled. Indexed by layout::ImageState.
    std::array<ImagePtr, layout::kImageStateCount> looks;
    // Slider track, static and edit background, LED preview overlay.
    ImagePtr background;

    ImagePtr& look(layout::ImageState state) { return looks[static_cast<std::size_t>(state)]; }
    // The look for a state, borrowed; null when there is none.
    Gdiplus::Image* lookOf(layout::ImageState state) const {
        return looks[static_cast<std::size_t>(state)].get();
    }
};

// Implemented by every skinned control.
class SkinnedControl {
public:
    // Takes the pictures its kind uses and redraws; the ones held before are
    // deleted, and so are given pictures the kind has no use for.
    virtual void SetPictures(ControlPictures pictures) = 0;

protected:
    ~SkinnedControl() = default;
};

}  // namespace vandir
