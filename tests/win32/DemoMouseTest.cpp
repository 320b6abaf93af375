#include "app/DemoMouse.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <dbt.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/DemoOptions.h"
#include "core/RecordingClock.h"
#include "device/ConfigImage.h"
#include "device/DeviceCommands.h"
#include "device/Transport.h"
#include "i18n/Unicode.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "storage/FileLock.h"
#include "storage/SimulatedStateCodec.h"
#include "storage/SimulatedStateFile.h"
#include "win32/DeviceChangeRecorder.h"
#include "win32/LockHolderProcess.h"
#include "win32/TempFolder.h"
#include "win32/ui/MessagePump.h"

namespace vandir {
namespace {

namespace fs = std::filesystem;
using StoredState = SimulatedMouse::StoredState;

// ---------------------------------------------------------------------------
// The command line

TEST(DemoOptionsTest, ReadsTheStateFileAndTheUnpluggedSwitch) {
    struct Case {
        std::vector<std::u16string> arguments;
        std::u16string statePath;
        bool unplugged;
    };
    const std::u16string spaced = u"C:\\Users\\Zo\u00eb\\my state \u20ac.vsim";
    const std::vector<Case> cases = {
        {{}, u"", false},
        {{u"--simulate", spaced}, spaced, false},
        {{u"--simulate=" + spaced}, spaced, false},
        {{u"--unplugged"}, u"", true},
        {{u"--unplugged", u"--simulate", u"a.vsim"}, u"a.vsim", true},
        {{u"--simulate", u"a.vsim", u"--simulate", u"b.vsim"}, u"b.vsim", false},
        // Ignored: --simulate without a path, and anything unknown.
        {{u"--simulate"}, u"", false},
        {{u"--simulate", u""}, u"", false},
        {{u"--simulate="}, u"", false},
        {{u"--simulate", u"--unplugged"}, u"", true},
        {{u"--bogus", u"x.vsim", u"/unplugged", u"-simulate", u"y.vsim"}, u"", false},
        {{u"--SIMULATE", u"a.vsim", u"--Unplugged"}, u"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << &c - cases.data());
        const DemoOptions options = ParseDemoOptions(c.arguments);
        EXPECT_EQ(options.statePath, c.statePath);
        EXPECT_EQ(options.unplugged, c.unplugged);
    }
}

TEST(DemoOptionsTest, SplitsAWholeCommandLineAsTheSystemDoes) {
    struct Case {
        const wchar_t* commandLine;
        std::vector<std::u16string> arguments;
    };
    const std::vector<Case> cases = {
        {L"\"C:\\Program Files\\Vandir\\VandirII-Demo.exe\" --simulate "
         L"\"C:\\Users\\Zo\u00eb\\my state \u20ac.vsim\" --unplugged",
         {u"--simulate", u"C:\\Users\\Zo\u00eb\\my state \u20ac.vsim", u"--unplugged"}},
        {L"VandirII-Demo.exe --simulate=\"D:\\a b\\s.vsim\"", {u"--simulate=D:\\a b\\s.vsim"}},
        {L"VandirII-Demo.exe", {}},
        {L"", {}},
        {nullptr, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << &c - cases.data());
        EXPECT_EQ(CommandLineArguments(c.commandLine), c.arguments);
    }
}

TEST(DemoOptionsTest, TheDefaultStateFileIsInTheTemporaryFolder) {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(DefaultDemoStatePath(), FromWide(std::wstring(temp, length) + L"VandirII-Demo.vsim"));
}

// ---------------------------------------------------------------------------
// The demo's mouse

ConfigImage Pattern() {
    ConfigImage image;
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(0x80 + i * 7);
    }
    return image;
}

ConfigImage Factory() {
    return SimulatedMouse().Memory();
}

// A record unlike the default one, and the image a write of it leaves in the mouse.
MouseSettings ChangedSettings() {
    MouseSettings settings;
    settings.liftOff = 1;
    settings.dpi[2].x = 250;
    return settings;
}

class DemoMouseTest : public ::testing::Test {
protected:
    DemoOptions Options(bool unplugged = false) const {
        return DemoOptions{FromWide(statePath_), unplugged};
    }

    // The state the file holds; empty when there is none or it does not load.
    std::optional<StoredState> FileState() const {
        StoredState state;
        if (StateFile().Read(state) != SimulatedStateFile::Reading::Loaded) {
            return std::nullopt;
        }
        return state;
    }

    void WriteState(const StoredState& state) {
        UpdateFromOutside([&state](StoredState& stored) { stored = state; });
    }

    // Another writer's update of one part of the file, under its lock.
    void UpdateFromOutside(const std::function<void(StoredState&)>& change) {
        ASSERT_EQ(StateFile().Change(SimulatedMouse().GetStoredState(), change),
                  SimulatedStateFile::Update::Written);
    }

    SimulatedStateFile StateFile() const {
        return SimulatedStateFile(files_, FromWide(statePath_), clock_);
    }

    // What vandirctl device unplug | plug --simulate does.
    void UnplugAsVandirctlDoes() {
        UpdateFromOutside([](StoredState& stored) { stored.pluggedIn = false; });
    }
    void PlugInAsVandirctlDoes() {
        UpdateFromOutside([](StoredState& stored) { stored.pluggedIn = true; });
    }

    // What vandirctl device write --simulate saves: the memory.
    void WriteMemoryAsVandirctlDoes(const ConfigImage& memory) {
        UpdateFromOutside([&](StoredState& stored) { stored.memory = memory; });
    }

    // Starts the watcher for recorder's window and waits until its start has
    // saved the plugged state.
    static DemoHotPlug* Watch(DemoMouse& demo, test::DeviceChangeRecorder& recorder) {
        DemoHotPlug* hotPlug = demo.WatchFor(recorder.Window());
        if (hotPlug != nullptr) {
            EXPECT_TRUE(PumpUntil([&] { return !hotPlug->Starting(); }));
        }
        return hotPlug;
    }

    std::vector<char> FileBytes() const {
        std::ifstream in(fs::path(statePath_), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    test::TempFolder folder_;
    const std::wstring statePath_ = folder_ / L"Zo\u00eb's state \u20ac.vsim";
    // Mutable: a look at the file from a const helper still goes through them.
    mutable testing::RecordingClock clock_;
    mutable Win32FileSystem files_;
};

// The plugged state the demo is told reaches the file when the watcher starts,
// not before: a second start, which ends before it watches, changes nothing.
TEST_F(DemoMouseTest, StartsWithTheFilesMemoryAndThePluggedStateItIsTold) {
    struct Case {
        const char* what;
        std::optional<StoredState> file;
        bool unplugged;
        ConfigImage memory;
    };
    const std::vector<Case> cases = {
        {"no file", std::nullopt, false, Factory()},
        {"no file, --unplugged", std::nullopt, true, Factory()},
        {"a plugged-in mouse", StoredState{0x0203, Pattern(), true}, false, Pattern()},
        {"a plugged-in mouse, --unplugged", StoredState{0x0203, Pattern(), true}, true, Pattern()},
        {"an unplugged mouse", StoredState{0x0203, Pattern(), false}, false, Pattern()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::error_code ignored;
        fs::remove(statePath_, ignored);
        if (c.file) {
            WriteState(*c.file);
        }
        DemoMouse demo(Options(c.unplugged), clock_);
        EXPECT_TRUE(demo.StateFileLoaded());
        EXPECT_EQ(demo.StatePath(), FromWide(statePath_));
        EXPECT_EQ(demo.Mouse().Memory(), c.memory);
        EXPECT_EQ(demo.Mouse().IsPluggedIn(), !c.unplugged);
        EXPECT_EQ(FileState(), c.file) << "nothing written before the watcher starts";

        test::DeviceChangeRecorder recorder;
        ASSERT_NE(Watch(demo, recorder), nullptr);
        const std::optional<StoredState> written = FileState();
        ASSERT_TRUE(written) << "the file holds the mouse the demo starts with";
        EXPECT_EQ(written->memory, c.memory);
        EXPECT_EQ(written->pluggedIn, !c.unplugged);
        PumpUntil([] { return false; }, 50);
        EXPECT_TRUE(recorder.changes.empty()) << "the demo's own start is no change";
    }
}

TEST_F(DemoMouseTest, AnUnplugWrittenBeforeTheWatcherStartsIsKept) {
    WriteState(StoredState{0x0203, Pattern(), true});
    DemoMouse demo(Options(), clock_);
    UnplugAsVandirctlDoes();
    test::DeviceChangeRecorder recorder;
    ASSERT_NE(Watch(demo, recorder), nullptr);
    EXPECT_FALSE(FileState()->pluggedIn) << "vandirctl's unplug came later than the demo's read";
    ASSERT_TRUE(PumpUntil([&] { return !recorder.changes.empty(); }));
    EXPECT_EQ(recorder.changes[0].event, static_cast<WPARAM>(DBT_DEVICEREMOVECOMPLETE));
    EXPECT_FALSE(demo.Mouse().IsPluggedIn());
}

TEST_F(DemoMouseTest, TheWholeCommandLineChoosesTheFile) {
    const std::wstring commandLine =
        L"\"C:\\Program Files\\VandirII-Demo.exe\" --unplugged --simulate \"" + statePath_ + L"\"";
    DemoMouse demo(commandLine.c_str(), clock_);
    EXPECT_EQ(demo.StatePath(), FromWide(statePath_));
    EXPECT_FALSE(demo.Mouse().IsPluggedIn());
    test::DeviceChangeRecorder recorder;
    ASSERT_NE(Watch(demo, recorder), nullptr);
    const std::optional<StoredState> written = FileState();
    ASSERT_TRUE(written);
    EXPECT_FALSE(written->pluggedIn);
}

TEST_F(DemoMouseTest, AConfigurationWriteIsSavedAndAReadIsNot) {
    DemoMouse demo(Options(), clock_);
    Transport transport(demo.Backend(), clock_);
    ASSERT_EQ(transport.Discover(), 1);
    const MouseSettings settings = ChangedSettings();
    ASSERT_EQ(WriteConfiguration(transport, DeviceConfigFromSettings(settings), 0), 1);
    ASSERT_EQ(demo.Mouse().Memory(), EncodeConfigImage(settings));

    std::optional<StoredState> written = FileState();
    ASSERT_TRUE(written);
    EXPECT_EQ(written->memory, EncodeConfigImage(settings));
    EXPECT_EQ(written->firmwareVersion, SimulatedMouse::kDefaultFirmwareVersion);
    EXPECT_TRUE(written->pluggedIn);

    // Nothing changed the memory, so nothing is written.
    fs::remove(statePath_);
    DeviceConfig config;
    ASSERT_EQ(ReadConfiguration(transport, config), 1);
    InformationBlock block{};
    ASSERT_EQ(ReadInformation(transport, block), 1);
    EXPECT_FALSE(fs::exists(statePath_));
}

TEST_F(DemoMouseTest, TheMemorySaveKeepsAnUnplugWrittenMeanwhile) {
    DemoMouse demo(Options(), clock_);
    test::DeviceChangeRecorder recorder;
    DemoHotPlug* hotPlug = Watch(demo, recorder);
    ASSERT_NE(hotPlug, nullptr);
    Transport transport(demo.Backend(), clock_);
    ASSERT_EQ(transport.Discover(), 1);

    // vandirctl unplugs the mouse; an Apply writes before the watcher looks.
    UnplugAsVandirctlDoes();
    const MouseSettings settings = ChangedSettings();
    ASSERT_EQ(WriteConfiguration(transport, DeviceConfigFromSettings(settings), 0), 1);

    const std::optional<StoredState> written = FileState();
    ASSERT_TRUE(written);
    EXPECT_EQ(written->memory, EncodeConfigImage(settings)) << "the demo's write is saved";
    EXPECT_FALSE(written->pluggedIn) << "and the unplug is kept";

    EXPECT_TRUE(hotPlug->Poll());
    EXPECT_FALSE(demo.Mouse().IsPluggedIn());
    ASSERT_EQ(recorder.changes.size(), 1u);
    EXPECT_EQ(recorder.changes[0].event, static_cast<WPARAM>(DBT_DEVICEREMOVECOMPLETE));
    EXPECT_TRUE(IsVandirDevicePath(recorder.changes[0].path));
}

TEST_F(DemoMouseTest, AConfigurationWriteReachesTheFileAfterAWriteFromOutside) {
    // Whatever the demo writes, the file then holds it, also when it is what the
    // demo's mouse held already.
    struct Case {
        const char* what;
        bool writtenBefore;
        MouseSettings settings;
    };
    const std::vector<Case> cases = {
        {"the image the demo started with", false, MouseSettings{}},
        {"the image the demo wrote before", true, ChangedSettings()},
        {"another image", false, ChangedSettings()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::error_code ignored;
        fs::remove(statePath_, ignored);
        DemoMouse demo(Options(), clock_);
        Transport transport(demo.Backend(), clock_);
        ASSERT_EQ(transport.Discover(), 1);
        const DeviceConfig config = DeviceConfigFromSettings(c.settings);
        if (c.writtenBefore) {
            ASSERT_EQ(WriteConfiguration(transport, config, 0), 1);
        }

        WriteMemoryAsVandirctlDoes(Pattern());
        UnplugAsVandirctlDoes();
        ASSERT_EQ(WriteConfiguration(transport, config, 0), 1);

        const std::optional<StoredState> written = FileState();
        ASSERT_TRUE(written);
        EXPECT_EQ(written->memory, EncodeConfigImage(c.settings));
        EXPECT_FALSE(written->pluggedIn) << "the unplug written meanwhile is kept";
    }
}

TEST_F(DemoMouseTest, ALookAtTheFileTakesItsMemory) {
    DemoMouse demo(Options(), clock_);
    test::DeviceChangeRecorder recorder;
    DemoHotPlug* hotPlug = Watch(demo, recorder);
    ASSERT_NE(hotPlug, nullptr);
    Transport transport(demo.Backend(), clock_);
    ASSERT_EQ(transport.Discover(), 1);

    UpdateFromOutside([](StoredState& stored) {
        stored.memory = Pattern();
        stored.firmwareVersion = 0x0203;
    });
    EXPECT_FALSE(hotPlug->Poll()) << "still plugged in";
    EXPECT_TRUE(recorder.changes.empty());

    DeviceConfig config;
    ConfigImage image{};
    ASSERT_EQ(ReadConfiguration(transport, config, &image), 1);
    EXPECT_EQ(image, Pattern());
    InformationBlock block{};
    ASSERT_EQ(ReadInformation(transport, block), 1);
    EXPECT_EQ(FirmwareVersion(block), 0x0203);
    EXPECT_EQ(FileState()->memory, Pattern()) << "a read writes nothing back";
}

TEST_F(DemoMouseTest, AReplugAfterAWriteFromOutsideReadsTheFilesMemory) {
    DemoMouse demo(Options(), clock_);
    test::DeviceChangeRecorder recorder;
    DemoHotPlug* hotPlug = Watch(demo, recorder);
    ASSERT_NE(hotPlug, nullptr);
    {
        Transport transport(demo.Backend(), clock_);
        ASSERT_EQ(transport.Discover(), 1);
        ASSERT_EQ(WriteConfiguration(transport, DeviceConfigFromSettings(ChangedSettings()), 0), 1);
    }

    // While unplugged, vandirctl writes the memory; the window reads the mouse
    // when it hears of the arrival, as the program's connect sequence does.
    UnplugAsVandirctlDoes();
    ASSERT_TRUE(hotPlug->Poll());
    WriteMemoryAsVandirctlDoes(Pattern());
    PlugInAsVandirctlDoes();
    ConfigImage arrived{};
    recorder.onMessage = [&] {
        Transport transport(demo.Backend(), clock_);
        DeviceConfig config;
        return transport.Discover() == 1 && ReadConfiguration(transport, config, &arrived) == 1;
    };
    ASSERT_TRUE(hotPlug->Poll());
    ASSERT_EQ(recorder.changes.size(), 2u);
    EXPECT_EQ(recorder.changes[1].event, static_cast<WPARAM>(DBT_DEVICEARRIVAL));
    EXPECT_TRUE(recorder.changes[1].whileHandled);
    EXPECT_EQ(arrived, Pattern());
}

TEST_F(DemoMouseTest, TheMouseIsSlowOrFailsAsTheFileSaysUntilItSaysOk) {
    DemoMouse demo(Options(), clock_);
    test::DeviceChangeRecorder recorder;
    DemoHotPlug* hotPlug = Watch(demo, recorder);
    ASSERT_NE(hotPlug, nullptr);
    Transport transport(demo.Backend(), clock_);
    ASSERT_EQ(transport.Discover(), 1);

    // What vandirctl device busy N | fail CODE | ok --simulate write.
    const auto busy = [](uint8_t polls) {
        return [polls](StoredState& stored) { stored.busyPollsPerRequest = polls; };
    };
    const auto fail = [](HidError error) {
        return [error](StoredState& stored) { stored.transferError = error; };
    };
    const auto ok = [](StoredState& stored) {
        stored.busyPollsPerRequest = 0;
        stored.transferError = HidError::None;
    };
    struct Case {
        const char* what;
        std::function<void(StoredState&)> change;
        int result;  // of a read of the firmware version
        std::vector<uint32_t> waits;
    };
    const std::vector<Case> cases = {
        {"busy 3", busy(3), 1, {50, 0, 100}},
        {"busy 11", busy(11), kStatusBusy, {50, 0, 100, 200, 300, 400, 500, 600, 700, 800, 900}},
        {"fail crc", fail(HidError::Crc), 2, {50, 50, 50, 50}},
        {"fail other", fail(HidError::Other), 2, {50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UpdateFromOutside(c.change);
        EXPECT_FALSE(hotPlug->Poll());
        clock_.waits.clear();
        InformationBlock block{};
        EXPECT_EQ(ReadInformation(transport, block), c.result);
        EXPECT_EQ(clock_.waits, c.waits);

        UpdateFromOutside(ok);
        EXPECT_FALSE(hotPlug->Poll());
        clock_.waits.clear();
        EXPECT_EQ(ReadInformation(transport, block), 1);
        EXPECT_EQ(FirmwareVersion(block), SimulatedMouse::kDefaultFirmwareVersion);
        EXPECT_EQ(clock_.waits, std::vector<uint32_t>{50});
    }
    EXPECT_TRUE(recorder.changes.empty()) << "the mouse stays plugged in throughout";
}

// A write the file never gets fails as a mouse's failed write does, and the
// mouse keeps the memory it had: the next start reads what it really holds.
TEST_F(DemoMouseTest, AWriteThatCannotReachTheFileFailsAndTheMouseKeepsItsMemory) {
    struct Case {
        const char* what;
        std::function<std::function<void()>()> block;  // gives the unblock
    };
    const std::vector<Case> cases = {
        {"the lock held elsewhere for the longest wait",
         [&] {
             auto held = std::make_shared<FileSystem::LockAttempt>(
                 files_.TryLockFile(FromWide(statePath_ + L".lck")));
             EXPECT_EQ(held->outcome, FileSystem::LockTry::Held);
             return [held] { held->lock.reset(); };
         }},
        {"the file cannot be replaced",
         [&] {
             // Open by a reader that lets nobody replace it.
             auto reader = std::make_shared<UniqueFileHandle>(
                 ::CreateFileW(statePath_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
             EXPECT_TRUE(reader->Valid());
             return [reader] { reader->Reset(); };
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::error_code ignored;
        fs::remove(statePath_, ignored);
        DemoMouse demo(Options(), clock_);
        test::DeviceChangeRecorder recorder;
        ASSERT_NE(Watch(demo, recorder), nullptr);
        Transport transport(demo.Backend(), clock_);
        ASSERT_EQ(transport.Discover(), 1);
        const std::vector<char> before = FileBytes();

        const std::function<void()> unblock = c.block();
        const DeviceConfig config = DeviceConfigFromSettings(ChangedSettings());
        EXPECT_EQ(WriteConfiguration(transport, config, 0), 2) << "the request was not sent";
        EXPECT_EQ(demo.Mouse().Memory(), Factory()) << "the mouse did not take it";
        unblock();
        EXPECT_EQ(FileBytes(), before);

        // Once the file can be written again, a write reaches it.
        ASSERT_EQ(WriteConfiguration(transport, config, 0), 1);
        EXPECT_EQ(demo.Mouse().Memory(), EncodeConfigImage(ChangedSettings()));
        EXPECT_EQ(FileState()->memory, EncodeConfigImage(ChangedSettings()));
    }
}

// A clock that really waits, and tells when a wait for the file's lock began.
class LockWaitClock : public Clock {
public:
    void Sleep(uint32_t milliseconds) override {
        if (milliseconds == FileLock::kLockWaitMilliseconds) {
            lockWaitBegan = true;
        }
        ::Sleep(milliseconds);
    }
    uint64_t NowMilliseconds() override { return ::GetTickCount64(); }
    std::atomic<bool> lockWaitBegan{false};
};

// While another process holds the state file's lock, an Apply's write waits
// for it on its worker; the window's looks at the file never wait with it,
// and the look that found the demo busy is taken again once the write is done.
TEST_F(DemoMouseTest, TheWindowNeverWaitsWhileAnotherProcessHoldsTheFilesLock) {
    LockWaitClock clock;
    DemoMouse demo(Options(), clock);
    test::DeviceChangeRecorder recorder;
    DemoHotPlug* hotPlug = Watch(demo, recorder);
    ASSERT_NE(hotPlug, nullptr);
    Transport transport(demo.Backend(), clock);
    ASSERT_EQ(transport.Discover(), 1);

    test::LockHolderProcess holder(statePath_);
    ASSERT_TRUE(holder.Held());
    const DeviceConfig config = DeviceConfigFromSettings(ChangedSettings());
    auto write =
        std::async(std::launch::async, [&] { return WriteConfiguration(transport, config, 0); });
    ASSERT_TRUE(PumpUntil([&] { return clock.lockWaitBegan.load(); }));
    // The file says what the lock's holder wrote: the mouse was unplugged.
    StoredState unplugged = *FileState();
    unplugged.pluggedIn = false;
    ASSERT_TRUE(files_.ReplaceWholeFile(FromWide(statePath_), EncodeSimulatedState(unplugged)));

    for (int look = 0; look < 3; ++look) {
        const ULONGLONG start = ::GetTickCount64();
        EXPECT_FALSE(hotPlug->Poll()) << "busy: nothing taken yet";
        EXPECT_LT(::GetTickCount64() - start, 50u) << "the window's thread did not wait";
    }
    EXPECT_TRUE(recorder.changes.empty());
    EXPECT_EQ(write.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout)
        << "the write still waits for the lock";

    ASSERT_TRUE(holder.Release());
    EXPECT_EQ(write.get(), 1);
    ASSERT_TRUE(PumpUntil([&] { return !recorder.changes.empty(); })) << "the look is taken again";
    EXPECT_EQ(recorder.changes[0].event, static_cast<WPARAM>(DBT_DEVICEREMOVECOMPLETE));
    const std::optional<StoredState> written = FileState();
    ASSERT_TRUE(written);
    EXPECT_EQ(written->memory, EncodeConfigImage(ChangedSettings()));
    EXPECT_FALSE(written->pluggedIn);
}

TEST_F(DemoMouseTest, ADamagedStateFileIsLeftAlone) {
    const std::vector<char> garbage(141, 0x42);
    {
        std::ofstream out(fs::path(statePath_), std::ios::binary);
        out.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    {
        DemoMouse demo(Options(true), clock_);
        EXPECT_FALSE(demo.StateFileLoaded());
        EXPECT_EQ(demo.Mouse().Memory(), Factory());
        EXPECT_FALSE(demo.Mouse().IsPluggedIn()) << "--unplugged still holds";
        test::DeviceChangeRecorder recorder;
        EXPECT_EQ(demo.WatchFor(recorder.Window()), nullptr);

        demo.Mouse().PlugIn();
        Transport transport(demo.Backend(), clock_);
        ASSERT_EQ(transport.Discover(), 1);
        ASSERT_EQ(WriteConfiguration(transport, DeviceConfigFromSettings(ChangedSettings()), 0), 1);
    }
    EXPECT_EQ(FileBytes(), garbage);
}

}  // namespace
}  // namespace vandir
