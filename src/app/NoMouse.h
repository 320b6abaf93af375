#pragma once
// CNoMouse: the no-device screen shown in the main window's place while no
// mouse is connected. The notice is part of its skin picture; its one control
// is the close button, which hides it (Esc and Enter hide it too). The user
// drags it from any point.

#include <windows.h>

#include "skin/KivWindow.h"
#include "skin/SkinContext.h"

namespace vandir {

class CNoMouse : public WithMessageMap<CNoMouse, CKivWindow> {
public:
    static const ClassMessageMap<CNoMouse> messageMap;

    explicit CNoMouse(SkinContext& context, CWnd* parent = nullptr);

    // Gives the screen the size its owner gives it, centres it on the
    // desktop's work area and shows it.
    void ShowCentred();

private:
    static const MessageMapEntry messageEntries[];

    void OnLeftButtonDown(POINT point, UINT keys);
};

}  // namespace vandir
