// The generated skin sheets against the windows' layout tables, for every set
// of kSkinScales: every file the program loads is in the set's folder beside
// this test with its name and format, every sheet has the scaled size of its
// 100 % sheet and every Normal sheet the scaled size of its window, every
// picture a window cuts (its table rectangle scaled by ScaleRect) lies inside
// its sheet, and the texts the program draws over the sheets stay readable.
// The generated window icons are compiled into this test as resources 139 and
// 140, as into the program.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "skin/layout/DisplayScale.h"
#include "skin/layout/KeyAssignmentLayout.h"
#include "skin/layout/KeyCaptureLayout.h"
#include "skin/layout/LanguageLayout.h"
#include "skin/layout/LedLayout.h"
#include "skin/layout/MainWindowLayout.h"
#include "skin/layout/NoDeviceLayout.h"
#include "skin/layout/PopupLayout.h"
#include "skin/layout/SensorLayout.h"
#include "skin/layout/SkinLayout.h"
#include "skin/layout/SupportLayout.h"

namespace vandir::layout {
namespace {

// GDI+ for the whole run, as the program starts it at start-up.
class GdiplusEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        session_ = std::make_unique<GdiplusSession>();
        ASSERT_TRUE(session_->started());
    }
    void TearDown() override { session_.reset(); }

private:
    std::unique_ptr<GdiplusSession> session_;
};

[[maybe_unused]] ::testing::Environment* const kGdiplus =
    ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

const WindowLayout* const kWindows[] = {
    &kMainWindow,   &kNoDevice,       &kKeyAssignment,     &kOsSensitivity,
    &kSensorPage,   &kLedPage,        &kSupportPage,       &kLanguagePage,
    &kKeyCapture,   &kPopupLeftClick, &kPopupRapidFireKey, &kPopupRapidFireMouse,
    &kPopupVersion, &kPopupNoMouse,
};

std::string Narrow(std::wstring_view text) {
    return std::string(text.begin(), text.end());  // the file names are ASCII
}

// The folder of this executable, without a trailing backslash.
std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

// The folder of a set beside this executable, with its trailing backslash.
std::wstring SetFolder(int scale) {
    return ExecutableFolder() + SkinSetFolder(scale);
}

std::string Describe(const WindowLayout& window, const Control& control) {
    return std::string(window.name) + ", control " + std::to_string(control.id);
}

std::string Describe(const Rect& rect) {
    std::string text = std::to_string(rect.x);
    text.append(", ").append(std::to_string(rect.y));
    text.append(", ").append(std::to_string(rect.width));
    text.append(" x ").append(std::to_string(rect.height));
    return text;
}

// Every picture a control takes: its looks and its background.
std::vector<Crop> CropsOf(const Control& control) {
    std::vector<Crop> crops(control.looks.begin(), control.looks.end());
    crops.push_back(control.background);
    std::erase_if(crops, [](const Crop& crop) { return !crop.present(); });
    return crops;
}

// WCAG relative luminance of an sRGB colour.
double Luminance(Gdiplus::ARGB argb) {
    auto channel = [](unsigned value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel((argb >> 16) & 0xFF) + 0.7152 * channel((argb >> 8) & 0xFF) +
           0.0722 * channel(argb & 0xFF);
}

double Contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The sheets of one set, decoded as the program decodes them.
class SheetSet {
public:
    explicit SheetSet(int scale) {
        for (std::size_t i = 0; i < kSheetCount; ++i) {
            const std::wstring path =
                SetFolder(scale) + std::wstring(kSheetFiles[i].name.substr(1));
            sheets_[i].reset(Gdiplus::Bitmap::FromFile(path.c_str()));
            if (sheets_[i] && sheets_[i]->GetLastStatus() != Gdiplus::Ok) {
                sheets_[i].reset();
            }
        }
    }

    // The decoded sheet, or null when its file is missing or does not decode.
    Gdiplus::Bitmap* Of(Sheet sheet) const {
        const int slot = SlotOf(sheet);
        return slot >= 1 && slot <= static_cast<int>(kSheetCount) ? sheets_[slot - 1].get()
                                                                  : nullptr;
    }

    Size SizeOf(Sheet sheet) const {
        Gdiplus::Bitmap* bitmap = Of(sheet);
        return bitmap ? Size{static_cast<int>(bitmap->GetWidth()),
                             static_cast<int>(bitmap->GetHeight())}
                      : Size{};
    }

    // The pixels of a rectangle of a sheet as 32-bit ARGB, row by row; empty
    // when the rectangle cannot be read.
    std::vector<Gdiplus::ARGB> Pixels(Sheet sheet, const Rect& rect) const {
        Gdiplus::Bitmap* bitmap = Of(sheet);
        std::vector<Gdiplus::ARGB> pixels;
        if (bitmap == nullptr || !Inside(rect, SizeOf(sheet))) {
            return pixels;
        }
        Gdiplus::Rect area(rect.x, rect.y, rect.width, rect.height);
        Gdiplus::BitmapData data{};
        if (bitmap->LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
            Gdiplus::Ok) {
            return pixels;
        }
        pixels.reserve(static_cast<std::size_t>(rect.width) * rect.height);
        for (int y = 0; y < rect.height; ++y) {
            const auto* row = reinterpret_cast<const Gdiplus::ARGB*>(
                static_cast<const BYTE*>(data.Scan0) +
                static_cast<std::ptrdiff_t>(y) * data.Stride);
            pixels.insert(pixels.end(), row, row + rect.width);
        }
        bitmap->UnlockBits(&data);
        return pixels;
    }

    static bool Inside(const Rect& rect, Size size) {
        return !rect.empty() && rect.x >= 0 && rect.y >= 0 && rect.right() <= size.width &&
               rect.bottom() <= size.height;
    }

private:
    std::array<std::unique_ptr<Gdiplus::Bitmap>, kSheetCount> sheets_;
};

// The sheets of every set against the tables, one test per set. The 100 % set
// stays decoded for the whole run (the other sets' sizes follow from it); of
// the other sets only the one of the running test, so that the decoded
// pictures of all sets are never in memory at once.
class SkinSet : public ::testing::TestWithParam<int> {
protected:
    static void TearDownTestSuite() { sets_.clear(); }

    void SetUp() override {
        std::erase_if(sets_,
                      [](const auto& set) { return set.first != 100 && set.first != Scale(); });
        for (const int percent : {100, Scale()}) {
            if (!sets_.contains(percent)) {
                sets_.emplace(percent, std::make_unique<SheetSet>(percent));
            }
        }
    }

    static int Scale() { return GetParam(); }
    static int Dpi() { return DpiOfPercent(Scale()); }
    static const SheetSet& Sheets() { return *sets_.at(Scale()); }
    static const SheetSet& HundredPercent() { return *sets_.at(100); }

    static Gdiplus::Bitmap* SheetOf(Sheet sheet) { return Sheets().Of(sheet); }
    static Size SizeOf(Sheet sheet) { return Sheets().SizeOf(sheet); }
    static std::vector<Gdiplus::ARGB> Pixels(Sheet sheet, const Rect& rect) {
        return Sheets().Pixels(sheet, rect);
    }
    static bool Inside(const Rect& rect, Size size) { return SheetSet::Inside(rect, size); }

    // The luminance most of a crop has at this scale: its median, so that
    // printed marks (arrows, frames) do not count.
    static double BackgroundLuminance(const Crop& crop) {
        const Rect rect = ScaleRect(crop.rect, Dpi());
        std::vector<Gdiplus::ARGB> pixels = Pixels(crop.sheet, rect);
        if (pixels.empty()) {
            ADD_FAILURE() << "cannot read " << Describe(rect);
            return 0.5;
        }
        std::vector<double> values(pixels.size());
        std::transform(pixels.begin(), pixels.end(), values.begin(), Luminance);
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        return values[values.size() / 2];
    }

private:
    static std::map<int, std::unique_ptr<SheetSet>> sets_;
};

std::map<int, std::unique_ptr<SheetSet>> SkinSet::sets_;

INSTANTIATE_TEST_SUITE_P(Scales, SkinSet, ::testing::ValuesIn(kSkinScales),
                         ::testing::PrintToStringParamName());

// The files of a folder, without its subfolders, or the names of its subfolders.
std::set<std::string> EntriesOf(const std::wstring& folder, bool subfolders) {
    std::set<std::string> found;
    WIN32_FIND_DATAW entry{};
    const std::wstring pattern = folder + L"*";
    HANDLE search = FindFirstFileW(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "no folder " << Narrow(folder);
        return found;
    }
    do {
        const std::wstring name = entry.cFileName;
        const bool folderEntry = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folderEntry == subfolders && name != L"." && name != L"..") {
            found.insert(Narrow(name));
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return found;
}

TEST(SkinFolder, HoldsAFolderForEverySetButTheHundredPercentOne) {
    std::set<std::string> expected;
    for (const int scale : kSkinScales) {
        if (scale != 100) {
            expected.insert(std::to_string(scale));
        }
    }
    EXPECT_EQ(EntriesOf(SetFolder(100), true), expected);
}

TEST_P(SkinSet, HoldsExactlyTheSheetFilesTheProgramLoads) {
    std::set<std::string> expected;
    for (const SheetFile& file : kSheetFiles) {
        expected.insert(Narrow(file.name.substr(1)));
    }
    EXPECT_EQ(EntriesOf(SetFolder(Scale()), false), expected);
}

TEST_P(SkinSet, EverySheetDecodesInTheFormatOfItsName) {
    for (const SheetFile& file : kSheetFiles) {
        SCOPED_TRACE(Narrow(file.name));
        const Sheet sheet = SheetInSlot(static_cast<int>(&file - kSheetFiles.data()) + 1);
        Gdiplus::Bitmap* bitmap = SheetOf(sheet);
        ASSERT_NE(bitmap, nullptr) << "missing or not decodable";
        EXPECT_NE(bitmap->GetFlags(), 0u);
        GUID format{};
        ASSERT_EQ(bitmap->GetRawFormat(&format), Gdiplus::Ok);
        const bool alpha = Gdiplus::IsAlphaPixelFormat(bitmap->GetPixelFormat());
        if (file.format == SheetFormat::PngWithAlpha) {
            EXPECT_TRUE(format == Gdiplus::ImageFormatPNG) << "not a PNG";
            EXPECT_TRUE(alpha) << "no alpha channel";
        } else {
            EXPECT_TRUE(format == Gdiplus::ImageFormatBMP) << "not a BMP";
            EXPECT_FALSE(alpha) << "a BMP with alpha";
        }
    }
}

TEST_P(SkinSet, EverySheetHasTheScaledSizeOfItsHundredPercentSheet) {
    for (const SheetFile& file : kSheetFiles) {
        SCOPED_TRACE(Narrow(file.name));
        const Sheet sheet = SheetInSlot(static_cast<int>(&file - kSheetFiles.data()) + 1);
        ASSERT_NE(SheetOf(sheet), nullptr);
        ASSERT_NE(HundredPercent().Of(sheet), nullptr);
        Size expected = ScaleSize(HundredPercent().SizeOf(sheet), Dpi());
        if (sheet == Sheet::SliderNormal || sheet == Sheet::SliderDisable) {
            // A thumb's height is rounded down (see the next test).
            expected.height = HundredPercent().SizeOf(sheet).height * Dpi() / kBaseDpi;
        }
        EXPECT_EQ(SizeOf(sheet), expected);
    }
}

TEST_P(SkinSet, DownAndDisableSheetsHaveTheSizeOfTheirNormalSheet) {
    for (const SheetFile& file : kSheetFiles) {
        if (file.normal == Sheet::None) {
            continue;
        }
        SCOPED_TRACE(Narrow(file.name));
        const Sheet sheet = SheetInSlot(static_cast<int>(&file - kSheetFiles.data()) + 1);
        ASSERT_NE(SheetOf(sheet), nullptr);
        ASSERT_NE(SheetOf(file.normal), nullptr);
        EXPECT_EQ(SizeOf(sheet), SizeOf(file.normal));
    }
}

TEST_P(SkinSet, EveryWindowHasTheSizeItsOwnerGivesItAndHoldsItsControls) {
    for (const WindowLayout* window : kWindows) {
        SCOPED_TRACE(std::string(window->name));
        ASSERT_NE(SheetOf(window->background), nullptr);
        const Size size = SizeOf(window->background);
        if (window->size != Size{}) {
            EXPECT_EQ(size, ScaleSize(window->size, Dpi()));
        }
        for (const Control& control : window->controls) {
            const Rect rect = ScaleRect(control.rect, Dpi());
            EXPECT_TRUE(Inside(rect, size))
                << Describe(*window, control) << " at " << Describe(rect) << " leaves the window";
        }
    }
}

TEST_P(SkinSet, EveryPictureAWindowCutsLiesInsideItsSheet) {
    for (const WindowLayout* window : kWindows) {
        for (const Control& control : window->controls) {
            for (const Crop& crop : CropsOf(control)) {
                const Rect rect = ScaleRect(crop.rect, Dpi());
                SCOPED_TRACE(Describe(*window, control) + ", sheet " +
                             Narrow(FileOf(crop.sheet)->name) + " " + Describe(rect));
                Gdiplus::Bitmap* sheet = SheetOf(crop.sheet);
                ASSERT_NE(sheet, nullptr);
                if (crop.whole()) {
                    continue;
                }
                ASSERT_TRUE(Inside(rect, SizeOf(crop.sheet)));
                // Cut it as the skin store does.
                std::unique_ptr<Gdiplus::Bitmap> picture(
                    sheet->Clone(rect.x, rect.y, rect.width, rect.height, PixelFormatDontCare));
                ASSERT_NE(picture, nullptr);
                EXPECT_EQ(picture->GetWidth(), static_cast<UINT>(rect.width));
                EXPECT_EQ(picture->GetHeight(), static_cast<UINT>(rect.height));
            }
        }
    }
}

TEST_P(SkinSet, SliderThumbsAreSmallWholePicturesThatFitEveryTrack) {
    const Size thumb = SizeOf(Sheet::SliderNormal);
    ASSERT_GT(thumb.width, 0);
    // A slider draws every thumb at the size of the normal one.
    EXPECT_EQ(SizeOf(Sheet::SliderDisable), thumb);
    int sliders = 0;
    int shortestTrack = INT_MAX;
    for (const WindowLayout* window : kWindows) {
        for (const Control& control : window->controls) {
            if (control.kind != ControlKind::Slider) {
                continue;
            }
            ++sliders;
            SCOPED_TRACE(Describe(*window, control));
            for (const Crop& look : control.looks) {
                EXPECT_TRUE(look.whole());
                EXPECT_TRUE(look.sheet == Sheet::SliderNormal ||
                            look.sheet == Sheet::SliderDisable);
            }
            // The thumb is drawn from the top of the track at its own size, so
            // it must not be taller than the track scaled by its edges (which
            // may be a pixel shorter than its height scaled).
            const Rect track = ScaleRect(control.rect, Dpi());
            EXPECT_LE(thumb.height, track.height);
            EXPECT_LE(thumb.width * 10, track.width);
            shortestTrack = std::min(shortestTrack, track.height);
        }
    }
    EXPECT_GT(sliders, 0);
    EXPECT_EQ(thumb.height, shortestTrack) << "as tall as the shortest track, no shorter";
}

TEST_P(SkinSet, LedOverlaysLetTheColourThroughOnlyTheirLightWindows) {
    std::vector<Rect> overlays;
    for (const Control& control : kLedPage.controls) {
        if (control.kind != ControlKind::MouseStatic) {
            continue;
        }
        SCOPED_TRACE(Describe(kLedPage, control));
        const Rect rect = ScaleRect(control.background.rect, Dpi());
        const std::vector<Gdiplus::ARGB> pixels = Pixels(control.background.sheet, rect);
        ASSERT_FALSE(pixels.empty());
        const auto alpha = [](Gdiplus::ARGB argb) { return argb >> 24; };
        EXPECT_TRUE(std::any_of(pixels.begin(), pixels.end(), [&](auto p) {
            return alpha(p) == 0;
        })) << "no light window";
        EXPECT_TRUE(std::any_of(pixels.begin(), pixels.end(), [&](auto p) {
            return alpha(p) == 255;
        })) << "nothing of the picture";
        overlays.push_back(rect);
    }
    ASSERT_EQ(overlays.size(), 4u);

    // Anywhere else both LED sheets are solid: the page is drawn over nothing.
    for (const Sheet sheet : {Sheet::LedNormal, Sheet::LedDown}) {
        SCOPED_TRACE(Narrow(FileOf(sheet)->name));
        const Size size = SizeOf(sheet);
        const std::vector<Gdiplus::ARGB> pixels = Pixels(sheet, {0, 0, size.width, size.height});
        ASSERT_EQ(pixels.size(), static_cast<std::size_t>(size.width) * size.height);
        int seeThrough = 0;
        for (int y = 0; y < size.height; ++y) {
            for (int x = 0; x < size.width; ++x) {
                const bool inOverlay = std::any_of(overlays.begin(), overlays.end(), [&](auto& r) {
                    return x >= r.x && x < r.right() && y >= r.y && y < r.bottom();
                });
                if (!inOverlay &&
                    (pixels[static_cast<std::size_t>(y) * size.width + x] >> 24) != 255) {
                    ++seeThrough;
                }
            }
        }
        EXPECT_EQ(seeThrough, 0);
    }
}

// Function selectors draw their caption in grey 0x5A5A5A at rest and in white
// when lit; edit boxes, value labels and version texts draw white text.
TEST_P(SkinSet, TextsTheProgramDrawsStandOutFromTheirPictures) {
    const double grey = Luminance(0xFF5A5A5A);
    const double white = Luminance(0xFFFFFFFF);
    int checked = 0;
    for (const WindowLayout* window : kWindows) {
        for (const Control& control : window->controls) {
            SCOPED_TRACE(Describe(*window, control));
            switch (control.kind) {
                case ControlKind::ComboButton:
                    EXPECT_GE(Contrast(grey, BackgroundLuminance(control.look(ImageState::Normal))),
                              3.0);
                    EXPECT_GE(Contrast(white, BackgroundLuminance(control.look(ImageState::Hover))),
                              4.5);
                    ++checked;
                    break;
                case ControlKind::Edit:
                case ControlKind::Label:
                    EXPECT_GE(Contrast(white, BackgroundLuminance(control.background)), 4.5);
                    ++checked;
                    break;
                default:
                    break;
            }
        }
    }
    EXPECT_GT(checked, 0);
}

// Hover, pressed, checked and selected all show the Down sheet's picture: it
// must visibly differ from the normal one at every clickable control.
TEST_P(SkinSet, EveryClickableControlLooksDifferentWhenLit) {
    for (const WindowLayout* window : kWindows) {
        for (const Control& control : window->controls) {
            const Crop& normal = control.look(ImageState::Normal);
            const Crop& lit = control.look(ImageState::Hover);
            if (!normal.present() || !lit.present() || normal.sheet == lit.sheet) {
                continue;
            }
            SCOPED_TRACE(Describe(*window, control));
            const std::vector<Gdiplus::ARGB> a =
                Pixels(normal.sheet, ScaleRect(normal.rect, Dpi()));
            const std::vector<Gdiplus::ARGB> b = Pixels(lit.sheet, ScaleRect(lit.rect, Dpi()));
            ASSERT_FALSE(a.empty());
            ASSERT_EQ(a.size(), b.size());
            std::size_t changed = 0;
            for (std::size_t i = 0; i < a.size(); ++i) {
                changed += std::abs(Luminance(a[i]) - Luminance(b[i])) > 0.02 ? 1 : 0;
            }
            EXPECT_GE(changed * 20, a.size()) << "the lit look hardly differs";
        }
    }
}

// The icon group of a resource, as resource compilers lay it out.
#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;  // 0 for 256
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitsPerPixel;
    DWORD bytes;
    WORD id;
};
struct IconGroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using IconPtr = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using BitmapPtr = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

// Resource 139 is the notification-area icon, 140 the window icon.
// Each carries the small icon (16) and the large one (32) at every scale of
// kSkinScales, and 256 for large views.
TEST(WindowIcons, CarryEverySizeAndLoadAtEach) {
    std::set<int> expected{256};
    for (const int scale : kSkinScales) {
        expected.insert(ScaleUnits(16, DpiOfPercent(scale)));
        expected.insert(ScaleUnits(32, DpiOfPercent(scale)));
    }
    for (const int id : {139, 140}) {
        SCOPED_TRACE("icon " + std::to_string(id));
        HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
        ASSERT_NE(resource, nullptr);
        const auto* group =
            static_cast<const IconGroupHeader*>(LockResource(LoadResource(nullptr, resource)));
        ASSERT_NE(group, nullptr);
        ASSERT_GE(SizeofResource(nullptr, resource),
                  sizeof(IconGroupHeader) + group->count * sizeof(IconGroupEntry));
        const auto* entries = reinterpret_cast<const IconGroupEntry*>(group + 1);
        std::set<int> sizes;
        for (WORD i = 0; i < group->count; ++i) {
            EXPECT_EQ(entries[i].width, entries[i].height);
            EXPECT_EQ(entries[i].bitsPerPixel, 32);
            sizes.insert(entries[i].width == 0 ? 256 : entries[i].width);
        }
        EXPECT_TRUE(std::includes(sizes.begin(), sizes.end(), expected.begin(), expected.end()));

        for (const int size : expected) {
            IconPtr icon(
                static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                              IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
            ASSERT_NE(icon, nullptr) << size;
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(icon.get(), &info));
            BitmapPtr colour(info.hbmColor);
            BitmapPtr mask(info.hbmMask);
            BITMAP bitmap{};
            ASSERT_NE(GetObjectW(colour.get(), sizeof(bitmap), &bitmap), 0);
            EXPECT_EQ(bitmap.bmWidth, size);
            EXPECT_EQ(bitmap.bmHeight, size);
        }
    }
}

}  // namespace
}  // namespace vandir::layout
