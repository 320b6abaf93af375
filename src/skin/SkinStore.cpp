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

constexpr std::array<const wchar_t*, kSkinSheetCount> kSheetFileNames = {
    L"\\MainUI-BG Normal.bmp",
    L"\\MainUI-BG Down.bmp",
    L"\\MainUI-BG Disable.bmp",
    L"\\Key Assignment Normal.bmp",
    L"\\Key Assignment Down.bmp",
    L"\\Key Assignment Disable.bmp",
    L"\\OS Sensitivity Normal.bmp",
    L"\\OS Sensitivity Down.bmp",
    L"\\Sensor Normal.bmp",
    L"\\Sensor Down.bmp",
    L"\\LED Down.png",
    L"\\LED Normal.png",
    L"\\SUPPORT Normal.bmp",
    L"\\SUPPORT Down.bmp",
    L"\\MainUI-Language Normal.bmp",
    L"\\MainUI-Language Down.bmp",
    L"\\Keyboard Normal.bmp",
    L"\\Keyboard Down.bmp",
    L"\\Slider_Normal.bmp",
    L"\\Slider_Disable.bmp",
    L"\\Left Click pop up Normal.bmp",
    L"\\Left Click pop up Down.bmp",
    L"\\Rapidfire_KB Normal.bmp",
    L"\\Rapidfire_KB Down.bmp",
    L"\\Rapidfire_mic Normal.bmp",
    L"\\Rapidfire_mic Down.bmp",
    L"\\Version Normal.bmp",
    L"\\Version Down.bmp",
    L"\\no Mosue Normal.bmp",
    L"\\no Mosue Down.bmp",
    L"\\apply Bar-Full.bmp",
};

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
    SkinSheet normal;
    SkinSheet down = SkinSheet::MainUiNormal;
    std::optional<SkinSheet> disabled = std::nullopt;
};

using S = SkinSheet;
constexpr ElementRange kElements[] = {
    {0, 0, Behaviour::kClone, S::MainUiNormal},
    {1, 11, Behaviour::kCrop, S::MainUiNormal, S::MainUiDown, S::MainUiDisable},
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
    {139, 139, Behaviour::kShared, S::LeftClickPopUpNormal},
    {140, 140, Behaviour::kCrop, S::LeftClickPopUpNormal, S::LeftClickPopUpDown},
    {141, 141, Behaviour::kShared, S::RapidfireKbNormal},
    {142, 145, Behaviour::kCrop, S::RapidfireKbNormal, S::RapidfireKbDown, S::RapidfireKbNormal},
    {146, 146, Behaviour::kShared, S::RapidfireMicNormal},
    {147, 149, Behaviour::kCrop, S::RapidfireMicNormal, S::RapidfireMicDown, S::RapidfireMicNormal},
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
std::optional<SkinSheet> CropSheetFor(const ElementRange& range, int state) {
    switch (state) {
        case kSkinStateNormal:
            return range.normal;
        case kSkinStateHover:
        case kSkinStatePressed:
            return range.down;
        case kSkinStateDisabled:
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

const wchar_t* SkinSheetFileName(int slot) noexcept {
    if (slot < 1 || slot > kSkinSheetCount) {
        return nullptr;
    }
    return kSheetFileNames[static_cast<size_t>(slot - 1)];
}

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

std::wstring SkinStore::SheetPath(SkinSheet sheet) const {
    const wchar_t* name = SkinSheetFileName(sheet);
    return name == nullptr ? std::wstring() : folder_ + name;
}

void SkinStore::LoadSkinSheets() {
    if (loaded_) {
        return;
    }
    loaded_ = true;  // Before the first read: a failed load is never retried.
    for (int slot = 1; slot <= kSkinSheetCount; ++slot) {
        sheets_[static_cast<size_t>(slot - 1)] =
            LoadSkinImage(folder_ + kSheetFileNames[static_cast<size_t>(slot - 1)]);
    }
}

Gdiplus::Image* SkinStore::Sheet(SkinSheet sheet) {
    return Sheet(static_cast<int>(sheet));
}

Gdiplus::Image* SkinStore::Sheet(int slot) {
    LoadSkinSheets();
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
            const std::optional<SkinSheet> sheet = CropSheetFor(*range, state);
            if (!sheet) {
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
    reporter_.showMessage(kFailureText);
    reporter_.requestQuit();
}

}  // namespace vandir
