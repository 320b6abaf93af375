#pragma once
// SettingsOwner: the one owner of the settings record. It loads the profile,
// gives the pages the record and collects their edits, reads the mouse, runs
// Apply and Reset, keeps what the mouse has not taken yet, and decides what
// the windows show when the mouse comes and goes. It runs on one thread (the
// user-interface thread); everything that talks to the mouse, the system or
// the files runs as mouse work (MouseWork), one piece at a time in the order
// asked, and its results come back to this thread.
//
// The rules it keeps:
// - A reading shows the mouse as it was when the reading was asked for; edits
//   made after it was asked for survive it; an Apply or Reset asked for after
//   it makes it stale (its configuration is not taken).
// - The latest Apply or Reset wins: the record not yet in the mouse is kept on
//   disk by the mouse work itself, in the order the Applies were asked, and a
//   reading writes the record kept when it runs, never one copied earlier.
// - A record not yet in the mouse survives an Exit (UnsentRecord) and is
//   written at the next start or arrival; a write that fails again is told.
// - The windows follow the mouse's presence when a reading is taken, not when
//   it was read: a removal since the reading was asked wins.
// - At most one reading waits to run; Exit drops the readings and finishes the
//   Applies asked for.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/DeviceSequences.h"
#include "control/MouseWork.h"
#include "control/SettingsView.h"
#include "device/Transport.h"
#include "model/MouseSettings.h"
#include "storage/FileSystem.h"
#include "storage/SystemIntegration.h"

namespace vandir {

class SettingsOwner {
public:
    struct Services {
        Transport& transport;
        FileSystem& files;
        SystemIntegration& system;
        MouseWork& work;
    };

    // Makes the record: defaults, the profile path, the profile's contents
    // (a damaged profile leaves the defaults and stays until an Apply).
    SettingsOwner(Services services, std::u16string profilePath);
    SettingsOwner(const SettingsOwner&) = delete;
    SettingsOwner& operator=(const SettingsOwner&) = delete;

    // The windows; set before anything below is called.
    void SetView(SettingsView& view) { view_ = &view; }

    const MouseSettings& record() const { return record_; }

    // Start-up: the first reading, asked for before the windows are complete.
    void Start();
    // The windows are complete: readings and device changes that came during
    // their set-up are taken now.
    void ViewReady();

    // The person's edits into the record: every built page (a tab switch), or
    // one page through collect.
    void Collect();
    void CollectWith(const std::function<void(MouseSettings&)>& collect);
    // A page was built (and given the record): what it shows is not an edit.
    void PageBuilt(const std::function<void(MouseSettings&)>& collect);

    void Apply();
    void Reset();

    // The icon's click and the menu's "Vandir II": shows the mouse as it is.
    void CallUp();
    // A second start of the program: the main window shows.
    void ShowRequested();

    // Device notifications for the mouse's path, and the ends of the delays
    // the view started.
    void MouseArrived();
    void ArrivalSettled();
    void MouseRemoved();
    void NoMouseDelayOver();

    // "Exit": readings asked from now on, and those waiting, are dropped; the
    // Applies asked for still run and a failed save is still told.
    void Exit();

    // A record the mouse has not taken yet, as the mouse work last reported.
    bool WritePending() const { return writePending_; }
    // A notice waits for the main window to show.
    bool NoticeWaiting() const { return untold_.has_value(); }
    // Readings asked for whose work has not started yet (at most one).
    size_t ReadingsWaiting() const;

private:
    // Why the mouse is read: what follows the reading on the windows. A
    // reading that takes the place of another serves both.
    enum ReadingFor : unsigned { kStartup = 1, kArrival = 2, kCallUp = 4 };
    // A reading's work: waiting to run, running (or done), or given up
    // for a later reading before it ran.
    enum ReadingState : int { kWaiting, kStarted, kGivenUp };
    struct Reading {
        uint64_t id = 0;
        unsigned purposes = 0;  // ReadingFor bits
        MouseSettings asked;    // the record and the pages when asked for
        uint64_t actionsAtAsk = 0;
        uint64_t deviceEventsAtAsk = 0;
        uint64_t queuedAs = 0;  // its place among the mouse work queued
        std::shared_ptr<std::atomic<int>> state;
    };
    // What a reading's mouse work brings back.
    struct ReadingResult {
        MouseReading reading;
        // The record kept for the mouse, when there was one: written instead
        // of reading the mouse's memory.
        std::optional<MouseSettings> kept;
        WriteResult completion;
        bool dropped = false;  // Exit came first: nothing was read
    };
    struct ApplyResult {
        ApplyOutcome outcome;
        bool keptForMouse = true;  // the record not taken was kept on disk
        std::u16string keepFailure;
    };
    // Shared with the mouse work.
    struct Shared {
        std::atomic<bool> closing{false};
    };

    // What a reading asked for now is measured against.
    struct Ask {
        MouseSettings shown;
        uint64_t actions = 0;
        uint64_t deviceEvents = 0;
    };
    MouseSettings Snapshot();
    Ask AskNow();
    // Readings asked for and not yet taken (running or waiting), not given up.
    size_t ReadingsUnderWay() const;
    void Push();
    void RunMouseWork(MouseJob kind, std::function<void()> work);
    // A reading, asked for now unless an earlier ask is given.
    void RequestReading(unsigned purposes, std::optional<Ask> ask = std::nullopt);
    void TakeReading(uint64_t id, const ReadingResult& result);
    void Merge(const MouseSettings& asked, MouseSettings incoming);
    void TakeApplyResult(const MouseSettings& applied, uint64_t action, const ApplyResult& result);
    void LoseMouse();
    void ShowMainWindow();
    void ShowWhenPresent(unsigned purposes, bool present);
    // Tells now while the main window shows, else when it next does.
    void TellWhenShown(const Notice& notice);
    void TellWaitingNotice();

    Services services_;
    SettingsView* view_ = nullptr;
    MouseSettings record_;
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    bool ready_ = false;
    bool closing_ = false;
    // Results and device changes that came before ViewReady.
    std::vector<std::function<void()>> held_;
    std::vector<Reading> readings_;
    uint64_t nextReadingId_ = 0;
    // Applies and Resets asked for so far; pieces of mouse work queued.
    uint64_t actions_ = 0;
    uint64_t queued_ = 0;
    // The Apply whose outcome was taken last.
    uint64_t lastOutcome_ = 0;
    // Arrivals and removals noticed so far, and the number of the last of each.
    uint64_t deviceEvents_ = 0;
    uint64_t lastRemoval_ = 0;
    uint64_t lastArrival_ = 0;
    bool arrivalPending_ = false;
    // The arrival's reading is asked for when the mouse arrives; it runs once
    // the mouse has settled.
    std::optional<Ask> arrivalAsk_;
    bool writePending_ = false;
    std::optional<Notice> untold_;
};

}  // namespace vandir
