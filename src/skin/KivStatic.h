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
#include "platform/win32/framework/Controls.h"
#include "platform/win32/framework/Gdi.h"

namespace vandir {

class CKivStatic : public CStatic {
public:
    CKivStatic();
    ~CKivStatic() override = default;

    // Takes ownership of the background picture (drawn stretched over the
    // control); the previous one is deleted.
    void SetBackground(ImagePtr image);
    // Replaces the font with "Arial" of that height, weight 400.
    void SetFontHeight(int height);
    // Sets the label and redraws.
    void SetText(const std::wstring& text);

    Gdiplus::Image* background() const { return background_.get(); }
    const std::optional<std::wstring>& text() const { return text_; }
    HFONT font() const { return font_.get(); }

    // Set by the owning window before the control is shown.
    DWORD textColour = 0xFFFFFFFF;  // ARGB; alpha is ignored
    DWORD fillColour = 0x00000000;  // ARGB fill under the picture
    bool centred = false;           // centre the text horizontally (always vertically)

protected:
    // Makes the static owner-drawn.
    void PreSubclassWindow() override;

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

private:
    static const MessageMapEntry messageEntries[];

    bool OnDrawItem(Message& m);
    bool OnEraseBackground(Message& m);
    bool OnLeftDoubleClick(Message& m);

    ImagePtr background_;
    std::optional<std::wstring> text_;
    UniqueFont font_;
};

}  // namespace vandir
