#include "platform/win32/Win32FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TempFolder.h"
#include "i18n/Unicode.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "storage/SaveTemporaryName.h"

namespace vandir {
namespace {

namespace fs = std::filesystem;

std::string Utf8(std::wstring_view text) {
    return Utf8FromUtf16(FromWide(text));
}

// Checks go through the standard library, independently of the code under test.
std::vector<uint8_t> ReadBack(const std::wstring& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(fs::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Every byte value, then a longer pseudo-random stretch.
std::vector<uint8_t> SampleBytes(size_t size) {
    std::vector<uint8_t> bytes(size);
    uint32_t state = 0x12063301;
    for (size_t i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes[i] = i < 256 ? static_cast<uint8_t>(i) : static_cast<uint8_t>(state >> 24);
    }
    return bytes;
}

// Everything inside the folder, relative to it, so a test can say "nothing else was created".
std::vector<std::wstring> Contents(const std::wstring& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        names.push_back(fs::relative(entry.path(), folder).wstring());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class Win32FileSystemTest : public ::testing::Test {
protected:
    test::TempFolder root_;
    Win32FileSystem files_;
};

TEST_F(Win32FileSystemTest, EnsureFoldersCreatesEveryMissingLevelButNotTheFile) {
    struct Case {
        const wchar_t* file;
        std::vector<std::wstring> folders;
    };
    const Case cases[] = {
        {L"A\\B\\C\\DefaultPf.profile", {L"A", L"A\\B", L"A\\B\\C"}},
        // A file name without a dot is still the file, never a folder.
        {L"P\\Q\\profile", {L"P", L"P\\Q"}},
        {L"\u8A2D\u5B9A \u00C9\\Vandir II\\x.bin",
         {L"\u8A2D\u5B9A \u00C9", L"\u8A2D\u5B9A \u00C9\\Vandir II"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.file));
        const test::TempFolder folder;
        files_.EnsureFoldersOf(FromWide(folder / c.file));
        for (const std::wstring& level : c.folders) {
            EXPECT_TRUE(fs::is_directory(folder / level)) << Utf8(level);
        }
        EXPECT_EQ(Contents(folder.Path()), c.folders) << "the file itself must not be created";
    }
}

TEST_F(Win32FileSystemTest, EnsureFoldersKeepsExistingLevels) {
    fs::create_directories(root_ / L"A\\B");
    WriteFile(root_ / L"A\\B\\keep.txt", {1, 2, 3});
    files_.EnsureFoldersOf(FromWide(root_ / L"A\\B\\C\\D\\f.profile"));
    EXPECT_EQ(
        Contents(root_.Path()),
        (std::vector<std::wstring>{L"A", L"A\\B", L"A\\B\\C", L"A\\B\\C\\D", L"A\\B\\keep.txt"}));
    EXPECT_EQ(ReadBack(root_ / L"A\\B\\keep.txt"), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(Win32FileSystemTest, EnsureFoldersDoesNothingForAPathThatExists) {
    fs::create_directories(root_ / L"B");
    WriteFile(root_ / L"B\\f.profile", {9});
    // The whole path names an existing file; its text also walks through a
    // folder A that does not exist, which the walk would create.
    files_.EnsureFoldersOf(FromWide(root_ / L"A\\..\\B\\f.profile"));
    EXPECT_FALSE(fs::exists(root_ / L"A"));
    EXPECT_EQ(ReadBack(root_ / L"B\\f.profile"), (std::vector<uint8_t>{9}));
}

// Gone afterwards is success, also when it was never there; a folder stays.
TEST_F(Win32FileSystemTest, RemoveFileRemovesAFileAndAcceptsOneThatIsNotThere) {
    const std::wstring kept = root_ / L"DefaultPf.profile.unsent";
    WriteFile(kept, {1, 2, 3});
    EXPECT_TRUE(files_.RemoveFile(FromWide(kept)));
    EXPECT_FALSE(fs::exists(kept));
    EXPECT_TRUE(files_.RemoveFile(FromWide(kept)));
    EXPECT_TRUE(files_.RemoveFile(FromWide(root_ / L"missing\\DefaultPf.profile.unsent")));
    const std::wstring folder = root_ / L"folder";
    fs::create_directory(folder);
    EXPECT_FALSE(files_.RemoveFile(FromWide(folder)));
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(Win32FileSystemTest, ReplaceFileWritesExactlyTheBytes) {
    for (const size_t size : {size_t{0}, size_t{1}, size_t{256}, size_t{300000}}) {
        SCOPED_TRACE(size);
        const std::wstring path = root_ / (L"new-" + std::to_wstring(size) + L".profile");
        const std::vector<uint8_t> bytes = SampleBytes(size);
        ASSERT_TRUE(files_.ReplaceWholeFile(FromWide(path), bytes));
        EXPECT_EQ(fs::file_size(path), size);
        EXPECT_EQ(ReadBack(path), bytes);
        EXPECT_FALSE(fs::exists(path + L".tmp"));
    }
}

TEST_F(Win32FileSystemTest, ReplaceFileReplacesAnExistingFile) {
    const std::wstring path = root_ / L"DefaultPf.profile";
    WriteFile(path, SampleBytes(5000));
    const std::vector<uint8_t> shorter = {0x12, 0x06, 0x33, 0x01, 0x00, 0xFF};
    ASSERT_TRUE(files_.ReplaceWholeFile(FromWide(path), shorter));
    EXPECT_EQ(ReadBack(path), shorter);
    EXPECT_EQ(Contents(root_.Path()), std::vector<std::wstring>{L"DefaultPf.profile"});
}

TEST_F(Win32FileSystemTest, ReplaceFileIntoAMissingFolderFailsAndCreatesNothing) {
    EXPECT_FALSE(
        files_.ReplaceWholeFile(FromWide(root_ / L"missing\\DefaultPf.profile"), SampleBytes(10)));
    EXPECT_TRUE(Contents(root_.Path()).empty());
}

TEST_F(Win32FileSystemTest, ReplaceFileOntoAFolderFailsAndLeavesTheFolder) {
    const std::wstring path = root_ / L"DefaultPf.profile";
    fs::create_directories(path);
    WriteFile(path + L"\\inside.txt", {7});
    EXPECT_FALSE(files_.ReplaceWholeFile(FromWide(path), SampleBytes(10)));
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(ReadBack(path + L"\\inside.txt"), (std::vector<uint8_t>{7}));
    EXPECT_EQ(Contents(root_.Path()),
              (std::vector<std::wstring>{L"DefaultPf.profile", L"DefaultPf.profile\\inside.txt"}));
}

TEST_F(Win32FileSystemTest, ReplaceFileKeepsTheOldFileWhenItCannotBeReplaced) {
    const std::wstring path = root_ / L"DefaultPf.profile";
    WriteFile(path, {1, 2, 3});
    // Someone holds the profile open without letting it be replaced.
    const UniqueFileHandle holder(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                nullptr));
    ASSERT_TRUE(holder.Valid());
    EXPECT_FALSE(files_.ReplaceWholeFile(FromWide(path), SampleBytes(10)));
    EXPECT_EQ(ReadBack(path), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(Contents(root_.Path()), std::vector<std::wstring>{L"DefaultPf.profile"})
        << "the temporary file is removed";
}

TEST_F(Win32FileSystemTest, ALeftoverTemporaryFileDoesNotBlockTheSave) {
    const std::wstring path = root_ / L"DefaultPf.profile";
    WriteFile(path, {1, 2, 3});
    // An earlier save died and left its temporary behind, read-only.
    const std::wstring leftover = path + L".tmp";
    WriteFile(leftover, {9});
    ASSERT_TRUE(::SetFileAttributesW(leftover.c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_TRUE(files_.ReplaceWholeFile(FromWide(path), SampleBytes(10)));
    EXPECT_EQ(ReadBack(path), SampleBytes(10));
    EXPECT_EQ(ReadBack(leftover), (std::vector<uint8_t>{9})) << "someone else's file is left alone";
    EXPECT_EQ(Contents(root_.Path()),
              (std::vector<std::wstring>{L"DefaultPf.profile", L"DefaultPf.profile.tmp"}));
    ::SetFileAttributesW(leftover.c_str(), FILE_ATTRIBUTE_NORMAL);  // so the folder can go
}

// Sets the last write time of the file or folder at path to age before now.
void MakeOlder(const std::wstring& path, std::chrono::minutes age) {
    const UniqueFileHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(file.Valid()) << Utf8(path);
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{};
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= static_cast<ULONGLONG>(age.count()) * 60 * 10'000'000;  // 100 ns units
    const FILETIME written{time.LowPart, time.HighPart};
    ASSERT_TRUE(::SetFileTime(file.Get(), nullptr, nullptr, &written)) << Utf8(path);
}

// A successful save removes the temporaries whose save is certainly over: the
// writer has ended (also while someone still holds its handle), or the file is
// older than any save takes (the id may name another program now). A running
// save's temporary, a folder of such a name and every name a save does not
// make stay, such as a person's dated copy of the profile.
TEST_F(Win32FileSystemTest, ASuccessfulSaveRemovesOnlyTheTemporariesOfSavesThatAreOver) {
    using std::chrono::minutes;
    // Processes of this program that never get to run a test.
    test::ChildProcess running(L"--gtest_filter=None", CREATE_SUSPENDED);
    test::ChildProcess endedAndHeld(L"--gtest_filter=None", CREATE_SUSPENDED);
    endedAndHeld.End();
    test::ChildProcess ended(L"--gtest_filter=None", CREATE_SUSPENDED);
    ended.EndAndClose();
    const auto self = static_cast<uint32_t>(::GetCurrentProcessId());
    const std::wstring file = L"DefaultPf.profile";
    const auto ours = [&](uint32_t writer, uint32_t unique) {
        return SaveTemporaryName(file, writer, unique);
    };
    struct Case {
        const char* what;
        std::wstring name;
        minutes age;
        bool folder;
        bool removed;
    };
    const Case cases[] = {
        {"an ended writer's", ours(ended.Id(), 1), minutes(0), false, true},
        {"an ended writer's, old", ours(ended.Id(), 2), minutes(60), false, true},
        // Process ids are multiples of 4; none is this high.
        {"an id no process has", ours(0xFFFFFFFC, 10), minutes(0), false, true},
        {"an ended writer's that someone holds", ours(endedAndHeld.Id(), 3), minutes(0), false,
         true},
        {"this process's", ours(self, 4), minutes(0), false, false},
        {"a running process's", ours(running.Id(), 5), minutes(0), false, false},
        {"a running writer's, younger than the limit", ours(self, 6),
         kAbandonedSaveAge - minutes(1), false, false},
        {"a running id's, older than the limit", ours(self, 7), kAbandonedSaveAge + minutes(1),
         false, true},
        {"a folder", ours(ended.Id(), 8), minutes(60), true, false},
        {"another file's", SaveTemporaryName(std::wstring(L"Other.profile"), ended.Id(), 9),
         minutes(60), false, false},
        {"a person's", file + L".tmp", minutes(60), false, false},
        {"a person's", file + L".2024-05-01.tmp", minutes(60), false, false},
        {"a person's", file + L".notes.tmp", minutes(60), false, false},
        {"a person's", file + L".vandir-save." + std::to_wstring(ended.Id()) + L".tmp", minutes(60),
         false, false},
    };
    const std::wstring path = root_ / file;
    std::vector<std::wstring> expected = {file};
    for (const Case& c : cases) {
        if (c.folder) {
            fs::create_directory(root_ / c.name);
        } else {
            WriteFile(root_ / c.name, {9});
        }
        MakeOlder(root_ / c.name, c.age);
        if (!c.removed) {
            expected.push_back(c.name);
        }
    }
    std::sort(expected.begin(), expected.end());

    // A failed save removes nothing: nothing has replaced the profile.
    UniqueFileHandle holder(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder.Valid());
    EXPECT_FALSE(files_.ReplaceWholeFile(FromWide(path), SampleBytes(10)));
    EXPECT_EQ(Contents(root_.Path()).size(), 1 + std::size(cases));
    holder.Reset();

    ASSERT_TRUE(files_.ReplaceWholeFile(FromWide(path), SampleBytes(10)));
    EXPECT_EQ(ReadBack(path), SampleBytes(10));
    const std::vector<std::wstring> left = Contents(root_.Path());
    for (const Case& c : cases) {
        const bool stays = std::find(left.begin(), left.end(), c.name) != left.end();
        EXPECT_EQ(stays, !c.removed) << c.what << " " << Utf8(c.name);
    }
    EXPECT_EQ(left, expected);
}

// A variable of this process's environment, which the processes it starts
// inherit; removed when the object goes.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
        ::SetEnvironmentVariableW(name, value.c_str());
    }
    ~ScopedVariable() { ::SetEnvironmentVariableW(name_, nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const wchar_t* name_;
};

std::wstring VariableOf(const wchar_t* name) {
    wchar_t value[MAX_PATH + 1] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH + 1);
    return length <= MAX_PATH ? std::wstring(value, length) : std::wstring();
}

constexpr int kSaverSaves = 300;
constexpr size_t kSaverBytes = 177;

// The saver of the test below, run in processes of their own: says it is
// ready, waits for the go, then saves the file 300 times with bytes of its
// own value. What it needs comes through the environment.
TEST(Win32FileSystemSaver, DISABLED_SavesOneFile300Times) {
    const std::wstring path = VariableOf(L"VANDIR_SAVER_PATH");
    if (path.empty()) {
        GTEST_SKIP() << "started by TwoProcessesSavingOneProfile300TimesEachAllSucceed";
    }
    const std::vector<uint8_t> bytes(
        kSaverBytes, static_cast<uint8_t>(std::stoi(VariableOf(L"VANDIR_SAVER_BYTE"))));
    const UniqueKernelHandle ready(
        ::OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, VariableOf(L"VANDIR_SAVER_READY").c_str()));
    const UniqueKernelHandle go(
        ::OpenEventW(SYNCHRONIZE, FALSE, VariableOf(L"VANDIR_SAVER_GO").c_str()));
    ASSERT_TRUE(ready.Valid() && go.Valid());
    ASSERT_TRUE(::ReleaseSemaphore(ready.Get(), 1, nullptr));
    ASSERT_EQ(::WaitForSingleObject(go.Get(), 60000), WAIT_OBJECT_0);
    Win32FileSystem files;
    int failed = 0;
    for (int save = 0; save < kSaverSaves; ++save) {
        failed += files.ReplaceWholeFile(FromWide(path), bytes) ? 0 : 1;
    }
    EXPECT_EQ(failed, 0);
}

// Saves of one profile by two processes at once: neither takes the other's
// temporary away, so every save succeeds and no temporary stays behind.
TEST_F(Win32FileSystemTest, TwoProcessesSavingOneProfile300TimesEachAllSucceed) {
    const std::wstring path = root_ / L"DefaultPf.profile";
    const std::wstring tag = std::to_wstring(::GetCurrentProcessId());
    const std::wstring readyName = L"vandir-saver-ready-" + tag;
    const std::wstring goName = L"vandir-saver-go-" + tag;
    const UniqueKernelHandle ready(::CreateSemaphoreW(nullptr, 0, 2, readyName.c_str()));
    const UniqueKernelHandle go(::CreateEventW(nullptr, TRUE, FALSE, goName.c_str()));
    ASSERT_TRUE(ready.Valid() && go.Valid());
    const ScopedVariable pathVariable(L"VANDIR_SAVER_PATH", path);
    const ScopedVariable readyVariable(L"VANDIR_SAVER_READY", readyName);
    const ScopedVariable goVariable(L"VANDIR_SAVER_GO", goName);
    const uint8_t values[2] = {0x11, 0x22};
    std::vector<std::unique_ptr<test::ChildProcess>> savers;
    for (const uint8_t value : values) {
        const ScopedVariable byteVariable(L"VANDIR_SAVER_BYTE", std::to_wstring(value));
        savers.push_back(std::make_unique<test::ChildProcess>(
            L"--gtest_filter=Win32FileSystemSaver.DISABLED_SavesOneFile300Times "
            L"--gtest_also_run_disabled_tests"));
    }
    // Both start saving at once, so that their saves overlap.
    for (size_t i = 0; i < savers.size(); ++i) {
        ASSERT_EQ(::WaitForSingleObject(ready.Get(), 60000), WAIT_OBJECT_0) << "saver " << i;
    }
    ASSERT_TRUE(::SetEvent(go.Get()));
    for (size_t i = 0; i < savers.size(); ++i) {
        EXPECT_EQ(savers[i]->ExitCode(120000), std::optional<DWORD>(0))
            << "saver " << i << " had saves that failed";
    }
    const std::vector<uint8_t> saved = ReadBack(path);
    EXPECT_TRUE(saved == std::vector<uint8_t>(kSaverBytes, values[0]) ||
                saved == std::vector<uint8_t>(kSaverBytes, values[1]));
    EXPECT_EQ(Contents(root_.Path()), std::vector<std::wstring>{L"DefaultPf.profile"});
}

// A failed save tells why, in the system's words.
TEST_F(Win32FileSystemTest, AFailedSaveGivesTheSystemsReason) {
    const std::wstring path = root_ / L"DefaultPf.profile";
    fs::create_directories(path);  // the name is taken by a folder
    std::u16string reason;
    EXPECT_FALSE(files_.ReplaceWholeFile(FromWide(path), SampleBytes(10), &reason));
    EXPECT_FALSE(reason.empty());
    reason.clear();
    EXPECT_FALSE(files_.ReplaceWholeFile(FromWide(root_ / L"missing\\DefaultPf.profile"),
                                         SampleBytes(10), &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_NE(reason.back(), u'\n');
}

TEST_F(Win32FileSystemTest, PathExistsTakesTheNameLiterally) {
    WriteFile(root_ / L"DefaultPf.profile", {1});
    fs::create_directories(root_ / L"Vandir II");
    const struct {
        const wchar_t* name;
        bool exists;
    } cases[] = {
        {L"DefaultPf.profile", true},
        {L"Vandir II", true},
        {L"missing.profile", false},
        // Each would match an existing name as a file-find pattern.
        {L"DefaultPf.profil?", false},
        {L"*.profile", false},
        {L"Vandir*", false},
        {L"*", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.name));
        EXPECT_EQ(Win32FileSystem::PathExists(root_ / c.name), c.exists);
    }
}

TEST_F(Win32FileSystemTest, ReadWholeFileReadsExactly) {
    for (const size_t size : {size_t{0}, size_t{3}, size_t{300000}}) {
        SCOPED_TRACE(size);
        const std::wstring path = root_ / (L"read-" + std::to_wstring(size) + L".bin");
        WriteFile(path, SampleBytes(size));
        std::vector<uint8_t> contents = {0xEE};
        ASSERT_TRUE(files_.ReadWholeFile(FromWide(path), contents));
        EXPECT_EQ(contents, SampleBytes(size));
    }
}

TEST_F(Win32FileSystemTest, ReadWholeFileFailsWithEmptyContents) {
    fs::create_directories(root_ / L"folder");
    for (const wchar_t* name : {L"missing.profile", L"folder", L"no\\such\\place.bin"}) {
        SCOPED_TRACE(Utf8(name));
        std::vector<uint8_t> contents = {0xEE, 0xEE};
        EXPECT_FALSE(files_.ReadWholeFile(FromWide(root_ / name), contents));
        EXPECT_TRUE(contents.empty());
    }
}

TEST_F(Win32FileSystemTest, ReadWholeFileRefusesFilesAboveTheLimit) {
    const struct {
        size_t size;
        bool readable;
    } cases[] = {{Win32FileSystem::kMaxReadSize, true}, {Win32FileSystem::kMaxReadSize + 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const std::wstring path = root_ / L"large.bin";
        { std::ofstream(fs::path(path), std::ios::binary); }
        fs::resize_file(path, c.size);
        std::vector<uint8_t> contents = {0xEE};
        EXPECT_EQ(files_.ReadWholeFile(FromWide(path), contents), c.readable);
        EXPECT_EQ(contents.size(), c.readable ? c.size : 0);
    }
}

TEST_F(Win32FileSystemTest, ReadWholeFileSharesTheFileWithReadersOnly) {
    const std::wstring path = root_ / L"DefaultPf.profile";
    WriteFile(path, {0x12, 0x06, 0x33, 0x01});
    const struct {
        const char* holder;
        DWORD access;
        DWORD share;
        bool readable;
    } cases[] = {
        {"writer sharing nothing", GENERIC_WRITE, 0, false},
        {"writer sharing everything", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
        {"reader sharing reading", GENERIC_READ, FILE_SHARE_READ, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.holder);
        const UniqueFileHandle holder(::CreateFileW(path.c_str(), c.access, c.share, nullptr,
                                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder.Valid());
        std::vector<uint8_t> contents = {0xEE};
        EXPECT_EQ(files_.ReadWholeFile(FromWide(path), contents), c.readable);
        const std::vector<uint8_t> expected =
            c.readable ? std::vector<uint8_t>{0x12, 0x06, 0x33, 0x01} : std::vector<uint8_t>{};
        EXPECT_EQ(contents, expected);
    }
}

}  // namespace
}  // namespace vandir
