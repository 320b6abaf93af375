// The skinned dialog base: its background sizes the window, and erasing paints
// the picture stretched over the client area.

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/framework/Gdi.h"
#include "skin/KivImageDialog.h"
#include "skin/SkinText.h"
#include "win32/ui/TestDialogs.h"

namespace vandir {
namespace {

// A picture whose left half is red and right half blue.
std::unique_ptr<Gdiplus::Bitmap> TwoColourPicture(int width, int height) {
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(bitmap.get());
    Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
    Gdiplus::SolidBrush blue(Gdiplus::Color(255, 0, 0, 255));
    graphics.FillRectangle(&red, 0, 0, width / 2, height);
    graphics.FillRectangle(&blue, width / 2, 0, width - width / 2, height);
    return bitmap;
}

class SkinDialog : public CKivImageDialog {
public:
    SkinDialog() : CKivImageDialog(IDD_SKIN_DIALOG) {}
};

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

TEST(KivImageDialog, BackgroundSizesTheWindowAndKeepsItsCorner) {
    SkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.MoveWindow(40, 30, 10, 10);
    auto first = TwoColourPicture(300, 200);
    dialog.SetBackgroundImage(first.get());
    RECT window = dialog.GetWindowRect();
    EXPECT_EQ(window.left, 40);
    EXPECT_EQ(window.top, 30);
    EXPECT_EQ(Width(window), 300);
    EXPECT_EQ(Height(window), 200);
    EXPECT_NE(dialog.background(), first.get()) << "the dialog keeps its own copy";
    first.reset();  // the caller's image may go; the copy stays
    ASSERT_NE(dialog.background(), nullptr);
    EXPECT_EQ(dialog.background()->GetWidth(), 300u);

    auto second = TwoColourPicture(120, 80);
    dialog.SetBackgroundImage(second.get());
    window = dialog.GetWindowRect();
    EXPECT_EQ(window.left, 40);
    EXPECT_EQ(window.top, 30);
    EXPECT_EQ(Width(window), 120);
    EXPECT_EQ(Height(window), 80);
    EXPECT_EQ(dialog.background()->GetWidth(), 120u);
    dialog.DestroyWindow();
}

COLORREF PixelAfterErase(CKivImageDialog& dialog, int x, int y, COLORREF before) {
    const RECT client = dialog.GetClientRect();
    WindowDC screen(nullptr);
    MemoryDC memory(screen.Get());
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), Width(client), Height(client)));
    SelectedObject selected(memory.Get(), bitmap.Get());
    UniqueBrush fill(::CreateSolidBrush(before));
    ::FillRect(memory.Get(), &client, fill.Get());
    dialog.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.Get()), 0);
    return ::GetPixel(memory.Get(), x, y);
}

TEST(KivImageDialog, EraseDrawsThePictureStretchedOverTheClientArea) {
    SkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    auto picture = TwoColourPicture(100, 50);
    dialog.SetBackgroundImage(picture.get());
    // Make the client area larger than the picture: it is stretched to fit.
    dialog.MoveWindow(0, 0, 400, 100);
    EXPECT_EQ(PixelAfterErase(dialog, 10, 50, RGB(0, 255, 0)), RGB(255, 0, 0));
    EXPECT_EQ(PixelAfterErase(dialog, 190, 90, RGB(0, 255, 0)), RGB(255, 0, 0));
    EXPECT_EQ(PixelAfterErase(dialog, 210, 10, RGB(0, 255, 0)), RGB(0, 0, 255));
    EXPECT_EQ(PixelAfterErase(dialog, 395, 95, RGB(0, 255, 0)), RGB(0, 0, 255));
    EXPECT_EQ(dialog.SendMessage(WM_ERASEBKGND, 0, 0) != 0, true)
        << "reports the background as erased";
    dialog.DestroyWindow();
}

TEST(KivImageDialog, WithoutABackgroundItErasesLikeAPlainDialog) {
    SkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const COLORREF face = ::GetSysColor(COLOR_3DFACE);
    EXPECT_EQ(PixelAfterErase(dialog, 5, 5, RGB(1, 2, 3)), face);
    dialog.SetBackgroundImage(nullptr);
    EXPECT_EQ(dialog.background(), nullptr);
    EXPECT_EQ(PixelAfterErase(dialog, 5, 5, RGB(1, 2, 3)), face);
    dialog.DestroyWindow();
}

// Draws text into a black 200 x 60 bitmap and returns its pixels.
std::vector<COLORREF> Drawn(HFONT font, bool centreX, bool centreY, RECT r) {
    WindowDC screen(nullptr);
    MemoryDC memory(screen.Get());
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), 200, 60));
    SelectedObject selected(memory.Get(), bitmap.Get());
    RECT all{0, 0, 200, 60};
    UniqueBrush black(::CreateSolidBrush(RGB(0, 0, 0)));
    ::FillRect(memory.Get(), &all, black.Get());
    DrawSkinText(memory.Get(), font, L"Wheel Click", TextColourOf(0xFFFFFFFF), centreX, centreY,
                 r.left, r.top, r.right, r.bottom);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            pixels.push_back(::GetPixel(memory.Get(), x, y));
        }
    }
    return pixels;
}

TEST(SkinText, CentresByIntegerHalvesAndDrawsUnclipped) {
    UniqueFont font = CreateToolkitFont(15);
    ASSERT_TRUE(font);
    SIZE size{};
    {
        WindowDC screen(nullptr);
        SelectedObject withFont(screen.Get(), font.Get());
        ::GetTextExtentPoint32W(screen.Get(), L"Wheel Click", 11, &size);
    }
    // Centred in (10, 5)-(151, 40): the same as drawn at the truncated halves.
    const int x = 10 + (151 - size.cx - 10) / 2;
    const int y = 5 + (40 - size.cy - 5) / 2;
    const auto centred = Drawn(font.Get(), true, true, RECT{10, 5, 151, 40});
    EXPECT_EQ(centred, Drawn(font.Get(), false, false, RECT{x, y, x, y}));
    EXPECT_NE(centred, Drawn(font.Get(), false, false, RECT{x + 1, y, x + 1, y}));
    // A rectangle smaller than the text does not clip it.
    EXPECT_EQ(Drawn(font.Get(), false, false, RECT{20, 20, 22, 22}),
              Drawn(font.Get(), false, false, RECT{20, 20, 200, 60}));
    EXPECT_EQ(TextColourOf(0xFF5A5A5A), RGB(0x5A, 0x5A, 0x5A));
    EXPECT_EQ(TextColourOf(0x00123456), RGB(0x12, 0x34, 0x56)) << "alpha is dropped";
}

}  // namespace
}  // namespace vandir
