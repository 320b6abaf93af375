#pragma once
// The program's effects on Windows outside its own windows: application-data
// folder, start at login, the support web page and the mouse system settings.

#include <functional>
#include <string>

#include "platform/win32/threads/WorkerThreads.h"
#include "storage/SystemIntegration.h"

namespace vandir {

class Win32SystemIntegration : public SystemIntegration {
public:
    // Opens a web address; runs on a thread of its own and may block as long as
    // it likes (the object's destruction waits for it).
    using Launcher = std::function<void(const std::wstring& address)>;

    // Without a launcher, addresses go to the shell ("open" verb, default browser).
    explicit Win32SystemIntegration(Launcher launcher = {});

    std::u16string ApplicationDataFolder() override;
    void WriteAutostartEntry(const std::u16string& valueName) override;
    void RemoveAutostartEntry(const std::u16string& valueName) override;
    void OpenSupportPage(const std::u16string& address) override;
    void SetDoubleClickTime(uint8_t doubleClickSpeed, SettingScope scope) override;
    void SetPointerSpeed(uint8_t pointerSpeed, SettingScope scope) override;
    std::optional<uint32_t> PointerSpeed() override;
    void EnableFullWindowDrag() override;

    // The default launcher: ShellExecuteW "open" with COM initialised on the
    // calling thread, as the shell may need it. The result is not examined.
    static void OpenWithShell(const std::wstring& address);

private:
    Launcher launcher_;
    WorkerThreads launches_;  // last: destroyed (joined) before the launcher
};

}  // namespace vandir
