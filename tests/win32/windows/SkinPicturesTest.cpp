// The pictures the windows get from the skin store are exactly the ones GDI+
// gives for the same files: every generated sheet whole, and every picture
// every window's table asks for, in every image state, compared pixel for
// pixel (and in size, pixel format and resolution) with GDI+'s decode of the
// sheet file and GDI+'s cut of the same rectangle, which is what the store
// handed out before it decoded sheets itself and kept Down sheets as tiles.

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "skin/SkinPictures.h"
#include "skin/layout/KeyAssignmentLayout.h"
#include "skin/layout/KeyCaptureLayout.h"
#include "skin/layout/LanguageLayout.h"
#include "skin/layout/LedLayout.h"
#include "skin/layout/MainWindowLayout.h"
#include "skin/layout/NoDeviceLayout.h"
#include "skin/layout/PopupLayout.h"
#include "skin/layout/SensorLayout.h"
#include "skin/layout/SupportLayout.h"
#include "win32/ui/PixelCompare.h"
#include "win32/windows/SkinFixture.h"

namespace vandir {
namespace {

using test::SamePicture;

const std::array<const layout::WindowLayout*, 14> kWindows{
    &layout::kMainWindow,
    &layout::kKeyAssignment,
    &layout::kOsSensitivity,
    &layout::kSensorPage,
    &layout::kLedPage,
    &layout::kSupportPage,
    &layout::kLanguagePage,
    &layout::kKeyCapture,
    &layout::kPopupLeftClick,
    &layout::kPopupRapidFireKey,
    &layout::kPopupRapidFireMouse,
    &layout::kPopupVersion,
    &layout::kPopupNoMouse,
    &layout::kNoDevice,
};

class SkinPictures : public testing::Test {
protected:
    // GDI+'s decode of a sheet's file, made once per sheet.
    Gdiplus::Bitmap& Decoded(layout::Sheet sheet) {
        std::unique_ptr<Gdiplus::Bitmap>& decoded = decoded_[sheet];
        if (!decoded) {
            decoded = std::make_unique<Gdiplus::Bitmap>(fixture.skins.SheetPath(sheet).c_str());
        }
        return *decoded;
    }

    // What the store gave for a table's picture before: GDI+'s copy of the
    // whole decoded sheet, or its cut of the rectangle.
    ImagePtr GdiplusPicture(const layout::Crop& crop) {
        Gdiplus::Bitmap& sheet = Decoded(crop.sheet);
        if (crop.whole()) {
            return ImagePtr(sheet.Clone());
        }
        const layout::Rect& r = crop.rect;
        return ImagePtr(sheet.Clone(r.x, r.y, r.width, r.height, PixelFormatDontCare));
    }

    SkinFixture fixture;

private:
    std::map<layout::Sheet, std::unique_ptr<Gdiplus::Bitmap>> decoded_;
};

TEST_F(SkinPictures, EverySheetIsWhatGdiplusDecodes) {
    for (int slot = 1; slot <= kSkinSheetCount; ++slot) {
        const layout::Sheet sheet = layout::SheetInSlot(slot);
        SCOPED_TRACE(testing::Message() << "slot " << slot);
        ASSERT_EQ(Decoded(sheet).GetLastStatus(), Gdiplus::Ok);
        EXPECT_TRUE(SamePicture(fixture.skins.Sheet(sheet), &Decoded(sheet)));
    }
    EXPECT_TRUE(fixture.failures.empty());
}

TEST_F(SkinPictures, EveryPictureOfEveryWindowIsGdiplusCutOfTheSameFile) {
    int compared = 0;
    for (const layout::WindowLayout* window : kWindows) {
        for (const layout::Control& row : window->controls) {
            // Each look in its state, and the background as the window asks for it.
            std::vector<std::pair<layout::Crop, layout::ImageState>> pictures;
            for (size_t i = 0; i < layout::kImageStateCount; ++i) {
                const auto state = static_cast<layout::ImageState>(i);
                pictures.emplace_back(row.look(state), state);
            }
            pictures.emplace_back(row.background, layout::ImageState::Normal);
            for (const auto& [crop, state] : pictures) {
                if (!crop.present()) {
                    continue;
                }
                SCOPED_TRACE(testing::Message() << window->name << ", control " << row.id
                                                << ", state " << static_cast<int>(state));
                const ImagePtr picture = PictureOf(crop, state, fixture.skins);
                EXPECT_TRUE(SamePicture(picture.get(), GdiplusPicture(crop).get()));
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 300) << "the tables name over 300 pictures";
    EXPECT_TRUE(fixture.failures.empty());
}

// Down and Disable sheets, kept as tiles over their Normal sheet, take far
// less memory than whole sheets would.
TEST_F(SkinPictures, SheetsOnlyCutFromTakeLittleMemory) {
    fixture.skins.LoadSkinSheets();
    size_t whole = 0;
    for (int slot = 1; slot <= kSkinSheetCount; ++slot) {
        Gdiplus::Bitmap& sheet = Decoded(layout::SheetInSlot(slot));
        whole += static_cast<size_t>(sheet.GetWidth()) * sheet.GetHeight() *
                 Gdiplus::GetPixelFormatSize(sheet.GetPixelFormat()) / 8;
    }
    EXPECT_LT(fixture.skins.PixelBytes(), whole * 6 / 10);
}

}  // namespace
}  // namespace vandir
