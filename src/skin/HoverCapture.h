#pragma once
// Hover tracking by mouse capture, as the skinned buttons and the slider do
// it: the first move over a control takes the capture and enters the hover
// state, and a move outside while holding it is how the control learns that
// the pointer left (it then lets the capture go). A capture lost meanwhile
// (the platform's click handling takes it) makes the next move an entry again.

#include <windows.h>

#include "platform/win32/framework/Wnd.h"

namespace vandir {

// What a mouse move did to a control's hover tracking.
enum class HoverChange { None, Entered, Left };

class HoverCapture {
public:
    // The hover step of a mouse move at pointer, in control's client
    // coordinates.
    HoverChange Track(const CWnd& control, POINT pointer);
    // Lets the capture go, if this tracking holds it: for a control that
    // stops answering the mouse, whose window's other controls need it.
    void Stop(const CWnd& control);
    // Holds the capture for hover tracking.
    bool tracking() const { return tracking_; }

private:
    bool tracking_ = false;
};

}  // namespace vandir
