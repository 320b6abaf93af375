// The skin store against sheets the tests draw themselves: every sheet has its
// own size, a base colour and a marker square at (10, 12)-(20, 22), so a
// pixel read from a crop tells which sheet it was cut from and where.
//
// The file names below are written out here on purpose, independently of the
// store's own table, so a misspelt name in the store fails the loading test.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.

#include <climits>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "skin/SkinImageFile.h"
#include "skin/SkinStore.h"
#include "skin/layout/DisplayScale.h"
#include "win32/TempFolder.h"
#include "win32/ui/PixelCompare.h"
#include "win32/ui/PngCapture.h"

namespace vandir {
namespace {

using test::TempFolder;

struct SheetFile {
    layout::Sheet sheet;
    const wchar_t* name;
};

// Load order and names of the sheets.
const SheetFile kSheetFiles[kSkinSheetCount] = {
    {layout::Sheet::MainNormal, L"\\MainUI-BG Normal.bmp"},
    {layout::Sheet::MainDown, L"\\MainUI-BG Down.bmp"},
    {layout::Sheet::MainDisable, L"\\MainUI-BG Disable.bmp"},
    {layout::Sheet::KeyAssignmentNormal, L"\\Key Assignment Normal.bmp"},
    {layout::Sheet::KeyAssignmentDown, L"\\Key Assignment Down.bmp"},
    {layout::Sheet::KeyAssignmentDisable, L"\\Key Assignment Disable.bmp"},
    {layout::Sheet::OsSensitivityNormal, L"\\OS Sensitivity Normal.bmp"},
    {layout::Sheet::OsSensitivityDown, L"\\OS Sensitivity Down.bmp"},
    {layout::Sheet::SensorNormal, L"\\Sensor Normal.bmp"},
    {layout::Sheet::SensorDown, L"\\Sensor Down.bmp"},
    {layout::Sheet::LedDown, L"\\LED Down.png"},
    {layout::Sheet::LedNormal, L"\\LED Normal.png"},
    {layout::Sheet::SupportNormal, L"\\SUPPORT Normal.bmp"},
    {layout::Sheet::SupportDown, L"\\SUPPORT Down.bmp"},
    {layout::Sheet::LanguageNormal, L"\\MainUI-Language Normal.bmp"},
    {layout::Sheet::LanguageDown, L"\\MainUI-Language Down.bmp"},
    {layout::Sheet::KeyboardNormal, L"\\Keyboard Normal.bmp"},
    {layout::Sheet::KeyboardDown, L"\\Keyboard Down.bmp"},
    {layout::Sheet::SliderNormal, L"\\Slider_Normal.bmp"},
    {layout::Sheet::SliderDisable, L"\\Slider_Disable.bmp"},
    {layout::Sheet::LeftClickNormal, L"\\Left Click pop up Normal.bmp"},
    {layout::Sheet::LeftClickDown, L"\\Left Click pop up Down.bmp"},
    {layout::Sheet::RapidFireKeyNormal, L"\\Rapidfire_KB Normal.bmp"},
    {layout::Sheet::RapidFireKeyDown, L"\\Rapidfire_KB Down.bmp"},
    {layout::Sheet::RapidFireMouseNormal, L"\\Rapidfire_mic Normal.bmp"},
    {layout::Sheet::RapidFireMouseDown, L"\\Rapidfire_mic Down.bmp"},
    {layout::Sheet::VersionNormal, L"\\Version Normal.bmp"},
    {layout::Sheet::VersionDown, L"\\Version Down.bmp"},
    {layout::Sheet::NoMouseNormal, L"\\no Mosue Normal.bmp"},
    {layout::Sheet::NoMouseDown, L"\\no Mosue Down.bmp"},
    {layout::Sheet::ApplyBarFull, L"\\apply Bar-Full.bmp"},
};

using layout::SlotOf;

// The look of a sheet: slot 1..31, variant 0 as first written, 1 for a
// replacement with another size and other colours.
struct SheetLook {
    int width;
    int height;
    Gdiplus::ARGB base;  // 0x00RRGGBB
    Gdiplus::ARGB marker;
};

SheetLook LookOf(int slot, int variant = 0) {
    const int v = slot * 8;
    const int green = variant == 0 ? 0x40 : 0xC0;
    return {60 + 2 * slot + 7 * variant, 50 + slot + 5 * variant,
            static_cast<Gdiplus::ARGB>((v << 16) | (green << 8) | (255 - v)),
            static_cast<Gdiplus::ARGB>(((255 - v) << 16) | (v << 8) | (0x80 + variant))};
}

// The marker square every sheet carries.
constexpr int kMarkLeft = 10, kMarkTop = 12, kMarkRight = 20, kMarkBottom = 22;

bool IsPng(const std::wstring& path) {
    return path.ends_with(L".png");
}

void WriteImage(const std::wstring& path, const SheetLook& look) {
    const bool png = IsPng(path);
    Gdiplus::Bitmap bitmap(look.width, look.height,
                           png ? PixelFormat32bppARGB : PixelFormat24bppRGB);
    {
        Gdiplus::Graphics graphics(&bitmap);
        graphics.Clear(Gdiplus::Color(0xFF000000 | look.base));
        Gdiplus::SolidBrush marker(Gdiplus::Color(0xFF000000 | look.marker));
        graphics.FillRectangle(&marker, kMarkLeft, kMarkTop, kMarkRight - kMarkLeft,
                               kMarkBottom - kMarkTop);
    }
    const CLSID encoder = EncoderOrFail(png ? L"image/png" : L"image/bmp");
    ASSERT_EQ(bitmap.Save(path.c_str(), &encoder, nullptr), Gdiplus::Ok);
}

// A skin folder in the program's form (ending in a backslash, so that the
// folder and the file names' leading backslash meet) filled with all sheets.
class SkinFolder {
public:
    explicit SkinFolder(bool writeAll = true) {
        std::filesystem::create_directories(temp_ / L"Vandir_Skins");
        if (writeAll) {
            for (const SheetFile& file : kSheetFiles) {
                Write(file.sheet);
            }
        }
    }
    const std::wstring& Folder() const { return folder_; }
    std::wstring PathOf(layout::Sheet sheet) const {
        return folder_ + kSheetFiles[SlotOf(sheet) - 1].name;
    }
    void Write(layout::Sheet sheet, int variant = 0) {
        WriteImage(PathOf(sheet), LookOf(SlotOf(sheet), variant));
    }
    void Remove(layout::Sheet sheet) { ASSERT_TRUE(::DeleteFileW(PathOf(sheet).c_str())); }
    // Writes the sheet into the set of another scale (its subfolder).
    void WriteInSet(int scale, layout::Sheet sheet, int variant) {
        const std::wstring set = folder_ + std::to_wstring(scale);
        std::filesystem::create_directories(set);
        WriteImage(set + kSheetFiles[SlotOf(sheet) - 1].name, LookOf(SlotOf(sheet), variant));
    }

private:
    TempFolder temp_;
    std::wstring folder_ = temp_ / L"Vandir_Skins\\";
};

// Records what the store reports, in order, instead of showing a message box.
class Reports {
public:
    SkinFailureReporter Reporter() {
        return {[this](const std::wstring& text) { events.push_back(L"message: " + text); },
                [this] { events.push_back(L"quit"); }};
    }
    std::vector<std::wstring> events;
};

const std::vector<std::wstring> kOneFailure = {L"message: ui load failed!", L"quit"};

// The pixel's colour as 0x00RRGGBB; the image must be a GDI+ bitmap.
Gdiplus::ARGB PixelAt(Gdiplus::Image* image, int x, int y) {
    auto* bitmap = dynamic_cast<Gdiplus::Bitmap*>(image);
    if (bitmap == nullptr) {
        ADD_FAILURE() << "not a bitmap";
        return 0xFFFFFFFF;
    }
    Gdiplus::Color color;
    EXPECT_EQ(bitmap->GetPixel(x, y, &color), Gdiplus::Ok);
    return color.GetValue() & 0x00FFFFFF;
}

// The image has the look of the slot's sheet: its size, base and marker.
void ExpectSheetLook(Gdiplus::Image* image, int slot, int variant = 0) {
    ASSERT_NE(image, nullptr) << "slot " << slot;
    const SheetLook look = LookOf(slot, variant);
    EXPECT_EQ(image->GetWidth(), static_cast<UINT>(look.width)) << "slot " << slot;
    EXPECT_EQ(image->GetHeight(), static_cast<UINT>(look.height)) << "slot " << slot;
    EXPECT_EQ(PixelAt(image, 0, 0), look.base) << "slot " << slot;
    EXPECT_EQ(PixelAt(image, kMarkLeft, kMarkTop), look.marker) << "slot " << slot;
    EXPECT_EQ(PixelAt(image, kMarkRight - 1, kMarkBottom - 1), look.marker) << "slot " << slot;
    EXPECT_EQ(PixelAt(image, kMarkRight, kMarkTop), look.base) << "slot " << slot;
}

// The crop (10, 12)-(30, 40) of the slot's sheet: 20 x 28 pixels with the
// marker in its top-left 10 x 10 pixels.
constexpr int kCropLeft = 10, kCropTop = 12, kCropRight = 30, kCropBottom = 40;

void ExpectCropOf(Gdiplus::Image* crop, int slot, int variant = 0) {
    ASSERT_NE(crop, nullptr) << "slot " << slot;
    const SheetLook look = LookOf(slot, variant);
    EXPECT_EQ(crop->GetWidth(), static_cast<UINT>(kCropRight - kCropLeft));
    EXPECT_EQ(crop->GetHeight(), static_cast<UINT>(kCropBottom - kCropTop));
    EXPECT_EQ(PixelAt(crop, 0, 0), look.marker) << "slot " << slot;
    EXPECT_EQ(PixelAt(crop, 9, 9), look.marker) << "slot " << slot;
    EXPECT_EQ(PixelAt(crop, 10, 0), look.base) << "slot " << slot;
    EXPECT_EQ(PixelAt(crop, 0, 10), look.base) << "slot " << slot;
}

// ---------------------------------------------------------------------------
// Folders and files

TEST(SkinStoreFolders, ModuleFolderIsTheFolderOfTheTestProgram) {
    const std::wstring folder = GetModuleFolder();
    EXPECT_TRUE(folder.ends_with(L"\\bin")) << std::filesystem::path(folder).string();
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(DefaultSkinFolder(), folder + L"\\Vandir_Skins\\");
}

TEST(SkinStoreFiles, ReadableImagesLoadIntoMemoryAndLeaveTheFileFree) {
    TempFolder temp;
    for (const wchar_t* name : {L"sheet.bmp", L"sheet.png"}) {
        SCOPED_TRACE(std::filesystem::path(name).string());
        const std::wstring path = temp / name;
        WriteImage(path, LookOf(5));

        const std::shared_ptr<SkinBitmap> loaded = LoadSkinImage(path);
        ASSERT_NE(loaded, nullptr);
        // The file is closed: it can go while the image lives on from memory.
        ASSERT_TRUE(::DeleteFileW(path.c_str()));
        ExpectSheetLook(loaded.get(), 5);
    }
}

TEST(SkinStoreFiles, FilesThatAreNoImagesGiveNoImage) {
    TempFolder temp;
    {
        std::ofstream(std::filesystem::path(temp / L"text.bmp")) << "not a picture at all";
        std::ofstream(std::filesystem::path(temp / L"empty.bmp"));
    }
    for (const wchar_t* name : {L"missing.bmp", L"text.bmp", L"empty.bmp"}) {
        SCOPED_TRACE(std::filesystem::path(name).string());
        EXPECT_EQ(LoadSkinImage(temp / name), nullptr);
    }
}

// ---------------------------------------------------------------------------
// Loading

TEST(SkinStoreLoading, LoadsEverySheetFromItsFileName) {
    SkinFolder skins;
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    EXPECT_FALSE(store.IsLoaded());

    for (int slot = 1; slot <= kSkinSheetCount; ++slot) {
        ExpectSheetLook(store.Sheet(layout::SheetInSlot(slot)), slot);
        // The enumerator of the file written under this name is the same slot.
        EXPECT_EQ(store.Sheet(kSheetFiles[slot - 1].sheet), store.Sheet(layout::SheetInSlot(slot)));
    }
    EXPECT_TRUE(store.IsLoaded());
    EXPECT_EQ(store.Sheet(layout::Sheet::None), nullptr);
    EXPECT_EQ(store.Sheet(layout::SheetInSlot(kSkinSheetCount + 1)), nullptr);
    EXPECT_TRUE(reports.events.empty());
}

TEST(SkinStoreLoading, NothingIsReadBeforeTheFirstRequest) {
    SkinFolder skins(/*writeAll=*/false);
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    // Written after the store was made: the first request still finds them.
    for (const SheetFile& file : kSheetFiles) {
        skins.Write(file.sheet);
    }
    const SkinElement background = store.GetSkinElementImage(12, 0, 0, 0, 0, 0);
    EXPECT_TRUE(store.IsLoaded());
    ExpectSheetLook(background.get(), SlotOf(layout::Sheet::KeyAssignmentNormal));
    EXPECT_TRUE(reports.events.empty());
}

// The first window that asks for any picture loads every sheet: files
// replaced after that request change nothing.
TEST(SkinStoreLoading, FirstRequestLoadsEverySheet) {
    SkinFolder skins;
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    ExpectSheetLook(store.GetSkinElementImage(12, 0, 0, 0, 0, 0).get(),
                    SlotOf(layout::Sheet::KeyAssignmentNormal));
    for (const SheetFile& file : kSheetFiles) {
        skins.Write(file.sheet, 1);
    }
    for (int slot = 1; slot <= kSkinSheetCount; ++slot) {
        ExpectSheetLook(store.Sheet(layout::SheetInSlot(slot)), slot);
    }
    EXPECT_TRUE(reports.events.empty());
}

TEST(SkinStoreLoading, FirstLoadIsFinalAndNeverRetried) {
    SkinFolder skins;
    skins.Remove(layout::Sheet::SensorDown);
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    ASSERT_NE(store.GetSkinElementImage(57, 0, 0, 0, 0, 0).get(), nullptr);

    // The missing sheet appears, and a sheet is replaced: neither is read again,
    // whether by a request or by loading explicitly.
    skins.Write(layout::Sheet::SensorDown);
    skins.Write(layout::Sheet::SensorNormal, 1);
    store.LoadSkinSheets();
    EXPECT_EQ(store.Sheet(layout::Sheet::SensorDown), nullptr);
    ExpectSheetLook(store.Sheet(layout::Sheet::SensorNormal), SlotOf(layout::Sheet::SensorNormal));
    EXPECT_EQ(store.GetSkinElementImage(58, 1, kCropLeft, kCropTop, kCropRight, kCropBottom).get(),
              nullptr);
    EXPECT_EQ(reports.events, kOneFailure);
}

TEST(SkinStoreLoading, SheetReplacedOnDiskAfterLoadingChangesNothing) {
    for (const layout::Sheet sheet : {layout::Sheet::SensorNormal, layout::Sheet::LedNormal}) {
        const int slot = SlotOf(sheet);
        SCOPED_TRACE(slot);
        SkinFolder skins;
        Reports reports;
        SkinStore store(skins.Folder(), reports.Reporter());
        Gdiplus::Image* loaded = store.Sheet(sheet);
        ExpectSheetLook(loaded, slot);

        // No file stays open: the sheet can be deleted and written anew.
        skins.Remove(sheet);
        skins.Write(sheet, 1);

        EXPECT_EQ(store.Sheet(sheet), loaded);
        ExpectSheetLook(store.Sheet(sheet), slot);
        const int cropElement = sheet == layout::Sheet::SensorNormal ? 58 : 73;
        const SkinElement crop =
            store.GetSkinElementImage(cropElement, 0, kCropLeft, kCropTop, kCropRight, kCropBottom);
        ExpectCropOf(crop.get(), slot);

        // The new file is there for a store that starts now.
        SkinStore fresh(skins.Folder(), reports.Reporter());
        ExpectSheetLook(fresh.Sheet(sheet), slot, 1);
        EXPECT_TRUE(reports.events.empty());
    }
}

TEST(SkinStoreLoading, LoadingStartedEarlyGivesEverySheetAndReadsNothingAfter) {
    SkinFolder skins;
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    store.StartLoading();
    EXPECT_TRUE(store.IsLoaded());
    store.StartLoading();  // once only
    ExpectCropOf(
        store.GetSkinElementImage(58, 1, kCropLeft, kCropTop, kCropRight, kCropBottom).get(),
        SlotOf(layout::Sheet::SensorDown));
    store.LoadSkinSheets();

    // Every file replaced: the store keeps what it read.
    for (const SheetFile& file : kSheetFiles) {
        skins.Write(file.sheet, 1);
    }
    store.LoadSkinSheets();
    for (int slot = 1; slot <= kSkinSheetCount; ++slot) {
        ExpectSheetLook(store.Sheet(layout::SheetInSlot(slot)), slot);
    }
    EXPECT_TRUE(reports.events.empty());
}

TEST(SkinStoreLoading, LoadingStartedAndAbandonedLeavesEveryFileFree) {
    SkinFolder skins;
    {
        Reports reports;
        SkinStore store(skins.Folder(), reports.Reporter());
        store.StartLoading();
    }  // destroyed while its worker may still be reading
    for (const SheetFile& file : kSheetFiles) {
        skins.Remove(file.sheet);
    }
}

TEST(SkinStoreLoading, MissingSheetFailsAtItsFirstCropWhenLoadingStartedEarly) {
    SkinFolder skins;
    skins.Remove(layout::Sheet::SensorDown);
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    store.StartLoading();
    ExpectCropOf(
        store.GetSkinElementImage(63, 0, kCropLeft, kCropTop, kCropRight, kCropBottom).get(),
        SlotOf(layout::Sheet::SensorNormal));
    EXPECT_TRUE(reports.events.empty()) << "not reported while loading";
    EXPECT_EQ(store.GetSkinElementImage(63, 1, kCropLeft, kCropTop, kCropRight, kCropBottom).get(),
              nullptr);
    EXPECT_EQ(reports.events, kOneFailure);
}

// A Down sheet of its Normal sheet's size that differs only around its marker:
// the store keeps it as tiles, and every crop from it is still the Down
// file's own pixels, as GDI+ decodes them.
TEST(SkinStoreLoading, DownSheetsKeptAsTilesAreCutExactly) {
    SkinFolder skins;
    const SheetLook normal = LookOf(SlotOf(layout::Sheet::MainNormal));
    SheetLook down = normal;
    down.marker = 0x00FF8000;
    const std::wstring downPath = skins.PathOf(layout::Sheet::MainDown);
    WriteImage(downPath, down);
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    store.LoadSkinSheets();

    {
        // GDI+ keeps the file open while its bitmap lives: this one goes
        // before the file is written again below.
        Gdiplus::Bitmap decoded(downPath.c_str());
        ASSERT_EQ(decoded.GetLastStatus(), Gdiplus::Ok);
        const struct {
            int left, top, right, bottom;
        } areas[] = {
            {0, 0, normal.width, normal.height},
            {kCropLeft, kCropTop, kCropRight, kCropBottom},
            {15, 15, 17, 17},
            {0, 0, 11, 13},
            {19, 21, normal.width, normal.height},
        };
        for (const auto& a : areas) {
            SCOPED_TRACE(testing::Message()
                         << a.left << ", " << a.top << ", " << a.right << ", " << a.bottom);
            const SkinElement crop =
                store.GetSkinElementImage(1, 1, a.left, a.top, a.right, a.bottom);
            const ImagePtr expected(decoded.Clone(a.left, a.top, a.right - a.left, a.bottom - a.top,
                                                  PixelFormatDontCare));
            EXPECT_TRUE(test::SamePicture(crop.get(), expected.get()));
        }
        EXPECT_TRUE(test::SamePicture(store.Sheet(layout::Sheet::MainDown), &decoded));
    }
    // The four tiles around the marker take less than half of the Down sheet
    // kept whole, as it is when it differs everywhere.
    SheetLook everywhere = down;
    everywhere.base = 0x00123456;
    WriteImage(downPath, everywhere);
    SkinStore whole(skins.Folder(), reports.Reporter());
    whole.LoadSkinSheets();
    const size_t downBytes = static_cast<size_t>((normal.width * 3 + 3) / 4 * 4) * normal.height;
    EXPECT_LT(store.PixelBytes() + downBytes / 2, whole.PixelBytes());
    EXPECT_TRUE(reports.events.empty());
}

// ---------------------------------------------------------------------------
// Elements

TEST(SkinStoreElements, SharedElementsAreTheNormalSheetItself) {
    SkinFolder skins;
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    const struct {
        int element;
        layout::Sheet sheet;
    } cases[] = {
        {12, layout::Sheet::KeyAssignmentNormal},   {17, layout::Sheet::OsSensitivityNormal},
        {57, layout::Sheet::SensorNormal},          {72, layout::Sheet::LedNormal},
        {96, layout::Sheet::SupportNormal},         {107, layout::Sheet::LanguageNormal},
        {122, layout::Sheet::ApplyBarFull},         {130, layout::Sheet::KeyboardNormal},
        {139, layout::Sheet::LeftClickNormal},      {141, layout::Sheet::RapidFireKeyNormal},
        {146, layout::Sheet::RapidFireMouseNormal}, {150, layout::Sheet::VersionNormal},
        {155, layout::Sheet::NoMouseNormal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.element);
        SkinElement first = store.GetSkinElementImage(c.element, 0, 0, 0, 0, 0);
        // State and rectangle are ignored.
        const SkinElement second = store.GetSkinElementImage(c.element, 9, 5, 5, 1, 1);
        EXPECT_EQ(first.owned, nullptr);
        EXPECT_EQ(first.shared, store.Sheet(c.sheet));
        EXPECT_EQ(second.get(), first.get());
        ExpectSheetLook(first.get(), SlotOf(c.sheet));

        // A receiver that keeps it takes a copy; the sheet stays as it was.
        ImagePtr copy = first.TakeOwned();
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy.get(), store.Sheet(c.sheet));
        copy.reset();
        ExpectSheetLook(store.Sheet(c.sheet), SlotOf(c.sheet));
    }
    EXPECT_TRUE(reports.events.empty());
}

TEST(SkinStoreElements, CloneElementsAreNewWholeCopies) {
    SkinFolder skins;
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    const struct {
        int element;
        layout::Sheet sheet;
    } cases[] = {
        {0, layout::Sheet::MainNormal},
        {123, layout::Sheet::SliderNormal},
        {124, layout::Sheet::SliderDisable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.element);
        Gdiplus::Image* sheet = store.Sheet(c.sheet);
        SkinElement copy = store.GetSkinElementImage(c.element, 0, 0, 0, 0, 0);
        EXPECT_EQ(copy.shared, nullptr);
        ASSERT_NE(copy.owned, nullptr);
        EXPECT_NE(copy.get(), sheet);
        ExpectSheetLook(copy.get(), SlotOf(c.sheet));

        // Deleting the copy leaves the sheet whole and usable.
        copy.owned.reset();
        EXPECT_EQ(store.Sheet(c.sheet), sheet);
        ExpectSheetLook(sheet, SlotOf(c.sheet));
        // State and rectangle are ignored; each request is another copy.
        const SkinElement again = store.GetSkinElementImage(c.element, 7, 3, 3, 1, 1);
        ExpectSheetLook(again.get(), SlotOf(c.sheet));
        EXPECT_NE(again.get(), sheet);
    }
    EXPECT_TRUE(reports.events.empty());
}

// Crop elements: the sheet for states 0 / 1 / 2 / 3; no disabled sheet means
// state 3 fails.
struct CropRange {
    int first;
    int last;
    layout::Sheet normal;
    layout::Sheet down;
    std::optional<layout::Sheet> disabled;
};

const CropRange kCropRanges[] = {
    {1, 11, layout::Sheet::MainNormal, layout::Sheet::MainDown, layout::Sheet::MainDisable},
    {13, 16, layout::Sheet::KeyAssignmentNormal, layout::Sheet::KeyAssignmentDown,
     layout::Sheet::KeyAssignmentDisable},
    {22, 42, layout::Sheet::KeyAssignmentNormal, layout::Sheet::KeyAssignmentDown,
     layout::Sheet::KeyAssignmentDisable},
    {18, 21, layout::Sheet::OsSensitivityNormal, layout::Sheet::OsSensitivityDown,
     layout::Sheet::OsSensitivityNormal},
    {43, 56, layout::Sheet::OsSensitivityNormal, layout::Sheet::OsSensitivityDown,
     layout::Sheet::OsSensitivityNormal},
    {58, 71, layout::Sheet::SensorNormal, layout::Sheet::SensorDown, layout::Sheet::SensorNormal},
    {73, 95, layout::Sheet::LedNormal, layout::Sheet::LedDown, layout::Sheet::LedNormal},
    {97, 106, layout::Sheet::SupportNormal, layout::Sheet::SupportDown,
     layout::Sheet::SupportNormal},
    {108, 121, layout::Sheet::LanguageNormal, layout::Sheet::LanguageDown,
     layout::Sheet::LanguageNormal},
    {131, 138, layout::Sheet::KeyboardNormal, layout::Sheet::KeyboardDown,
     layout::Sheet::KeyboardNormal},
    {140, 140, layout::Sheet::LeftClickNormal, layout::Sheet::LeftClickDown, std::nullopt},
    {142, 145, layout::Sheet::RapidFireKeyNormal, layout::Sheet::RapidFireKeyDown,
     layout::Sheet::RapidFireKeyNormal},
    {147, 149, layout::Sheet::RapidFireMouseNormal, layout::Sheet::RapidFireMouseDown,
     layout::Sheet::RapidFireMouseNormal},
    {151, 154, layout::Sheet::VersionNormal, layout::Sheet::VersionDown,
     layout::Sheet::VersionNormal},
    {156, 156, layout::Sheet::NoMouseNormal, layout::Sheet::NoMouseDown,
     layout::Sheet::NoMouseNormal},
};

TEST(SkinStoreElements, CropElementsCutFromTheSheetOfTheirState) {
    SkinFolder skins;
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    for (const CropRange& range : kCropRanges) {
        for (const int element : {range.first, range.last}) {
            const std::optional<layout::Sheet> bySheet[] = {range.normal, range.down, range.down,
                                                            range.disabled};
            for (int state = 0; state <= 3; ++state) {
                if (!bySheet[state]) {
                    continue;  // Element 140 in state 3: a failure, tested below.
                }
                SCOPED_TRACE(testing::Message() << "element " << element << " state " << state);
                SkinElement crop = store.GetSkinElementImage(element, state, kCropLeft, kCropTop,
                                                             kCropRight, kCropBottom);
                EXPECT_EQ(crop.shared, nullptr);
                ExpectCropOf(crop.owned.get(), SlotOf(*bySheet[state]));
            }
        }
    }
    EXPECT_TRUE(reports.events.empty());
}

TEST(SkinStoreElements, CropOfTheWholeSheetIsAnExactCopy) {
    SkinFolder skins;
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    const SheetLook look = LookOf(SlotOf(layout::Sheet::MainDown));
    const SkinElement crop = store.GetSkinElementImage(1, 1, 0, 0, look.width, look.height);
    ExpectSheetLook(crop.get(), SlotOf(layout::Sheet::MainDown));
    EXPECT_TRUE(reports.events.empty());
}

TEST(SkinStoreElements, ElementsAndStatesOutsideTheTableFailOnce) {
    SkinFolder skins;
    const struct {
        int element;
        int state;
    } cases[] = {
        {125, 0}, {126, 0},     {127, 0}, {128, 1}, {129, 2}, {157, 0}, {1000, 0},     {INT_MAX, 0},
        {-1, 0},  {INT_MIN, 0}, {1, 4},   {73, 4},  {156, 4}, {24, -1}, {42, INT_MAX}, {140, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "element " << c.element << " state " << c.state);
        Reports reports;
        SkinStore store(skins.Folder(), reports.Reporter());
        const SkinElement result = store.GetSkinElementImage(c.element, c.state, kCropLeft,
                                                             kCropTop, kCropRight, kCropBottom);
        EXPECT_EQ(result.get(), nullptr);
        EXPECT_EQ(result.owned, nullptr);
        EXPECT_EQ(reports.events, kOneFailure);
    }
}

TEST(SkinStoreElements, AreaGdiplusRefusesGivesNoImageWithoutMessage) {
    SkinFolder skins;
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    const SheetLook look = LookOf(SlotOf(layout::Sheet::MainNormal));
    const struct {
        int left, top, right, bottom;
    } areas[] = {
        {look.width - 5, 0, look.width + 1, 10},    // past the right edge
        {0, look.height - 5, 10, look.height + 1},  // past the bottom edge
        {-1, 0, 10, 10},                            // left of the sheet
        {0, -1, 10, 10},                            // above the sheet
        {10, 10, 10, 20},                           // no width
        {10, 10, 20, 10},                           // no height
        {20, 10, 10, 20},                           // right before left
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX},       // sizes that overflow an int
        {INT_MAX - 1, 0, INT_MAX, 10},
    };
    for (const auto& a : areas) {
        SCOPED_TRACE(testing::Message()
                     << a.left << ", " << a.top << ", " << a.right << ", " << a.bottom);
        EXPECT_EQ(store.GetSkinElementImage(1, 0, a.left, a.top, a.right, a.bottom).get(), nullptr);
        EXPECT_EQ(store.CropSkinSheet(layout::Sheet::MainNormal, a.left, a.top, a.right, a.bottom),
                  nullptr);
    }
    EXPECT_TRUE(reports.events.empty());
    // The sheet is still good for areas inside it.
    ExpectCropOf(
        store.CropSkinSheet(layout::Sheet::MainNormal, kCropLeft, kCropTop, kCropRight, kCropBottom)
            .get(),
        SlotOf(layout::Sheet::MainNormal));
}

// ---------------------------------------------------------------------------
// Missing sheets

TEST(SkinStoreMissingSheets, CropFromNoSheetTakesTheFailurePath) {
    SkinFolder skins;
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    EXPECT_EQ(store.CropSkinSheet(layout::Sheet::None, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(reports.events, kOneFailure);
}

// One missing sheet fails every picture cut from it; the user hears it once
// and the program is asked to quit once.
TEST(SkinStoreMissingSheets, OnlyTheFirstFailureIsReported) {
    SkinFolder skins;
    skins.Remove(layout::Sheet::SensorDown);
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());

    // Normal and disabled looks come from the Sensor Normal sheet, which is there.
    ExpectCropOf(
        store.GetSkinElementImage(63, 0, kCropLeft, kCropTop, kCropRight, kCropBottom).get(),
        SlotOf(layout::Sheet::SensorNormal));
    ExpectCropOf(
        store.GetSkinElementImage(63, 3, kCropLeft, kCropTop, kCropRight, kCropBottom).get(),
        SlotOf(layout::Sheet::SensorNormal));
    EXPECT_TRUE(reports.events.empty());

    // Hover and pressed come from the missing one: no image for either, one
    // message and one quit request in all, also after other failures.
    EXPECT_EQ(store.GetSkinElementImage(63, 1, kCropLeft, kCropTop, kCropRight, kCropBottom).get(),
              nullptr);
    EXPECT_EQ(reports.events, kOneFailure);
    EXPECT_EQ(store.GetSkinElementImage(65, 2, kCropLeft, kCropTop, kCropRight, kCropBottom).get(),
              nullptr);
    EXPECT_EQ(store.GetSkinElementImage(127, 0, 0, 0, 0, 0).get(), nullptr);
    EXPECT_EQ(store.CropSkinSheet(layout::Sheet::None, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(reports.events, kOneFailure);
}

TEST(SkinStoreMissingSheets, WholeSheetElementOfAMissingSheetFails) {
    const struct {
        int element;
        layout::Sheet missing;
    } cases[] = {
        {0, layout::Sheet::MainNormal},      {12, layout::Sheet::KeyAssignmentNormal},
        {57, layout::Sheet::SensorNormal},   {72, layout::Sheet::LedNormal},
        {122, layout::Sheet::ApplyBarFull},  {123, layout::Sheet::SliderNormal},
        {124, layout::Sheet::SliderDisable}, {139, layout::Sheet::LeftClickNormal},
        {155, layout::Sheet::NoMouseNormal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.element);
        SkinFolder skins;
        skins.Remove(c.missing);
        Reports reports;
        SkinStore store(skins.Folder(), reports.Reporter());
        const SkinElement result = store.GetSkinElementImage(c.element, 0, 0, 0, 0, 0);
        EXPECT_EQ(result.get(), nullptr);
        EXPECT_EQ(reports.events, kOneFailure);
    }
}

// A display whose set is missing or incomplete takes each sheet from the
// nearest set that has it, resampled to its scale; only a sheet that no set
// has is missing.
TEST(SkinStoreMissingSheets, AMissingOrIncompleteSetFallsBackToTheNearestSetPresent) {
    using layout::Sheet;
    SkinFolder skins;  // the 100 % set
    skins.Remove(Sheet::KeyboardNormal);
    // At 150 % only the slider; the main window's sheet at 125 % and at
    // 175 %, as near to 150 % as each other.
    skins.WriteInSet(150, Sheet::SliderNormal, 1);
    skins.WriteInSet(125, Sheet::MainNormal, 0);
    skins.WriteInSet(175, Sheet::MainNormal, 1);
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());
    store.UseDpi(layout::DpiOfPercent(150));

    EXPECT_EQ(store.MissingSheets(), std::vector<Sheet>{Sheet::KeyboardNormal});
    // The display's own set, as drawn.
    ExpectSheetLook(store.Sheet(Sheet::SliderNormal), SlotOf(Sheet::SliderNormal), 1);
    // Resampled from the nearest set: of two as near, the larger.
    const auto expectFrom = [&](Sheet sheet, int scale, int variant) {
        SCOPED_TRACE(testing::Message() << "slot " << SlotOf(sheet) << " from " << scale << " %");
        Gdiplus::Image* image = store.Sheet(sheet);
        ASSERT_NE(image, nullptr);
        const SheetLook look = LookOf(SlotOf(sheet), variant);
        const auto atDisplay = [&](int pixels) {
            return static_cast<UINT>(layout::ScaleUnits(
                layout::UnscalePixels(pixels, layout::DpiOfPercent(scale)), store.Dpi()));
        };
        EXPECT_EQ(image->GetWidth(), atDisplay(look.width));
        EXPECT_EQ(image->GetHeight(), atDisplay(look.height));
        EXPECT_EQ(PixelAt(image, 0, 0), look.base);
    };
    expectFrom(Sheet::MainNormal, 175, 1);
    expectFrom(Sheet::SupportNormal, 100, 0);
    expectFrom(Sheet::NoMouseDown, 100, 0);
    EXPECT_TRUE(reports.events.empty());
}

TEST(SkinStoreMissingSheets, OptionalSheetsMissingCauseNoMessageUntilAskedFor) {
    SkinFolder skins;
    skins.Remove(layout::Sheet::ApplyBarFull);
    skins.Remove(layout::Sheet::MainDisable);
    skins.Remove(layout::Sheet::KeyAssignmentDisable);
    Reports reports;
    SkinStore store(skins.Folder(), reports.Reporter());

    // Every element and state the windows ask for.
    struct Request {
        int first, last;
        std::vector<int> states;
    };
    const Request requests[] = {
        {10, 10, {0, 1}},      {24, 42, {0, 1, 2}},   {45, 56, {0, 1, 2}}, {63, 63, {0, 1, 2}},
        {65, 71, {0, 1, 2}},   {78, 95, {0}},         {82, 85, {1, 2}},    {82, 83, {3}},
        {112, 119, {0, 1, 2}}, {147, 154, {0, 1, 2}}, {0, 0, {0}},         {12, 12, {0}},
        {17, 17, {0}},         {57, 57, {0}},         {72, 72, {0}},       {96, 96, {0}},
        {107, 107, {0}},       {123, 124, {0}},       {130, 130, {0}},     {139, 139, {0}},
        {141, 141, {0}},       {146, 146, {0}},       {150, 150, {0}},     {155, 155, {0}},
    };
    for (const Request& request : requests) {
        for (int element = request.first; element <= request.last; ++element) {
            for (const int state : request.states) {
                SCOPED_TRACE(testing::Message() << "element " << element << " state " << state);
                EXPECT_NE(store.GetSkinElementImage(element, state, 0, 0, 10, 10).get(), nullptr);
            }
        }
    }
    EXPECT_TRUE(reports.events.empty());

    // Asked for, each of them fails.
    const struct { int element, state; } askedFor[] = {{1, 3}, {13, 3}, {122, 0}};
    for (const auto& a : askedFor) {
        SCOPED_TRACE(a.element);
        Reports fresh;
        SkinStore other(skins.Folder(), fresh.Reporter());
        EXPECT_EQ(other.GetSkinElementImage(a.element, a.state, 0, 0, 10, 10).get(), nullptr);
        EXPECT_EQ(fresh.events, kOneFailure);
    }
}

}  // namespace
}  // namespace vandir
