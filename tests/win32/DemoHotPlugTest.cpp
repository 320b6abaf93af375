#include "app/DemoHotPlug.h"

#include <windows.h>
// After windows.h, which they build on.
#include <dbt.h>
// mingw-w64's HID headers declare their functions without C linkage guards.
extern "C" {
#include <hidsdi.h>
}

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/DemoStateFile.h"
#include "app/DemoStateSync.h"
#include "core/RecordingClock.h"
#include "device/DeviceCommands.h"
#include "device/SimulatedMouse.h"
#include "device/Transport.h"
#include "i18n/Unicode.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "storage/SimulatedStateFile.h"
#include "win32/DeviceChangeRecorder.h"
#include "win32/TempFolder.h"
#include "win32/ui/MessagePump.h"

namespace vandir {
namespace {

using test::DeviceChange;

constexpr size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);

std::u16string VendorPath() {
    return Utf16FromUtf8(SimulatedMouse::kVendorPath);
}

GUID HidClass() {
    GUID guid{};
    ::HidD_GetHidGuid(&guid);
    return guid;
}

// A record as the system sends it for a device interface of the HID class.
void ExpectInterfaceRecord(const DeviceChange& change, const std::u16string& path) {
    EXPECT_EQ(change.path, path);
    EXPECT_EQ(change.deviceType, static_cast<DWORD>(DBT_DEVTYP_DEVICEINTERFACE));
    EXPECT_EQ(change.recordSize, kNameOffset + (path.size() + 1) * sizeof(wchar_t));
    EXPECT_TRUE(change.terminated);
    EXPECT_TRUE(::IsEqualGUID(change.classGuid, HidClass()));
}

class DemoHotPlugTest : public ::testing::Test {
protected:
    DemoHotPlugTest()
        : path_(FromWide(folder_ / L"\u00e9tat mouse \u20ac.vsim")),
          file_(files_, path_, clock_),
          sync_(mouse_, file_, true) {}

    // What vandirctl device plug | unplug --simulate does.
    void WritePlugged(bool pluggedIn) { WritePlugged(path_, pluggedIn); }
    void WritePlugged(const std::u16string& path, bool pluggedIn) {
        ASSERT_EQ(
            SimulatedStateFile(files_, path, clock_)
                .Change(SimulatedMouse().GetStoredState(),
                        [&](SimulatedMouse::StoredState& stored) { stored.pluggedIn = pluggedIn; }),
            SimulatedStateFile::Update::Written);
    }

    // Waits until the watcher's start has saved the plugged state.
    static void AwaitStart(DemoHotPlug& hotPlug) {
        ASSERT_TRUE(PumpUntil([&] { return !hotPlug.Starting(); }));
    }

    void WriteBytes(const std::vector<char>& bytes) {
        std::ofstream out(std::filesystem::path(ToWide(path_)), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    test::TempFolder folder_;
    testing::RecordingClock clock_;
    Win32FileSystem files_;
    std::u16string path_;
    DemoStateFile file_;
    std::shared_ptr<SimulatedMouse> mouse_ = std::make_shared<SimulatedMouse>();
    DemoStateSync sync_;
    test::DeviceChangeRecorder recorder_;
};

TEST_F(DemoHotPlugTest, UnplugAndPlugInTheFileReachTheWindowAsRemovalAndArrival) {
    WritePlugged(true);
    DemoHotPlug hotPlug(sync_, recorder_.Window());
    AwaitStart(hotPlug);
    EXPECT_FALSE(hotPlug.Poll());
    EXPECT_TRUE(recorder_.changes.empty()) << "no message while nothing changed";

    // While the window hears of the removal, the mouse is gone.
    recorder_.onMessage = [&] { return mouse_->IsPluggedIn(); };
    WritePlugged(false);
    EXPECT_TRUE(hotPlug.Poll());
    EXPECT_FALSE(mouse_->IsPluggedIn());
    ASSERT_EQ(recorder_.changes.size(), 1u);
    EXPECT_EQ(recorder_.changes[0].event, static_cast<WPARAM>(DBT_DEVICEREMOVECOMPLETE));
    ExpectInterfaceRecord(recorder_.changes[0], VendorPath());
    EXPECT_TRUE(IsVandirDevicePath(recorder_.changes[0].path));
    EXPECT_FALSE(recorder_.changes[0].whileHandled);

    EXPECT_FALSE(hotPlug.Poll());
    EXPECT_EQ(recorder_.changes.size(), 1u) << "a removal is told once";

    // While the window hears of the arrival, the mouse can be found.
    recorder_.onMessage = [&] {
        Transport transport(*mouse_, clock_);
        return transport.Discover() == 1;
    };
    WritePlugged(true);
    EXPECT_TRUE(hotPlug.Poll());
    EXPECT_TRUE(mouse_->IsPluggedIn());
    ASSERT_EQ(recorder_.changes.size(), 2u);
    EXPECT_EQ(recorder_.changes[1].event, static_cast<WPARAM>(DBT_DEVICEARRIVAL));
    ExpectInterfaceRecord(recorder_.changes[1], VendorPath());
    EXPECT_TRUE(recorder_.changes[1].whileHandled);
    EXPECT_FALSE(hotPlug.Poll());
    EXPECT_EQ(recorder_.changes.size(), 2u);
}

TEST_F(DemoHotPlugTest, AFileThatCannotTellChangesNothing) {
    struct Case {
        const char* what;
        std::function<void()> prepare;
    };
    const std::vector<Case> cases = {
        {"no file", [] {}},
        {"garbage", [&] { WriteBytes(std::vector<char>(141, 0x42)); }},
        {"empty", [&] { WriteBytes({}); }},
        {"a folder", [&] { std::filesystem::create_directory(ToWide(path_)); }},
    };
    for (const Case& c : cases) {
        for (const bool pluggedIn : {true, false}) {
            SCOPED_TRACE(::testing::Message() << c.what << ", plugged in " << pluggedIn);
            std::error_code ignored;
            std::filesystem::remove_all(ToWide(path_), ignored);
            c.prepare();
            auto mouse = std::make_shared<SimulatedMouse>();
            if (!pluggedIn) {
                mouse->Unplug();
            }
            DemoStateSync sync(mouse, file_, true);
            DemoHotPlug hotPlug(sync, recorder_.Window());
            AwaitStart(hotPlug);
            EXPECT_FALSE(hotPlug.Poll());
            EXPECT_EQ(mouse->IsPluggedIn(), pluggedIn);
            EXPECT_TRUE(recorder_.changes.empty());
        }
    }
}

TEST_F(DemoHotPlugTest, EveryInterfaceOfTheMouseIsTold) {
    const std::string keyboard =
        R"(\\?\hid#vid_1f2e&pid_002b&mi_00#simulated&1#{4d1e55b2-f16f-11cf-88cb-001111000030})";
    mouse_->AddInterface(keyboard, kVendorId, kProductId, 0x0001, 6, 0);
    DemoHotPlug hotPlug(sync_, recorder_.Window());
    AwaitStart(hotPlug);

    WritePlugged(false);
    ASSERT_TRUE(hotPlug.Poll());
    WritePlugged(true);
    ASSERT_TRUE(hotPlug.Poll());

    const std::vector<std::u16string> paths = {Utf16FromUtf8(keyboard), VendorPath()};
    ASSERT_EQ(recorder_.changes.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(recorder_.changes[i].event,
                  static_cast<WPARAM>(i < 2 ? DBT_DEVICEREMOVECOMPLETE : DBT_DEVICEARRIVAL));
        ExpectInterfaceRecord(recorder_.changes[i], paths[i % 2]);
    }
}

TEST_F(DemoHotPlugTest, APollWhileTheWindowHandlesANotificationLosesNothing) {
    DemoHotPlug hotPlug(sync_, recorder_.Window());
    AwaitStart(hotPlug);
    // The window's handler runs a modal loop in which a change arrives, after
    // the user plugged the mouse back in.
    recorder_.onMessage = [&] {
        WritePlugged(true);
        return hotPlug.Poll();
    };
    WritePlugged(false);
    EXPECT_TRUE(hotPlug.Poll());
    ASSERT_EQ(recorder_.changes.size(), 1u);
    EXPECT_FALSE(recorder_.changes[0].whileHandled) << "the nested poll does nothing";
    EXPECT_FALSE(mouse_->IsPluggedIn());

    // The skipped look is taken again without waiting for another change.
    recorder_.onMessage = [] { return false; };
    ASSERT_TRUE(PumpUntil([&] { return recorder_.changes.size() == 2; }, 2000));
    EXPECT_EQ(recorder_.changes[1].event, static_cast<WPARAM>(DBT_DEVICEARRIVAL));
    EXPECT_TRUE(mouse_->IsPluggedIn());
}

TEST_F(DemoHotPlugTest, ChangesInTheFolderReachTheWindowUntilTheWatcherIsGone) {
    WritePlugged(true);
    {
        DemoHotPlug hotPlug(sync_, recorder_.Window());
        AwaitStart(hotPlug);
        EXPECT_TRUE(hotPlug.WatchesFolder()) << "the system's folder watch, no timer";
        WritePlugged(false);
        ASSERT_TRUE(PumpUntil([&] { return !recorder_.changes.empty(); }, 2000));
        EXPECT_EQ(recorder_.changes[0].event, static_cast<WPARAM>(DBT_DEVICEREMOVECOMPLETE));
        WritePlugged(true);
        ASSERT_TRUE(PumpUntil([&] { return recorder_.changes.size() == 2; }, 2000));
        EXPECT_EQ(recorder_.changes[1].event, static_cast<WPARAM>(DBT_DEVICEARRIVAL));
        WritePlugged(false);
        ASSERT_TRUE(PumpUntil([&] { return recorder_.changes.size() == 3; }, 2000));
    }
    WritePlugged(true);
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(recorder_.changes.size(), 3u);
    EXPECT_FALSE(mouse_->IsPluggedIn());
}

TEST_F(DemoHotPlugTest, AChangeMadeBeforeTheWatcherStartedIsTaken) {
    // The file said plugged in when the demo started; vandirctl unplugged the
    // mouse before the watcher started.
    WritePlugged(true);
    DemoStateSync sync(mouse_, file_, true, true);
    WritePlugged(false);
    DemoHotPlug hotPlug(sync, recorder_.Window());
    ASSERT_TRUE(PumpUntil([&] { return !recorder_.changes.empty(); }, 2000));
    EXPECT_EQ(recorder_.changes[0].event, static_cast<WPARAM>(DBT_DEVICEREMOVECOMPLETE));
    EXPECT_FALSE(mouse_->IsPluggedIn());
}

TEST_F(DemoHotPlugTest, AFolderThatCannotBeWatchedIsPolledOnATimer) {
    // The state file's folder does not exist yet when the watcher starts.
    const std::filesystem::path later = folder_ / L"made later";
    const std::u16string path = FromWide((later / L"state.vsim").wstring());
    DemoStateSync sync(mouse_, DemoStateFile(files_, path, clock_), true);
    DemoHotPlug hotPlug(sync, recorder_.Window());
    AwaitStart(hotPlug);
    EXPECT_FALSE(hotPlug.WatchesFolder());

    std::filesystem::create_directory(later);
    WritePlugged(path, false);
    ASSERT_TRUE(PumpUntil([&] { return !recorder_.changes.empty(); }, 2000));
    EXPECT_EQ(recorder_.changes[0].event, static_cast<WPARAM>(DBT_DEVICEREMOVECOMPLETE));
}

TEST(SendDeviceInterfaceChangeTest, TheWindowReadsThePathBackWhole) {
    const std::vector<std::u16string> paths = {
        u"",
        VendorPath(),
        u"\\\\?\\hid#vid_1f2e&pid_002b#\u00e9\u20ac\U0001F5B1",
        std::u16string(600, u'x'),
    };
    test::DeviceChangeRecorder recorder;
    for (const std::u16string& path : paths) {
        SCOPED_TRACE(Utf8FromUtf16(path));
        recorder.changes.clear();
        EXPECT_EQ(SendDeviceInterfaceChange(recorder.Window(), DBT_DEVICEARRIVAL, path), TRUE);
        ASSERT_EQ(recorder.changes.size(), 1u);
        EXPECT_EQ(recorder.changes[0].event, static_cast<WPARAM>(DBT_DEVICEARRIVAL));
        ExpectInterfaceRecord(recorder.changes[0], path);
    }
}

}  // namespace
}  // namespace vandir
