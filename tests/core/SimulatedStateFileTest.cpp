// The state file's reading and updating under its lock, on an in-memory file
// system; the platforms' locks are tested on real files, between real
// processes, in their own suites.

#include "storage/SimulatedStateFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/FakeFileSystem.h"
#include "core/LockWaits.h"
#include "core/RecordingClock.h"
#include "core/StateFileBytes.h"
#include "storage/FileLock.h"
#include "storage/SimulatedStateCodec.h"

namespace vandir {
namespace {

using Bytes = std::vector<uint8_t>;
using State = SimulatedStateFile::State;
using Reading = SimulatedStateFile::Reading;
using Update = SimulatedStateFile::Update;

constexpr char16_t kPath[] = u"C:\\state\\\u00e9tat \u20ac.sim";
constexpr char16_t kLock[] = u"C:\\state\\\u00e9tat \u20ac.sim.lck";
// What older builds used as the lock: a folder.
constexpr char16_t kOldLockFolder[] = u"C:\\state\\\u00e9tat \u20ac.sim.lock";

ConfigImage Pattern() {
    ConfigImage image;
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(0x80 + i * 7);
    }
    return image;
}

State Factory() {
    return SimulatedMouse().GetStoredState();
}

void Unplugged(State& state) {
    state.pluggedIn = false;
}

// A clock that lets another "process" act while the updater waits.
class ActingClock : public Clock {
public:
    explicit ActingClock(std::function<void(int sleeps)> act) : act_(std::move(act)) {}
    void Sleep(uint32_t milliseconds) override {
        waits.push_back(milliseconds);
        act_(static_cast<int>(waits.size()));
    }
    uint64_t NowMilliseconds() override { return 0; }
    std::vector<uint32_t> waits;

private:
    std::function<void(int)> act_;
};

class SimulatedStateFileTest : public ::testing::Test {
protected:
    void Store(const State& state) { files_.files[kPath] = EncodeSimulatedState(state); }
    std::optional<State> Stored() const {
        const auto it = files_.files.find(kPath);
        return it == files_.files.end() ? std::nullopt : DecodeSimulatedState(it->second);
    }

    testing::FakeFileSystem files_;
    testing::RecordingClock clock_;
    SimulatedStateFile file_{files_, kPath, clock_};
};

TEST_F(SimulatedStateFileTest, ReadTellsALoadedAMissingAndAForeignFileApart) {
    State state{0x0304, Pattern(), true};
    EXPECT_EQ(file_.Read(state), Reading::Missing);
    EXPECT_EQ(state, (State{0x0304, Pattern(), true})) << "left as it was";

    Store(State{0x0203, Pattern(), false, 9, HidError::Crc});
    EXPECT_EQ(file_.Read(state), Reading::Loaded);
    EXPECT_EQ(state, (State{0x0203, Pattern(), false, 9, HidError::Crc}));

    State untouched = Factory();
    files_.files[kPath] = Bytes(143, 0x42);
    EXPECT_EQ(file_.Read(untouched), Reading::NotAStateFile);
    EXPECT_EQ(untouched, Factory());

    // A folder in the file's place exists but cannot be read.
    files_.files.clear();
    files_.folders.insert(kPath);
    EXPECT_EQ(file_.Read(untouched), Reading::NotAStateFile);
    EXPECT_EQ(untouched, Factory());
}

TEST_F(SimulatedStateFileTest, ChangeWritesOnlyWhatItIsToldAndReleasesTheLock) {
    Store(State{0x0203, Pattern(), true});
    EXPECT_EQ(file_.Change(Factory(), Unplugged), Update::Written);
    EXPECT_TRUE(clock_.waits.empty()) << "a free lock is taken at once";
    EXPECT_EQ(Stored(), (State{0x0203, Pattern(), false}));
    EXPECT_TRUE(files_.heldLocks.empty()) << "the lock is released";

    // A change that fails still releases the lock and leaves the file.
    EXPECT_THROW(file_.Change(Factory(), [](State&) { throw std::runtime_error("no"); }),
                 std::runtime_error);
    EXPECT_TRUE(files_.heldLocks.empty());
    EXPECT_EQ(Stored(), (State{0x0203, Pattern(), false}));
}

TEST_F(SimulatedStateFileTest, ChangeThatChangesNothingLeavesTheFileAsItIs) {
    // A version 1 file shows whether it was rewritten: a write is in the current format.
    Bytes version1 = EncodeSimulatedState(State{0x0203, Pattern(), true});
    version1.erase(version1.begin() + 136, version1.begin() + 139);
    version1[4] = 1;
    version1 = testing::Sealed(version1);
    ASSERT_TRUE(DecodeSimulatedState(version1));
    files_.files[kPath] = version1;

    const auto plugIn = [](State& state) { state.pluggedIn = true; };
    EXPECT_EQ(file_.Change(Factory(), plugIn), Update::Written);
    EXPECT_EQ(files_.files[kPath], version1) << "it reads as plugged in already";

    EXPECT_EQ(file_.Change(Factory(), Unplugged), Update::Written);
    EXPECT_EQ(files_.files[kPath].size(), kSimulatedStateFileSize);
    EXPECT_EQ(Stored(), (State{0x0203, Pattern(), false}));
}

TEST_F(SimulatedStateFileTest, ChangeOfAMissingFileStartsFromWhatItIsGiven) {
    EXPECT_EQ(file_.Change(State{0x0304, Pattern(), true}, Unplugged), Update::Written);
    EXPECT_EQ(Stored(), (State{0x0304, Pattern(), false}));

    // A missing file is made, whatever the change.
    files_.files.clear();
    EXPECT_EQ(file_.Change(Factory(), [](State&) {}), Update::Written);
    EXPECT_EQ(files_.files[kPath], EncodeSimulatedState(Factory()));
}

TEST_F(SimulatedStateFileTest, ChangeLeavesADamagedFileAlone) {
    const Bytes garbage(141, 0x42);
    files_.files[kPath] = garbage;
    bool changed = false;
    EXPECT_EQ(file_.Change(Factory(), [&](State&) { changed = true; }), Update::NotAStateFile);
    EXPECT_FALSE(changed);
    EXPECT_EQ(files_.files[kPath], garbage);
    EXPECT_TRUE(files_.heldLocks.empty());
}

TEST_F(SimulatedStateFileTest, ChangeWithoutALockOrAWriteIsNotWritten) {
    // The lock file cannot be made at all (no folder above): no waiting, no file.
    files_.failLocks = true;
    EXPECT_EQ(file_.Change(Factory(), Unplugged), Update::NotWritten);
    EXPECT_TRUE(clock_.waits.empty());
    EXPECT_TRUE(files_.files.empty());

    // Writes fail for good: tried kReplaceAttempts times, then given up.
    files_.failLocks = false;
    files_.failWrites = true;
    EXPECT_EQ(file_.Change(Factory(), Unplugged), Update::NotWritten);
    EXPECT_EQ(clock_.waits, std::vector<uint32_t>(SimulatedStateFile::kReplaceAttempts - 1,
                                                  FileLock::kLockWaitMilliseconds));
    EXPECT_TRUE(files_.files.empty());
    EXPECT_TRUE(files_.heldLocks.empty()) << "the lock is released";
}

TEST_F(SimulatedStateFileTest, ChangeOutlastsAReaderThatHasTheFileOpen) {
    Store(Factory());
    files_.busyReplacements = 3;
    EXPECT_EQ(file_.Change(Factory(), Unplugged), Update::Written);
    EXPECT_EQ(clock_.waits, std::vector<uint32_t>(3, FileLock::kLockWaitMilliseconds));
    EXPECT_EQ(Stored(), (State{105, Factory().memory, false}));
}

TEST_F(SimulatedStateFileTest, ChangeWaitsWhileAnotherWriterHoldsTheLock) {
    Store(Factory());
    files_.heldLocks.insert(kLock);
    // The other writer changes the memory under its lock and releases it.
    ActingClock clock([&](int sleeps) {
        if (sleeps == 3) {
            Store(State{105, Pattern(), true});
            files_.heldLocks.erase(kLock);
        }
    });
    const SimulatedStateFile file(files_, kPath, clock);
    EXPECT_EQ(file.Change(Factory(), Unplugged), Update::Written);
    EXPECT_EQ(clock.waits, std::vector<uint32_t>(3, FileLock::kLockWaitMilliseconds));
    EXPECT_EQ(Stored(), (State{105, Pattern(), false})) << "the other writer's change is kept";
    EXPECT_TRUE(files_.heldLocks.empty());
}

// A holder that keeps the lock (stopped in a debugger) keeps it: the waiter
// gives up after the longest wait and nothing of the holder's is touched.
TEST_F(SimulatedStateFileTest, ChangeNeverTakesOverALockSomebodyHolds) {
    Store(Factory());
    files_.heldLocks.insert(kLock);
    EXPECT_EQ(file_.Change(Factory(), Unplugged), Update::Locked);
    EXPECT_EQ(clock_.waits, testing::TheLongestLockWait());
    EXPECT_EQ(Stored(), Factory()) << "left alone";
    EXPECT_EQ(files_.heldLocks, std::set<std::u16string>{kLock}) << "still the holder's";
}

// The lock folder an older build left (or still holds) is not a lock any more.
TEST_F(SimulatedStateFileTest, ALockFolderOfAnOlderBuildHoldsNothingUp) {
    files_.folders.insert(kOldLockFolder);
    EXPECT_EQ(file_.Change(Factory(), Unplugged), Update::Written);
    EXPECT_TRUE(clock_.waits.empty());
    EXPECT_EQ(Stored(), (State{105, Factory().memory, false}));
    EXPECT_EQ(files_.folders, std::set<std::u16string>{kOldLockFolder}) << "left where it is";
}

}  // namespace
}  // namespace vandir
