#pragma once
// The text routine and fonts that every skinned control shares.

#include <windows.h>

#include <string>

#include "platform/win32/framework/Gdi.h"
#include "skin/Argb.h"

namespace vandir {

// Draws text in one line at the left/top of the rectangle, or centred in it
// (integer halves, truncating), transparent, in colour, with font when given.
// The text is not clipped to the rectangle.
void DrawSkinText(HDC dc, HFONT font, const std::wstring& text, COLORREF colour,
                  bool centreHorizontally, bool centreVertically, int left, int top, int right,
                  int bottom);

// The toolkit's font: "Arial" of the given cell height, weight 400 unless
// given, character set 0, swiss family; owned by the caller.
UniqueFont CreateToolkitFont(int height, int weight = FW_NORMAL);

// 0xAARRGGBB held as a plain number (the pop-up list's colours) as a text
// colour; alpha is dropped. The controls hold Argb and use its ToColorRef.
constexpr COLORREF TextColourOf(DWORD argb) {
    return Argb{argb}.ToColorRef();
}

}  // namespace vandir
