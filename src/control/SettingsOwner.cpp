#include "control/SettingsOwner.h"

#include <algorithm>
#include <utility>

#include "control/UnsentRecord.h"
#include "model/MergeEdits.h"
#include "storage/Profile.h"

namespace vandir {

SettingsOwner::SettingsOwner(Services services, std::u16string profilePath)
    : services_(services), record_(MouseSettings::ForStartup(std::move(profilePath))) {
    // A damaged profile leaves the defaults; the file stays until an Apply
    // replaces it.
    LoadProfile(record_, services_.files);
}

size_t SettingsOwner::ReadingsUnderWay() const {
    return static_cast<size_t>(
        std::count_if(readings_.begin(), readings_.end(),
                      [](const Reading& r) { return r.state->load() != kGivenUp; }));
}

size_t SettingsOwner::ReadingsWaiting() const {
    return static_cast<size_t>(
        std::count_if(readings_.begin(), readings_.end(),
                      [](const Reading& r) { return r.state->load() == kWaiting; }));
}

void SettingsOwner::Start() {
    RequestReading(kStartup);
}

void SettingsOwner::ViewReady() {
    ready_ = true;
    for (auto& held : std::exchange(held_, {})) {
        held();
    }
}

MouseSettings SettingsOwner::Snapshot() {
    MouseSettings shown = record_;
    view_->CollectPages(shown);
    return shown;
}

SettingsOwner::Ask SettingsOwner::AskNow() {
    return {Snapshot(), actions_, deviceEvents_};
}

void SettingsOwner::Push() {
    view_->PushToPages(record_);
}

void SettingsOwner::Collect() {
    view_->CollectPages(record_);
}

void SettingsOwner::CollectWith(const std::function<void(MouseSettings&)>& collect) {
    collect(record_);
}

void SettingsOwner::PageBuilt(const std::function<void(MouseSettings&)>& collect) {
    // The page shows the record it was just given: for a reading under way
    // that is what it showed when the reading was asked for.
    for (Reading& reading : readings_) {
        if (reading.state->load() != kGivenUp) {
            collect(reading.asked);
        }
    }
    if (arrivalAsk_) {
        collect(arrivalAsk_->shown);
    }
}

void SettingsOwner::RunMouseWork(MouseJob kind, std::function<void()> work) {
    ++queued_;
    if (!services_.work.Queue(kind, work)) {
        work();
    }
}

void SettingsOwner::RequestReading(unsigned purposes, std::optional<Ask> ask) {
    if (!ask) {
        ask = AskNow();
    }
    // One reading waits at most. A waiting one with nothing queued behind it
    // is simply asked again (it has read nothing yet); one with an Apply
    // behind it would read the mouse before that Apply, so it is given up
    // and a new reading goes behind the Apply.
    for (Reading& waiting : readings_) {
        if (waiting.state->load() != kWaiting) {
            continue;
        }
        if (waiting.queuedAs == queued_) {
            waiting.purposes |= purposes;
            waiting.asked = std::move(ask->shown);
            waiting.actionsAtAsk = ask->actions;
            waiting.deviceEventsAtAsk = ask->deviceEvents;
            return;
        }
        int expected = kWaiting;
        if (waiting.state->compare_exchange_strong(expected, kGivenUp)) {
            purposes |= waiting.purposes;
        }
    }
    Reading reading{nextReadingId_++,
                    purposes,
                    std::move(ask->shown),
                    ask->actions,
                    ask->deviceEvents,
                    queued_ + 1,
                    std::make_shared<std::atomic<int>>(kWaiting)};
    readings_.push_back(reading);
    RunMouseWork(MouseJob::Reading, [this, id = reading.id, state = reading.state, shared = shared_,
                                     profilePath = record_.profilePath] {
        ReadingResult result;
        int expected = kWaiting;
        if (!state->compare_exchange_strong(expected, kStarted) || shared->closing.load()) {
            result.dropped = true;
        } else if (auto kept = LoadUnsentRecord(profilePath, services_.files)) {
            // The mouse missed an Apply: its old memory must not come back
            // over what was saved. The latest record kept is written now.
            result.kept = kept;
            result.completion = WriteRecord(services_.transport, *kept);
            result.reading.present = result.completion.present;
            if (result.completion.confirmed) {
                ForgetUnsentRecord(profilePath, services_.files);
            }
            if (result.reading.present) {
                result.reading.firmwareVersion = ReadFirmwareVersion(services_.transport);
            }
        } else {
            result.reading = ReadMouse(services_.transport);
        }
        services_.work.PostBack([this, id, result] { TakeReading(id, result); });
    });
}

void SettingsOwner::TakeReading(uint64_t id, const ReadingResult& result) {
    if (!ready_) {
        held_.push_back([this, id, result] { TakeReading(id, result); });
        return;
    }
    const auto found = std::find_if(readings_.begin(), readings_.end(),
                                    [id](const Reading& r) { return r.id == id; });
    if (found == readings_.end()) {
        return;
    }
    const Reading asked = std::move(*found);
    readings_.erase(found);
    if (closing_ || result.dropped) {
        return;
    }
    // The presence now, not when the mouse was read: a removal noticed since
    // the reading was asked for wins, also over a search that found the mouse
    // just before it went (unless it arrived again since, when the link may
    // be the new arrival's).
    const bool removedSince = lastRemoval_ > asked.deviceEventsAtAsk;
    const bool present = result.reading.present && !removedSince && services_.transport.IsPresent();
    if (result.reading.present && removedSince && lastArrival_ < lastRemoval_ &&
        services_.transport.IsPresent()) {
        LoseMouse();
    }
    view_->ShowFirmwareVersion(present ? result.reading.firmwareVersion : 0);
    if (result.kept) {
        writePending_ = !result.completion.confirmed;
        if (result.completion.confirmed) {
            untold_.reset();
        }
    }
    // After an Apply or a Reset asked since, the reading is stale: the pages
    // hold what the person wanted, and the mouse has it or will.
    if (asked.actionsAtAsk == actions_) {
        if (result.kept) {
            Merge(asked.asked, *result.kept);
        } else if (present && result.reading.configuration) {
            MouseSettings incoming = asked.asked;
            ApplyDeviceConfig(*result.reading.configuration, incoming);
            Merge(asked.asked, std::move(incoming));
        }
    }
    ShowWhenPresent(asked.purposes, present);
    if (result.kept && present && !result.completion.confirmed) {
        TellWhenShown({Notice::Kind::WriteRefused, result.completion.failure, {}});
    }
}

void SettingsOwner::Merge(const MouseSettings& asked, MouseSettings incoming) {
    incoming.profilePath = record_.profilePath;
    record_ = MergeEdits(asked, Snapshot(), std::move(incoming));
    Push();
}

void SettingsOwner::ShowWhenPresent(unsigned purposes, bool present) {
    if ((purposes & kCallUp) != 0) {
        if (present) {
            if (view_->NoDeviceScreenShown()) {
                view_->HideNoDeviceScreen();
            }
            ShowMainWindow();
        } else {
            // The screen takes the main window's place.
            view_->ShowNoDeviceScreen();
            view_->HideMainWindow();
        }
        return;
    }
    if (present) {
        // After an arrival the main window takes the screen's place; a
        // screen the person closed stays closed.
        if ((purposes & kArrival) != 0 && view_->NoDeviceScreenShown()) {
            view_->HideNoDeviceScreen();
            ShowMainWindow();
        }
    } else if ((purposes & kStartup) != 0 && !view_->StartNoMouseDelay()) {
        // Without its delay the swap happens at once.
        NoMouseDelayOver();
    }
}

void SettingsOwner::Apply() {
    Collect();
    ++actions_;
    RunMouseWork(MouseJob::Apply, [this, record = record_, action = actions_] {
        ApplyResult result;
        result.outcome =
            ApplyRecord(record, services_.transport, services_.system, services_.files);
        // Only the mouse work keeps or forgets the record, in the order the
        // Applies were asked: an older one never lands after a newer one.
        if (result.outcome.write.confirmed) {
            ForgetUnsentRecord(record.profilePath, services_.files);
        } else {
            result.keptForMouse = KeepUnsentRecord(record, services_.files, &result.keepFailure);
        }
        services_.work.PostBack(
            [this, record, action, result] { TakeApplyResult(record, action, result); });
    });
}

void SettingsOwner::TakeApplyResult(const MouseSettings& applied, uint64_t action,
                                    const ApplyResult& result) {
    // A newer Apply's outcome came first (a notice's loop ran it): this one
    // no longer says anything about the mouse or the profile.
    if (action < lastOutcome_) {
        return;
    }
    lastOutcome_ = action;
    const ApplyOutcome& outcome = result.outcome;
    if (outcome.write.confirmed) {
        writePending_ = false;
        untold_.reset();
    } else {
        writePending_ = result.keptForMouse;
    }
    // A failed save is told also while the program ends. A notice runs a
    // loop: what follows it is told only while no newer outcome came.
    if (!outcome.saved) {
        view_->Tell({Notice::Kind::SaveFailed, applied.profilePath, outcome.saveFailure});
    }
    if (!result.keptForMouse && lastOutcome_ == action) {
        view_->Tell(
            {Notice::Kind::SaveFailed, UnsentRecordPath(applied.profilePath), result.keepFailure});
    }
    if (outcome.write.confirmed || closing_ || lastOutcome_ != action) {
        return;
    }
    // The mouse may have gone since the write was tried.
    if (outcome.write.present && services_.transport.IsPresent()) {
        TellWhenShown({Notice::Kind::WriteRefused, outcome.write.failure, {}});
    } else {
        TellWhenShown({Notice::Kind::NoMouse, {}, {}});
    }
}

void SettingsOwner::Reset() {
    record_.ResetToDefaults();
    Push();
    view_->RelabelWindows(record_.language);
    Apply();
}

void SettingsOwner::CallUp() {
    // The window comes at once when the mouse is known to be there; the
    // reading follows (after an Apply still waiting on the mouse).
    if (services_.transport.IsPresent()) {
        ShowMainWindow();
    }
    RequestReading(kCallUp);
}

void SettingsOwner::ShowRequested() {
    ShowMainWindow();
}

void SettingsOwner::ShowMainWindow() {
    view_->ShowMainWindow();
    TellWaitingNotice();
}

void SettingsOwner::MouseArrived() {
    if (!ready_) {
        held_.push_back([this] { MouseArrived(); });
        return;
    }
    lastArrival_ = ++deviceEvents_;
    // One connect for a burst of arrivals (one per HID interface). A delay
    // the system refused leaves the next arrival free to try again.
    if (!services_.transport.IsPresent() && !arrivalPending_) {
        // Edits made while the mouse settles survive its reading.
        arrivalAsk_ = AskNow();
        arrivalPending_ = view_->StartArrivalDelay();
    }
}

void SettingsOwner::ArrivalSettled() {
    arrivalPending_ = false;
    if (!closing_) {
        RequestReading(kArrival, std::exchange(arrivalAsk_, std::nullopt));
    }
}

void SettingsOwner::MouseRemoved() {
    if (!ready_) {
        held_.push_back([this] { MouseRemoved(); });
        return;
    }
    lastRemoval_ = ++deviceEvents_;
    // A search under way may have found the mouse just before it went: the
    // removal counts for it too.
    if (!services_.transport.IsPresent() && ReadingsUnderWay() == 0) {
        return;
    }
    view_->EndModalDialogs();
    view_->ShowNoDeviceScreen();
    view_->HideMainWindow();
    LoseMouse();
    view_->ShowFirmwareVersion(0);
}

void SettingsOwner::LoseMouse() {
    // At once for this thread; the handle goes once the mouse work before
    // it is done.
    services_.transport.MarkGone();
    RunMouseWork(MouseJob::Close, [&transport = services_.transport] { transport.Close(); });
}

void SettingsOwner::NoMouseDelayOver() {
    view_->HideMainWindow();
    view_->ShowNoDeviceScreen();
}

void SettingsOwner::Exit() {
    closing_ = true;
    shared_->closing.store(true);
}

void SettingsOwner::TellWhenShown(const Notice& notice) {
    if (closing_) {
        return;
    }
    untold_ = notice;
    TellWaitingNotice();
}

void SettingsOwner::TellWaitingNotice() {
    if (!untold_ || closing_ || !view_->MainWindowShown()) {
        return;
    }
    // Cleared first: the notice's loop may run other events meanwhile.
    const Notice notice = *std::exchange(untold_, std::nullopt);
    view_->Tell(notice);
}

}  // namespace vandir
