#include "skin/SkinText.h"

namespace vandir {

void DrawSkinText(HDC dc, HFONT font, const std::wstring& text, COLORREF colour,
                  bool centreHorizontally, bool centreVertically, int left, int top, int right,
                  int bottom) {
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    SelectedObject selected(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    int x = left;
    int y = top;
    if (centreHorizontally) {
        x += (right - size.cx - left) / 2;
    }
    if (centreVertically) {
        y += (bottom - size.cy - top) / 2;
    }
    ::TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

UniqueFont CreateToolkitFont(int height, int weight) {
    return UniqueFont(::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, 0,
                                    0, 0, FF_SWISS, L"Arial"));
}

}  // namespace vandir
