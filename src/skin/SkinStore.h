#pragma once
// The skin store: the 31 skin sheets read from the skin folder beside the
// program, the cutting of control pictures out of them, and the element-number
// accessor the windows use. The application owns one store for the whole run;
// tests create their own.
//
// All of it runs on the user-interface thread only.

#include <windows.h>
// <windows.h> first: the other Windows headers depend on it.
#include <objidl.h>

#include <array>
#include <functional>
#include <string>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/UniqueHandle.h"
#include "skin/layout/SkinLayout.h"

namespace vandir {

// The sheets, their slots and file names are layout::Sheet and
// layout::kSheetFiles (skin/layout/SkinLayout.h); image states are
// layout::ImageState, passed to the element accessor as numbers 0..3.
inline constexpr int kSkinSheetCount = static_cast<int>(layout::kSheetCount);

// The full path of the running program file cut before its last backslash
// (no trailing backslash); empty when there is none.
std::wstring GetModuleFolder();

// GetModuleFolder() + "\Vandir_Skins\": the program's skin folder.
std::wstring DefaultSkinFolder();

// True when the file decodes as a bitmap whose image flags are non-zero; false
// for a missing file or one that does not decode.
bool IsReadableImage(const std::wstring& path);

// Owner of a fixed global memory block (GlobalAlloc / GlobalFree).
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle block) noexcept { ::GlobalFree(block); }
};
using UniqueGlobalMemory = UniqueResource<GlobalMemoryTraits>;

// An image decoded from memory together with the memory it was decoded from.
// GDI+ may read the memory for the image's whole life, so the block is
// declared first: it is destroyed after the image.
struct LoadedSkinImage {
    UniqueGlobalMemory block;
    ImagePtr image;
};

// Reads the whole file into a fixed global block and decodes a bitmap from a
// stream over that block (the stream never frees the block). The file is
// closed on return, so it stays free to be replaced or deleted. image is null
// when the file is missing, unreadable or does not decode.
LoadedSkinImage LoadSkinImage(const std::wstring& path);

// How the store tells the user that the skin cannot be used, and asks the
// application to end. An empty function takes its default: a message box
// (OK button only) and PostQuitMessage(0).
struct SkinFailureReporter {
    std::function<void(const std::wstring& text)> showMessage;
    std::function<void()> requestQuit;
};

// What GetSkinElementImage hands out: a sheet that stays owned by the store
// (shared, borrowed, never deleted by the receiver) or a new image that the
// receiver owns (a whole copy or a crop). Both empty means no image.
struct SkinElement {
    Gdiplus::Image* shared = nullptr;
    ImagePtr owned;

    // The image either way; null for no image.
    Gdiplus::Image* get() const noexcept { return owned ? owned.get() : shared; }
    explicit operator bool() const noexcept { return get() != nullptr; }

    // An image the caller owns: the owned one itself, or a whole copy of the
    // shared sheet (as a receiver that keeps a shared sheet must make).
    ImagePtr TakeOwned() { return owned ? std::move(owned) : CloneImage(shared); }
};

class SkinStore {
public:
    // skinFolder is used as given, followed by the sheets' file names; the
    // program passes DefaultSkinFolder(). Nothing is read until the first
    // request.
    explicit SkinStore(std::wstring skinFolder, SkinFailureReporter reporter = {});
    // Frees the sheets and then their memory blocks. Images handed out must be
    // released first: GDI+ may let a whole copy of a sheet keep reading the
    // sheet's memory block.
    ~SkinStore();
    SkinStore(const SkinStore&) = delete;
    SkinStore& operator=(const SkinStore&) = delete;

    const std::wstring& SkinFolder() const noexcept { return folder_; }
    // The skin folder followed by the sheet's file name.
    std::wstring SheetPath(layout::Sheet sheet) const;

    // Loads all 31 sheets in slot order, once: the loaded flag is set before the
    // first file is read, so a sheet that failed to load is never retried, and
    // later calls do nothing. A missing or unreadable sheet is not reported; its
    // slot stays empty.
    void LoadSkinSheets();
    bool IsLoaded() const noexcept { return loaded_; }

    // The sheet in a slot, loading all sheets first when that has not happened
    // yet. Borrowed: the store keeps it until it is destroyed. Null when the
    // sheet failed to load, or for a slot outside 1..31.
    Gdiplus::Image* Sheet(layout::Sheet sheet);

    // A new bitmap of (right - left) x (bottom - top) pixels cut from the sheet
    // at (left, top), in the sheet's own pixel format. No sheet takes the
    // failure path; an area GDI+ refuses (for example one that leaves the sheet)
    // gives no image without a message. The sheet must be a Gdiplus::Bitmap
    // object, as every image this store makes is; any other image is refused the
    // same way.
    ImagePtr CropSkinSheet(Gdiplus::Image* sheet, int left, int top, int right, int bottom);

    // The picture of a skin element in an image state (0 normal, 1 hover,
    // 2 pressed, 3 disabled), loading all sheets first when needed:
    // - shared elements (12, 17, 57, 72, 96, 107, 122, 130, 139, 141, 146, 150,
    //   155) give the Normal sheet itself, borrowed;
    // - clone elements (0, 123, 124) give a new whole copy of the sheet;
    // - crop elements give the rectangle cut from the sheet the state selects.
    // The rectangle is used only by crop elements, the state only by crop
    // elements. Element numbers outside the table (125-129, negative, above
    // 156), a state outside 0..3 for a crop element, element 140 in state 3, and
    // a missing sheet take the failure path: the message "ui load failed!" and
    // a quit request (once per store), and no image.
    SkinElement GetSkinElementImage(int element, int state, int left, int top, int right,
                                    int bottom);

    // The failure path: shows "ui load failed!" and asks the application to
    // quit, the first time only (one missing sheet fails every picture cut
    // from it, and the user needs to hear it once). Also taken by windows
    // whose whole-sheet picture is missing.
    void Fail();

private:

    std::wstring folder_;
    SkinFailureReporter reporter_;
    bool loaded_ = false;
    bool failed_ = false;
    // Index slot - 1. Each sheet's memory block is freed only when the store is
    // destroyed, after the sheet's image: the store is the sheets' one owner and
    // lives longer than every window that uses them.
    std::array<LoadedSkinImage, kSkinSheetCount> sheets_;
};

}  // namespace vandir
