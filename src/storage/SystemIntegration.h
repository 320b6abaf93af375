#pragma once
// The program's effects on the operating system outside its own windows.
// None of them reports a failure to the user.

#include <cstdint>
#include <optional>
#include <string>

namespace vandir {

// Whether a system setting lasts for this session only or is also saved in
// the user's profile; other programs hear of the change either way.
enum class SettingScope { Session, Saved };

class SystemIntegration {
public:
    virtual ~SystemIntegration() = default;

    // The user's roaming application-data folder, without a trailing separator;
    // empty when there is none. Creates nothing.
    virtual std::u16string ApplicationDataFolder() = 0;

    // Makes the running program start at login under valueName; the value holds
    // the program's path in double quotes.
    virtual void WriteAutostartEntry(const std::u16string& valueName) = 0;

    // Removes the start-at-login value valueName, if there is one.
    virtual void RemoveAutostartEntry(const std::u16string& valueName) = 0;

    // Opens address in the default browser on a thread of its own; returns at once.
    virtual void OpenSupportPage(const std::u16string& address) = 0;

    // Sets the system double-click time for a page step (see DoubleClickTimeForStep);
    // another step leaves it as it is.
    virtual void SetDoubleClickTime(uint8_t doubleClickSpeed, SettingScope scope) = 0;

    // Sets the system pointer speed for a page step (see PointerSpeedForStep);
    // another step leaves it as it is.
    virtual void SetPointerSpeed(uint8_t pointerSpeed, SettingScope scope) = 0;

    // The system pointer speed (1..20); nothing when it cannot be read.
    virtual std::optional<uint32_t> PointerSpeed() = 0;

    // Shows window contents while windows are dragged (not stored in the user profile).
    virtual void EnableFullWindowDrag() = 0;
};

}  // namespace vandir
