#pragma once
// CKivEdit: a single-line edit box that paints its own background (a crop of
// its window's sheet, or a black box with a grey frame) and its text, and
// reports every change of its text to its parent as WM_SYSCOMMAND
// (control ID, kTextChanged). The platform still runs the editing and shows
// the caret.

#include <windows.h>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Controls.h"
#include "platform/win32/framework/Gdi.h"

namespace vandir {

class CKivEdit : public CEdit {
public:
    CKivEdit();
    ~CKivEdit() override = default;

    // Replaces the font with "Arial" of that height, weight 400, and gives it
    // to the edit control (which then redraws).
    void SetFontHeight(int height);
    HFONT font() const { return font_.get(); }

    // Set by the owning window.
    COLORREF textColour = RGB(255, 255, 255);
    ImagePtr background;  // drawn stretched; none: black box, grey frame

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

private:
    static const MessageMapEntry messageEntries[];

    bool OnControlColour(Message& m);
    bool OnReflectedCommand(Message& m);
    bool OnEraseBackground(Message& m);
    bool OnPaint(Message& m);

    UniqueFont font_;
};

}  // namespace vandir
