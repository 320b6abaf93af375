#include "platform/win32/Win32SystemIntegration.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "TempFolder.h"
#include "i18n/Unicode.h"
#include "platform/win32/ReportException.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace vandir {
namespace {

using namespace std::chrono_literals;

// Upper bound for every wait on another thread or process: long enough never to
// be reached when things work, short enough that a broken case fails instead of hanging.
constexpr auto kPatience = 20s;
constexpr DWORD kPatienceMs = std::chrono::milliseconds(kPatience).count();

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Test-only value names, so the program's own entry is never disturbed.
constexpr char16_t kTestValue[] = u"Vandir II Test Entry";
constexpr char16_t kOtherTestValue[] = u"Vandir II Test Entry 2";

std::wstring ModulePath(HMODULE module = nullptr) {
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

struct RegistryValue {
    LSTATUS status = ERROR_SUCCESS;
    DWORD type = REG_NONE;
    std::wstring data;  // the stored bytes as UTF-16 units, terminating zero included
};

// The raw stored value: RegQueryValueExW reports the size as written, so the
// terminating zero is checked too (RegGetValueW would supply a missing one).
RegistryValue ReadRunValue(const std::u16string& name) {
    RegistryValue value;
    UniqueRegistryKey key;
    value.status = ::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, key.Put());
    if (value.status != ERROR_SUCCESS) {
        return value;
    }
    DWORD size = 0;
    value.status =
        ::RegQueryValueExW(key.Get(), AsWide(name), nullptr, &value.type, nullptr, &size);
    if (value.status != ERROR_SUCCESS) {
        return value;
    }
    std::vector<BYTE> bytes(size);
    value.status =
        ::RegQueryValueExW(key.Get(), AsWide(name), nullptr, &value.type, bytes.data(), &size);
    value.data.assign(reinterpret_cast<const wchar_t*>(bytes.data()), size / sizeof(wchar_t));
    return value;
}

LSTATUS RunValueStatus(const std::u16string& name) {
    return ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, AsWide(name), RRF_RT_ANY, nullptr, nullptr,
                          nullptr);
}

void DeleteRunValue(const std::u16string& name) {
    UniqueRegistryKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, key.Put()) == ERROR_SUCCESS) {
        ::RegDeleteValueW(key.Get(), AsWide(name));
    }
}

// A small program built beside the tests (IntegrationProbe.cpp).
std::wstring ProbePath() {
    const std::wstring tests = ModulePath();
    return tests.substr(0, tests.rfind(L'\\') + 1) + L"win32_integration_probe.exe";
}

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

TEST(ApplicationDataFolderTest, IsTheExistingRoamingFolderWithoutTrailingSeparator) {
    const std::u16string folder = Win32SystemIntegration().ApplicationDataFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), u'\\');
    EXPECT_LE(folder.size(), size_t{MAX_PATH});
    EXPECT_TRUE(std::filesystem::is_directory(ToWide(folder)));
    // The session's APPDATA variable names the same folder.
    wchar_t appData[MAX_PATH + 1] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH + 1);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(::CompareStringOrdinal(AsWide(folder), -1, appData, static_cast<int>(length), TRUE),
              CSTR_EQUAL)
        << Utf8FromUtf16(folder);
}

class AutostartTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteRunValue(kTestValue);
        DeleteRunValue(kOtherTestValue);
    }
    void TearDown() override {
        DeleteRunValue(kTestValue);
        DeleteRunValue(kOtherTestValue);
    }

    Win32SystemIntegration system_;
};

TEST_F(AutostartTest, WritesTheQuotedProgramPath) {
    system_.WriteAutostartEntry(kTestValue);
    const RegistryValue value = ReadRunValue(kTestValue);
    ASSERT_EQ(value.status, ERROR_SUCCESS);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value.data, Quoted(ModulePath()) + L'\0');
}

TEST_F(AutostartTest, RemovesOnlyTheNamedValue) {
    system_.WriteAutostartEntry(kTestValue);
    system_.WriteAutostartEntry(kOtherTestValue);
    ASSERT_EQ(RunValueStatus(kTestValue), ERROR_SUCCESS);

    system_.RemoveAutostartEntry(kTestValue);
    EXPECT_EQ(RunValueStatus(kTestValue), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RunValueStatus(kOtherTestValue), ERROR_SUCCESS);

    // Removing a value that is not there changes nothing.
    system_.RemoveAutostartEntry(kTestValue);
    EXPECT_EQ(RunValueStatus(kTestValue), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RunValueStatus(kOtherTestValue), ERROR_SUCCESS);
}

// A copy of a small program that writes the value is run from paths of chosen
// lengths, with spaces and non-ASCII characters, so the value can be compared with
// where that program really lives. 259 characters is the longest path a program
// can be started from (Wine 8 refuses 260 and more, even in the \\?\ form), and
// it fills the first MAX_PATH buffer of the module-path query to the last unit.
TEST_F(AutostartTest, LongProgramPathsAreWrittenWhole) {
    const std::wstring probe = ProbePath();
    ASSERT_TRUE(std::filesystem::exists(probe)) << "the probe is built beside the tests";

    const std::wstring name = L"Vandir II \u8A2D\u5B9A \u00C9.exe";
    for (const size_t length : {size_t{200}, size_t{MAX_PATH - 1}}) {
        SCOPED_TRACE(length);
        const test::TempFolder root;
        const size_t fill = length - root.Path().size() - 2 - name.size();
        std::wstring folderName;
        while (folderName.size() < fill) {
            folderName += L"Long Folder ";
        }
        folderName.resize(fill);
        folderName.back() = L'x';  // no trailing space in a folder name
        const std::wstring program = root / (folderName + L"\\" + name);
        ASSERT_EQ(program.size(), length);
        ASSERT_TRUE(std::filesystem::create_directory(root / folderName));
        ASSERT_TRUE(::CopyFileW(probe.c_str(), program.c_str(), TRUE));

        std::wstring commandLine = Quoted(program) + L" " + Quoted(ToWide(kTestValue));
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                     0, nullptr, nullptr, &startup, &started))
            << ::GetLastError();
        const UniqueKernelHandle process(started.hProcess);
        const UniqueKernelHandle thread(started.hThread);
        ASSERT_EQ(::WaitForSingleObject(process.Get(), kPatienceMs), WAIT_OBJECT_0);
        DWORD exitCode = 1;
        ASSERT_TRUE(::GetExitCodeProcess(process.Get(), &exitCode));
        ASSERT_EQ(exitCode, 0u);

        const RegistryValue value = ReadRunValue(kTestValue);
        ASSERT_EQ(value.status, ERROR_SUCCESS);
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(value.data, Quoted(program) + L'\0');
        DeleteRunValue(kTestValue);
    }
}

// Saves the system's mouse settings and restores them, in the user profile too.
class SystemParametersTest : public ::testing::Test {
protected:
    void SetUp() override {
        doubleClickTime_ = ::GetDoubleClickTime();
        ASSERT_TRUE(::SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &pointerSpeed_, 0));
        ASSERT_TRUE(::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &fullWindowDrag_, 0));
        dragValue_ = ReadSetting(kDesktopKey, L"DragFullWindows");
    }
    void TearDown() override {
        constexpr UINT kStore = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;
        ::SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, doubleClickTime_, nullptr, kStore);
        // Both arguments, as Windows and Wine read the value from different ones.
        ::SystemParametersInfoW(SPI_SETMOUSESPEED, static_cast<UINT>(pointerSpeed_),
                                reinterpret_cast<PVOID>(static_cast<UINT_PTR>(pointerSpeed_)),
                                kStore);
        ::SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, fullWindowDrag_, nullptr, 0);
        RestoreSetting(kDesktopKey, L"DragFullWindows", dragValue_);
    }

    static constexpr wchar_t kMouseKey[] = L"Control Panel\\Mouse";
    static constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

    // A setting as the user profile stores it (a number in text); nullopt when absent.
    static std::optional<std::wstring> ReadSetting(const wchar_t* key, const wchar_t* name) {
        wchar_t text[64] = {};
        DWORD size = sizeof(text);
        if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::wstring(text);
    }
    static void RestoreSetting(const wchar_t* key, const wchar_t* name,
                               const std::optional<std::wstring>& value) {
        UniqueRegistryKey opened;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, opened.Put()) !=
            ERROR_SUCCESS) {
            return;
        }
        if (value) {
            ::RegSetValueExW(opened.Get(), name, 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(value->c_str()),
                             static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
        } else {
            ::RegDeleteValueW(opened.Get(), name);
        }
    }

    Win32SystemIntegration system_;
    UINT doubleClickTime_ = 0;
    int pointerSpeed_ = 0;
    BOOL fullWindowDrag_ = FALSE;
    std::optional<std::wstring> dragValue_;
};

TEST_F(SystemParametersTest, PointerSpeedFollowsTheStepAndIsStored) {
    const struct {
        uint8_t step;
        int speed;
    } cases[] = {{1, 1}, {4, 7}, {6, 10}, {11, 20}, {5, 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.step));
        system_.SetPointerSpeed(c.step, SettingScope::Saved);
        int speed = 0;
        ASSERT_TRUE(::SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0));
        EXPECT_EQ(speed, c.speed);
        EXPECT_EQ(system_.PointerSpeed(), std::optional<uint32_t>(c.speed));
        EXPECT_EQ(ReadSetting(kMouseKey, L"MouseSensitivity"), std::to_wstring(c.speed));
    }
}

TEST_F(SystemParametersTest, DoubleClickTimeFollowsTheStepAndIsStored) {
    const struct {
        uint8_t step;
        UINT milliseconds;
    } cases[] = {{1, 900}, {4, 690}, {11, 200}, {7, 480}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.step));
        system_.SetDoubleClickTime(c.step, SettingScope::Saved);
        EXPECT_EQ(::GetDoubleClickTime(), c.milliseconds);
        EXPECT_EQ(ReadSetting(kMouseKey, L"DoubleClickSpeed"), std::to_wstring(c.milliseconds));
    }
}

// A step no slider has (from a damaged or foreign profile) leaves the system's
// settings, and what the user profile stores of them, as they were.
TEST_F(SystemParametersTest, StepsOutsideTheSlidersLeaveTheSystemAlone) {
    system_.SetPointerSpeed(5, SettingScope::Saved);
    system_.SetDoubleClickTime(7, SettingScope::Saved);
    for (const uint8_t step : {0, 12, 14, 200}) {
        SCOPED_TRACE(static_cast<int>(step));
        for (const SettingScope scope : {SettingScope::Saved, SettingScope::Session}) {
            system_.SetPointerSpeed(step, scope);
            system_.SetDoubleClickTime(step, scope);
            EXPECT_EQ(system_.PointerSpeed(), std::optional<uint32_t>(9));
            EXPECT_EQ(::GetDoubleClickTime(), 480u);
            EXPECT_EQ(ReadSetting(kMouseKey, L"MouseSensitivity"), L"9");
            EXPECT_EQ(ReadSetting(kMouseKey, L"DoubleClickSpeed"), L"480");
        }
    }
}

// The page's slider writes last for the session: the profile keeps what was
// saved before.
TEST_F(SystemParametersTest, SessionWritesLeaveTheSavedSettings) {
    system_.SetPointerSpeed(4, SettingScope::Saved);
    system_.SetDoubleClickTime(4, SettingScope::Saved);
    system_.SetPointerSpeed(11, SettingScope::Session);
    system_.SetDoubleClickTime(11, SettingScope::Session);
    EXPECT_EQ(system_.PointerSpeed(), std::optional<uint32_t>(20));
    EXPECT_EQ(::GetDoubleClickTime(), 200u);
    EXPECT_EQ(ReadSetting(kMouseKey, L"MouseSensitivity"), L"7");
    EXPECT_EQ(ReadSetting(kMouseKey, L"DoubleClickSpeed"), L"690");
}

TEST_F(SystemParametersTest, FullWindowDragIsSwitchedOnForTheSessionOnly) {
    // Start from "off", stored in the user profile as well.
    ASSERT_TRUE(
        ::SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, SPIF_UPDATEINIFILE));
    BOOL enabled = TRUE;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &enabled, 0));
    ASSERT_FALSE(enabled);
    const std::optional<std::wstring> stored = ReadSetting(kDesktopKey, L"DragFullWindows");

    system_.EnableFullWindowDrag();
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &enabled, 0));
    EXPECT_TRUE(enabled);
    EXPECT_EQ(ReadSetting(kDesktopKey, L"DragFullWindows"), stored)
        << "the user profile keeps its own choice";
}

// Records the launches of an injected launcher; each launch blocks until released.
struct LaunchLog {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<std::thread::id, std::wstring>> started;
    int finished = 0;
    bool released = false;

    Win32SystemIntegration::Launcher BlockingLauncher(const std::shared_ptr<LaunchLog>& self) {
        return [self](const std::wstring& address) {
            std::unique_lock lock(self->mutex);
            self->started.emplace_back(std::this_thread::get_id(), address);
            self->changed.notify_all();
            self->changed.wait_for(lock, kPatience, [&] { return self->released; });
            ++self->finished;
            self->changed.notify_all();
        };
    }
    bool WaitUntil(const std::function<bool()>& condition) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, kPatience, condition);
    }
    void Release() {
        const std::lock_guard lock(mutex);
        released = true;
        changed.notify_all();
    }
};

TEST(OpenSupportPageTest, LaunchesOnAnotherThreadWithoutWaiting) {
    const auto log = std::make_shared<LaunchLog>();
    Win32SystemIntegration system(log->BlockingLauncher(log));
    const std::u16string address =
        u"https://support.meridane.example/vandir-ii?lang=\u65E5\u672C&q=Gr\u00F6\u00DFe";

    system.OpenSupportPage(address);
    {
        // Had the call waited for the launcher, the launcher would have given up
        // waiting for its release and finished by now.
        const std::lock_guard lock(log->mutex);
        EXPECT_EQ(log->finished, 0);
    }
    ASSERT_TRUE(log->WaitUntil([&] { return log->started.size() == 1; }));
    log->Release();
    ASSERT_TRUE(log->WaitUntil([&] { return log->finished == 1; }));

    const std::lock_guard lock(log->mutex);
    EXPECT_NE(log->started[0].first, std::this_thread::get_id());
    EXPECT_EQ(log->started[0].second, ToWide(address));
}

TEST(OpenSupportPageTest, TwoQuickCallsStartTwoLaunches) {
    const auto log = std::make_shared<LaunchLog>();
    Win32SystemIntegration system(log->BlockingLauncher(log));

    system.OpenSupportPage(u"https://a.example/");
    system.OpenSupportPage(u"https://b.example/");
    // Both launches run at the same time: neither has been released yet.
    ASSERT_TRUE(log->WaitUntil([&] { return log->started.size() == 2; }));
    log->Release();
    ASSERT_TRUE(log->WaitUntil([&] { return log->finished == 2; }));

    const std::lock_guard lock(log->mutex);
    EXPECT_NE(log->started[0].first, log->started[1].first);
    std::vector<std::wstring> addresses = {log->started[0].second, log->started[1].second};
    std::sort(addresses.begin(), addresses.end());
    EXPECT_EQ(addresses, (std::vector<std::wstring>{L"https://a.example/", L"https://b.example/"}));
}

// The default launcher hands the address to the shell. Given a program's path
// instead of a web address (no browser needed), the shell starts that program,
// which shows it ran by setting an event named in the environment it inherits.
TEST(OpenSupportPageTest, DefaultLauncherOpensTheAddressThroughTheShell) {
    const std::wstring probe = ProbePath();
    ASSERT_TRUE(std::filesystem::exists(probe)) << "the probe is built beside the tests";

    const std::wstring eventName =
        L"Local\\VandirIIProbeStarted-" + std::to_wstring(::GetCurrentProcessId());
    const UniqueKernelHandle started(::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
    ASSERT_TRUE(started.Valid());
    ASSERT_TRUE(::SetEnvironmentVariableW(L"VANDIR_PROBE_EVENT", eventName.c_str()));

    Win32SystemIntegration().OpenSupportPage(FromWide(probe));
    EXPECT_EQ(::WaitForSingleObject(started.Get(), kPatienceMs), WAIT_OBJECT_0);
    ::SetEnvironmentVariableW(L"VANDIR_PROBE_EVENT", nullptr);
}

TEST(OpenSupportPageTest, DestructionWaitsForARunningLaunch) {
    const auto log = std::make_shared<LaunchLog>();
    std::thread releaser;
    {
        Win32SystemIntegration system(log->BlockingLauncher(log));
        system.OpenSupportPage(u"https://support.meridane.example/");
        releaser = std::thread([&] {
            log->WaitUntil([&] { return log->started.size() == 1; });
            log->Release();
        });
    }
    const std::lock_guard lock(log->mutex);
    EXPECT_EQ(log->finished, 1) << "the object went while its launch still ran";
    releaser.join();
}

// A throwing launcher ends only its own thread: the object's destruction,
// which waits for its launches, returns, and the error is reported.
TEST(OpenSupportPageTest, AThrowingLauncherEndsItsThreadQuietly) {
    static std::vector<std::wstring> reports;
    reports.clear();
    const ExceptionReporter previous =
        SetExceptionReporter([](const std::wstring& report) { reports.push_back(report); });
    std::atomic<bool> launched{false};
    {
        Win32SystemIntegration system([&launched](const std::wstring&) {
            launched = true;
            throw std::runtime_error("no browser");
        });
        system.OpenSupportPage(u"https://support.meridane.example/");
    }
    SetExceptionReporter(previous);
    EXPECT_TRUE(launched);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(L"no browser"), std::wstring::npos);
}

}  // namespace
}  // namespace vandir
