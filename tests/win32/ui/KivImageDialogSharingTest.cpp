// A skin store's sheet as a dialog's background is shared, not copied: the
// dialog keeps it alive for as long as it paints it, whoever else lets go.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "platform/win32/framework/Gdi.h"
#include "skin/KivImageDialog.h"
#include "skin/SkinBitmap.h"
#include "win32/ui/TestDialogs.h"

namespace vandir {
namespace {

class SkinDialog : public CKivImageDialog {
public:
    SkinDialog() : CKivImageDialog(IDD_SKIN_DIALOG) {}
};

// 60 x 40 pixels: the left half red, the right half blue.
SheetPixels TwoColourPixels() {
    std::optional<SheetPixels> pixels = AllocatePixels(60, 40, PixelFormat24bppRGB);
    for (int y = 0; y < 40; ++y) {
        BYTE* row = pixels->Row(y);
        for (int x = 0; x < 60; ++x) {
            row[3 * x] = x < 30 ? 0 : 255;      // blue
            row[3 * x + 1] = 0;                 // green
            row[3 * x + 2] = x < 30 ? 255 : 0;  // red
        }
    }
    return std::move(*pixels);
}

// The colour the dialog's erase paints at (x, y) of its client area.
COLORREF ErasedPixel(CKivImageDialog& dialog, int x, int y) {
    const RECT client = dialog.GetClientRect();
    WindowDC screen(nullptr);
    MemoryDC memory(screen.Get());
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), client.right - client.left,
                                                 client.bottom - client.top));
    SelectedObject selected(memory.Get(), bitmap.Get());
    dialog.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.Get()), 0);
    return ::GetPixel(memory.Get(), x, y);
}

TEST(KivImageDialogSharing, AStoreSheetIsSharedAndKeptAliveByTheDialog) {
    SkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    std::shared_ptr<SkinBitmap> sheet = SkinBitmap::Make(TwoColourPixels());
    ASSERT_NE(sheet, nullptr);
    const std::weak_ptr<SkinBitmap> watch = sheet;
    dialog.SetBackgroundImage(sheet.get());
    EXPECT_EQ(dialog.background(), sheet.get()) << "no copy";
    const RECT window = dialog.GetWindowRect();
    EXPECT_EQ(window.right - window.left, 60);
    EXPECT_EQ(window.bottom - window.top, 40);

    // The store lets go (it is destroyed): the dialog still has its picture.
    sheet.reset();
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(ErasedPixel(dialog, 5, 20), RGB(255, 0, 0));
    EXPECT_EQ(ErasedPixel(dialog, 55, 20), RGB(0, 0, 255));

    // A new background replaces it, and the sheet goes with its last holder.
    dialog.SetBackgroundImage(nullptr);
    EXPECT_TRUE(watch.expired());
}

TEST(KivImageDialogSharing, AnyOtherImageIsCopied) {
    SkinDialog dialog;
    ASSERT_TRUE(dialog.Create());
    // A SkinBitmap that no shared_ptr holds cannot be shared: it is copied
    // like any other image.
    SkinBitmap unshared(TwoColourPixels());
    dialog.SetBackgroundImage(&unshared);
    ASSERT_NE(dialog.background(), nullptr);
    EXPECT_NE(dialog.background(), &unshared);
    EXPECT_EQ(ErasedPixel(dialog, 5, 20), RGB(255, 0, 0));

    Gdiplus::Bitmap plain(20, 10, PixelFormat24bppRGB);
    dialog.SetBackgroundImage(&plain);
    EXPECT_NE(dialog.background(), &plain);
    EXPECT_EQ(dialog.background()->GetWidth(), 20u);
}

}  // namespace
}  // namespace vandir
