#pragma once
// CKivStatic: a label drawn over a picture cut from its window's sheet, so
// that it sits on the skin without a visible box. It draws itself (owner-drawn
// static, off-screen first) and reports a double click to its parent as
// WM_SYSCOMMAND (control ID, kDoubleClicked); the system delivers double
// clicks only to statics with SS_NOTIFY.

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Gdi.h"
#include "platform/win32/framework/MessageMap.h"
#include "skin/Argb.h"
#include "skin/ControlPictures.h"
#include "skin/KivOwnerDrawnStatic.h"

namespace vandir {

class CKivStatic : public WithMessageMap<CKivStatic, CKivOwnerDrawnStatic> {
public:
    static const ClassMessageMap<CKivStatic> messageMap;

    CKivStatic();
    ~CKivStatic() override = default;

    // Takes the background; the looks are not used.
    void SetPictures(ControlPictures pictures) override;
    // Takes ownership of the background picture (drawn stretched over the
    // control); the previous one is deleted.
    void SetBackground(ImagePtr image);
    // Replaces the font with "Arial" of that height, weight 400.
    void SetFontHeight(int height);
    // Sets the label and redraws.
    void SetText(const std::wstring& text);

    Gdiplus::Image* background() const { return background_.get(); }
    const std::optional<std::wstring>& text() const { return text_; }
    HFONT font() const { return font_.Get(); }

    // The text colour; alpha is ignored. Redraws.
    void SetTextColour(Argb colour);
    Argb textColour() const { return textColour_; }
    // The fill under the picture, blended by its alpha (none by default).
    // Redraws.
    void SetFillColour(Argb colour);
    Argb fillColour() const { return fillColour_; }
    // Centres the text horizontally (it is always centred vertically).
    // Redraws.
    void SetCentred(bool centred);
    bool centred() const { return centred_; }

protected:
    void Draw(HDC dc, int width, int height) override;

private:
    static const MessageMapEntry messageEntries[];

    void OnLeftDoubleClick(POINT point, UINT keys);

    ImagePtr background_;
    std::optional<std::wstring> text_;
    UniqueFont font_;
    Argb textColour_{0xFFFFFFFF};
    Argb fillColour_{0x00000000};
    bool centred_ = false;
};

}  // namespace vandir
