#pragma once
// Tells a window each time something in a folder changes (a file written,
// created, renamed or removed), by posting it a message. The wait runs on a
// thread of its own that sleeps until the system reports a change, so a
// program that watches a folder does not wake while nothing happens there.
// Several changes in quick succession may arrive as one message.

#include <windows.h>

#include <string>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/threads/WorkerThreads.h"

namespace vandir {

class FolderChangeWatch {
public:
    // Watches folder (not its subfolders) for window, which gets message with
    // no parameters after each change. Watching() tells whether it could.
    FolderChangeWatch(const std::wstring& folder, HWND window, UINT message);
    // Ends the wait and its thread before returning.
    ~FolderChangeWatch();
    FolderChangeWatch(const FolderChangeWatch&) = delete;
    FolderChangeWatch& operator=(const FolderChangeWatch&) = delete;

    bool Watching() const { return watching_; }

private:
    void Wait();

    HWND window_;
    UINT message_;
    UniqueChangeNotification change_;
    UniqueKernelHandle stop_;
    bool watching_ = false;
    // Last, so that it is joined before the handles it waits on close.
    WorkerThreads thread_;
};

// The folder that holds path (a file's full or relative path), as a full path;
// empty when the system cannot tell.
std::wstring FolderOf(const std::wstring& path);

}  // namespace vandir
