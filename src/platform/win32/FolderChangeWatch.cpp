#include "platform/win32/FolderChangeWatch.h"

#include <array>
#include <vector>

namespace vandir {

FolderChangeWatch::FolderChangeWatch(const std::wstring& folder, HWND window, UINT message)
    : window_(window),
      message_(message),
      change_(::FindFirstChangeNotificationW(
          folder.c_str(), FALSE,
          FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE)),
      stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    watching_ =
        !folder.empty() && change_.Valid() && stop_.Valid() && thread_.Start([this] { Wait(); });
}

FolderChangeWatch::~FolderChangeWatch() {
    if (stop_.Valid()) {
        ::SetEvent(stop_.Get());
    }
    thread_.Join();
}

void FolderChangeWatch::Wait() {
    const std::array<HANDLE, 2> handles = {stop_.Get(), change_.Get()};
    for (;;) {
        const DWORD woken = ::WaitForMultipleObjects(static_cast<DWORD>(handles.size()),
                                                     handles.data(), FALSE, INFINITE);
        if (woken != WAIT_OBJECT_0 + 1) {
            return;  // stopped, or the wait itself failed
        }
        ::PostMessageW(window_, message_, 0, 0);
        if (!::FindNextChangeNotification(change_.Get())) {
            return;
        }
    }
}

std::wstring FolderOf(const std::wstring& path) {
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return {};
    }
    std::vector<wchar_t> full(needed);
    wchar_t* name = nullptr;
    const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), &name);
    if (length == 0 || length >= needed || name == nullptr) {
        return {};
    }
    return std::wstring(full.data(), name);
}

}  // namespace vandir
