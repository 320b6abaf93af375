#pragma once
// Reading and decoding the 31 skin sheets on two threads: a worker that the
// loader starts at once, and the thread that calls Finish, which takes over
// whatever is left and then waits for the worker. The work goes in groups, a
// Normal sheet and the sheets cut from it, so that each Down or Disable sheet
// is turned into tiles over its Normal sheet (StoredSheet) as soon as it is
// decoded, by the same thread.
//
// The loader's sheets are its own until Finish hands them out: nothing of
// them is visible to the user-interface thread before.

#include <array>
#include <atomic>
#include <string>
#include <thread>

#include "skin/StoredSheet.h"
#include "skin/layout/SkinLayout.h"

namespace vandir {

// folder followed by the sheet's file name; empty for Sheet::None.
std::wstring SheetFilePath(const std::wstring& folder, layout::Sheet sheet);

class SheetLoader {
public:
    using Sheets = std::array<StoredSheet, layout::kSheetCount>;  // index slot - 1

    // Starts loading from the folder on a worker thread (or leaves it all to
    // Finish when no thread can be started).
    explicit SheetLoader(std::wstring folder);
    // Stops taking new groups and waits for the worker.
    ~SheetLoader();
    SheetLoader(const SheetLoader&) = delete;
    SheetLoader& operator=(const SheetLoader&) = delete;

    // Loads the groups still left on the calling thread, waits for the
    // worker, and hands out every sheet (an empty StoredSheet for a file that
    // is missing or does not decode). Once.
    Sheets Finish();

private:
    // Takes groups until none is left (or the loader stops).
    void LoadGroups() noexcept;
    void LoadGroup(layout::Sheet normal) noexcept;

    const std::wstring folder_;
    Sheets sheets_;
    std::atomic<size_t> nextGroup_{0};
    std::atomic<bool> stopping_{false};
    std::thread worker_;
};

}  // namespace vandir
