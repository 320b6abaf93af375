#include "app/DemoHotPlug.h"

#include <windows.h>
// After windows.h, which they build on.
#include <dbt.h>
// mingw-w64's HID headers declare their functions without C linkage guards.
extern "C" {
#include <hidsdi.h>
}

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "i18n/Unicode.h"
#include "platform/win32/FolderChangeWatch.h"
#include "platform/win32/WideText.h"
#include "platform/win32/framework/Wnd.h"

namespace vandir {
namespace {

// Where the folder cannot be watched, a change shows in the window within one
// poll, well inside the quarter second a user or a test waits for it.
static_assert(DemoHotPlug::kPollMilliseconds <= 100);

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT_PTR kLookAgainTimer = 2;
// Posted by the folder watch, and by a poll that has to be taken again.
constexpr UINT kLookMessage = WM_APP + 1;
constexpr size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);

}  // namespace

LRESULT SendDeviceInterfaceChange(HWND window, WPARAM event, std::u16string_view path) {
    // The record with the path and its terminating zero in the name field, in
    // storage aligned for the record and never shorter than its declared size.
    const size_t size = kNameOffset + (path.size() + 1) * sizeof(wchar_t);
    std::vector<DWORD> storage(
        (std::max(size, sizeof(DEV_BROADCAST_DEVICEINTERFACE_W)) + sizeof(DWORD) - 1) /
            sizeof(DWORD),
        0);
    auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(storage.data());
    record->dbcc_size = static_cast<DWORD>(size);
    record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    record->dbcc_reserved = 0;
    ::HidD_GetHidGuid(&record->dbcc_classguid);
    std::memcpy(reinterpret_cast<std::byte*>(record) + kNameOffset, path.data(),
                path.size() * sizeof(char16_t));
    return ::SendMessageW(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record));
}

// The message-only window at which the folder's changes (or, where the folder
// cannot be watched, the timer's ticks) arrive and become polls.
class DemoHotPlug::WatchWindow : public WithMessageMap<DemoHotPlug::WatchWindow, CWnd> {
public:
    static const ClassMessageMap<WatchWindow> messageMap;

    WatchWindow(DemoHotPlug& owner, const std::wstring& folder) : owner_(owner) {
        CreateEx(0, RegisterWindowClass(L"VandirDemoHotPlug"), L"", 0, RECT{}, HWND_MESSAGE, 0);
        watch_ = std::make_unique<FolderChangeWatch>(folder, GetSafeHwnd(), kLookMessage);
        if (!watch_->Watching()) {
            watch_.reset();
            SetTimer(kPollTimer, kPollMilliseconds);
        }
        // A change made before the watch began is taken by this first look.
        LookSoon();
    }
    ~WatchWindow() override {
        watch_.reset();
        KillTimer(kPollTimer);
        KillTimer(kLookAgainTimer);
        DestroyWindow();
    }

    bool WatchesFolder() const { return watch_ != nullptr; }
    void LookSoon() const { ::PostMessageW(GetSafeHwnd(), kLookMessage, 0, 0); }
    void LookAgainLater() { SetTimer(kLookAgainTimer, kLookAgainMilliseconds); }

private:
    static const MessageMapEntry messageEntries[];

    void OnTimer(UINT_PTR id) {
        if (id == kLookAgainTimer) {
            KillTimer(kLookAgainTimer);  // once; a busy look sets it again
        }
        if (id == kPollTimer || id == kLookAgainTimer) {
            owner_.Poll();
        }
    }

    void OnLook() {
        // Changes that came together are one look.
        MSG pending;
        while (::PeekMessageW(&pending, GetSafeHwnd(), kLookMessage, kLookMessage, PM_REMOVE)) {
        }
        owner_.Poll();
    }

    DemoHotPlug& owner_;
    std::unique_ptr<FolderChangeWatch> watch_;
};

const MessageMapEntry DemoHotPlug::WatchWindow::messageEntries[] = {
    On<WM_TIMER, &DemoHotPlug::WatchWindow::OnTimer>(),
    On<kLookMessage, &DemoHotPlug::WatchWindow::OnLook>(),
};
const ClassMessageMap<DemoHotPlug::WatchWindow> DemoHotPlug::WatchWindow::messageMap{
    messageEntries};

DemoHotPlug::DemoHotPlug(DemoStateSync& sync, HWND window)
    : sync_(sync),
      window_(window),
      watchWindow_(std::make_unique<WatchWindow>(*this, FolderOf(ToWide(sync.File().Path())))) {
    if (sync_.PluggedStateUnsaved()) {
        // On a worker, as it may wait for the file's lock; the look after it
        // follows the file.
        const bool started = saver_.Start([this] {
            sync_.SavePluggedState();
            watchWindow_->LookSoon();
        });
        if (!started) {
            // No thread to be had: saved here, so that the looks do not stay
            // busy for ever.
            sync_.SavePluggedState();
        }
    }
}

DemoHotPlug::~DemoHotPlug() = default;

bool DemoHotPlug::WatchesFolder() const {
    return watchWindow_->WatchesFolder();
}

bool DemoHotPlug::Poll() {
    if (polling_) {
        // The change this look was for must not wait for the next one.
        pollAgain_ = true;
        return false;
    }
    const DemoStateSync::Sight sight = sync_.Look();
    if (sight.busy) {
        watchWindow_->LookAgainLater();
        return false;
    }
    const std::optional<SimulatedMouse::StoredState>& stored = sight.stored;
    SimulatedMouse& mouse = sync_.Mouse();
    if (!stored || stored->pluggedIn == mouse.IsPluggedIn()) {
        return false;
    }
    // Set while the window handles the notifications.
    struct PollingScope {
        bool& polling;
        explicit PollingScope(bool& flag) : polling(flag) { polling = true; }
        ~PollingScope() { polling = false; }
    } scope(polling_);
    // The interfaces are those of the mouse while it is there.
    std::vector<std::string> paths;
    if (stored->pluggedIn) {
        mouse.PlugIn();
        paths = mouse.EnumerateInterfaces();
    } else {
        paths = mouse.EnumerateInterfaces();
        mouse.Unplug();
    }
    const WPARAM event = stored->pluggedIn ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
    for (const std::string& path : paths) {
        SendDeviceInterfaceChange(window_, event, Utf16FromUtf8(path));
    }
    if (pollAgain_) {
        pollAgain_ = false;
        watchWindow_->LookSoon();
    }
    return true;
}

}  // namespace vandir
