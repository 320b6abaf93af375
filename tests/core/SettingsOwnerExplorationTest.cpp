// Every order of a set of events, interleaved with the mouse work in every
// order it could take, checked against the owner's rules after each step and
// once everything has settled.
//
// A run starts the program over a profile (DPI 1 = 750) and a mouse whose
// memory differs from it (DPI 1 = 1750, DPI 2 = 2000). Its steps are the
// person's and the world's events (edits, Apply, Reset, a call-up from the
// icon, unplug, plug, a write the mouse misses once or answers busy, a save
// that fails, Exit and a new start) and the two things the threads do: the
// mouse worker runs its next piece of work, or the window's loop takes the
// next result the work posted. Each family below names the events a run may
// use and how many; the explorer tries every sequence of them with every
// interleaving of the work, depth first, replaying each prefix from scratch.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/OwnerWorld.h"

namespace vandir::testing {
namespace {

enum class Step : uint8_t {
    RunJob,       // the mouse worker runs its next piece
    DeliverPost,  // the window's loop takes the next result
    EditDpi1,     // DPI 1 back to its factory value, 500
    EditDpi2,     // DPI 2 to 2500
    Apply,
    Reset,
    CallUp,  // the icon's click
    Unplug,
    Plug,
    FailWrite,    // the mouse's next write fails
    BusyWrite,    // the mouse's next write stays busy through every poll
    SaveFails,    // the next file written cannot be replaced
    ExitRestart,  // "Exit", then a new start of the program
};
constexpr int kStepKinds = 13;

const char* Name(Step step) {
    static constexpr std::array<const char*, kStepKinds> kNames{
        "run-job", "deliver", "edit-dpi1",  "edit-dpi2",  "apply",      "reset",       "call-up",
        "unplug",  "plug",    "fail-write", "busy-write", "save-fails", "exit-restart"};
    return kNames[static_cast<size_t>(step)];
}

std::string Describe(const std::vector<Step>& steps) {
    std::string text;
    for (const Step step : steps) {
        text += text.empty() ? "" : ", ";
        text += Name(step);
    }
    return text;
}

MouseSettings StartingProfile() {
    MouseSettings profile = MouseSettings::ForStartup(kOwnerProfilePath);
    profile.dpi[0] = {750, 750};
    return profile;
}

ConfigImage StartingMouseMemory() {
    MouseSettings mouse = MouseSettings::ForStartup(kOwnerProfilePath);
    mouse.dpi[0] = {1750, 1750};
    mouse.dpi[1] = {2000, 2000};
    return ImageOf(mouse);
}

// What the pages show of a record: everything but the profile's identity.
MouseSettings PageFields(MouseSettings record) {
    const MouseSettings identity = MouseSettings::ForStartup(kOwnerProfilePath);
    record.profilePath = identity.profilePath;
    record.profileIndex = identity.profileIndex;
    record.profileNumber = identity.profileNumber;
    record.profileName = identity.profileName;
    record.imageLength = identity.imageLength;
    return record;
}

// One run: a world stepped through a sequence, with what the rules need to
// know of its history.
class Run {
public:
    Run() {
        world_.SaveProfileBeforeStart(StartingProfile());
        world_.mouse.SetMemory(StartingMouseMemory());
        world_.Start();
        lastReadingAsk_ = 0;
    }

    // Whether the step can be taken now.
    bool Enabled(Step step) {
        switch (step) {
            case Step::RunJob:
                return !world_.work.jobs.empty();
            case Step::DeliverPost:
                return !world_.work.posts.empty();
            case Step::EditDpi1:
            case Step::EditDpi2:
            case Step::Apply:
            case Step::Reset:
                // Only a shown window takes the person's clicks.
                return world_.view.mainShown;
            case Step::Unplug:
                return world_.mouse.IsPluggedIn();
            case Step::Plug:
                return !world_.mouse.IsPluggedIn();
            default:
                return true;
        }
    }

    // Takes the step; false with failure set when a rule broke.
    bool Take(Step step) {
        ++now_;
        switch (step) {
            case Step::RunJob:
                RunJob();
                break;
            case Step::DeliverPost:
                DeliverPost();
                break;
            case Step::EditDpi1:
                Edit(0, {500, 500});
                break;
            case Step::EditDpi2:
                Edit(1, {2500, 2500});
                break;
            case Step::Apply:
                world_.owner->Apply();
                Asked();
                break;
            case Step::Reset:
                world_.owner->Reset();
                Asked();
                break;
            case Step::CallUp:
                world_.owner->CallUp();
                lastReadingAsk_ = now_;
                world_.FireDelays();
                break;
            case Step::Unplug:
                world_.Unplug();
                break;
            case Step::Plug: {
                world_.mouse.PlugIn();
                world_.owner->MouseArrived();
                if (world_.view.arrivalDelayAsked) {
                    lastReadingAsk_ = now_;
                }
                world_.FireDelays();
                break;
            }
            case Step::FailWrite:
                world_.flaky.FailNextWrite();
                break;
            case Step::BusyWrite:
                world_.flaky.BusyOnNextWrite();
                break;
            case Step::SaveFails:
                world_.files.busyReplacements = 1;
                break;
            case Step::ExitRestart:
                ExitRestart();
                break;
        }
        if (failure_.empty() && world_.owner->ReadingsWaiting() > 1) {
            failure_ = "more than one reading waits to run";
        }
        return failure_.empty();
    }

    bool Settled() const { return world_.work.jobs.empty() && world_.work.posts.empty(); }

    // The rules once all the mouse work is done.
    bool CheckSettled() {
        if (!failure_.empty()) {
            return false;
        }
        const bool plugged = world_.mouse.IsPluggedIn();
        const std::optional<MouseSettings> kept = world_.Kept();
        if (latest_) {
            const std::vector<Notice> told = ToldSinceLatest();
            auto toldOf = [&](Notice::Kind kind, const std::u16string& what) {
                return std::any_of(told.begin(), told.end(), [&](const Notice& n) {
                    return n.kind == kind && (what.empty() || n.what == what);
                });
            };
            // The latest Apply or Reset is in the mouse, or kept for it and told
            // (or waiting to be told when the main window shows). Unplugged, the
            // no-device screen says it: an Apply whose outcome came during
            // Exit is not told, and the next start finds no mouse to try.
            if (kept) {
                if (ImageOf(*kept) != ImageOf(*latest_)) {
                    return Fail("the record kept for the mouse is not the latest Apply's");
                }
                if (!toldOf(Notice::Kind::NoMouse, {}) && !toldOf(Notice::Kind::WriteRefused, {}) &&
                    !world_.owner->NoticeWaiting() && plugged) {
                    return Fail("a write the mouse missed was never told");
                }
            } else if (world_.mouse.Memory() != ImageOf(*latest_) &&
                       !toldOf(Notice::Kind::SaveFailed, UnsentRecordPath(kOwnerProfilePath))) {
                return Fail("the mouse does not hold the latest Apply, and nothing is kept for it");
            }
            // The profile holds it, or the failed save was told.
            if (PageFields(world_.Profile()) != PageFields(*latest_) &&
                !toldOf(Notice::Kind::SaveFailed, kOwnerProfilePath)) {
                return Fail("the profile does not hold the latest Apply, and nobody was told");
            }
        }
        // With the mouse there, the pages show it (or what is kept for it),
        // apart from the person's edits since the last Apply.
        if (plugged) {
            const MouseSettings base =
                kept ? *kept : WithImage(world_.view.pages, world_.mouse.Memory());
            MouseSettings shown = world_.view.pages;
            for (const auto& [level, edit] : edits_) {
                shown.dpi[level] = base.dpi[level];
            }
            if (ImageOf(shown) != ImageOf(base)) {
                return Fail("the pages do not show what the mouse holds");
            }
        }
        // The screens follow the mouse.
        if (plugged && (!world_.view.mainShown || world_.view.screenShown)) {
            return Fail("the mouse is there, but the main window is not shown alone");
        }
        if (!plugged && (world_.view.mainShown || !world_.view.screenShown)) {
            return Fail("the mouse is gone, but the no-device screen is not shown alone");
        }
        return true;
    }

    const std::string& failure() const { return failure_; }

private:
    struct EditMade {
        DpiPair value;
        uint64_t at;
    };
    // What a reading job saw, for the results it posts.
    struct ReadingSeen {
        uint64_t askedAt;
        MouseSettings mouse;  // what it read, or the record it wrote
    };

    bool Fail(std::string why) {
        failure_ = std::move(why);
        return false;
    }

    void Edit(int level, DpiPair value) {
        world_.view.pages.dpi[level] = value;
        edits_[level] = {value, now_};
    }

    // An Apply or Reset was asked: what the pages show is the latest record.
    void Asked() {
        latest_ = world_.view.pages;
        toldAtLatest_ = AllTold().size();
        edits_.clear();
    }

    std::vector<Notice> AllTold() const {
        std::vector<Notice> all = toldBefore_;
        all.insert(all.end(), world_.view.told.begin(), world_.view.told.end());
        return all;
    }
    std::vector<Notice> ToldSinceLatest() const {
        const std::vector<Notice> all = AllTold();
        return std::vector<Notice>(all.begin() + static_cast<ptrdiff_t>(toldAtLatest_), all.end());
    }

    void RunJob() {
        const bool reading = world_.work.jobs.front().kind == MouseJob::Reading;
        const std::optional<MouseSettings> keptBefore =
            reading ? world_.Kept() : std::optional<MouseSettings>();
        const size_t postsBefore = world_.work.posts.size();
        world_.work.RunJob();
        std::optional<ReadingSeen> seen;
        if (reading) {
            seen = ReadingSeen{
                lastReadingAsk_,
                keptBefore ? *keptBefore : WithImage(world_.view.pages, world_.mouse.Memory())};
        }
        for (size_t i = postsBefore; i < world_.work.posts.size(); ++i) {
            postTags_.push_back(seen);
        }
    }

    void DeliverPost() {
        const std::optional<ReadingSeen> seen = postTags_.front();
        postTags_.pop_front();
        const int pushesBefore = world_.view.pushes;
        world_.work.DeliverPost();
        world_.FireDelays();
        if (!seen || world_.view.pushes == pushesBefore || !failure_.empty()) {
            return;
        }
        // A reading was taken: edits made after it was asked for survive it,
        // the others give way to what the mouse holds.
        for (auto it = edits_.begin(); it != edits_.end();) {
            const auto& [level, edit] = *it;
            const DpiPair shown = world_.view.pages.dpi[level];
            if (edit.at > seen->askedAt) {
                if (!(shown == edit.value)) {
                    Fail("a reading undid an edit made after it was asked for");
                    return;
                }
                ++it;
            } else {
                if (!(shown == seen->mouse.dpi[level])) {
                    Fail("a reading kept an edit made before it was asked for");
                    return;
                }
                it = edits_.erase(it);
            }
        }
    }

    void ExitRestart() {
        world_.owner->Exit();
        // The window waits for the mouse work: the Applies run, the readings
        // are dropped without touching the mouse.
        while (!world_.work.jobs.empty() || !world_.work.posts.empty()) {
            if (!world_.work.jobs.empty()) {
                const bool reading = world_.work.jobs.front().kind == MouseJob::Reading;
                const int requestsBefore = world_.mouse.GetCounters().setFeatures;
                RunJob();
                if (reading && world_.mouse.GetCounters().setFeatures != requestsBefore) {
                    Fail("a reading asked for before Exit still talked to the mouse");
                }
            } else {
                postTags_.pop_front();
                world_.work.DeliverPost();
            }
        }
        toldBefore_ = AllTold();
        world_.owner.reset();
        world_.transport.Close();
        edits_.clear();
        world_.Start();
        lastReadingAsk_ = now_;
    }

    OwnerWorld world_;
    uint64_t now_ = 0;
    uint64_t lastReadingAsk_ = 0;
    std::map<int, EditMade> edits_;
    std::optional<MouseSettings> latest_;
    size_t toldAtLatest_ = 0;
    std::vector<Notice> toldBefore_;
    std::deque<std::optional<ReadingSeen>> postTags_;
    std::string failure_;
};

// The events a run may use, each with how often.
struct Family {
    const char* name;
    std::vector<std::pair<Step, int>> events;
};

struct Exploration {
    uint64_t runs = 0;    // settled points checked
    uint64_t visits = 0;  // prefixes replayed
    std::vector<std::string> failures;
};

class Explorer {
public:
    explicit Explorer(Family family) : family_(std::move(family)) {
        for (const auto& [step, count] : family_.events) {
            left_[static_cast<size_t>(step)] = count;
        }
    }

    Exploration Explore() {
        std::vector<Step> prefix;
        Visit(prefix, 0, std::make_unique<Run>());
        return result_;
    }

private:
    using Steps = uint32_t;  // a set of step kinds
    static Steps Bit(Step step) { return Steps{1} << static_cast<unsigned>(step); }

    // Steps whose order does not matter: taken one after the other in either
    // order they lead to the same state and neither disables the other. The
    // explorer then tries only one of the two orders (sleep sets).
    static bool Independent(Step a, Step b) {
        auto arming = [](Step s) {
            return s == Step::FailWrite || s == Step::BusyWrite || s == Step::SaveFails;
        };
        auto edit = [](Step s) { return s == Step::EditDpi1 || s == Step::EditDpi2; };
        auto action = [](Step s) { return s == Step::Apply || s == Step::Reset; };
        for (int pass = 0; pass < 2; ++pass) {
            // Arming touches only the mouse's or the files' next answer.
            if (arming(a) && b != Step::RunJob && b != Step::ExitRestart) {
                return true;
            }
            // Edits touch only the pages; the mouse work never reads them.
            if (edit(a) && (edit(b) || b == Step::RunJob)) {
                return true;
            }
            // An Apply or Reset queues behind the work that runs next.
            if (action(a) && b == Step::RunJob) {
                return true;
            }
            std::swap(a, b);
        }
        return false;
    }

    // A run at the end of prefix: the run handed down, or a new one that
    // replays it.
    std::unique_ptr<Run> Replayed(const std::vector<Step>& prefix) {
        auto run = std::make_unique<Run>();
        for (const Step step : prefix) {
            run->Take(step);
        }
        return run;
    }

    // run stands at the end of prefix, its last step taken and checked.
    void Visit(std::vector<Step>& prefix, Steps sleeping, std::unique_ptr<Run> run) {
        ++result_.visits;
        if (!run->failure().empty()) {
            Report(prefix, run->failure());
            return;
        }
        if (run->Settled()) {
            // Every settled point is checked, not only the ends: the person
            // may stop there.
            ++result_.runs;
            if (!run->CheckSettled()) {
                Report(prefix, run->failure());
                return;
            }
        }
        std::vector<std::pair<Step, Steps>> children;
        Steps done = 0;
        for (size_t kind = 0; kind < kStepKinds; ++kind) {
            const Step step = static_cast<Step>(kind);
            const bool internal = step == Step::RunJob || step == Step::DeliverPost;
            if ((!internal && left_[kind] == 0) || (sleeping & Bit(step)) != 0 ||
                !run->Enabled(step)) {
                continue;
            }
            Steps next = 0;
            for (size_t other = 0; other < kStepKinds; ++other) {
                const Step asleep = static_cast<Step>(other);
                if (((sleeping | done) & Bit(asleep)) != 0 && Independent(asleep, step)) {
                    next |= Bit(asleep);
                }
            }
            children.emplace_back(step, next);
            done |= Bit(step);
        }
        for (size_t i = 0; i < children.size() && result_.failures.size() < kFailuresKept; ++i) {
            const auto [step, next] = children[i];
            const bool internal = step == Step::RunJob || step == Step::DeliverPost;
            // The first child goes on with this run; the others replay.
            std::unique_ptr<Run> child = i == 0 ? std::move(run) : Replayed(prefix);
            child->Take(step);
            if (!internal) {
                --left_[static_cast<size_t>(step)];
            }
            prefix.push_back(step);
            Visit(prefix, next, std::move(child));
            prefix.pop_back();
            if (!internal) {
                ++left_[static_cast<size_t>(step)];
            }
        }
    }

    void Report(const std::vector<Step>& prefix, const std::string& why) {
        result_.failures.push_back(why + "\n    after: " + Describe(prefix));
    }

    static constexpr size_t kFailuresKept = 5;
    Family family_;
    std::array<int, kStepKinds> left_{};
    Exploration result_;
};

// Families: each holds the events that together made one of the faults
// seen before, and their neighbours, so that every order of them is tried.
std::vector<Family> Families() {
    using S = Step;
    return {
        {"start and edits", {{S::EditDpi1, 1}, {S::EditDpi2, 1}, {S::CallUp, 1}, {S::Apply, 1}}},
        {"call-up and edits", {{S::EditDpi1, 1}, {S::CallUp, 2}, {S::EditDpi2, 1}}},
        {"missed write and exit",
         {{S::FailWrite, 1}, {S::Apply, 1}, {S::ExitRestart, 1}, {S::BusyWrite, 1}}},
        {"unplugged apply and exit",
         {{S::Unplug, 1}, {S::Apply, 1}, {S::ExitRestart, 1}, {S::Plug, 1}}},
        {"older missed write",
         {{S::FailWrite, 1}, {S::Apply, 2}, {S::EditDpi1, 1}, {S::CallUp, 1}}},
        {"reset without the mouse",
         {{S::FailWrite, 1}, {S::Apply, 1}, {S::Unplug, 1}, {S::Reset, 1}, {S::Plug, 1}}},
        {"removal during readings",
         {{S::CallUp, 1}, {S::Unplug, 1}, {S::Plug, 1}, {S::EditDpi2, 1}}},
        {"exit during readings", {{S::CallUp, 2}, {S::Apply, 1}, {S::ExitRestart, 1}}},
        {"failed saves", {{S::SaveFails, 1}, {S::Apply, 2}, {S::FailWrite, 1}}},
        {"reset and busy",
         {{S::Reset, 1}, {S::BusyWrite, 1}, {S::EditDpi1, 1}, {S::Plug, 1}, {S::Unplug, 1}}},
    };
}

class SettingsOwnerExploration : public ::testing::TestWithParam<Family> {};

TEST_P(SettingsOwnerExploration, EveryOrderKeepsTheRules) {
    const Exploration explored = Explorer(GetParam()).Explore();
    std::ostringstream failures;
    for (const std::string& failure : explored.failures) {
        failures << "\n  " << failure;
    }
    EXPECT_TRUE(explored.failures.empty()) << failures.str();
    // The family was explored, not skipped.
    EXPECT_GT(explored.runs, 1u);
    ::testing::Test::RecordProperty("prefixes", std::to_string(explored.visits));
    ::testing::Test::RecordProperty("settled", std::to_string(explored.runs));
}

INSTANTIATE_TEST_SUITE_P(Families, SettingsOwnerExploration, ::testing::ValuesIn(Families()),
                         [](const ::testing::TestParamInfo<Family>& info) {
                             std::string name = info.param.name;
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](char c) {
                                     return !std::isalnum(static_cast<unsigned char>(c));
                                 },
                                 '_');
                             return name;
                         });

}  // namespace
}  // namespace vandir::testing
