#include "skin/SkinStore.h"

#include <windows.h>
// <windows.h> first.
#include <ole2.h>

#include <climits>
#include <optional>
#include <utility>

namespace vandir {

namespace {

constexpr const wchar_t* kFailureText = L"ui load failed!";
constexpr const wchar_t* kMessageCaption = L"Meridane Vandir II";

// Larger files are not read: a skin sheet is a window-sized picture, and a
// stray huge file must not exhaust memory.
constexpr LONGLONG kMaxSheetFileSize = 64LL * 1024 * 1024;

// Owner of a COM stream reference.
struct StreamTraits {
    using Handle = IStream*;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle stream) noexcept { stream->Release(); }
};
using UniqueStream = UniqueResource<StreamTraits>;

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

// Reads exactly length bytes from the file's start into bytes.
bool ReadWhole(HANDLE file, BYTE* bytes, DWORD length) {
    DWORD done = 0;
    while (done < length) {
        DWORD read = 0;
        if (!::ReadFile(file, bytes + done, length - done, &read, nullptr) || read == 0) {
            return false;
        }
        done += read;
    }
    return true;
}

}  // namespace

std::wstring GetModuleFolder() {
    // Grows the buffer until the whole path fits, so a long path is never cut
    // short into a wrong folder.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) {
            return {};
        }
        path.resize(path.size() * 2);
    }
    const size_t cut = path.rfind(L'\\');
    if (cut == std::wstring::npos) {
        return {};
    }
    path.resize(cut);
    return path;
}

std::wstring DefaultSkinFolder() {
    return GetModuleFolder() + L"\\Vandir_Skins\\";
}

bool IsReadableImage(const std::wstring& path) {
    UINT flags = 0;
    {
        Gdiplus::Bitmap bitmap(path.c_str());
        if (bitmap.GetLastStatus() == Gdiplus::Ok) {
            flags = bitmap.GetFlags();
        }
    }  // The bitmap is disposed here, which lets go of the file.
    return flags != 0;
}

LoadedSkinImage LoadSkinImage(const std::wstring& path) {
    if (!IsReadableImage(path)) {
        return {};
    }
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return {};
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
        size.QuadPart > kMaxSheetFileSize) {
        return {};
    }
    const auto length = static_cast<DWORD>(size.QuadPart);

    UniqueGlobalMemory block(::GlobalAlloc(GMEM_FIXED, length));
    if (!block) {
        return {};
    }
    auto* bytes = static_cast<BYTE*>(::GlobalLock(block.Get()));
    if (bytes == nullptr) {
        return {};
    }
    const bool complete = ReadWhole(file.Get(), bytes, length);
    ::GlobalUnlock(block.Get());
    file.Reset();  // Nothing keeps the file open once its bytes are in memory.
    if (!complete) {
        return {};
    }

    // The stream must not free the block: the block outlives the stream and
    // belongs to the image.
    UniqueStream stream;
    if (FAILED(::CreateStreamOnHGlobal(block.Get(), FALSE, stream.Put())) || !stream) {
        return {};
    }
    // Decoded as a Gdiplus::Bitmap object, so that crops can be cut from it.
    ImagePtr image(Gdiplus::Bitmap::FromStream(stream.Get()));
    stream.Reset();  // The image holds its own reference while it needs one.
    if (!image || image->GetLastStatus() != Gdiplus::Ok) {
        return {};  // image is destroyed before block: declared after it.
    }
    LoadedSkinImage loaded;
    loaded.block = std::move(block);
    loaded.image = std::move(image);
    return loaded;
}

SkinStore::SkinStore(std::wstring skinFolder, SkinFailureReporter reporter)
    : folder_(std::move(skinFolder)), reporter_(std::move(reporter)) {
    if (!reporter_.showMessage) {
        reporter_.showMessage = [](const std::wstring& text) {
            ::MessageBoxW(nullptr, text.c_str(), kMessageCaption, MB_OK);
        };
    }
    if (!reporter_.requestQuit) {
        reporter_.requestQuit = [] { ::PostQuitMessage(0); };
    }
}

// Each sheet's image goes before its memory block (LoadedSkinImage's member
// order). The original design never frees the blocks because the sheets live
// as long as the process; with a store that has one owner, freeing them when
// that owner destroys the store, after the images, is the same lifetime.
SkinStore::~SkinStore() = default;

std::wstring SkinStore::SheetPath(layout::Sheet sheet) const {
    const layout::SheetFile* file = layout::FileOf(sheet);
    return file == nullptr ? std::wstring() : folder_ + std::wstring(file->name);
}

void SkinStore::LoadSkinSheets() {
    if (loaded_) {
        return;
    }
    loaded_ = true;  // Before the first read: a failed load is never retried.
    for (int slot = 1; slot <= kSkinSheetCount; ++slot) {
        sheets_[static_cast<size_t>(slot - 1)] =
            LoadSkinImage(SheetPath(layout::SheetInSlot(slot)));
    }
}

Gdiplus::Image* SkinStore::Sheet(layout::Sheet sheet) {
    LoadSkinSheets();
    const int slot = layout::SlotOf(sheet);
    if (slot < 1 || slot > kSkinSheetCount) {
        return nullptr;
    }
    return sheets_[static_cast<size_t>(slot - 1)].image.get();
}

ImagePtr SkinStore::CropSkinSheet(Gdiplus::Image* sheet, int left, int top, int right, int bottom) {
    if (sheet == nullptr) {
        Fail();
        return nullptr;
    }
    auto* bitmap = dynamic_cast<Gdiplus::Bitmap*>(sheet);
    if (bitmap == nullptr) {
        return nullptr;
    }
    // Widened so that no rectangle can overflow; an empty area or one that
    // leaves the sheet is refused here just as GDI+ refuses it.
    const long long width = static_cast<long long>(right) - left;
    const long long height = static_cast<long long>(bottom) - top;
    if (left < 0 || top < 0 || width <= 0 || height <= 0 ||
        right > static_cast<long long>(sheet->GetWidth()) ||
        bottom > static_cast<long long>(sheet->GetHeight())) {
        return nullptr;
    }
    return ImagePtr(bitmap->Clone(left, top, static_cast<INT>(width), static_cast<INT>(height),
                                  PixelFormatDontCare));
}

SkinElement SkinStore::GetSkinElementImage(int element, int state, int left, int top, int right,
                                           int bottom) {
    LoadSkinSheets();
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
            result.owned = CropSkinSheet(Sheet(*sheet), left, top, right, bottom);
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
