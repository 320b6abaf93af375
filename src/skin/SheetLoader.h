#pragma once
// Reading and decoding the 31 skin sheets on two threads: a worker that the
// loader starts at once, and the thread that asks for sheets, which loads a
// sheet itself when the worker has not started on it yet and otherwise waits
// for the worker to finish it. The work goes in groups, in slot order: a
// Normal sheet and the sheets cut from it, so that each Down or Disable sheet
// is turned into tiles over its Normal sheet (StoredSheet) as soon as it is
// decoded, by the same thread.
//
// The loader writes the sheets into an array its owner gives it; a sheet is
// the owner's to read once WaitFor has returned for it.

#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "skin/SheetResampling.h"
#include "skin/SkinBitmap.h"
#include "skin/StoredSheet.h"
#include "skin/layout/SkinLayout.h"

namespace vandir {

// folder followed by the sheet's file name; empty for Sheet::None.
std::wstring SheetFilePath(const std::wstring& folder, layout::Sheet sheet);

// A set of sheets a display can take: its folder and how its sheets are
// resampled to the display.
struct SheetSource {
    std::wstring folder;
    SheetScaling scaling;
};

class SheetLoader {
public:
    using Sheets = std::array<StoredSheet, layout::kSheetCount>;  // index slot - 1

    // Starts loading into sheets, on a worker thread (or leaves it all to the
    // callers of WaitFor when no thread can be started), each sheet from the
    // first of sources whose folder has it and decodes, resampled as that
    // source says. sheets outlives the loader.
    SheetLoader(std::vector<SheetSource> sources, Sheets& sheets);
    // Stops taking new groups and waits for the worker.
    ~SheetLoader();
    SheetLoader(const SheetLoader&) = delete;
    SheetLoader& operator=(const SheetLoader&) = delete;

    // Returns once the sheet (a slot 1..31) is loaded, into its slot or as no
    // sheet when its file is missing or does not decode.
    void WaitFor(layout::Sheet sheet);
    // Returns once every sheet is loaded and the worker has ended.
    void WaitForAll();

private:
    enum class State : uint8_t { Pending, Loading, Done };

    // Loads the group on the calling thread when no thread has started it,
    // else waits until it is done.
    void LoadOrWait(size_t group);
    // Pending to Loading, for the thread that gets it.
    bool Claim(size_t group);
    // spare: the loading thread's memory for reading sheets that are cut from.
    void Load(size_t group, ByteBuffer& spare) noexcept;
    // The worker: every group that is still pending, in order.
    void LoadPending() noexcept;

    const std::vector<SheetSource> sources_;
    Sheets& sheets_;
    std::mutex mutex_;
    std::condition_variable groupDone_;
    std::vector<State> states_;  // by group, guarded by mutex_
    bool stopping_ = false;      // guarded by mutex_
    // Memory for reading a sheet that is cut from, handed on from one such
    // sheet to the next: one for the worker, one for the asking thread.
    ByteBuffer workerSpare_;
    ByteBuffer callerSpare_;
    std::thread worker_;
};

}  // namespace vandir
