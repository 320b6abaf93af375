#pragma once
// CKivOwnerDrawnStatic: what the skinned statics (the label, the LED preview)
// share. The static becomes owner-drawn when it is bound, is never erased
// (its drawing covers it) and paints off-screen first; a kind says only what
// it draws.

#include <windows.h>

#include <utility>

#include "platform/win32/framework/Controls.h"
#include "platform/win32/framework/MessageMap.h"
#include "skin/ControlPictures.h"
#include "skin/KivDrawing.h"

namespace vandir {

class CKivOwnerDrawnStatic : public WithMessageMap<CKivOwnerDrawnStatic, CStatic>,
                             public SkinnedControl {
public:
    static const ClassMessageMap<CKivOwnerDrawnStatic> messageMap;

    ~CKivOwnerDrawnStatic() override = default;

protected:
    // Makes the static owner-drawn.
    void PreSubclassWindow() override;

    // Draws the whole control on dc, whose origin is its top-left corner.
    virtual void Draw(HDC dc, int width, int height) = 0;

    // Stores a value that changes the looks and redraws.
    template <typename T, typename Value>
    void SetAndRedraw(T& field, Value&& value) {
        field = std::forward<Value>(value);
        RedrawIfBound(*this);
    }

private:
    static const MessageMapEntry messageEntries[];

    void OnDrawItem(const DRAWITEMSTRUCT& item);
    bool OnEraseBackground(HDC dc);
};

}  // namespace vandir
