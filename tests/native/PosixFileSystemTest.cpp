// PosixFileSystem on a real temporary folder, and the profile and the
// simulated mouse's state file saved and loaded through it.

#include "platform/linux/PosixFileSystem.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/RecordingClock.h"
#include "core/SampleRecords.h"
#include "i18n/Unicode.h"
#include "model/MouseSettings.h"
#include "native/fixtures/DeadProcess.h"
#include "native/fixtures/UnprivilegedUser.h"
#include "storage/FileLock.h"
#include "storage/Profile.h"
#include "storage/SaveTemporaryName.h"
#include "storage/SimulatedStateCodec.h"
#include "storage/SimulatedStateFile.h"

namespace vandir {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

std::u16string U16(const fs::path& path) {
    return Utf16FromUtf8(path.string());
}

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

// Every byte value, then a pattern long enough to need more than one write.
Bytes SampleBytes(size_t size) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i < 256 ? i : (i * 7 + i / 256) & 0xFF);
    }
    return bytes;
}

// Runs body in a child process and returns what it returns; -1 when the child
// did not exit normally. For what must not touch this process (privileges,
// resource limits).
int InChildProcess(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class PosixFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "posixfs-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
    }

    void TearDown() override {
        // Give back write permission taken away by a test, then remove all.
        std::error_code ignored;
        for (auto it = fs::recursive_directory_iterator(root_, ignored);
             it != fs::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->is_directory(ignored)) {
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
            }
        }
        fs::remove_all(root_, ignored);
    }

    std::vector<std::string> Listing(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path root_;
    PosixFileSystem files_;
};

// The cases that need permissions to apply (see UnprivilegedUser.h).
class PosixFileSystemUnprivilegedTest : public PosixFileSystemTest {
protected:
    void SetUp() override {
        if (!fixtures::PermissionsApply()) {
            GTEST_SKIP() << fixtures::kNeedsAnUnprivilegedUser;
        }
        PosixFileSystemTest::SetUp();
    }
};

// ---------------------------------------------------------------------------
// ReadWholeFile
// ---------------------------------------------------------------------------

TEST_F(PosixFileSystemTest, ReadWholeFileReturnsExactlyTheFileBytes) {
    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"empty.bin", {}},
        {"every-byte.bin", SampleBytes(256)},
        {"large.bin", SampleBytes(300000)},
        {"Profil \xC3\xBC \xE2\x9C\x93", {0x12, 0x06, 0x33, 0x01}},  // non-ASCII name
    };
    for (const Case& c : cases) {
        const fs::path file = root_ / c.name;
        WriteBytes(file, c.bytes);
        Bytes contents = {0xEE, 0xEE};  // replaced, not appended to
        EXPECT_TRUE(files_.ReadWholeFile(U16(file), contents)) << c.name;
        EXPECT_EQ(contents, c.bytes) << c.name;
    }
}

TEST_F(PosixFileSystemTest, ReadWholeFileFailsForWhatIsNotAReadableFile) {
    fs::create_directory(root_ / "folder");
    struct Case {
        const char* name;
        fs::path path;
    };
    const Case cases[] = {
        {"missing file", root_ / "missing.profile"},
        {"missing folder", root_ / "nowhere" / "missing.profile"},
        {"directory", root_ / "folder"},
    };
    for (const Case& c : cases) {
        Bytes contents = {1, 2, 3};
        EXPECT_FALSE(files_.ReadWholeFile(U16(c.path), contents)) << c.name;
        EXPECT_TRUE(contents.empty()) << c.name;
    }
}

// A FIFO without a writer must be refused, not block the caller forever.
TEST_F(PosixFileSystemTest, ReadWholeFileRefusesAFifoWithoutBlocking) {
    const fs::path fifo = root_ / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto reading = std::async(std::launch::async, [&] {
        Bytes contents;
        return files_.ReadWholeFile(U16(fifo), contents);
    });
    if (reading.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << "ReadWholeFile blocked on a FIFO without a writer";
        // Release the blocked reader by becoming its writer.
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
        EXPECT_FALSE(reading.get());
        ::close(writer);
        return;
    }
    EXPECT_FALSE(reading.get());
}

// ---------------------------------------------------------------------------
// EnsureFoldersOf
// ---------------------------------------------------------------------------

TEST_F(PosixFileSystemTest, EnsureFoldersOfCreatesEveryMissingLevelButNotTheFile) {
    struct Case {
        fs::path file;
        std::vector<fs::path> folders;  // outermost first
    };
    const Case cases[] = {
        {root_ / "Meridane" / "Vandir II" / "Profiles" / "DefaultPf.profile",
         {root_ / "Meridane", root_ / "Meridane" / "Vandir II",
          root_ / "Meridane" / "Vandir II" / "Profiles"}},
        // A name without a dot is still the file, not one more folder.
        {root_ / "plain" / "profile", {root_ / "plain"}},
        {root_ / "\xD0\x9F\xD1\x80\xD0\xBE" / "f", {root_ / "\xD0\x9F\xD1\x80\xD0\xBE"}},
    };
    for (const Case& c : cases) {
        files_.EnsureFoldersOf(U16(c.file));
        for (const fs::path& folder : c.folders) {
            EXPECT_TRUE(fs::is_directory(folder)) << folder;
        }
        EXPECT_FALSE(fs::exists(c.file)) << c.file;
        EXPECT_TRUE(Listing(c.folders.back()).empty()) << c.folders.back();
    }
}

TEST_F(PosixFileSystemTest, EnsureFoldersOfKeepsWhatExists) {
    // Some levels present, with contents of their own.
    fs::create_directories(root_ / "a");
    WriteBytes(root_ / "a" / "keep.txt", {7, 7});
    files_.EnsureFoldersOf(U16(root_ / "a" / "b" / "c" / "file"));
    EXPECT_TRUE(fs::is_directory(root_ / "a" / "b" / "c"));
    EXPECT_EQ(Listing(root_ / "a"), (std::vector<std::string>{"b", "keep.txt"}));
    EXPECT_EQ(ReadBytes(root_ / "a" / "keep.txt"), (Bytes{7, 7}));

    // The file itself exists: nothing happens to it.
    WriteBytes(root_ / "existing.profile", {1, 2, 3});
    files_.EnsureFoldersOf(U16(root_ / "existing.profile"));
    EXPECT_TRUE(fs::is_regular_file(root_ / "existing.profile"));
    EXPECT_EQ(ReadBytes(root_ / "existing.profile"), (Bytes{1, 2, 3}));

    // A level that is a file stays a file; nothing is created below it.
    WriteBytes(root_ / "blocker", {9});
    files_.EnsureFoldersOf(U16(root_ / "blocker" / "x" / "file"));
    EXPECT_TRUE(fs::is_regular_file(root_ / "blocker"));
    EXPECT_EQ(ReadBytes(root_ / "blocker"), (Bytes{9}));

    EXPECT_EQ(Listing(root_), (std::vector<std::string>{"a", "blocker", "existing.profile"}));
}

// ---------------------------------------------------------------------------
// ReplaceWholeFile
// ---------------------------------------------------------------------------

TEST_F(PosixFileSystemTest, ReplaceFileWritesExactlyAndLeavesNoTemporaryFile) {
    struct Case {
        const char* name;
        std::optional<Bytes> old;  // the file before, if any
        Bytes bytes;
    };
    const Case cases[] = {
        {"new file", std::nullopt, SampleBytes(177)},
        {"empty file", std::nullopt, {}},
        {"large file", std::nullopt, SampleBytes(1 << 20)},
        {"shorter than the old one", SampleBytes(5000), {0xAA, 0xBB}},
        {"longer than the old one", Bytes{1}, SampleBytes(4096)},
        {"over an empty file", Bytes{}, SampleBytes(10)},
    };
    for (const Case& c : cases) {
        const fs::path folder = root_ / ("case" + std::to_string(&c - cases));
        fs::create_directory(folder);
        const fs::path file = folder / "DefaultPf.profile";
        if (c.old) {
            WriteBytes(file, *c.old);
        }
        EXPECT_TRUE(files_.ReplaceWholeFile(U16(file), c.bytes)) << c.name;
        EXPECT_EQ(ReadBytes(file), c.bytes) << c.name;
        EXPECT_EQ(Listing(folder), std::vector<std::string>{"DefaultPf.profile"}) << c.name;
    }
}

TEST_F(PosixFileSystemTest, ReplaceFileIntoAMissingFolderFailsAndCreatesNothing) {
    const fs::path file = root_ / "missing" / "DefaultPf.profile";
    EXPECT_FALSE(files_.ReplaceWholeFile(U16(file), SampleBytes(177)));
    EXPECT_FALSE(fs::exists(root_ / "missing"));
    EXPECT_TRUE(Listing(root_).empty());
}

TEST_F(PosixFileSystemTest, ReplaceFileOntoADirectoryFailsAndLeavesIt) {
    const fs::path target = root_ / "DefaultPf.profile";
    fs::create_directory(target);
    WriteBytes(target / "inside", {5});
    EXPECT_FALSE(files_.ReplaceWholeFile(U16(target), SampleBytes(177)));
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(ReadBytes(target / "inside"), (Bytes{5}));
    EXPECT_EQ(Listing(root_), std::vector<std::string>{"DefaultPf.profile"});
}

TEST_F(PosixFileSystemUnprivilegedTest, ReplaceFileInAReadOnlyFolderKeepsTheOldFile) {
    const fs::path folder = root_ / "readonly";
    fs::create_directory(folder);
    const fs::path file = folder / "DefaultPf.profile";
    const Bytes old = SampleBytes(177);
    WriteBytes(file, old);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    EXPECT_FALSE(files_.ReplaceWholeFile(U16(file), Bytes{1, 2, 3}))
        << "ReplaceWholeFile must report the failure";
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_EQ(Listing(folder), std::vector<std::string>{"DefaultPf.profile"});
}

// A write that stops part-way (here at a file size limit, as on a full disk)
// leaves the old file whole and no temporary file behind.
TEST_F(PosixFileSystemTest, ReplaceFileThatCannotWriteEverythingKeepsTheOldFile) {
    const fs::path file = root_ / "DefaultPf.profile";
    const Bytes old = SampleBytes(177);
    WriteBytes(file, old);
    const int outcome = InChildProcess([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 2;
        }
        PosixFileSystem files;
        return files.ReplaceWholeFile(U16(file), SampleBytes(4096)) ? 1 : 0;
    });
    EXPECT_EQ(outcome, 0) << "ReplaceWholeFile must report the failure";
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_EQ(Listing(root_), std::vector<std::string>{"DefaultPf.profile"});
}

// ---------------------------------------------------------------------------
// Temporaries of other saves
// ---------------------------------------------------------------------------

// Sets the last access and write times of what is at path (not of a link's
// target) to age before now.
void MakeOlder(const fs::path& path, std::chrono::seconds age) {
    timespec now{};
    ASSERT_EQ(::clock_gettime(CLOCK_REALTIME, &now), 0);
    now.tv_sec -= static_cast<time_t>(age.count());
    const timespec times[2] = {now, now};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

// Saves of one profile by two processes at once: neither takes the other's
// temporary away, so every save succeeds and no temporary stays behind.
TEST_F(PosixFileSystemTest, TwoProcessesSavingOneProfile300TimesEachAllSucceed) {
    constexpr int kSaves = 300;
    const fs::path file = root_ / "DefaultPf.profile";
    const Bytes contents[2] = {SampleBytes(177), Bytes(177, 0x5A)};
    // Both wait at a gate until the parent closes it, so that their saves overlap.
    int gate[2] = {-1, -1};
    ASSERT_EQ(::pipe(gate), 0);
    pid_t savers[2] = {-1, -1};
    for (int i = 0; i < 2; ++i) {
        savers[i] = ::fork();
        if (savers[i] == 0) {
            ::close(gate[1]);
            char ignored = 0;
            while (::read(gate[0], &ignored, 1) < 0 && errno == EINTR) {
            }
            PosixFileSystem files;
            int failed = 0;
            for (int save = 0; save < kSaves; ++save) {
                failed += files.ReplaceWholeFile(U16(file), contents[i]) ? 0 : 1;
            }
            ::_exit(std::min(failed, 255));
        }
    }
    ::close(gate[0]);
    ::close(gate[1]);
    for (int i = 0; i < 2; ++i) {
        ASSERT_GT(savers[i], 0);
        int status = 0;
        ASSERT_EQ(::waitpid(savers[i], &status, 0), savers[i]);
        ASSERT_TRUE(WIFEXITED(status)) << "saver " << i;
        EXPECT_EQ(WEXITSTATUS(status), 0)
            << "failed saves of saver " << i << " (of " << kSaves << ", 255 for 255 or more)";
    }
    const Bytes saved = ReadBytes(file);
    EXPECT_TRUE(saved == contents[0] || saved == contents[1]);
    EXPECT_EQ(Listing(root_), std::vector<std::string>{"DefaultPf.profile"});
}

// A successful save removes the temporaries whose save is certainly over: the
// writer no longer runs, or the file is older than any save takes (the id may
// run another program now). A running save's temporary, a folder or link of
// such a name and every name a save does not make stay.
TEST_F(PosixFileSystemTest, ASuccessfulSaveRemovesOnlyTheTemporariesOfSavesThatAreOver) {
    using std::chrono::minutes;
    enum class Kind { File, Folder, Link };
    const auto dead = static_cast<uint32_t>(fixtures::DeadProcessId());
    const auto self = static_cast<uint32_t>(::getpid());
    const auto parent = static_cast<uint32_t>(::getppid());
    const std::string file = "DefaultPf.profile";
    const auto ours = [&](uint32_t writer, uint32_t unique) {
        return SaveTemporaryName(file, writer, unique);
    };
    struct Case {
        const char* what;
        std::string name;
        minutes age;
        Kind kind;
        bool removed;
    };
    const Case cases[] = {
        {"a dead writer's", ours(dead, 1), minutes(0), Kind::File, true},
        {"a dead writer's, old", ours(dead, 2), minutes(60), Kind::File, true},
        {"this process's", ours(self, 3), minutes(0), Kind::File, false},
        {"a running process's", ours(parent, 4), minutes(0), Kind::File, false},
        // Running as another user for all but root: the system refuses to tell more.
        {"process 1's", ours(1, 5), minutes(0), Kind::File, false},
        {"a running writer's, younger than the limit", ours(self, 6),
         kAbandonedSaveAge - minutes(1), Kind::File, false},
        {"a running id's, older than the limit", ours(self, 7), kAbandonedSaveAge + minutes(1),
         Kind::File, true},
        {"a folder", ours(dead, 8), minutes(60), Kind::Folder, false},
        {"a link", ours(dead, 9), minutes(60), Kind::Link, false},
        {"another file's", SaveTemporaryName(std::string("Other.profile"), dead, 10), minutes(60),
         Kind::File, false},
        {"a person's", file + ".tmp", minutes(60), Kind::File, false},
        {"a person's", file + ".2024-05-01.tmp", minutes(60), Kind::File, false},
        {"a person's", file + ".notes.tmp", minutes(60), Kind::File, false},
        {"a person's", file + ".vandir-save." + std::to_string(dead) + ".tmp", minutes(60),
         Kind::File, false},
    };
    const fs::path folder = root_ / "Profiles";
    fs::create_directory(folder);
    const fs::path linked = root_ / "linked";
    WriteBytes(linked, {6});
    std::vector<std::string> expected = {file};
    for (const Case& c : cases) {
        const fs::path path = folder / c.name;
        switch (c.kind) {
            case Kind::File:
                WriteBytes(path, {9});
                break;
            case Kind::Folder:
                fs::create_directory(path);
                break;
            case Kind::Link:
                fs::create_symlink(linked, path);
                break;
        }
        MakeOlder(path, c.age);
        if (!c.removed) {
            expected.push_back(c.name);
        }
    }
    std::sort(expected.begin(), expected.end());

    ASSERT_TRUE(files_.ReplaceWholeFile(U16(folder / file), SampleBytes(177)));
    EXPECT_EQ(ReadBytes(folder / file), SampleBytes(177));
    const std::vector<std::string> left = Listing(folder);
    for (const Case& c : cases) {
        const bool stays = std::find(left.begin(), left.end(), c.name) != left.end();
        EXPECT_EQ(stays, !c.removed) << c.what << " " << c.name;
    }
    EXPECT_EQ(left, expected);
    EXPECT_EQ(ReadBytes(linked), (Bytes{6}));
}

// ---------------------------------------------------------------------------
// The profile through a real file
// ---------------------------------------------------------------------------

// A record whose saved fields all differ from a new one; the fields the
// profile does not hold are those of a record starting up at path.
MouseSettings ChangedRecord(const fs::path& path) {
    MouseSettings s = testing::EveryFieldChanged(U16(path));
    testing::CopyUnsavedFields(MouseSettings::ForStartup(U16(path)), s);
    return s;
}

TEST_F(PosixFileSystemTest, SavedProfileLoadsBackThroughARealFile) {
    // The folders of the path do not exist yet: saving creates them.
    const fs::path path = root_ / "Meridane" / "Vandir II" / "Profiles" / "DefaultPf.profile";
    const MouseSettings saved = ChangedRecord(path);
    ASSERT_TRUE(SaveProfile(saved, files_));
    EXPECT_EQ(Listing(path.parent_path()), std::vector<std::string>{"DefaultPf.profile"});

    MouseSettings loaded = MouseSettings::ForStartup(U16(path));
    ASSERT_EQ(LoadProfile(loaded, files_), ProfileLoadResult::Loaded);
    EXPECT_EQ(loaded, saved);
}

TEST_F(PosixFileSystemTest, FailedProfileSaveKeepsWhatWasThere) {
    // The folder of the profile is a file: nothing is written anywhere.
    WriteBytes(root_ / "Profiles", {0x42});
    const MouseSettings blocked = ChangedRecord(root_ / "Profiles" / "DefaultPf.profile");
    EXPECT_FALSE(SaveProfile(blocked, files_));
    EXPECT_EQ(ReadBytes(root_ / "Profiles"), (Bytes{0x42}));
    EXPECT_EQ(Listing(root_), std::vector<std::string>{"Profiles"});

    // A save that fails part-way keeps the previous profile's bytes.
    const fs::path path = root_ / "Saved" / "DefaultPf.profile";
    const MouseSettings previous = MouseSettings::ForStartup(U16(path));
    ASSERT_TRUE(SaveProfile(previous, files_));
    const Bytes previousBytes = ReadBytes(path);
    ASSERT_EQ(previousBytes.size(), 177u);
    const int outcome = InChildProcess([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 2;
        }
        PosixFileSystem files;
        return SaveProfile(ChangedRecord(path), files) ? 1 : 0;
    });
    EXPECT_EQ(outcome, 0) << "SaveProfile must report the failure";
    EXPECT_EQ(ReadBytes(path), previousBytes);
    EXPECT_EQ(Listing(path.parent_path()), std::vector<std::string>{"DefaultPf.profile"});
    MouseSettings loaded = MouseSettings::ForStartup(U16(path));
    ASSERT_EQ(LoadProfile(loaded, files_), ProfileLoadResult::Loaded);
    EXPECT_EQ(loaded, previous);
}

// ---------------------------------------------------------------------------
// Exists and RemoveFile (the lock between processes: FileLockProcessTest.cpp)
// ---------------------------------------------------------------------------

TEST_F(PosixFileSystemTest, ExistsSeesFilesAndFoldersButNotWhatIsMissing) {
    WriteBytes(root_ / "file", {1});
    fs::create_directory(root_ / "folder");
    EXPECT_TRUE(files_.Exists(U16(root_ / "file")));
    EXPECT_TRUE(files_.Exists(U16(root_ / "folder")));
    EXPECT_FALSE(files_.Exists(U16(root_ / "missing")));
    EXPECT_FALSE(files_.Exists(U16(root_ / "missing" / "file")));
    EXPECT_FALSE(files_.Exists(U16(root_ / "file" / "below a file")));
}

// Gone afterwards is success, also when it was never there; a folder stays.
TEST_F(PosixFileSystemTest, RemoveFileRemovesAFileAndAcceptsOneThatIsNotThere) {
    const fs::path kept = root_ / "DefaultPf.profile.unsent";
    WriteBytes(kept, {1, 2, 3});
    EXPECT_TRUE(files_.RemoveFile(U16(kept)));
    EXPECT_FALSE(fs::exists(kept));
    EXPECT_TRUE(files_.RemoveFile(U16(kept)));
    EXPECT_TRUE(files_.RemoveFile(U16(root_ / "missing" / "DefaultPf.profile.unsent")));
    fs::create_directory(root_ / "folder");
    EXPECT_FALSE(files_.RemoveFile(U16(root_ / "folder")));
    EXPECT_TRUE(fs::is_directory(root_ / "folder"));
}

TEST_F(PosixFileSystemTest, StateFileChangeOnRealFilesLeavesTheFileAndItsLockFile) {
    const fs::path path = root_ / "\xC3\xA9tat \xE2\x82\xAC.sim";  // "état €.sim"
    testing::RecordingClock clock;
    const SimulatedStateFile file(files_, U16(path), clock);
    // The lock folder an older build left behind holds nothing up and stays;
    // the lock file stays beside the state file.
    fs::create_directory(path.string() + ".lock");
    EXPECT_EQ(file.Change(SimulatedMouse().GetStoredState(),
                          [](SimulatedMouse::StoredState& state) { state.pluggedIn = false; }),
              SimulatedStateFile::Update::Written);
    EXPECT_TRUE(clock.waits.empty());
    EXPECT_EQ(Listing(root_),
              (std::vector<std::string>{path.filename().string(), path.filename().string() + ".lck",
                                        path.filename().string() + ".lock"}));

    SimulatedMouse::StoredState expected = SimulatedMouse().GetStoredState();
    expected.pluggedIn = false;
    EXPECT_EQ(ReadBytes(path), EncodeSimulatedState(expected));
    SimulatedMouse::StoredState read;
    EXPECT_EQ(file.Read(read), SimulatedStateFile::Reading::Loaded);
    EXPECT_EQ(read, expected);

    // A folder in the file's place is no state file and stays.
    const SimulatedStateFile folder(files_, U16(root_), clock);
    EXPECT_EQ(folder.Read(read), SimulatedStateFile::Reading::NotAStateFile);
}

TEST_F(PosixFileSystemTest, PathsThatAreNotUtf8ReachExactlyTheirFile) {
    const std::string name = "a \xFF b \xC3 \xE2\x82 \xED\xB2\x80 \xC3\xA9 \xF0\x9F\x98\x80";
    const std::u16string path = PosixFileSystem::PathFromBytes((root_ / name).string());
    EXPECT_EQ(PosixFileSystem::BytesFromPath(path), (root_ / name).string());
    EXPECT_EQ(PosixFileSystem::PathFromBytes("\xC3\xA9"), u"\u00e9");
    EXPECT_EQ(PosixFileSystem::BytesFromPath(u"\U0001F600"), "\xF0\x9F\x98\x80");

    const Bytes bytes{1, 2, 3};
    ASSERT_TRUE(files_.ReplaceWholeFile(path, bytes));
    EXPECT_EQ(Listing(root_), std::vector<std::string>{name});
    Bytes read;
    ASSERT_TRUE(files_.ReadWholeFile(path, read));
    EXPECT_EQ(read, bytes);
}

}  // namespace
}  // namespace vandir
