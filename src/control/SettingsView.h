#pragma once
// What the settings owner asks of the windows: the main window answers it on
// Windows, a recording fake in the tests. Every call comes on the owner's
// (the user-interface) thread.

#include <cstdint>
#include <string>

#include "model/MouseSettings.h"

namespace vandir {

// Something the person must be told.
struct Notice {
    enum class Kind {
        NoMouse,       // an Apply found no mouse; its settings are kept for it
        WriteRefused,  // the mouse is there but did not take the settings
        SaveFailed,    // the profile (or the record kept for the mouse) was not written
    };
    Kind kind = Kind::NoMouse;
    // WriteRefused: what failed ("it stayed busy"); SaveFailed: the file's path.
    std::u16string what;
    // SaveFailed: the system's words.
    std::u16string reason;
    friend bool operator==(const Notice&, const Notice&) = default;
};

class SettingsView {
public:
    virtual ~SettingsView() = default;

    // Gives every built page the record; pages built later take the owner's
    // record when they are built.
    virtual void PushToPages(const MouseSettings& record) = 0;
    // Writes what every built page shows into target (pages not built yet
    // hold what they were given and add nothing).
    virtual void CollectPages(MouseSettings& target) = 0;
    // Relabels every window for a language (after a Reset).
    virtual void RelabelWindows(int language) = 0;
    // The firmware version the pages offer; 0 without a mouse.
    virtual void ShowFirmwareVersion(uint16_t version) = 0;

    virtual bool MainWindowShown() = 0;
    virtual void ShowMainWindow() = 0;
    // Hides the main window (never without the icon that brings it back).
    virtual void HideMainWindow() = 0;
    virtual bool NoDeviceScreenShown() = 0;
    // Centres the no-device screen and shows it.
    virtual void ShowNoDeviceScreen() = 0;
    virtual void HideNoDeviceScreen() = 0;
    // Ends the dialogs of a choice or a notice without a choice.
    virtual void EndModalDialogs() = 0;

    // Delays: the view calls NoMouseDelayOver / ArrivalSettled when they end.
    // False when the system refused to start one.
    virtual bool StartNoMouseDelay() = 0;  // 100 ms
    virtual bool StartArrivalDelay() = 0;  // 900 ms

    // Tells the person (modally: the view's loop may run other events meanwhile).
    virtual void Tell(const Notice& notice) = 0;
};

}  // namespace vandir
