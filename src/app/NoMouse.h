#pragma once
// CNoMouse: the no-device screen shown in the main window's place while no
// mouse is connected. The notice is part of its skin picture; its one control
// is the close button, which hides it (Esc and Enter hide it too). The user
// drags it from any point.

#include <windows.h>

#include "skin/KivWindow.h"
#include "skin/SkinContext.h"

namespace vandir {

class CNoMouse : public CKivWindow {
public:
    explicit CNoMouse(SkinContext& context, CWnd* parent = nullptr);

    // Gives the screen the size its owner gives it, centres it on the
    // desktop's work area and shows it.
    void ShowCentred();

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

private:
    static const MessageMapEntry messageEntries[];

    bool OnLeftButtonDown(Message& m);
};

}  // namespace vandir
