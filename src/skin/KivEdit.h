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
#include "platform/win32/framework/MessageMap.h"
#include "skin/Argb.h"
#include "skin/ControlPictures.h"

namespace vandir {

class CKivEdit : public WithMessageMap<CKivEdit, CEdit>, public SkinnedControl {
public:
    static const ClassMessageMap<CKivEdit> messageMap;

    CKivEdit();
    ~CKivEdit() override = default;

    // Takes the background; the looks are not used.
    void SetPictures(ControlPictures pictures) override;
    // The picture drawn stretched under the text (a crop of the window's
    // sheet); none: a black box with a grey frame. Redraws.
    void SetBackground(ImagePtr image);
    Gdiplus::Image* background() const { return background_.get(); }

    // The text colour (alpha ignored); redraws.
    void SetTextColour(Argb colour);
    Argb textColour() const { return textColour_; }

    // Replaces the font with "Arial" of that height, weight 400, and gives it
    // to the edit control (which then redraws).
    void SetFontHeight(int height);
    HFONT font() const { return font_.Get(); }

private:
    static const MessageMapEntry messageEntries[];

    HBRUSH OnControlColour(HDC dc);
    void OnReflectedCommand(UINT code);
    bool OnEraseBackground(HDC dc);
    void OnPaint();

    UniqueFont font_;
    Argb textColour_{0xFFFFFFFF};
    ImagePtr background_;
};

}  // namespace vandir
