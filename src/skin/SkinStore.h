#pragma once
// The skin store: the 31 skin sheets read from the skin folder beside the
// program, the cutting of control pictures out of them, and the element-number
// accessor the windows use. The application owns one store for the whole run;
// tests create their own.
//
// All sheets are read, decoded into the program's own memory and their files
// closed at start-up, before the main window shows; nothing is read again.
// Sheets drawn whole stay whole; sheets only cut from are kept as the tiles
// where they differ from their Normal sheet (StoredSheet).
//
// The store is used on the user-interface thread only; the loading alone
// runs on a worker too (SheetLoader).

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/ModulePath.h"
#include "skin/SheetLoader.h"
#include "skin/SkinBitmap.h"
#include "skin/StoredSheet.h"
#include "skin/layout/SkinLayout.h"

namespace vandir {

// The sheets, their slots and file names are layout::Sheet and
// layout::kSheetFiles (skin/layout/SkinLayout.h); image states are
// layout::ImageState, passed to the element accessor as numbers 0..3.
inline constexpr int kSkinSheetCount = static_cast<int>(layout::kSheetCount);

// GetModuleFolder() + "\Vandir_Skins\": the program's skin folder.
std::wstring DefaultSkinFolder();

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
    // skinFolder is used as given, followed by the sheets' file names, for
    // the 100 % set; the sets of other scales lie in its subfolders
    // (layout::SkinSetFolder). The program passes DefaultSkinFolder().
    // Nothing is read until the first request.
    explicit SkinStore(std::wstring skinFolder, SkinFailureReporter reporter = {});
    ~SkinStore();
    SkinStore(const SkinStore&) = delete;
    SkinStore& operator=(const SkinStore&) = delete;

    // The folder of the set in use, with its trailing backslash.
    const std::wstring& SkinFolder() const noexcept { return folder_; }
    // The set's folder followed by the sheet's file name.
    std::wstring SheetPath(layout::Sheet sheet) const;

    // The scale in use, in DPI (96 until told otherwise): the sheets are in
    // that display's pixels, and the windows scale their tables to it.
    int Dpi() const noexcept { return dpi_; }
    // Uses the artwork of a display of dpi from now on: the nearest set at or
    // above it (layout::SkinScaleFor), resampled when its scale is not the
    // display's; a sheet that set lacks comes from the nearest set that has
    // it, resampled likewise. Sheets already loaded for another scale are let go (windows
    // that share one keep it until they take the new one) and the new set is
    // loaded at the next request. Nothing changes for the DPI in use.
    void UseDpi(int dpi);

    // Loads all 31 sheets, once, on this thread and a worker, and returns when
    // every sheet is loaded; later calls do nothing. The loaded flag is set
    // before the first file is read, so a sheet that failed to load is never
    // retried. A missing or unreadable sheet is not reported; its slot stays
    // empty. Without StartLoading, the first request below calls it, so the
    // first window that asks for a picture loads them all.
    void LoadSkinSheets();
    // Starts loading all sheets on a worker thread and returns at once, so
    // that the program can create its windows meanwhile: every request below
    // then waits only for the sheets it needs (loading them on its own thread
    // when the worker has not got to them yet). A program that starts this
    // way calls LoadSkinSheets before its main window shows, so that every
    // sheet is read by then. Does nothing once loading has started.
    void StartLoading();
    bool IsLoaded() const noexcept { return loaded_; }

    // The whole sheet in a slot, once it is loaded. Null when the sheet failed
    // to load, or for a slot outside 1..31. The image is a SkinBitmap: the store keeps it until it
    // is destroyed, and a receiver that keeps it shares it (CKivImageDialog does) instead of
    // copying it. A sheet kept as tiles is put together once, on the first request for it whole.
    Gdiplus::Image* Sheet(layout::Sheet sheet);

    // A new bitmap of (right - left) x (bottom - top) pixels cut from the sheet
    // at (left, top), in the sheet's own pixel format, once the sheet is
    // loaded. A sheet that failed to load (or Sheet::None) takes the
    // failure path; an area that is empty or leaves the sheet gives no image
    // without a message.
    ImagePtr CropSkinSheet(layout::Sheet sheet, int left, int top, int right, int bottom);

    // The picture of a skin element in an image state (0 normal, 1 hover,
    // 2 pressed, 3 disabled), once its sheet is loaded:
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

    // Loads every sheet (LoadSkinSheets) and gives the sheets that some window
    // uses but that are missing or did not decode, in slot order. A program
    // checks this before its first window shows, so that a broken skin ends
    // it at once instead of half-way through its use.
    std::vector<layout::Sheet> MissingSheets();
    // True once the failure path was taken.
    bool Failed() const noexcept { return failed_; }

    // The failure path: shows "ui load failed!" and asks the application to
    // quit, the first time only (one missing sheet fails every picture cut
    // from it, and the user needs to hear it once). Also taken by windows
    // whose whole-sheet picture is missing.
    void Fail();

    // Memory the sheets' pixels take, in bytes, once all are loaded: whole
    // sheets and the tiles of the others (not the sheets put together on
    // request).
    size_t PixelBytes();

private:
    // Loads every sheet when nothing has started loading yet.
    void EnsureLoading();
    // Where the sheets for the scale in use are looked for, in order: its own
    // set, then the others, nearest first, so that a set that is missing or
    // incomplete leaves only the sheets no set has missing.
    std::vector<SheetSource> Sources() const;
    // The stored sheet of a slot once it is loaded; null for a slot outside
    // 1..31.
    StoredSheet* Stored(layout::Sheet sheet);

    const std::wstring baseFolder_;  // the 100 % set's
    std::wstring folder_;            // the set's in use
    int dpi_;
    SkinFailureReporter reporter_;
    bool loaded_ = false;
    bool failed_ = false;
    // Index slot - 1. The store is the sheets' owner and outlives every
    // window; a window that keeps a sheet shares it. Written by the loader,
    // read once the loader has the sheet loaded.
    SheetLoader::Sheets sheets_;
    // The loading StartLoading began, until LoadSkinSheets has seen it end.
    std::unique_ptr<SheetLoader> loader_;
};

}  // namespace vandir
