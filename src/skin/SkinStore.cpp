#include "skin/SkinStore.h"

#include "skin/layout/DisplayScale.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <tuple>
#include <utility>

#include "skin/layout/WindowTitle.h"

namespace vandir {

namespace {

constexpr const wchar_t* kFailureText = L"ui load failed!";
constexpr const wchar_t* kMessageCaption = kMainWindowTitle;

enum class Behaviour { kShared, kClone, kCrop };

// One run of element numbers with the same behaviour and sheets. Shared and
// clone elements use only `normal`. A crop element cuts from `normal` in
// state 0, from `down` in states 1 and 2, and from `disabled` in state 3 (no
// disabled sheet: state 3 fails).
struct ElementRange {
    int first;
    int last;
    Behaviour behaviour;
    layout::Sheet normal;
    layout::Sheet down = layout::Sheet::None;
    std::optional<layout::Sheet> disabled = std::nullopt;
};

using S = layout::Sheet;
constexpr ElementRange kElements[] = {
    {0, 0, Behaviour::kClone, S::MainNormal},
    {1, 11, Behaviour::kCrop, S::MainNormal, S::MainDown, S::MainDisable},
    {12, 12, Behaviour::kShared, S::KeyAssignmentNormal},
    {13, 16, Behaviour::kCrop, S::KeyAssignmentNormal, S::KeyAssignmentDown,
     S::KeyAssignmentDisable},
    {17, 17, Behaviour::kShared, S::OsSensitivityNormal},
    {18, 21, Behaviour::kCrop, S::OsSensitivityNormal, S::OsSensitivityDown,
     S::OsSensitivityNormal},
    {22, 42, Behaviour::kCrop, S::KeyAssignmentNormal, S::KeyAssignmentDown,
     S::KeyAssignmentDisable},
    {43, 56, Behaviour::kCrop, S::OsSensitivityNormal, S::OsSensitivityDown,
     S::OsSensitivityNormal},
    {57, 57, Behaviour::kShared, S::SensorNormal},
    {58, 71, Behaviour::kCrop, S::SensorNormal, S::SensorDown, S::SensorNormal},
    {72, 72, Behaviour::kShared, S::LedNormal},
    {73, 95, Behaviour::kCrop, S::LedNormal, S::LedDown, S::LedNormal},
    {96, 96, Behaviour::kShared, S::SupportNormal},
    {97, 106, Behaviour::kCrop, S::SupportNormal, S::SupportDown, S::SupportNormal},
    {107, 107, Behaviour::kShared, S::LanguageNormal},
    {108, 121, Behaviour::kCrop, S::LanguageNormal, S::LanguageDown, S::LanguageNormal},
    {122, 122, Behaviour::kShared, S::ApplyBarFull},
    {123, 123, Behaviour::kClone, S::SliderNormal},
    {124, 124, Behaviour::kClone, S::SliderDisable},
    // 125-129: no entry, so they fail.
    {130, 130, Behaviour::kShared, S::KeyboardNormal},
    {131, 138, Behaviour::kCrop, S::KeyboardNormal, S::KeyboardDown, S::KeyboardNormal},
    {139, 139, Behaviour::kShared, S::LeftClickNormal},
    {140, 140, Behaviour::kCrop, S::LeftClickNormal, S::LeftClickDown},
    {141, 141, Behaviour::kShared, S::RapidFireKeyNormal},
    {142, 145, Behaviour::kCrop, S::RapidFireKeyNormal, S::RapidFireKeyDown, S::RapidFireKeyNormal},
    {146, 146, Behaviour::kShared, S::RapidFireMouseNormal},
    {147, 149, Behaviour::kCrop, S::RapidFireMouseNormal, S::RapidFireMouseDown,
     S::RapidFireMouseNormal},
    {150, 150, Behaviour::kShared, S::VersionNormal},
    {151, 154, Behaviour::kCrop, S::VersionNormal, S::VersionDown, S::VersionNormal},
    {155, 155, Behaviour::kShared, S::NoMouseNormal},
    {156, 156, Behaviour::kCrop, S::NoMouseNormal, S::NoMouseDown, S::NoMouseNormal},
};

const ElementRange* FindElement(int element) {
    for (const ElementRange& range : kElements) {
        if (element >= range.first && element <= range.last) {
            return &range;
        }
    }
    return nullptr;
}

// The sheet a crop element cuts from in a state; none when the state has no
// sheet.
std::optional<layout::Sheet> CropSheetFor(const ElementRange& range, int state) {
    using layout::ImageState;
    switch (state) {
        case static_cast<int>(ImageState::Normal):
            return range.normal;
        case static_cast<int>(ImageState::Hover):
        case static_cast<int>(ImageState::Pressed):
            return range.down;
        case static_cast<int>(ImageState::Disabled):
            return range.disabled;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::wstring DefaultSkinFolder() {
    return GetModuleFolder() + L"\\Vandir_Skins\\";
}

SkinStore::SkinStore(std::wstring skinFolder, SkinFailureReporter reporter)
    : baseFolder_(std::move(skinFolder)),
      folder_(baseFolder_),
      dpi_(layout::kBaseDpi),
      reporter_(std::move(reporter)) {
    if (!reporter_.showMessage) {
        reporter_.showMessage = [](const std::wstring& text) {
            ::MessageBoxW(nullptr, text.c_str(), kMessageCaption, MB_OK);
        };
    }
    if (!reporter_.requestQuit) {
        reporter_.requestQuit = [] { ::PostQuitMessage(0); };
    }
}

SkinStore::~SkinStore() = default;

std::wstring SkinStore::SheetPath(layout::Sheet sheet) const {
    return SheetFilePath(folder_, sheet);
}

void SkinStore::UseDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_) {
        return;
    }
    loader_.reset();  // waits for a load under way
    sheets_ = {};
    loaded_ = false;
    dpi_ = dpi;
    const int set = layout::SkinScaleFor(dpi);
    folder_ = baseFolder_;
    if (set != 100) {
        folder_ += std::to_wstring(set) + L"\\";
    }
}

std::vector<SheetSource> SkinStore::Sources() const {
    const int percent = layout::PercentOfDpi(dpi_);
    const int first = layout::SkinScaleFor(dpi_);
    std::vector<int> sets(layout::kSkinScales.begin(), layout::kSkinScales.end());
    // The display's own set, then the others by their distance from its
    // scale, the larger first (it loses less when resampled down).
    std::stable_sort(sets.begin(), sets.end(), [&](int a, int b) {
        const auto rank = [&](int set) {
            return std::tuple(set != first, std::abs(set - percent), -set);
        };
        return rank(a) < rank(b);
    });
    std::vector<SheetSource> sources;
    for (const int set : sets) {
        std::wstring folder = baseFolder_;
        if (set != 100) {
            folder += std::to_wstring(set) + L"\\";
        }
        // A set drawn for this very scale is taken as it is.
        sources.push_back(
            {std::move(folder), {percent == set ? dpi_ : layout::DpiOfPercent(set), dpi_}});
    }
    return sources;
}

void SkinStore::StartLoading() {
    if (loaded_) {
        return;
    }
    loaded_ = true;  // Before the first read: a failed load is never retried.
    loader_ = std::make_unique<SheetLoader>(Sources(), sheets_);
}

void SkinStore::LoadSkinSheets() {
    StartLoading();
    if (loader_) {
        loader_->WaitForAll();
        loader_.reset();
    }
}

void SkinStore::EnsureLoading() {
    if (!loaded_) {
        LoadSkinSheets();  // the first request loads every sheet
    }
}

StoredSheet* SkinStore::Stored(layout::Sheet sheet) {
    EnsureLoading();
    const int slot = layout::SlotOf(sheet);
    if (slot < 1 || slot > kSkinSheetCount) {
        return nullptr;
    }
    if (loader_) {
        loader_->WaitFor(sheet);
    }
    return &sheets_[static_cast<size_t>(slot - 1)];
}

Gdiplus::Image* SkinStore::Sheet(layout::Sheet sheet) {
    StoredSheet* stored = Stored(sheet);
    return stored == nullptr ? nullptr : stored->Whole().get();
}

ImagePtr SkinStore::CropSkinSheet(layout::Sheet sheet, int left, int top, int right, int bottom) {
    const StoredSheet* stored = Stored(sheet);
    if (stored == nullptr || !*stored) {
        Fail();
        return nullptr;
    }
    // Widened so that no rectangle can overflow; an empty area or one that
    // leaves the sheet gives no image.
    const long long width = static_cast<long long>(right) - left;
    const long long height = static_cast<long long>(bottom) - top;
    if (width <= 0 || height <= 0 || width > stored->Width() || height > stored->Height()) {
        return nullptr;
    }
    return stored->Crop(left, top, static_cast<int>(width), static_cast<int>(height));
}

std::vector<layout::Sheet> SkinStore::MissingSheets() {
    LoadSkinSheets();
    std::vector<layout::Sheet> missing;
    for (int slot = 1; slot <= kSkinSheetCount; ++slot) {
        const layout::Sheet sheet = layout::SheetInSlot(slot);
        if (!layout::IsOptionalSheet(sheet) && !sheets_[static_cast<size_t>(slot - 1)]) {
            missing.push_back(sheet);
        }
    }
    return missing;
}

size_t SkinStore::PixelBytes() {
    LoadSkinSheets();
    size_t bytes = 0;
    for (const StoredSheet& sheet : sheets_) {
        bytes += sheet.OwnBytes();
    }
    return bytes;
}

SkinElement SkinStore::GetSkinElementImage(int element, int state, int left, int top, int right,
                                           int bottom) {
    EnsureLoading();
    SkinElement result;
    const ElementRange* range = FindElement(element);
    if (range == nullptr) {
        Fail();
        return result;
    }
    switch (range->behaviour) {
        case Behaviour::kShared:
        case Behaviour::kClone: {
            // A sheet that a window uses whole and that failed to load takes
            // the failure path, as a crop from it would, instead of leaving the
            // window without its picture.
            Gdiplus::Image* sheet = Sheet(range->normal);
            if (sheet == nullptr) {
                Fail();
            } else if (range->behaviour == Behaviour::kShared) {
                result.shared = sheet;
            } else {
                result.owned = CloneImage(sheet);
            }
            return result;
        }
        case Behaviour::kCrop: {
            const std::optional<layout::Sheet> sheet = CropSheetFor(*range, state);
            if (!sheet || *sheet == layout::Sheet::None) {
                Fail();
                return result;
            }
            result.owned = CropSkinSheet(*sheet, left, top, right, bottom);
            return result;
        }
    }
    return result;
}

void SkinStore::Fail() {
    if (failed_) {
        return;
    }
    failed_ = true;
    reporter_.showMessage(kFailureText);
    reporter_.requestQuit();
}

}  // namespace vandir
