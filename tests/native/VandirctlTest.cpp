// vandirctl driven through the built binary: every case runs the program in a
// fresh temporary folder and looks only at its exit code, its standard output
// and error, and the files it leaves behind.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/Clock.h"
#include "native/fixtures/DeadProcess.h"
#include "native/fixtures/UnprivilegedUser.h"
#include "platform/linux/PosixFileSystem.h"
#include "storage/FileLock.h"
#include "storage/SaveTemporaryName.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;
using Bytes = std::vector<uint8_t>;

// ---------------------------------------------------------------------------
// Running the binary
// ---------------------------------------------------------------------------

struct RunResult {
    int exitCode = -1;  // -1 when the program did not exit normally
    int signal = 0;     // the signal that ended it, if any
    bool timedOut = false;
    std::string out;
    std::string err;
};

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<Bytes> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

void WriteText(const fs::path& path, const std::string& text) {
    WriteBytes(path, Bytes(text.begin(), text.end()));
}

// The binary under test: the build's, or a copy that VANDIRCTL names (the
// unprivileged run copies it where its user can reach it).
std::string VandirctlPath() {
    const char* copy = std::getenv("VANDIRCTL");
    return copy != nullptr ? copy : VANDIRCTL_PATH;
}

// Where standard output goes.
enum class Output { Captured, DevFull, Closed };

// Runs vandirctl with arguments (no shell involved) in folder, standard input
// coming from the file (or device) at inPath. A program still running after
// the timeout is killed.
RunResult RunWithInputFrom(const fs::path& folder, const fs::path& scratch,
                           const std::vector<std::string>& arguments, const fs::path& inPath,
                           std::chrono::seconds timeout, Output output = Output::Captured) {
    const fs::path outPath = scratch / "stdout";
    const fs::path errPath = scratch / "stderr";

    std::vector<std::string> argvStrings = {VandirctlPath()};
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& arg : argvStrings) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    const int inFd = ::open(inPath.c_str(), O_RDONLY | O_CLOEXEC);
    const int outFd = output == Output::DevFull
                          ? ::open("/dev/full", O_WRONLY | O_CLOEXEC)
                          : ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    RunResult result;
    if (inFd < 0 || outFd < 0 || errFd < 0) {
        ADD_FAILURE() << "cannot open the capture files in " << scratch;
        return result;
    }

    const pid_t pid = ::fork();
    if (pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        if (::dup2(inFd, 0) < 0 || ::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0 ||
            ::chdir(folder.c_str()) != 0) {
            ::_exit(126);
        }
        if (output == Output::Closed) {
            ::close(1);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(inFd);
    ::close(outFd);
    ::close(errFd);
    if (pid < 0) {
        ADD_FAILURE() << "fork failed";
        return result;
    }

    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            result.timedOut = true;
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    result.out = ReadText(outPath);
    result.err = ReadText(errPath);
    return result;
}

RunResult RunIn(const fs::path& folder, const fs::path& scratch,
                const std::vector<std::string>& arguments, const std::string& input,
                std::chrono::seconds timeout) {
    WriteText(scratch / "stdin", input);
    return RunWithInputFrom(folder, scratch, arguments, scratch / "stdin", timeout);
}

// Long output (a sanitizer report, say) cut down to its start for messages.
std::string Shortened(const std::string& text) {
    constexpr size_t kShown = 1500;
    return text.size() <= kShown ? text : text.substr(0, kShown) + "\n[... cut ...]";
}

std::ostream& operator<<(std::ostream& os, const RunResult& r) {
    os << "exit " << r.exitCode;
    if (r.signal != 0) {
        os << " (signal " << r.signal << ")";
    }
    if (r.timedOut) {
        os << " (timed out)";
    }
    return os << "\n--- stdout ---\n"
              << Shortened(r.out) << "\n--- stderr ---\n"
              << Shortened(r.err);
}

std::string Joined(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& arg : args) {
        text += (text.empty() ? "" : " ") + arg;
    }
    return text;
}

// ---------------------------------------------------------------------------
// The profile file, encoded here from its layout
// ---------------------------------------------------------------------------

class ByteWriter {
public:
    ByteWriter& u8(uint8_t v) {
        bytes_.push_back(v);
        return *this;
    }
    ByteWriter& u16(uint16_t v) {
        return u8(static_cast<uint8_t>(v)).u8(static_cast<uint8_t>(v >> 8));
    }
    ByteWriter& i16(int16_t v) { return u16(static_cast<uint16_t>(v)); }
    ByteWriter& u32(uint32_t v) {
        return u16(static_cast<uint16_t>(v)).u16(static_cast<uint16_t>(v >> 16));
    }
    ByteWriter& text(const std::u16string& s) {
        u32(static_cast<uint32_t>(s.size()));
        for (char16_t unit : s) {
            u16(unit);
        }
        return *this;
    }
    // A 32-bit value as signed decimal text.
    ByteWriter& numberText(uint32_t v) {
        const std::string digits = std::to_string(static_cast<int32_t>(v));
        return text(std::u16string(digits.begin(), digits.end()));
    }
    const Bytes& bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

struct Led {
    uint8_t levelIndex;
    uint8_t mode;
    uint32_t colour;
    uint8_t levelNumber;
};

struct Button {
    uint8_t buttonIndex;
    uint8_t kind;
    int16_t code;
    int16_t param1;
    int16_t param2;
};

// The saved fields of a profile; the initial values are those of a new profile.
struct Image {
    std::u16string profileName = u"Profile";
    uint32_t profileNumber = 1;
    uint8_t profileIndex = 0;
    uint16_t imageLength = 128;
    uint8_t reportRate = 1;
    uint8_t pointerSpeed = 6;
    uint8_t doubleClickSpeed = 4;
    uint8_t osSettingsUnlocked = 0;
    uint8_t dpiLevelCount = 3;
    std::array<uint8_t, 3> dpiLevelFlags{0, 0, 0};
    std::array<std::array<int16_t, 2>, 3> dpi{{{500, 500}, {1250, 1250}, {3500, 3500}}};
    uint8_t liftOff = 3;
    uint32_t ledColour = 0x0000FF00;
    uint8_t ledMode = 1;
    uint8_t ledLevel = 1;
    uint8_t autoStart = 0;
    uint8_t language = 1;
    std::array<Led, 3> levelLeds{
        {{0, 1, 0x000000FF, 1}, {1, 1, 0x0000FF00, 2}, {2, 1, 0x00FF0000, 3}}};
    std::array<Button, 7> buttons{{{0, 0, 1, 0, 0},
                                   {1, 0, 2, 0, 0},
                                   {2, 0, 4, 0, 0},
                                   {3, 0, 16, 0, 0},
                                   {4, 0, 8, 0, 0},
                                   {5, 9, 240, 0, 0},
                                   {6, 9, 242, 0, 0}}};

    Bytes Encode() const {
        ByteWriter w;
        w.u8(0x12).u8(0x06).u8(0x33).u8(0x01);
        w.text(profileName).u32(profileNumber).u8(profileIndex).u16(imageLength);
        w.u8(reportRate).u8(pointerSpeed).u8(doubleClickSpeed).u8(osSettingsUnlocked);
        w.u8(dpiLevelCount);
        for (int i = 0; i < 3; ++i) {
            w.u8(dpiLevelFlags[i]).i16(dpi[i][0]).i16(dpi[i][1]);
        }
        w.u8(liftOff).numberText(ledColour).u8(ledMode).u8(ledLevel).u8(autoStart).u8(language);
        for (const Led& led : levelLeds) {
            w.u8(led.levelIndex).u8(led.mode).numberText(led.colour).u8(led.levelNumber);
        }
        for (const Button& b : buttons) {
            w.u8(b.buttonIndex).u8(b.kind).i16(b.code).i16(b.param1).i16(b.param2);
        }
        return w.bytes();
    }
};

// A profile whose every field differs from a new one, with the extremes of
// each width: signed fields negative, colours with the top bit set, a name
// outside ASCII with a surrogate pair.
Image UnusualImage() {
    Image p;
    p.profileName = u"M\u00fcller \u2713 \U0001F5B1";
    p.profileNumber = 4294967295u;
    p.profileIndex = 255;
    p.imageLength = 65535;
    p.reportRate = 8;
    p.pointerSpeed = 11;
    p.doubleClickSpeed = 0;
    p.osSettingsUnlocked = 1;
    p.dpiLevelCount = 2;
    p.dpiLevelFlags = {1, 0x80, 255};
    p.dpi = {{{-1, -32768}, {32767, 250}, {0, 3500}}};
    p.liftOff = 1;
    p.ledColour = 0xFF000000u;
    p.ledMode = 6;
    p.ledLevel = 2;
    p.autoStart = 1;
    p.language = 14;
    p.levelLeds = {{{0, 0, 0, 9}, {1, 2, 0xFFFFFFFFu, 0}, {2, 6, 0x00ABCDEF, 255}}};
    p.buttons = {{{0, 255, -1, 0, 0},
                  {1, 2, 3, 0x0504, 0},
                  {2, 33, 2, 0x52, 254},
                  {3, 32, 0, 0xE9, 0},
                  {4, 9, 241, -32768, 32767},
                  {5, 34, 0, 0, 0},
                  {6, 35, 1, 0, -2}}};
    return p;
}

// UnusualImage as `profile show` prints it, written out by hand.
const char* const kUnusualJson = R"json({
  "profileName": "M\u00fcller \u2713 \ud83d\uddb1",
  "profileNumber": 4294967295, "profileIndex": 255, "imageLength": 65535,
  "reportRate": 8, "pointerSpeed": 11, "doubleClickSpeed": 0, "osSettingsUnlocked": 1,
  "dpiLevelCount": 2, "dpiLevelFlags": [1, 128, 255],
  "dpi": [{"x": -1, "y": -32768}, {"x": 32767, "y": 250}, {"x": 0, "y": 3500}],
  "liftOff": 1, "ledColour": 4278190080, "ledMode": 6, "ledLevel": 2, "autoStart": 1,
  "language": 14,
  "levelLeds": [
    {"levelIndex": 0, "mode": 0, "colour": 0, "levelNumber": 9},
    {"levelIndex": 1, "mode": 2, "colour": 4294967295, "levelNumber": 0},
    {"levelIndex": 2, "mode": 6, "colour": 11259375, "levelNumber": 255}],
  "buttons": [
    {"buttonIndex": 0, "kind": 255, "code": -1, "param1": 0, "param2": 0, "function": "Disable"},
    {"buttonIndex": 1, "kind": 2, "code": 3, "param1": 1284, "param2": 0,
     "function": "Ctrl+Shift+A+B"},
    {"buttonIndex": 2, "kind": 33, "code": 2, "param1": 82, "param2": 254,
     "function": "Rapid Fire UP ARROW  [254]"},
    {"buttonIndex": 3, "kind": 32, "code": 0, "param1": 233, "param2": 0,
     "function": "Volume Up"},
    {"buttonIndex": 4, "kind": 9, "code": 241, "param1": -32768, "param2": 32767,
     "function": "DPI Cycle[+]"},
    {"buttonIndex": 5, "kind": 34, "code": 0, "param1": 0, "param2": 0,
     "function": "Sensor ON/OFF"},
    {"buttonIndex": 6, "kind": 35, "code": 1, "param1": 0, "param2": -2,
     "function": "LOD Tuning(Press over 3sec)"}]
})json";

std::string Hex(const std::optional<Bytes>& bytes) {
    if (!bytes) {
        return "(no file)";
    }
    static const char* const kDigits = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < bytes->size(); ++i) {
        text += (i % 16 == 0 ? "\n  " : " ");
        text += kDigits[(*bytes)[i] >> 4];
        text += kDigits[(*bytes)[i] & 0xF];
    }
    return text;
}

// Compares files as hex dumps, so a failure shows where they differ.
#define EXPECT_FILE_BYTES(path, expected) EXPECT_EQ(Hex(ReadBytes(path)), Hex(Bytes(expected)))

// ---------------------------------------------------------------------------
// Fixture: one temporary folder per test
// ---------------------------------------------------------------------------

struct UnloadableProfile;

class VandirctlTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vandirctl-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        work_ = root_ / "work";
        scratch_ = root_ / "scratch";
        fs::create_directory(work_);
        fs::create_directory(scratch_);
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // Runs vandirctl with the work folder as its current folder.
    RunResult Run(const std::vector<std::string>& arguments, const std::string& input = "",
                  std::chrono::seconds timeout = std::chrono::seconds(60)) {
        return RunIn(work_, scratch_, arguments, input, timeout);
    }

    // An absolute path inside the work folder.
    std::string At(const std::string& relative) const { return (work_ / relative).string(); }

    // The names in a folder (the work folder unless told), sorted.
    std::vector<std::string> Listing(const fs::path& folder = {}) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.empty() ? work_ : folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Runs the commands that rewrite a profile over each unloadable FILE.
    void ExpectRewritersLeaveAlone(const std::vector<UnloadableProfile>& cases);

    fs::path root_;
    fs::path work_;
    fs::path scratch_;
};

// The cases that need permissions to apply (see UnprivilegedUser.h).
class VandirctlUnprivilegedTest : public VandirctlTest {
protected:
    void SetUp() override {
        if (!vandir::fixtures::PermissionsApply()) {
            GTEST_SKIP() << vandir::fixtures::kNeedsAnUnprivilegedUser;
        }
        VandirctlTest::SetUp();
    }
};

// A refused command: exit 2, nothing on standard output, a message on error.
void ExpectRefused(const RunResult& r, const std::string& context) {
    EXPECT_EQ(r.exitCode, 2) << context << "\n" << r;
    EXPECT_TRUE(r.out.empty()) << context << ": " << Shortened(r.out);
    EXPECT_NE(r.err, "") << context;
}

void ExpectSucceededSilently(const RunResult& r, const std::string& context) {
    EXPECT_EQ(r.exitCode, 0) << context << "\n" << r;
    EXPECT_TRUE(r.out.empty() && r.err.empty()) << context << ": no output expected\n" << r;
}

bool ContainsAny(const std::string& text, const std::vector<std::string>& words) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& w) { return lower.find(w) != std::string::npos; });
}

// ---------------------------------------------------------------------------
// profile new
// ---------------------------------------------------------------------------

TEST_F(VandirctlTest, NewWritesTheStartupProfile) {
    const RunResult r = Run({"profile", "new", At("DefaultPf.profile")});
    ExpectSucceededSilently(r, "profile new");

    const std::optional<Bytes> written = ReadBytes(At("DefaultPf.profile"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->size(), 177u);
    const Bytes head = {0x12, 0x06, 0x33, 0x01, 0x07, 0x00, 0x00, 0x00, 'P', 0, 'r', 0, 'o', 0};
    const Bytes tail = {0x06, 0x09, 0xF2, 0x00, 0x00, 0x00, 0x00, 0x00};
    ASSERT_GE(written->size(), head.size() + tail.size());
    EXPECT_TRUE(std::equal(head.begin(), head.end(), written->begin()));
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), written->end() - tail.size()));
    EXPECT_FILE_BYTES(At("DefaultPf.profile"), Image().Encode());
    // Written in one step: no temporary file is left beside it.
    EXPECT_EQ(Listing(), std::vector<std::string>{"DefaultPf.profile"});
}

TEST_F(VandirctlTest, NewCreatesMissingFoldersAndTakesNamesWithoutDots) {
    const std::string paths[] = {
        "Meridane/Vandir II/Profiles/DefaultPf.profile",
        "plain/main",
        "x/y/z/profile",
    };
    int serial = 0;
    for (const std::string& path : paths) {
        for (const bool absolute : {false, true}) {
            // Each run gets a folder of its own, named relative to the current
            // folder or absolutely.
            const std::string base = "run" + std::to_string(serial++);
            const std::string arg = absolute ? At(base + "/" + path) : base + "/" + path;
            const fs::path file = work_ / base / path;
            ExpectSucceededSilently(Run({"profile", "new", arg}), arg);
            EXPECT_TRUE(fs::is_regular_file(file)) << arg;
            EXPECT_FILE_BYTES(file, Image().Encode()) << arg;
            EXPECT_EQ(Listing(file.parent_path()),
                      std::vector<std::string>{file.filename().string()})
                << arg;
            for (fs::path folder = file.parent_path();
                 folder != work_ && folder.has_relative_path(); folder = folder.parent_path()) {
                EXPECT_TRUE(fs::is_directory(folder)) << folder;
            }
        }
    }
    // A bare name lands in the current folder.
    ExpectSucceededSilently(Run({"profile", "new", "bare"}), "bare name");
    EXPECT_TRUE(fs::is_regular_file(work_ / "bare"));
    EXPECT_FILE_BYTES(work_ / "bare", Image().Encode());
}

TEST_F(VandirctlTest, NewReplacesAnExistingFile) {
    WriteBytes(At("p.profile"), Bytes(500, 0xAB));
    ExpectSucceededSilently(Run({"profile", "new", At("p.profile")}), "profile new over a file");
    EXPECT_FILE_BYTES(At("p.profile"), Image().Encode());
}

TEST_F(VandirctlTest, NewFailsWhenAFolderOfThePathIsAFile) {
    WriteText(At("blocker"), "not a folder");
    const RunResult r = Run({"profile", "new", At("blocker/p.profile")});
    EXPECT_NE(r.exitCode, 0) << r;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("blocker/p.profile"), std::string::npos) << r.err;
    EXPECT_EQ(ReadText(At("blocker")), "not a folder");
    EXPECT_EQ(Listing(), std::vector<std::string>{"blocker"});
}

// ---------------------------------------------------------------------------
// profile show
// ---------------------------------------------------------------------------

TEST_F(VandirctlTest, ShowPrintsEveryFieldInRecordOrder) {
    struct Case {
        const char* name;
        Image image;
        std::string expected;
    };
    const Case cases[] = {
        {"new profile", Image(), R"({
          "profileName": "Profile", "profileNumber": 1, "profileIndex": 0, "imageLength": 128,
          "reportRate": 1, "pointerSpeed": 6, "doubleClickSpeed": 4, "osSettingsUnlocked": 0,
          "dpiLevelCount": 3, "dpiLevelFlags": [0, 0, 0],
          "dpi": [{"x": 500, "y": 500}, {"x": 1250, "y": 1250}, {"x": 3500, "y": 3500}],
          "liftOff": 3, "ledColour": 65280, "ledMode": 1, "ledLevel": 1, "autoStart": 0,
          "language": 1,
          "levelLeds": [
            {"levelIndex": 0, "mode": 1, "colour": 255, "levelNumber": 1},
            {"levelIndex": 1, "mode": 1, "colour": 65280, "levelNumber": 2},
            {"levelIndex": 2, "mode": 1, "colour": 16711680, "levelNumber": 3}],
          "buttons": [
            {"buttonIndex": 0, "kind": 0, "code": 1, "param1": 0, "param2": 0,
             "function": "Left Click"},
            {"buttonIndex": 1, "kind": 0, "code": 2, "param1": 0, "param2": 0,
             "function": "Right Click"},
            {"buttonIndex": 2, "kind": 0, "code": 4, "param1": 0, "param2": 0,
             "function": "Wheel Click"},
            {"buttonIndex": 3, "kind": 0, "code": 16, "param1": 0, "param2": 0,
             "function": "Browser Forward"},
            {"buttonIndex": 4, "kind": 0, "code": 8, "param1": 0, "param2": 0,
             "function": "Browser Back"},
            {"buttonIndex": 5, "kind": 9, "code": 240, "param1": 0, "param2": 0,
             "function": "DPI [+]"},
            {"buttonIndex": 6, "kind": 9, "code": 242, "param1": 0, "param2": 0,
             "function": "DPI [-]"}]
        })"},
        {"unusual profile", UnusualImage(), kUnusualJson},
    };
    for (const Case& c : cases) {
        WriteBytes(At("p.profile"), c.image.Encode());
        const RunResult r = Run({"profile", "show", At("p.profile")});
        EXPECT_EQ(r.exitCode, 0) << c.name << "\n" << r;
        EXPECT_TRUE(r.err.empty()) << c.name << ": " << Shortened(r.err);
        // The whole output is one JSON value (parse refuses anything after it).
        Json shown;
        ASSERT_NO_THROW(shown = Json::parse(r.out)) << c.name << "\n" << r.out;
        // Ordered dumps compare keys, their order and every value.
        EXPECT_EQ(shown.dump(), Json::parse(c.expected).dump()) << c.name;
    }
}

TEST_F(VandirctlTest, ShowRefusesFilesThatAreNotProfiles) {
    const Bytes good = Image().Encode();
    Bytes wrongMagic = good;
    wrongMagic[3] = 0x02;
    Bytes nameRunsPast = good;
    nameRunsPast[4] = nameRunsPast[5] = nameRunsPast[6] = nameRunsPast[7] = 0xFF;
    // The count of the levelLeds[2] colour text, made larger than what is left.
    Bytes colourRunsPast = good;
    const size_t colourCount = good.size() - 7 * 8 - 1 - 16 - 4;
    ASSERT_EQ(colourRunsPast[colourCount], 8);  // "16711680"
    colourRunsPast[colourCount] = 0x40;

    const std::vector<std::string> notOpened = {"open", "read", "directory", "not a file"};
    const std::vector<std::string> damaged = {"damaged", "short", "truncated", "ends", "end of"};
    const std::vector<std::string> notProfile = {"magic", "not a", "profile"};
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make;  // nothing made: the file is missing
        std::vector<std::string> reasonWords;
    };
    const Case cases[] = {
        {"missing file", [](const fs::path&) {}, notOpened},
        {"a directory", [](const fs::path& p) { fs::create_directory(p); }, notOpened},
        {"empty file", [](const fs::path& p) { WriteBytes(p, {}); }, damaged},
        {"three bytes",
         [](const fs::path& p) {
             WriteBytes(p, {0x12, 0x06, 0x33});
         },
         damaged},
        {"magic only",
         [](const fs::path& p) {
             WriteBytes(p, {0x12, 0x06, 0x33, 0x01});
         },
         damaged},
        {"last byte missing",
         [&](const fs::path& p) { WriteBytes(p, Bytes(good.begin(), good.end() - 1)); }, damaged},
        {"name count past the end", [&](const fs::path& p) { WriteBytes(p, nameRunsPast); },
         damaged},
        {"colour text past the end", [&](const fs::path& p) { WriteBytes(p, colourRunsPast); },
         damaged},
        {"wrong magic 12 06 33 02", [&](const fs::path& p) { WriteBytes(p, wrongMagic); },
         notProfile},
    };
    for (const Case& c : cases) {
        const fs::path file = work_ / (std::string("case-") + std::to_string(&c - cases));
        c.make(file);
        const RunResult r = Run({"profile", "show", file.string()});
        ExpectRefused(r, c.name);
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.name << ": " << r.err;
        EXPECT_TRUE(!r.err.empty() && r.err.back() == '\n') << c.name;
        EXPECT_NE(r.err.find(file.string()), std::string::npos) << c.name << ": " << r.err;
        EXPECT_TRUE(ContainsAny(r.err, c.reasonWords)) << c.name << ": " << r.err;
    }
}

// A FIFO in place of a profile is refused instead of blocking vandirctl forever.
TEST_F(VandirctlTest, ShowRefusesAFifoWithoutBlocking) {
    ASSERT_EQ(::mkfifo(At("pipe").c_str(), 0600), 0);
    const RunResult r = Run({"profile", "show", At("pipe")}, "", std::chrono::seconds(10));
    EXPECT_FALSE(r.timedOut) << "profile show blocked on a FIFO";
    ExpectRefused(r, "FIFO");
}

// ---------------------------------------------------------------------------
// profile set
// ---------------------------------------------------------------------------

TEST_F(VandirctlTest, SetChangesTheNamedFieldsAndNothingElse) {
    struct Case {
        std::vector<std::string> assignments;
        std::function<void(Image&)> change;
    };
    const Case cases[] = {
        {{"reportRate=2"}, [](Image& p) { p.reportRate = 2; }},
        {{"reportRate=0x08"}, [](Image& p) { p.reportRate = 8; }},
        {{"reportRate=255"}, [](Image& p) { p.reportRate = 255; }},
        {{"dpi.1.x=1500"}, [](Image& p) { p.dpi[1][0] = 1500; }},
        {{"dpi.2.y=0xDAC"}, [](Image& p) { p.dpi[2][1] = 3500; }},
        {{"dpi.0.y=-250"}, [](Image& p) { p.dpi[0][1] = -250; }},
        {{"dpi.0.x=-32768"}, [](Image& p) { p.dpi[0][0] = -32768; }},
        {{"dpi.0.x=32767"}, [](Image& p) { p.dpi[0][0] = 32767; }},
        {{"buttons.3.kind=33"}, [](Image& p) { p.buttons[3].kind = 33; }},
        {{"buttons.6.param2=0xFFFF"}, [](Image& p) { p.buttons[6].param2 = -1; }},
        {{"buttons.0.code=0x8000"}, [](Image& p) { p.buttons[0].code = -32768; }},
        {{"buttons.0.param1=-1"}, [](Image& p) { p.buttons[0].param1 = -1; }},
        {{"buttons.6.buttonIndex=9"}, [](Image& p) { p.buttons[6].buttonIndex = 9; }},
        {{"profileName=Work"}, [](Image& p) { p.profileName = u"Work"; }},
        {{"profileName="}, [](Image& p) { p.profileName = u""; }},
        {{"profileName=a=b=c"}, [](Image& p) { p.profileName = u"a=b=c"; }},
        {{"profileName=M\xC3\xBCller \xE2\x9C\x93 \xF0\x9F\x96\xB1"},
         [](Image& p) { p.profileName = u"M\u00fcller \u2713 \U0001F5B1"; }},
        {{"ledColour=0xFF0000"}, [](Image& p) { p.ledColour = 0x00FF0000; }},
        {{"ledColour=0xFF000000"}, [](Image& p) { p.ledColour = 0xFF000000u; }},
        {{"ledColour=4294967295"}, [](Image& p) { p.ledColour = 0xFFFFFFFFu; }},
        {{"levelLeds.2.colour=0"}, [](Image& p) { p.levelLeds[2].colour = 0; }},
        {{"levelLeds.1.levelNumber=255"}, [](Image& p) { p.levelLeds[1].levelNumber = 255; }},
        {{"profileNumber=4294967295"}, [](Image& p) { p.profileNumber = 4294967295u; }},
        {{"imageLength=0xffff"}, [](Image& p) { p.imageLength = 65535; }},
        {{"dpiLevelFlags.2=0x7F"}, [](Image& p) { p.dpiLevelFlags[2] = 0x7F; }},
        {{"profileIndex=3", "osSettingsUnlocked=1", "language=2", "autoStart=1", "liftOff=2",
          "ledMode=6", "ledLevel=0", "pointerSpeed=11", "doubleClickSpeed=1", "dpiLevelCount=1"},
         [](Image& p) {
             p.profileIndex = 3;
             p.osSettingsUnlocked = 1;
             p.language = 2;
             p.autoStart = 1;
             p.liftOff = 2;
             p.ledMode = 6;
             p.ledLevel = 0;
             p.pointerSpeed = 11;
             p.doubleClickSpeed = 1;
             p.dpiLevelCount = 1;
         }},
        // Assignments apply in order: the last one to a field wins.
        {{"reportRate=2", "dpi.1.x=1500", "reportRate=4"},
         [](Image& p) {
             p.reportRate = 4;
             p.dpi[1][0] = 1500;
         }},
    };
    for (const Case& c : cases) {
        WriteBytes(At("p.profile"), Image().Encode());
        std::vector<std::string> args = {"profile", "set", At("p.profile")};
        args.insert(args.end(), c.assignments.begin(), c.assignments.end());
        ExpectSucceededSilently(Run(args), Joined(c.assignments));
        Image expected;
        c.change(expected);
        EXPECT_FILE_BYTES(At("p.profile"), expected.Encode()) << Joined(c.assignments);
    }
    EXPECT_EQ(Listing(), std::vector<std::string>{"p.profile"});
}

// profile fields lists the paths set takes (the completion offers them):
// each one sets, and show has each one.
TEST_F(VandirctlTest, FieldsListsEveryPathThatSetTakes) {
    const RunResult fields = Run({"profile", "fields"});
    ASSERT_EQ(fields.exitCode, 0) << fields;
    EXPECT_TRUE(fields.err.empty()) << fields.err;
    std::vector<std::string> paths;
    for (size_t start = 0, end; (end = fields.out.find('\n', start)) != std::string::npos;
         start = end + 1) {
        paths.push_back(fields.out.substr(start, end - start));
    }
    ASSERT_FALSE(paths.empty());
    for (const char* known : {"reportRate", "profileName", "dpi.1.x", "buttons.3.kind"}) {
        EXPECT_NE(std::find(paths.begin(), paths.end(), known), paths.end()) << known;
    }
    ASSERT_EQ(Run({"profile", "new", At("p.profile")}).exitCode, 0);
    std::vector<std::string> setEvery = {"profile", "set", At("p.profile")};
    for (const std::string& path : paths) {
        setEvery.push_back(path + "=1");
    }
    ExpectSucceededSilently(Run(setEvery), "set of every listed field");
    const Json shown = Json::parse(Run({"profile", "show", At("p.profile")}).out);
    for (const std::string& path : paths) {
        std::string pointer = "/" + path;
        std::replace(pointer.begin(), pointer.end(), '.', '/');
        ASSERT_TRUE(shown.contains(Json::json_pointer(pointer))) << path;
        const Json& value = shown.at(Json::json_pointer(pointer));
        EXPECT_TRUE(value == 1 || value == "1") << path << ": " << value;
    }
}

TEST_F(VandirctlTest, SetRefusesBadAssignmentsAndLeavesTheFileAlone) {
    struct Case {
        std::vector<std::string> assignments;
        std::string named;  // what the message must mention, if anything
    };
    const Case cases[] = {
        {{"nosuch=1"}, "nosuch"},
        {{"ReportRate=2"}, "ReportRate"},
        {{"dpi.3.x=1"}, "dpi.3.x"},
        {{"buttons.7.kind=1"}, "buttons.7.kind"},
        {{"dpi.1=5"}, "dpi.1"},
        {{"dpi=5"}, "dpi"},
        {{"dpiLevelFlags=0"}, "dpiLevelFlags"},
        {{"=5"}, ""},
        {{"reportRate=256"}, "256"},
        {{"reportRate=0x100"}, "0x100"},
        {{"reportRate=-1"}, "-1"},
        {{"profileNumber=-1"}, "-1"},
        {{"profileNumber=4294967296"}, "4294967296"},
        {{"ledColour=-1"}, "-1"},
        {{"imageLength=65536"}, "65536"},
        {{"dpi.0.x=40000"}, "40000"},
        {{"dpi.0.x=-32769"}, "-32769"},
        {{"dpi.0.x=65535"}, "65535"},
        {{"dpi.0.x=0x10000"}, "0x10000"},
        {{"reportRate="}, "reportRate"},
        {{"reportRate=abc"}, "abc"},
        {{"reportRate=1.5"}, "1.5"},
        {{"reportRate=0x"}, "0x"},
        {{"reportRate= 2"}, "reportRate"},
        {{"reportRate=99999999999999999999999"}, "99999999999999999999999"},
        {{"reportRate"}, "reportRate"},
        // Nothing is written unless every assignment is good.
        {{"reportRate=2", "nosuch=1"}, "nosuch"},
        {{"profileName=Work", "dpi.0.x=40000"}, "40000"},
    };
    const Bytes before = UnusualImage().Encode();
    for (const Case& c : cases) {
        WriteBytes(At("p.profile"), before);
        std::vector<std::string> args = {"profile", "set", At("p.profile")};
        args.insert(args.end(), c.assignments.begin(), c.assignments.end());
        const RunResult r = Run(args);
        ExpectRefused(r, Joined(c.assignments));
        if (!c.named.empty()) {
            EXPECT_NE(r.err.find(c.named), std::string::npos)
                << Joined(c.assignments) << ": " << r.err;
        }
        EXPECT_FILE_BYTES(At("p.profile"), before) << Joined(c.assignments);
        EXPECT_EQ(Listing(), std::vector<std::string>{"p.profile"}) << Joined(c.assignments);
    }
}

TEST_F(VandirctlTest, SetNeedsAProfileThatLoads) {
    Bytes wrongMagic = Image().Encode();
    wrongMagic[3] = 0x02;
    const Bytes full = Image().Encode();
    const Bytes shortFile(full.begin(), full.begin() + 100);
    WriteBytes(At("wrong.profile"), wrongMagic);
    WriteBytes(At("short.profile"), shortFile);

    ExpectRefused(Run({"profile", "set", At("missing.profile"), "reportRate=2"}), "missing");
    EXPECT_FALSE(fs::exists(At("missing.profile")));
    ExpectRefused(Run({"profile", "set", At("wrong.profile"), "reportRate=2"}), "wrong magic");
    EXPECT_FILE_BYTES(At("wrong.profile"), wrongMagic);
    ExpectRefused(Run({"profile", "set", At("short.profile"), "reportRate=2"}), "short");
    EXPECT_FILE_BYTES(At("short.profile"), shortFile);
}

// ---------------------------------------------------------------------------
// profile import
// ---------------------------------------------------------------------------

TEST_F(VandirctlTest, ShowThenImportGivesBackTheSameBytes) {
    Image emptyName;
    emptyName.profileName = u"";
    Image nulInName;
    nulInName.profileName = std::u16string(u"a\0b", 3);
    Image topBitColours;
    topBitColours.ledColour = 0xFF000000u;
    topBitColours.levelLeds[0].colour = 0x80000000u;
    struct Case {
        const char* name;
        Image image;
    };
    const Case cases[] = {
        {"new profile", Image()},
        {"unusual profile", UnusualImage()},
        {"empty name", emptyName},
        {"unit 0 in the name", nulInName},
        {"colours with the top bit", topBitColours},
    };
    for (const Case& c : cases) {
        const Bytes original = c.image.Encode();
        WriteBytes(At("original.profile"), original);
        const RunResult shown = Run({"profile", "show", At("original.profile")});
        ASSERT_EQ(shown.exitCode, 0) << c.name << "\n" << shown;

        // From standard input.
        const RunResult fromStdin = Run({"profile", "import", At("stdin.profile"), "-"}, shown.out);
        ExpectSucceededSilently(fromStdin, std::string(c.name) + " from stdin");
        EXPECT_FILE_BYTES(At("stdin.profile"), original) << c.name;

        // From a file, replacing an existing profile.
        WriteText(At("shown.json"), shown.out);
        WriteBytes(At("file.profile"), UnusualImage().Encode());
        const RunResult fromFile = Run({"profile", "import", At("file.profile"), At("shown.json")});
        ExpectSucceededSilently(fromFile, std::string(c.name) + " from a file");
        EXPECT_FILE_BYTES(At("file.profile"), original) << c.name;
    }
}

TEST_F(VandirctlTest, ImportWritesTheFieldsOfTheJson) {
    // Written without show: the JSON text alone decides the bytes. Key order
    // and spacing of the input do not matter.
    Json json = Json::parse(kUnusualJson);
    Json reordered = Json::object();
    for (auto it = json.rbegin(); it != json.rend(); ++it) {
        reordered[it.key()] = it.value();
    }
    const RunResult r = Run({"profile", "import", At("p.profile"), "-"}, reordered.dump());
    ExpectSucceededSilently(r, "import");
    EXPECT_FILE_BYTES(At("p.profile"), UnusualImage().Encode());
}

TEST_F(VandirctlTest, ImportRefusesJsonThatDoesNotDescribeAProfile) {
    using Edit = std::function<void(Json&)>;
    struct Case {
        const char* name;
        Edit edit;
    };
    const Case cases[] = {
        {"missing top-level field", [](Json& j) { j.erase("reportRate"); }},
        {"missing profileName", [](Json& j) { j.erase("profileName"); }},
        {"missing nested field", [](Json& j) { j["dpi"][0].erase("y"); }},
        {"missing last button field", [](Json& j) { j["buttons"][6].erase("param2"); }},
        {"unknown top-level field", [](Json& j) { j["buttonResponse"] = 12; }},
        {"unknown empty object", [](Json& j) { j["extra"] = Json::object(); }},
        {"unknown nested field", [](Json& j) { j["dpi"][0]["z"] = 1; }},
        {"unknown button field", [](Json& j) { j["buttons"][2]["defaultCode"] = 4; }},
        {"six buttons", [](Json& j) { j["buttons"].erase(6); }},
        {"eight buttons", [](Json& j) { j["buttons"].push_back(j["buttons"][6]); }},
        {"two dpi levels", [](Json& j) { j["dpi"].erase(2); }},
        {"four level flags", [](Json& j) { j["dpiLevelFlags"].push_back(0); }},
        {"uint8 256", [](Json& j) { j["reportRate"] = 256; }},
        {"uint8 -1", [](Json& j) { j["levelLeds"][1]["mode"] = -1; }},
        {"uint16 65536", [](Json& j) { j["imageLength"] = 65536; }},
        {"uint32 4294967296", [](Json& j) { j["profileNumber"] = 4294967296LL; }},
        {"uint32 -1", [](Json& j) { j["ledColour"] = -1; }},
        {"int16 32768", [](Json& j) { j["dpi"][1]["x"] = 32768; }},
        {"int16 -32769", [](Json& j) { j["buttons"][0]["code"] = -32769; }},
        {"int16 65535", [](Json& j) { j["buttons"][0]["param1"] = 65535; }},
        {"huge integer", [](Json& j) { j["profileNumber"] = 18446744073709551615ULL; }},
        {"float", [](Json& j) { j["reportRate"] = 2.5; }},
        {"integral float", [](Json& j) { j["reportRate"] = 2.0; }},
        {"string for a number", [](Json& j) { j["reportRate"] = "2"; }},
        {"boolean for a number", [](Json& j) { j["autoStart"] = true; }},
        {"null for a number", [](Json& j) { j["language"] = nullptr; }},
        {"number for the name", [](Json& j) { j["profileName"] = 5; }},
        {"array for the name", [](Json& j) { j["profileName"] = Json::array({"a"}); }},
        {"number for an array", [](Json& j) { j["dpiLevelFlags"] = 0; }},
        {"number for a level", [](Json& j) { j["dpi"][0] = 500; }},
        {"top-level array", [](Json& j) { j = Json::array({j}); }},
        {"top-level number", [](Json& j) { j = 1; }},
    };
    const std::string good = Json::parse(kUnusualJson).dump();
    ASSERT_EQ(Run({"profile", "import", At("good.profile"), "-"}, good).exitCode, 0)
        << "the unedited JSON must be accepted for the cases below to mean anything";

    std::vector<std::pair<std::string, std::string>> inputs;
    for (const Case& c : cases) {
        Json json = Json::parse(kUnusualJson);
        c.edit(json);
        inputs.emplace_back(c.name, json.dump());
    }
    for (const char* text :
         {"", "{", "{\"reportRate\": }", "not json", "[1, 2", "{\"profileName\": \"\xFF\"}"}) {
        inputs.emplace_back(std::string("invalid JSON '") + text + "'", text);
    }
    inputs.emplace_back("trailing text", good + " x");
    inputs.emplace_back("two objects", good + good);

    const Bytes existing = Image().Encode();
    for (const auto& [name, text] : inputs) {
        // Nothing created...
        fs::remove(At("new.profile"));  // left by an earlier case that failed
        ExpectRefused(Run({"profile", "import", At("new.profile"), "-"}, text), name);
        EXPECT_FALSE(fs::exists(At("new.profile"))) << name;
        // ...and nothing changed.
        WriteBytes(At("old.profile"), existing);
        WriteText(At("input.json"), text);
        ExpectRefused(Run({"profile", "import", At("old.profile"), At("input.json")}), name);
        EXPECT_FILE_BYTES(At("old.profile"), existing) << name;
    }
}

// A JSON pointer step "0" also matches an object member named "0": an object
// standing in for an array must still be refused.
TEST_F(VandirctlTest, ImportRefusesObjectsInPlaceOfArrays) {
    for (const char* array : {"dpiLevelFlags", "dpi", "levelLeds", "buttons"}) {
        Json json = Json::parse(kUnusualJson);
        Json asObject = Json::object();
        for (size_t i = 0; i < json[array].size(); ++i) {
            asObject[std::to_string(i)] = json[array][i];
        }
        json[array] = asObject;
        ExpectRefused(Run({"profile", "import", At("p.profile"), "-"}, json.dump()), array);
        EXPECT_FALSE(fs::exists(At("p.profile"))) << array;
        fs::remove(At("p.profile"));
    }
}

// Whatever the JSON library cannot read (however deep, however large a
// number) is bad input: exit 2, a short message naming the input, no file.
TEST_F(VandirctlTest, ImportRefusesJsonTheLibraryCannotRead) {
    const auto repeated = [](const std::string& piece, size_t times) {
        std::string text;
        for (size_t i = 0; i < times; ++i) {
            text += piece;
        }
        return text;
    };
    Json deepName = Json::parse(kUnusualJson);
    deepName["profileName"] = Json::parse(repeated("[", 40) + repeated("]", 40));
    std::string deepInField = deepName.dump();
    const size_t insideName = deepInField.find(repeated("[", 40));
    deepInField.replace(insideName, 40, repeated("[", 100000));
    deepInField.replace(deepInField.find(repeated("]", 40)), 40, repeated("]", 100000));
    const std::pair<std::string, std::string> cases[] = {
        {"6000 open arrays", repeated("[", 6000)},
        {"100000 open objects", repeated("{\"a\":", 100000)},
        {"deep closed arrays", repeated("[", 100000) + repeated("]", 100000)},
        {"deep arrays in a field", deepInField},
        {"17 levels", repeated("[", 17) + repeated("]", 17)},
        {"1e400", R"({"reportRate": 1e400})"},
        {"-1e400", R"({"reportRate": -1e400})"},
        {"a 400-digit integer", "{\"reportRate\": 1" + repeated("0", 400) + "}"},
        {"a megabyte number", "{\"reportRate\": 1" + repeated("0", 1 << 20) + "}"},
        {"a megabyte bad literal", "{\"reportRate\": " + repeated("t", 1 << 20) + "}"},
    };
    for (const auto& [name, text] : cases) {
        RunResult r = Run({"profile", "import", At("p.profile"), "-"}, text);
        ExpectRefused(r, name);
        EXPECT_EQ(r.err.rfind("vandirctl: standard input: ", 0), 0u) << name << ": " << r.err;
        EXPECT_LT(r.err.size(), 200u) << name << ": " << Shortened(r.err);

        WriteText(At("input.json"), text);
        r = Run({"profile", "import", At("p.profile"), At("input.json")});
        ExpectRefused(r, name);
        EXPECT_EQ(r.err.rfind("vandirctl: " + At("input.json") + ": ", 0), 0u)
            << name << ": " << r.err;
        EXPECT_FALSE(fs::exists(At("p.profile"))) << name;
    }
}

// A key given twice in one object is refused, naming the key, whichever of
// the two values would have fitted.
TEST_F(VandirctlTest, ImportRefusesRepeatedKeys) {
    const std::string good = Json::parse(kUnusualJson).dump();
    // Each case puts text right after the opening brace of the object at its
    // place, repeating a key that follows there.
    struct Case {
        const char* name;
        std::string object;  // where to insert: the text that opens the object
        std::string repeated;
        std::string key;
    };
    const Case cases[] = {
        {"a wrong type first", "{", R"("reportRate": "fast", )", "reportRate"},
        {"the same value twice", "{", R"("reportRate": 8, )", "reportRate"},
        {"the name twice", "{", R"("profileName": "Other", )", "profileName"},
        {"in a dpi level", R"("dpi":[{)", R"("x": "wide", )", "x"},
        {"a button's caption", R"("buttons":[{)", R"("function": "a", )", "function"},
    };
    for (const Case& c : cases) {
        std::string text = good;
        const size_t at = text.find(c.object);
        ASSERT_NE(at, std::string::npos) << c.name;
        text.insert(at + c.object.size(), c.repeated);
        ASSERT_NO_THROW(Json::parse(text)) << c.name << ": the library alone accepts it";
        const RunResult r = Run({"profile", "import", At("p.profile"), "-"}, text);
        ExpectRefused(r, c.name);
        EXPECT_NE(r.err.find("'" + c.key + "'"), std::string::npos) << c.name << ": " << r.err;
        EXPECT_FALSE(fs::exists(At("p.profile"))) << c.name;
    }
    // The same key in different objects is no repetition.
    ExpectSucceededSilently(Run({"profile", "import", At("p.profile"), "-"}, good), "good JSON");
}

// Standard input is read up to the same 16 MiB as files, and no profile is
// written that is larger than the tool reads back.
TEST_F(VandirctlTest, ImportKeepsToTheSizeEveryReaderAccepts) {
    constexpr size_t kLimit = 16 * 1024 * 1024;
    const std::string good = Json::parse(kUnusualJson).dump();
    // The profile's size beside its name: 4 bytes of magic, 4 of the name's length,
    // the name in UTF-16 and the fixed fields.
    const size_t fixedPart = UnusualImage().Encode().size() - 2 * UnusualImage().profileName.size();
    const auto withNameOf = [&](size_t length) {
        Json json = Json::parse(kUnusualJson);
        json["profileName"] = std::string(length, 'n');
        return json.dump();
    };
    const size_t longestName = (kLimit - fixedPart) / 2;

    struct Case {
        const char* name;
        std::string input;
    };
    const Case refused[] = {
        {"JSON padded past 16 MiB", good + std::string(kLimit, ' ')},
        {"a name one character too long", withNameOf(longestName + 1)},
    };
    for (const Case& c : refused) {
        const RunResult r = Run({"profile", "import", At("p.profile"), "-"}, c.input);
        ExpectRefused(r, c.name);
        EXPECT_NE(r.err.find("16 MiB"), std::string::npos) << c.name << ": " << r.err;
        EXPECT_FALSE(fs::exists(At("p.profile"))) << c.name;
    }

    // An endless stream is refused once it passes the limit.
    const RunResult endless =
        RunWithInputFrom(work_, scratch_, {"profile", "import", At("p.profile"), "-"}, "/dev/zero",
                         std::chrono::seconds(30));
    ExpectRefused(endless, "endless standard input");
    EXPECT_FALSE(fs::exists(At("p.profile")));

    // The longest name that fits is written, and read back.
    ExpectSucceededSilently(
        Run({"profile", "import", At("p.profile"), "-"}, withNameOf(longestName)),
        "the longest name");
    EXPECT_EQ(fs::file_size(At("p.profile")), kLimit - (kLimit - fixedPart) % 2);
    const RunResult shown = Run({"profile", "show", At("p.profile")});
    ASSERT_EQ(shown.exitCode, 0) << shown;
    EXPECT_EQ(Json::parse(shown.out)["profileName"].get<std::string>().size(), longestName);
}

TEST_F(VandirctlTest, ImportRefusesAMissingJsonFile) {
    const RunResult r = Run({"profile", "import", At("p.profile"), At("absent.json")});
    ExpectRefused(r, "missing JSON file");
    EXPECT_NE(r.err.find("absent.json"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(At("p.profile")));
}

// File names reach the system byte for byte, even when they are not UTF-8:
// each command works on the file named and never on one whose name is the
// text the bytes would decode to.
TEST_F(VandirctlTest, FileNamesThatAreNotUtf8NameExactlyThatFile) {
    struct Case {
        const char* name;
        std::string bytes;  // the name's distinctive part
        std::string decoy;  // what a conversion with U+FFFD would make of it
    };
    const Case cases[] = {
        {"a lone 0xFF", "\xFF", "\xEF\xBF\xBD"},
        {"Latin-1 e acute", "caf\xE9", "caf\xEF\xBF\xBD"},
        {"an overlong slash", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"an encoded surrogate", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"a cut sequence", "a\xE2\x82", "a\xEF\xBF\xBD"},
    };
    const Bytes decoyBytes = UnusualImage().Encode();
    for (const Case& c : cases) {
        const std::string profile = c.bytes + ".profile";
        const std::string json = c.bytes + ".json";
        const std::string state = c.bytes + ".state";
        for (const std::string& decoy : {c.decoy + ".profile", c.decoy + ".json"}) {
            WriteBytes(work_ / decoy, decoyBytes);
        }
        const std::vector<std::string> decoys = Listing();

        ExpectSucceededSilently(Run({"profile", "new", At(profile)}), c.name);
        ExpectSucceededSilently(Run({"profile", "set", At(profile), "reportRate=2"}), c.name);
        RunResult r = Run({"profile", "show", At(profile)});
        ASSERT_EQ(r.exitCode, 0) << c.name << "\n" << r;
        EXPECT_EQ(Json::parse(r.out)["reportRate"], 2) << c.name;

        WriteText(work_ / json, r.out);
        ExpectSucceededSilently(Run({"profile", "import", At(profile), At(json)}), c.name);
        ExpectSucceededSilently(Run({"device", "pull", At(profile), "--simulate", At(state)}),
                                c.name);

        std::vector<std::string> expected = decoys;
        expected.insert(expected.end(), {profile, json, state, state + ".lck"});
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(Listing(), expected) << c.name;
        for (const std::string& decoy : {c.decoy + ".profile", c.decoy + ".json"}) {
            EXPECT_FILE_BYTES(work_ / decoy, decoyBytes) << c.name;
        }

        // A missing file is reported under its own name, not the decoy's.
        r = Run({"profile", "show", At(c.bytes + ".missing")});
        ExpectRefused(r, c.name);
        EXPECT_NE(r.err.find(At(c.bytes + ".missing")), std::string::npos) << c.name;
        for (const std::string& name : Listing()) {
            fs::remove(work_ / name);
        }
    }
}

// ---------------------------------------------------------------------------
// key name / usage / code
// ---------------------------------------------------------------------------

TEST_F(VandirctlTest, KeyCommandsPrintTheirResult) {
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {{"name", "38"}, "\"UP ARROW \"\n"},
        {{"name", "0x26"}, "\"UP ARROW \"\n"},
        {{"name", "0xAF"}, "\"Volume Up \"\n"},
        {{"name", "65"}, "\"A\"\n"},
        {{"name", "0x70"}, "\"F1\"\n"},
        {{"name", "0xDC"}, "\"\\\\\"\n"},  // a backslash, escaped in JSON
        {{"name", "0xDE"}, "\"'\"\n"},
        {{"name", "0xFF"}, "\"Fn\"\n"},
        {{"name", "0"}, "\"\"\n"},
        {{"name", "7"}, "\"\"\n"},
        {{"name", "256"}, "\"\"\n"},
        {{"name", "0x126"}, "\"\"\n"},  // not folded onto 0x26
        {{"name", "4294967295"}, "\"\"\n"},
        {{"usage", "65"}, "4\n"},
        {{"usage", "0x41"}, "4\n"},
        {{"usage", "0x26"}, "82\n"},
        {{"usage", "0x5B"}, "227\n"},
        {{"usage", "7"}, "7\n"},
        {{"usage", "0x7C"}, "124\n"},  // F13 has no usage of its own
        {{"usage", "0x1234"}, "4660\n"},
        {{"code", "4"}, "65\n"},
        {{"code", "0x52"}, "38\n"},
        {{"code", "0xE3"}, "91\n"},
        {{"code", "0x48"}, "19\n"},
        {{"code", "0x64"}, "100\n"},
        {{"code", "65535"}, "65535\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"key"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const RunResult r = Run(args);
        EXPECT_EQ(r.exitCode, 0) << Joined(args) << "\n" << r;
        EXPECT_EQ(r.out, c.out) << Joined(args);
        EXPECT_TRUE(r.err.empty()) << Joined(args) << ": " << Shortened(r.err);
    }
}

TEST_F(VandirctlTest, KeyCommandsRefuseBadNumbers) {
    const std::vector<std::vector<std::string>> cases = {
        {"name", "-1"},
        {"name", "abc"},
        {"name", "0x1FFFFFFFF"},
        {"name", "4294967296"},
        {"name", "1.5"},
        {"name", ""},
        {"name", "0x"},
        {"name", "12abc"},
        {"usage", "65536"},
        {"usage", "-5"},
        {"usage", "0xG1"},
        {"code", "0x10000"},
        {"code", "99999999999999999999999"},
    };
    for (const std::vector<std::string>& c : cases) {
        std::vector<std::string> args = {"key"};
        args.insert(args.end(), c.begin(), c.end());
        const RunResult r = Run(args);
        ExpectRefused(r, Joined(args));
        if (!c[1].empty() && c[1] != "-1" && c[1] != "-5") {
            // A plain bad number is quoted in the message (a leading '-' may
            // instead be taken for an option, which is refused as bad usage).
            EXPECT_NE(r.err.find(c[1]), std::string::npos) << Joined(args) << ": " << r.err;
        }
    }
}

// ---------------------------------------------------------------------------
// Help and usage
// ---------------------------------------------------------------------------

TEST_F(VandirctlTest, HelpDescribesTheCommands) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {{"--help"}, {"profile", "key"}},
        {{"-h"}, {"profile", "key"}},
        {{"profile", "--help"}, {"new", "show", "set", "fields", "import"}},
        {{"key", "--help"}, {"name", "usage", "code"}},
        {{"profile", "new", "--help"}, {"FILE"}},
        {{"profile", "show", "--help"}, {"FILE", "JSON"}},
        {{"profile", "set", "--help"}, {"FILE", "PATH=VALUE", "0x"}},
        {{"profile", "import", "--help"}, {"FILE", "JSON"}},
        {{"key", "name", "--help"}, {"CODE"}},
        {{"key", "usage", "--help"}, {"CODE"}},
        {{"key", "code", "--help"}, {"USAGE"}},
        {{"device", "--help"}, {"plug", "unplug", "busy", "fail", "ok"}},
        {{"device", "plug", "--help"}, {"--simulate", "STATE"}},
        {{"device", "unplug", "--help"}, {"--simulate", "STATE"}},
        {{"device", "busy", "--help"}, {"N", "0 to 255", "--simulate", "STATE"}},
        {{"device", "fail", "--help"},
         {"CODE", "not-ready", "crc", "write-fault", "invalid-parameter", "function-failed",
          "other", "not retried", "--simulate", "STATE"}},
        {{"device", "ok", "--help"}, {"--simulate", "STATE"}},
    };
    for (const Case& c : cases) {
        const RunResult r = Run(c.args);
        EXPECT_EQ(r.exitCode, 0) << Joined(c.args) << "\n" << r;
        EXPECT_TRUE(r.err.empty()) << Joined(c.args) << ": " << Shortened(r.err);
        EXPECT_NE(r.out.find("Usage"), std::string::npos) << Joined(c.args) << "\n" << r.out;
        for (const std::string& word : c.words) {
            EXPECT_NE(r.out.find(word), std::string::npos)
                << Joined(c.args) << " does not mention " << word << "\n"
                << r.out;
        }
    }
    // Help wins over the missing arguments and writes nothing.
    EXPECT_EQ(Run({"profile", "new", At("p.profile"), "--help"}).exitCode, 0);
    EXPECT_FALSE(fs::exists(At("p.profile")));
}

TEST_F(VandirctlTest, BadUsagePrintsTheUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"--bogus"},
        {"profile"},
        {"profile", "delete", "p.profile"},
        {"profile", "new"},
        {"profile", "new", "a.profile", "b.profile"},
        {"profile", "show"},
        {"profile", "set", "p.profile"},
        {"profile", "import", "p.profile"},
        {"key"},
        {"key", "name"},
        {"key", "usage", "1", "2"},
        {"key", "code"},
        {"function"},
        {"function", "show", "33", "0", "8"},
        {"function", "store", "2311", "1", "5", "-1"},
        {"function", "name", "2000"},
        {"image"},
        {"device"},
        {"device", "pull"},
        {"device", "info", "--simulate"},
        {"device", "plug", "--simulate"},
        {"device", "unplug", "--simulate", "a.state", "b.state"},
        {"device", "busy", "--simulate", "a.state"},
        {"device", "busy", "1", "2", "--simulate", "a.state"},
        {"device", "fail", "--simulate", "a.state"},
        {"device", "ok", "crc", "--simulate", "a.state"},
    };
    for (const std::vector<std::string>& args : cases) {
        const RunResult r = Run(args);
        ExpectRefused(r, "'" + Joined(args) + "'");
        EXPECT_NE(r.err.find("Usage"), std::string::npos) << Joined(args) << "\n" << r.err;
    }
    EXPECT_TRUE(Listing().empty()) << "bad usage must not create files";
}

// ---------------------------------------------------------------------------
// function show | store | name
// ---------------------------------------------------------------------------

TEST_F(VandirctlTest, FunctionShowPrintsTheSelectorOfAStoredAssignment) {
    struct Case {
        std::vector<std::string> assignment;
        const char* expected;
    };
    const Case cases[] = {
        {{"33", "0", "8", "12"},
         R"({"functionId":2314,"text":"Rapid Fire IE Back [12]","first":8,"second":12,)"
         R"("secondKey":-1,"modifiers":-1})"},
        {{"2", "3", "0x0504", "0"},
         R"({"functionId":2000,"text":"Ctrl+Shift+A+B","first":65,"second":1,"secondKey":66,)"
         R"("modifiers":3})"},
        {{"0", "3", "0", "0"},
         R"({"functionId":1101,"text":"Left Click","first":-1,"second":1,"secondKey":-1,)"
         R"("modifiers":-1})"},
        {{"33", "2", "0x52", "-1"},
         R"({"functionId":2400,"text":"Rapid Fire UP ARROW  [-1]","first":38,"second":-1,)"
         R"("secondKey":-1,"modifiers":-1})"},
        {{"0xFF", "0xFFFF", "-32768", "32767"},
         R"({"functionId":0,"text":"Disable","first":-1,"second":1,"secondKey":-1,)"
         R"("modifiers":-1})"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"function", "show"};
        args.insert(args.end(), c.assignment.begin(), c.assignment.end());
        const RunResult r = Run(args);
        EXPECT_EQ(r.exitCode, 0) << Joined(args) << "\n" << r;
        EXPECT_EQ(r.out, std::string(c.expected) + "\n") << Joined(args);
    }
}

TEST_F(VandirctlTest, FunctionStoreWritesOverThePreviousAssignment) {
    struct Case {
        std::vector<std::string> args;
        const char* expected;
    };
    const Case cases[] = {
        {{"2311", "1", "5", "-1", "-1"},
         R"({"buttonIndex":0,"kind":33,"code":0,"param1":1,"param2":5})"},
        {{"2201", "0", "0", "0", "0", "--from", "2,3,0x0504,7", "--button", "4"},
         R"({"buttonIndex":4,"kind":32,"code":3,"param1":205,"param2":7})"},
        {{"0", "0", "0", "0", "0", "--from", "2,3,-2,7", "--button", "6"},
         R"({"buttonIndex":6,"kind":255,"code":255,"param1":-2,"param2":7})"},
        {{"2000", "0x41", "1", "0xA2", "9"},
         R"({"buttonIndex":0,"kind":2,"code":9,"param1":-8188,"param2":0})"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"function", "store"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const RunResult r = Run(args);
        EXPECT_EQ(r.exitCode, 0) << Joined(args) << "\n" << r;
        EXPECT_EQ(r.out, std::string(c.expected) + "\n") << Joined(args);
    }
}

TEST_F(VandirctlTest, FunctionNamePrintsTheTranslatedName) {
    struct Case {
        std::vector<std::string> args;
        const char* expected;
    };
    const Case cases[] = {
        {{"1101", "3"}, R"("Linksklick")"},
        {{"2150", "9"}, R"("键盘")"},
        {{"2700", "3"}, R"("LOD Anpassen (länger als 3Sek. drüken) ")"},
        {{"1101", "1"}, R"("")"},
        {{"1101", "13"}, R"("")"},
        {{"2200", "2"}, R"("")"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"function", "name"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const RunResult r = Run(args);
        EXPECT_EQ(r.exitCode, 0) << Joined(args) << "\n" << r;
        EXPECT_EQ(r.out, std::string(c.expected) + "\n") << Joined(args);
    }
}

TEST_F(VandirctlTest, FunctionCommandsRefuseValuesThatDoNotFit) {
    const std::vector<std::vector<std::string>> cases = {
        {"function", "show", "256", "0", "0", "0"},
        {"function", "show", "33", "0x10000", "0", "0"},
        {"function", "show", "33", "0", "-32769", "0"},
        {"function", "show", "33", "zero", "0", "0"},
        {"function", "store", "2311", "1", "5", "-1", "-1", "--button", "7"},
        {"function", "store", "2311", "1", "5", "-1", "-1", "--from", "1,2,3"},
        {"function", "store", "2311", "1", "5", "-1", "-1", "--from", "1,2,3,70000"},
        {"function", "store", "0x100000000", "1", "5", "-1", "-1"},
        {"function", "name", "1101", "x"},
    };
    for (const std::vector<std::string>& args : cases) {
        const RunResult r = Run(args);
        ExpectRefused(r, Joined(args));
    }
}

TEST_F(VandirctlTest, ImportAcceptsAndIgnoresFunctionCaptions) {
    WriteBytes(At("p.profile"), UnusualImage().Encode());
    const RunResult shown = Run({"profile", "show", At("p.profile")});
    ASSERT_EQ(shown.exitCode, 0) << shown;
    Json json = Json::parse(shown.out);
    json["buttons"][1]["function"] = "anything at all";
    WriteText(At("p.json"), json.dump());
    ExpectSucceededSilently(Run({"profile", "import", At("q.profile"), At("p.json")}),
                            "import with a changed caption");
    EXPECT_FILE_BYTES(At("q.profile"), UnusualImage().Encode());

    json["buttons"][1]["function"] = 5;
    WriteText(At("p.json"), json.dump());
    ExpectRefused(Run({"profile", "import", At("r.profile"), At("p.json")}),
                  "a caption that is not text");
    EXPECT_FALSE(fs::exists(At("r.profile")));
}

// ---------------------------------------------------------------------------
// image and device
// ---------------------------------------------------------------------------

const char* const kFactoryImageText =
    "00 80 00 00 00 01 00 00 00 FF 00 01 00 00 00 FF\n"
    "00 00 01 01 00 FF 00 01 02 00 00 FF 01 03 01 03\n"
    "00 00 00 00 F4 01 F4 01 00 E2 04 E2 04 00 AC 0D\n"
    "AC 0D 00 03 00 00 00 00 01 00 00 00 00 0C 00 02\n"
    "00 00 00 00 0C 00 04 00 00 00 00 0C 00 10 00 00\n"
    "00 00 0C 00 08 00 00 00 00 0C 09 F0 00 00 00 00\n"
    "0C 09 F2 00 00 00 00 0C 00 00 00 00 00 00 00 00\n"
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
    "checksum 0x0C1D\n";

TEST_F(VandirctlTest, ImagePrintsWhatApplySendsForTheProfile) {
    WriteBytes(At("p.profile"), Image().Encode());
    RunResult r = Run({"image", At("p.profile")});
    EXPECT_EQ(r.exitCode, 0) << r;
    EXPECT_EQ(r.out, kFactoryImageText);

    // profileIndex travels as stored; the rest follows the record.
    ASSERT_EQ(Run({"profile", "set", At("p.profile"), "profileIndex=2", "dpi.0.x=0x7D0"}).exitCode,
              0);
    r = Run({"image", At("p.profile")});
    EXPECT_EQ(r.exitCode, 0) << r;
    EXPECT_EQ(r.out.substr(0, 3), "02 ");
    EXPECT_NE(r.out.find("00 00 00 00 D0 07 F4 01"), std::string::npos) << r.out;

    ExpectRefused(Run({"image", At("missing.profile")}), "image of a missing profile");
}

TEST_F(VandirctlTest, SimulatedMouseAnswersEveryDeviceCommand) {
    const std::string state = At("mouse.state");
    RunResult r = Run({"device", "find", "--simulate", state});
    EXPECT_EQ(r.exitCode, 0) << r;
    EXPECT_EQ(r.out,
              "\\\\?\\hid#vid_1f2e&pid_002b&mi_01#simulated&0#"
              "{4d1e55b2-f16f-11cf-88cb-001111000030}\n");
    EXPECT_TRUE(fs::exists(state)) << "the simulated mouse keeps its state";

    r = Run({"device", "info", "--simulate", state});
    EXPECT_EQ(r.exitCode, 0) << r;
    EXPECT_EQ(r.out, "1.05\n");

    r = Run({"device", "read", "--simulate", state});
    EXPECT_EQ(r.exitCode, 0) << r;
    EXPECT_EQ(r.out, kFactoryImageText);

    // Write a changed profile; the mouse keeps it between runs.
    ASSERT_EQ(Run({"profile", "new", At("p.profile")}).exitCode, 0);
    ASSERT_EQ(Run({"profile", "set", At("p.profile"), "dpi.2.x=250", "liftOff=1"}).exitCode, 0);
    ExpectSucceededSilently(Run({"device", "write", At("p.profile"), "--simulate", state}),
                            "device write");
    r = Run({"device", "read", "--simulate", state});
    EXPECT_EQ(r.exitCode, 0) << r;
    EXPECT_EQ(r.out, Run({"image", At("p.profile")}).out);

    // Pull into a new profile: the start-up record with the mouse's configuration.
    ExpectSucceededSilently(Run({"device", "pull", At("new.profile"), "--simulate", state}),
                            "device pull");
    const Json pulled = Json::parse(Run({"profile", "show", At("new.profile")}).out);
    EXPECT_EQ(pulled["dpi"][2]["x"], 250);
    EXPECT_EQ(pulled["liftOff"], 1);
    EXPECT_EQ(pulled["profileName"], "Profile");
}

TEST_F(VandirctlTest, PullKeepsWhatTheMouseDoesNotHold) {
    const std::string state = At("mouse.state");
    ASSERT_EQ(Run({"profile", "new", At("p.profile")}).exitCode, 0);
    ASSERT_EQ(
        Run({"profile", "set", At("p.profile"), "language=5", "profileName=Mine", "dpi.0.x=3000"})
            .exitCode,
        0);
    ExpectSucceededSilently(Run({"device", "pull", At("p.profile"), "--simulate", state}),
                            "device pull");
    const Json pulled = Json::parse(Run({"profile", "show", At("p.profile")}).out);
    EXPECT_EQ(pulled["language"], 5);
    EXPECT_EQ(pulled["profileName"], "Mine");
    EXPECT_EQ(pulled["dpi"][0]["x"], 500) << "taken from the mouse";
}

TEST_F(VandirctlTest, DeviceCommandsRefuseBadInputAndChangeNothing) {
    const std::string state = At("mouse.state");
    ASSERT_EQ(Run({"device", "find", "--simulate", state}).exitCode, 0);
    const std::optional<Bytes> before = ReadBytes(state);

    WriteBytes(At("bad.profile"), Bytes{0x12, 0x06, 0x33, 0x02});
    ExpectRefused(Run({"device", "write", At("bad.profile"), "--simulate", state}),
                  "write of a profile with the wrong magic");
    ExpectRefused(Run({"device", "write", At("missing.profile"), "--simulate", state}),
                  "write of a missing profile");
    ExpectRefused(Run({"device", "pull", At("bad.profile"), "--simulate", state}),
                  "pull into a damaged profile");
    EXPECT_FILE_BYTES(At("bad.profile"), (Bytes{0x12, 0x06, 0x33, 0x02}));
    EXPECT_EQ(ReadBytes(state), before);

    WriteBytes(At("garbage.state"), Bytes(140, 0x42));
    ExpectRefused(Run({"device", "info", "--simulate", At("garbage.state")}),
                  "a damaged simulation state");
    ExpectRefused(Run({"device", "info", "--simulate", state, "--device", "/dev/hidraw0"}),
                  "--simulate with --device");
}

// What is at a path, to tell whether a command changed it: the kind, mode and
// size of the entry itself (not of a link's target), a link's target and a
// regular file's bytes.
std::string Snapshot(const fs::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return "absent";
    }
    std::string text = "mode " + std::to_string(info.st_mode) + " size " +
                       std::to_string(info.st_size) + " uid " + std::to_string(info.st_uid);
    if (S_ISLNK(info.st_mode)) {
        text += " -> " + fs::read_symlink(path).string();
    } else if (S_ISREG(info.st_mode)) {
        const std::string bytes = ReadText(path);
        text += " bytes " + std::to_string(std::hash<std::string>{}(bytes));
    }
    return text;
}

// A FILE that commands reading a profile and writing it back must refuse,
// naming it, and leave exactly as it was.
struct UnloadableProfile {
    const char* name;
    std::function<void(const fs::path&)> make;
    const char* file = "p.profile";
};

void VandirctlTest::ExpectRewritersLeaveAlone(const std::vector<UnloadableProfile>& cases) {
    const std::string state = At("mouse.state");
    ASSERT_EQ(Run({"device", "find", "--simulate", state}).exitCode, 0);
    const std::vector<std::vector<std::string>> commands = {
        {"device", "pull", "FILE", "--simulate", state},
        {"profile", "set", "FILE", "reportRate=2"},
    };
    for (const UnloadableProfile& c : cases) {
        for (const auto& command : commands) {
            const std::string name = std::string(c.name) + ": " + command[0] + " " + command[1];
            const fs::path file = work_ / c.file;
            c.make(file);
            const std::string before = Snapshot(file);
            const std::vector<std::string> listing = Listing();
            std::vector<std::string> args = command;
            args[2] = file.string();
            const RunResult r = Run(args, "", std::chrono::seconds(20));
            ExpectRefused(r, name);
            EXPECT_NE(r.err.find(file.string()), std::string::npos) << name << ": " << r.err;
            EXPECT_EQ(Snapshot(file), before) << name;
            EXPECT_EQ(Listing(), listing) << name << ": nothing else written";
            std::error_code ignored;
            fs::remove_all(work_ / fs::path(c.file).begin()->string(), ignored);
        }
    }
}

// Every command that reads a profile and writes it back starts afresh only
// when nothing exists at FILE; a FILE it cannot read or load is refused and
// left exactly as it was.
TEST_F(VandirctlTest, CommandsThatRewriteAProfileLeaveOneTheyCannotReadAlone) {
    ExpectRewritersLeaveAlone({
        {"a FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
        {"a folder", [](const fs::path& p) { fs::create_directory(p); }},
        {"a file over 16 MiB",
         [](const fs::path& p) {
             WriteBytes(p, Image().Encode());
             fs::resize_file(p, 16 * 1024 * 1024 + 1);
         }},
        {"a damaged profile",
         [](const fs::path& p) {
             const Bytes good = Image().Encode();
             WriteBytes(p, Bytes(good.begin(), good.end() - 1));
         }},
        {"not a profile", [](const fs::path& p) { WriteText(p, "my notes\n"); }},
        {"a link to itself", [](const fs::path& p) { fs::create_symlink(p.filename(), p); }},
        // Below a regular file nothing can exist, yet nothing is missing either.
        {"a path through a file",
         [](const fs::path& p) { WriteText(p.parent_path(), "my notes\n"); }, "plain/p.profile"},
    });
}

TEST_F(VandirctlUnprivilegedTest, CommandsThatRewriteAProfileLeaveAnUnreadableOneAlone) {
    ExpectRewritersLeaveAlone({{"an unreadable profile", [](const fs::path& p) {
                                    WriteBytes(p, Image().Encode());
                                    fs::permissions(p, fs::perms::owner_write);
                                }}});
}

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

// A profile that each of ProfileWriters changes.
Bytes ProfileBeforeASave() {
    Image image;
    image.reportRate = 7;
    return image.Encode();
}

// The commands that write a profile, each given FILE at [2].
std::vector<std::vector<std::string>> ProfileWriters(const std::string& file) {
    return {{"profile", "new", file},
            {"profile", "set", file, "reportRate=2"},
            {"profile", "import", file, "-"}};
}

// A save replaces the file with the same mode and owner, or a new file with
// what the umask allows.
TEST_F(VandirctlTest, SavingKeepsTheModeAndOwnerOfTheFileItReplaces) {
    const std::string json = Json::parse(kUnusualJson).dump();
    const std::string file = At("p.profile");
    // As root the file is given to another owner, which the save must keep;
    // otherwise the check is that the user's own file stays the user's.
    const bool root = ::geteuid() == 0;
    const uid_t owner = root ? 65534 : ::geteuid();
    const gid_t group = root ? 65534 : ::getegid();
    for (const mode_t mode : {0600, 0640, 0604, 0400, 0660}) {
        for (const auto& command : ProfileWriters(file)) {
            const std::string name = command[1] + " over mode " + std::to_string(mode);
            WriteBytes(file, ProfileBeforeASave());
            ASSERT_EQ(::chown(file.c_str(), owner, group), 0);
            ASSERT_EQ(::chmod(file.c_str(), mode), 0);
            ExpectSucceededSilently(Run(command, json), name);
            struct stat info {};
            ASSERT_EQ(::stat(file.c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, mode) << name;
            EXPECT_EQ(info.st_uid, owner) << name;
            EXPECT_EQ(info.st_gid, group) << name;
            EXPECT_NE(ReadBytes(file), ProfileBeforeASave()) << name << ": written";
        }
    }
    for (const mode_t mask : {022, 077, 0, 027}) {
        for (const auto& command : ProfileWriters(file)) {
            if (command[1] == "set") {
                continue;  // needs an existing profile
            }
            fs::remove(file);
            const mode_t previous = ::umask(mask);
            const RunResult r = Run(command, json);
            ::umask(previous);
            const std::string name = command[1] + " with umask " + std::to_string(mask);
            ExpectSucceededSilently(r, name);
            EXPECT_EQ(ModeOf(file) & 07777, 0666 & ~mask) << name;
        }
    }
}

// A save follows symbolic links and replaces what they lead to, and refuses
// to replace anything that is not a regular file (exit 1, nothing changed).
TEST_F(VandirctlTest, SavingFollowsLinksAndReplacesOnlyRegularFiles) {
    const std::string json = Json::parse(kUnusualJson).dump();
    fs::create_directory(At("real"));
    struct Link {
        const char* name;
        std::string link;    // what p.profile points to
        std::string target;  // the file that must receive the profile
        bool exists;
    };
    const Link links[] = {
        {"a relative link", "real/target.profile", At("real/target.profile"), true},
        {"an absolute link", At("real/target.profile"), At("real/target.profile"), true},
        {"a link to a link", "hop", At("real/target.profile"), true},
        {"a dangling link", "real/new.profile", At("real/new.profile"), false},
    };
    fs::create_symlink("real/target.profile", At("hop"));
    for (const Link& l : links) {
        for (const auto& command : ProfileWriters(At("p.profile"))) {
            const std::string name = std::string(l.name) + ": " + command[1];
            if (command[1] == "set" && !l.exists) {
                continue;  // needs an existing profile
            }
            fs::remove(l.target);
            if (l.exists) {
                WriteBytes(l.target, ProfileBeforeASave());
                fs::permissions(l.target, fs::perms(0600));
            }
            fs::create_symlink(l.link, At("p.profile"));
            ExpectSucceededSilently(Run(command, json), name);
            EXPECT_TRUE(fs::is_symlink(At("p.profile"))) << name;
            EXPECT_EQ(fs::read_symlink(At("p.profile")), l.link) << name;
            EXPECT_EQ(ReadBytes(At("p.profile")), ReadBytes(l.target)) << name;
            EXPECT_NE(ReadBytes(l.target), ProfileBeforeASave()) << name << ": written";
            if (l.exists) {
                EXPECT_EQ(ModeOf(l.target) & 07777, 0600u) << name;
            }
            fs::remove(At("p.profile"));
            EXPECT_EQ(Listing(), (std::vector<std::string>{"hop", "real"})) << name;
        }
    }

    struct NotAFile {
        const char* name;
        std::function<void(const fs::path&)> make;
    };
    const NotAFile others[] = {
        {"a FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
        {"a folder", [](const fs::path& p) { fs::create_directory(p); }},
        {"a link to a device", [](const fs::path& p) { fs::create_symlink("/dev/null", p); }},
        {"a link to a FIFO",
         [this](const fs::path& p) {
             ASSERT_EQ(::mkfifo(At("real/fifo").c_str(), 0600), 0);
             fs::create_symlink("real/fifo", p);
         }},
        {"a link loop", [](const fs::path& p) { fs::create_symlink(p.filename(), p); }},
    };
    for (const NotAFile& other : others) {
        for (const auto& command : ProfileWriters(At("p.profile"))) {
            if (command[1] == "set") {
                continue;  // reads first: covered where reading is refused
            }
            const std::string name = std::string(other.name) + ": " + command[1];
            other.make(At("p.profile"));
            const std::string before = Snapshot(At("p.profile"));
            const std::vector<std::string> listing = Listing();
            const std::vector<std::string> realListing = Listing(At("real"));
            const RunResult r = Run(command, json, std::chrono::seconds(20));
            EXPECT_EQ(r.exitCode, 1) << name << "\n" << r;
            EXPECT_NE(r.err.find(At("p.profile")), std::string::npos) << name << ": " << r.err;
            EXPECT_EQ(Snapshot(At("p.profile")), before) << name;
            EXPECT_EQ(Listing(), listing) << name;
            EXPECT_EQ(Listing(At("real")), realListing) << name;
            std::error_code ignored;
            fs::remove_all(At("p.profile"), ignored);
            fs::remove(At("real/fifo"), ignored);
        }
    }
}

// Temporary files have a name of their own, with the saving process's id;
// those a killed save of the same profile left are removed by the next
// successful save, and nothing else: not a running save's, not a person's own
// files, not another profile's.
TEST_F(VandirctlTest, SavingRemovesWhatKilledSavesOfTheSameProfileLeft) {
    using vandir::SaveTemporaryName;
    const auto dead = static_cast<uint32_t>(vandir::fixtures::DeadProcessId());
    const auto running = static_cast<uint32_t>(::getpid());
    const std::vector<std::string> stale = {SaveTemporaryName("p.profile", dead, 1),
                                            SaveTemporaryName("p.profile", dead, 2)};
    const std::string folder = SaveTemporaryName("p.profile", dead, 4);
    const std::vector<std::string> kept = {SaveTemporaryName("other.profile", dead, 1),
                                           SaveTemporaryName("p.profile", running, 3),
                                           "p.profile.tmp", "p.profile.2024-05-01.tmp", folder};
    ASSERT_EQ(Run({"profile", "new", At("p.profile")}).exitCode, 0);
    for (const std::string& name : stale) {
        WriteText(At(name), "half a profile");
    }
    for (const std::string& name : kept) {
        if (name == folder) {
            fs::create_directory(At(name));
        } else {
            WriteText(At(name), "someone else's");
        }
    }
    // A command that saves nothing removes nothing.
    ExpectRefused(Run({"profile", "set", At("p.profile"), "reportRate=999"}), "bad value");
    EXPECT_EQ(Listing().size(), 1 + stale.size() + kept.size());

    ExpectSucceededSilently(Run({"profile", "set", At("p.profile"), "reportRate=2"}), "set");
    std::vector<std::string> expected = kept;
    expected.push_back("p.profile");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Listing(), expected);
}

// Output that cannot be written (a full disk, a closed standard output) is a
// failure with its reason; with standard output closed, no file the command
// opens receives what it prints.
TEST_F(VandirctlTest, OutputThatCannotBeWrittenIsAFailureWithItsReason) {
    const std::string state = At("mouse.state");
    ASSERT_EQ(Run({"device", "find", "--simulate", state}).exitCode, 0);
    ASSERT_EQ(Run({"profile", "new", At("p.profile")}).exitCode, 0);
    const std::vector<std::vector<std::string>> printers = {
        {"key", "name", "0x26"},
        {"function", "show", "33", "0", "8", "12"},
        {"profile", "show", At("p.profile")},
        {"image", At("p.profile")},
        {"device", "read", "--simulate", state},
        {"device", "find", "--simulate", state},
    };
    const std::pair<Output, std::string> outputs[] = {
        {Output::DevFull, "no space left on device"},
        {Output::Closed, "bad file descriptor"},
    };
    for (const auto& [output, reason] : outputs) {
        for (const auto& command : printers) {
            const std::string name = Joined(command) + " (" + reason + ")";
            const std::string before = Snapshot(state) + Snapshot(At("p.profile"));
            const RunResult r = RunWithInputFrom(work_, scratch_, command, "/dev/null",
                                                 std::chrono::seconds(20), output);
            EXPECT_EQ(r.exitCode, 1) << name << "\n" << r;
            EXPECT_TRUE(ContainsAny(r.err, {"standard output"})) << name << ": " << r.err;
            EXPECT_TRUE(ContainsAny(r.err, {reason})) << name << ": " << r.err;
            EXPECT_EQ(Snapshot(state) + Snapshot(At("p.profile")), before) << name;
        }
    }
}

// A bad value is quoted in the message, but only its start.
TEST_F(VandirctlTest, MessagesQuoteOnlyTheStartOfAHugeBadValue) {
    ASSERT_EQ(Run({"profile", "new", At("p.profile")}).exitCode, 0);
    const std::string huge(100000, 'x');
    Json unknownKey = Json::parse(kUnusualJson);
    unknownKey[huge] = 1;
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"key", "name", huge}, ""},
        {{"key", "code", huge}, ""},
        {{"function", "show", huge, "0", "0", "0"}, ""},
        {{"function", "store", "1", "0", "0", "0", "0", "--from", huge}, ""},
        {{"function", "store", "1", "0", "0", "0", "0", "--button", huge}, ""},
        {{"profile", "set", At("p.profile"), huge}, ""},
        {{"profile", "set", At("p.profile"), huge + "=1"}, ""},
        {{"profile", "set", At("p.profile"), "reportRate=" + huge}, ""},
        {{"profile", "import", At("q.profile"), "-"}, unknownKey.dump()},
        {{"profile", "import", At("q.profile"), "-"}, "[\"" + huge + "\x01\"]"},
    };
    for (const auto& [command, input] : cases) {
        const RunResult r = Run(command, input);
        const std::string name = Shortened(Joined(command)).substr(0, 60);
        ExpectRefused(r, name);
        EXPECT_LT(r.err.size(), 300u) << name << ": " << Shortened(r.err);
        EXPECT_NE(r.err.find("xxxxxxxxxx..."), std::string::npos)
            << name << ": " << Shortened(r.err);
    }
}

// A save that fails says why, in the system's words, naming the file.
TEST_F(VandirctlTest, AFailedSaveSaysWhy) {
    WriteText(At("plain"), "my notes\n");
    const RunResult throughAFile = Run({"profile", "new", At("plain/p.profile")});
    EXPECT_EQ(throughAFile.exitCode, 1) << throughAFile;
    EXPECT_NE(throughAFile.err.find(At("plain/p.profile")), std::string::npos) << throughAFile.err;
    EXPECT_TRUE(ContainsAny(throughAFile.err, {"not a directory"})) << throughAFile.err;

    // A file size limit stands in for a full disk: the write stops part-way.
    ASSERT_EQ(Run({"profile", "new", At("p.profile")}).exitCode, 0);
    const std::optional<Bytes> old = ReadBytes(At("p.profile"));
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{150, previous.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const RunResult tooLarge = Run({"profile", "set", At("p.profile"), "reportRate=2"});
    ::setrlimit(RLIMIT_FSIZE, &previous);
    ::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(tooLarge.exitCode, 1) << tooLarge;
    EXPECT_NE(tooLarge.err.find(At("p.profile")), std::string::npos) << tooLarge.err;
    EXPECT_TRUE(ContainsAny(tooLarge.err, {"file too large"})) << tooLarge.err;
    EXPECT_EQ(ReadBytes(At("p.profile")), old);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"p.profile", "plain"}));
}

TEST_F(VandirctlUnprivilegedTest, AFailedSaveInAReadOnlyFolderSaysWhy) {
    fs::create_directory(At("locked"));
    ASSERT_EQ(Run({"profile", "new", At("locked/p.profile")}).exitCode, 0);
    fs::permissions(At("locked"), fs::perms(0555));
    const RunResult readOnly = Run({"profile", "set", At("locked/p.profile"), "reportRate=2"});
    fs::permissions(At("locked"), fs::perms(0755));
    EXPECT_EQ(readOnly.exitCode, 1) << readOnly;
    EXPECT_TRUE(ContainsAny(readOnly.err, {"permission denied"})) << readOnly.err;
}

// The state file's layout: the memory at bytes 8-135, the plugged state at
// 136, the busy polls of each request at 137, the failing transfers' error at
// 138, then the CRC.
constexpr size_t kStatePluggedOffset = 136;
constexpr size_t kStateFileSize = 143;

TEST_F(VandirctlTest, PlugAndUnplugChangeOnlyThePluggedState) {
    const std::string state = At("mouse.state");
    ASSERT_EQ(Run({"profile", "new", At("p.profile")}).exitCode, 0);
    ASSERT_EQ(Run({"profile", "set", At("p.profile"), "dpi.2.x=250"}).exitCode, 0);
    ASSERT_EQ(Run({"device", "write", At("p.profile"), "--simulate", state}).exitCode, 0);
    const std::optional<Bytes> pluggedIn = ReadBytes(state);
    ASSERT_TRUE(pluggedIn);
    ASSERT_EQ(pluggedIn->size(), kStateFileSize);
    EXPECT_EQ(pluggedIn->at(kStatePluggedOffset), 1);

    ExpectSucceededSilently(Run({"device", "unplug", "--simulate", state}), "device unplug");
    const std::optional<Bytes> unplugged = ReadBytes(state);
    ASSERT_TRUE(unplugged);
    ASSERT_EQ(unplugged->size(), kStateFileSize);
    EXPECT_EQ(Bytes(unplugged->begin(), unplugged->begin() + kStatePluggedOffset),
              Bytes(pluggedIn->begin(), pluggedIn->begin() + kStatePluggedOffset))
        << "the memory is kept";
    EXPECT_EQ(unplugged->at(kStatePluggedOffset), 0);

    // An unplugged mouse is not there for the other device commands.
    for (const char* command : {"find", "info", "read"}) {
        const RunResult r = Run({"device", command, "--simulate", state});
        EXPECT_EQ(r.exitCode, 1) << command << "\n" << r;
        EXPECT_NE(r.err.find("no Vandir II mouse found"), std::string::npos) << r.err;
    }
    ExpectSucceededSilently(Run({"device", "unplug", "--simulate", state}), "unplug again");
    EXPECT_EQ(ReadBytes(state), unplugged);

    ExpectSucceededSilently(Run({"device", "plug", "--simulate", state}), "device plug");
    EXPECT_EQ(ReadBytes(state), pluggedIn);
    const RunResult read = Run({"device", "read", "--simulate", state});
    EXPECT_EQ(read.exitCode, 0) << read;
    EXPECT_EQ(read.out, Run({"image", At("p.profile")}).out);
}

TEST_F(VandirctlTest, UnplugOfAMissingStateFileMakesAFactoryMouse) {
    const std::string state = At("new.state");
    ExpectSucceededSilently(Run({"device", "unplug", "--simulate", state}), "device unplug");
    const std::optional<Bytes> written = ReadBytes(state);
    ASSERT_TRUE(written);
    ASSERT_EQ(written->size(), kStateFileSize);
    EXPECT_EQ(written->at(kStatePluggedOffset), 0);

    ExpectSucceededSilently(Run({"device", "plug", "--simulate", state}), "device plug");
    const RunResult read = Run({"device", "read", "--simulate", state});
    EXPECT_EQ(read.exitCode, 0) << read;
    EXPECT_EQ(read.out, kFactoryImageText);
}

TEST_F(VandirctlTest, PlugAndUnplugRefuseWhatTheyCannotDo) {
    WriteBytes(At("garbage.state"), Bytes(141, 0x42));
    for (const char* command : {"plug", "unplug"}) {
        RunResult r = Run({"device", command});
        ExpectRefused(r, std::string(command) + " of a real mouse");
        EXPECT_NE(r.err.find("--simulate"), std::string::npos) << r.err;

        ExpectRefused(Run({"device", command, "--simulate", At("garbage.state")}),
                      std::string(command) + " of a damaged state");
        EXPECT_FILE_BYTES(At("garbage.state"), Bytes(141, 0x42));

        r = Run({"device", command, "--simulate", At("no-such-folder/mouse.state")});
        EXPECT_EQ(r.exitCode, 1) << r;
        EXPECT_NE(r.err.find("cannot be written"), std::string::npos) << r.err;
    }
    // Only the lock file stays, beside the state file.
    EXPECT_EQ(Listing(), (std::vector<std::string>{"garbage.state", "garbage.state.lck"}))
        << "no other file left behind";
}

// The slow and failing mouse's bytes in the state file.
constexpr size_t kStateBusyOffset = 137;
constexpr size_t kStateErrorOffset = 138;

TEST_F(VandirctlTest, BusyFailAndOkChangeOnlyTheirPartOfTheState) {
    const std::string state = At("mouse.state");
    ASSERT_EQ(Run({"profile", "new", At("p.profile")}).exitCode, 0);
    ASSERT_EQ(Run({"profile", "set", At("p.profile"), "dpi.2.x=250"}).exitCode, 0);
    ASSERT_EQ(Run({"device", "write", At("p.profile"), "--simulate", state}).exitCode, 0);
    ASSERT_EQ(Run({"device", "unplug", "--simulate", state}).exitCode, 0);
    const std::optional<Bytes> normal = ReadBytes(state);
    ASSERT_TRUE(normal);
    ASSERT_EQ(normal->size(), kStateFileSize);
    EXPECT_EQ(normal->at(kStateBusyOffset), 0);
    EXPECT_EQ(normal->at(kStateErrorOffset), 0);
    // The memory and the plugged state, which none of these commands touches.
    const Bytes kept(normal->begin(), normal->begin() + kStatePluggedOffset + 1);

    struct Step {
        std::vector<std::string> command;
        uint8_t busy;
        uint8_t error;
    };
    const std::vector<Step> steps = {
        {{"busy", "5"}, 5, 0},
        {{"fail", "not-ready"}, 5, 1},
        {{"fail", "crc"}, 5, 2},
        {{"busy", "0x0A"}, 10, 2},
        {{"fail", "write-fault"}, 10, 3},
        {{"fail", "invalid-parameter"}, 10, 4},
        {{"fail", "function-failed"}, 10, 5},
        {{"busy", "255"}, 255, 5},
        {{"fail", "other"}, 255, 6},
        {{"busy", "0"}, 0, 6},
        {{"busy", "7"}, 7, 6},
        {{"ok"}, 0, 0},
    };
    for (const Step& step : steps) {
        std::vector<std::string> args = {"device"};
        args.insert(args.end(), step.command.begin(), step.command.end());
        args.insert(args.end(), {"--simulate", state});
        ExpectSucceededSilently(Run(args), Joined(args));
        const std::optional<Bytes> bytes = ReadBytes(state);
        ASSERT_TRUE(bytes) << Joined(args);
        ASSERT_EQ(bytes->size(), kStateFileSize) << Joined(args);
        EXPECT_EQ(Bytes(bytes->begin(), bytes->begin() + kStatePluggedOffset + 1), kept)
            << Joined(args);
        EXPECT_EQ(bytes->at(kStateBusyOffset), step.busy) << Joined(args);
        EXPECT_EQ(bytes->at(kStateErrorOffset), step.error) << Joined(args);
    }
    EXPECT_EQ(ReadBytes(state), normal) << "ok is the mouse as it was";
    EXPECT_EQ(Listing(), (std::vector<std::string>{"mouse.state", "mouse.state.lck", "p.profile"}));
}

// Two processes that change different parts of one state file at the same
// time lose none of each other's changes: each finds its own last change
// still there before and after every one of its runs, and none waits for a
// lock nobody holds. At the start the file has no lock, or stale ones: the
// lock folder an older build left behind and the lock file of a holder that
// was killed.
TEST_F(VandirctlTest, TwoProcessesChangingOneStateFileLoseNoChange) {
    for (const bool staleLocks : {false, true}) {
        SCOPED_TRACE(staleLocks ? "stale locks" : "no lock");
        const std::string state = At("mouse.state");
        fs::remove(state);
        ExpectSucceededSilently(Run({"device", "busy", "0", "--simulate", state}), "busy 0");
        if (staleLocks) {
            fs::create_directory(state + ".lock");
            const pid_t holder = ::fork();
            if (holder == 0) {
                vandir::PosixFileSystem files;
                vandir::SystemClock clock;
                const vandir::FileLock lock(files, vandir::PosixFileSystem::PathFromBytes(state),
                                            clock);
                if (lock.Held()) {
                    ::raise(SIGKILL);  // killed while it holds the lock
                }
                ::_exit(3);
            }
            ASSERT_GT(holder, 0);
            int status = 0;
            ASSERT_EQ(::waitpid(holder, &status, 0), holder);
            ASSERT_TRUE(WIFSIGNALED(status)) << "the holder had the lock when it was killed";
        }

        constexpr int kRuns = 100;
        // One process sets the busy polls 1, 2, ... kRuns, the other plugs the
        // mouse out and in; each checks the byte that is only its own.
        const auto changer = [&](const std::string& name, size_t offset,
                                 const std::function<std::vector<std::string>(int)>& command,
                                 const std::function<uint8_t(int)>& value) {
            const fs::path scratch = root_ / name;
            fs::create_directory(scratch);
            std::vector<std::string> lost;
            // The file holds what run lastRun of this process wrote.
            const auto check = [&](int lastRun, const std::string& when) {
                const std::optional<Bytes> bytes = ReadBytes(state);
                if (!bytes || bytes->size() != kStateFileSize) {
                    lost.push_back(name + ": no state file " + when);
                } else if (bytes->at(offset) != value(lastRun)) {
                    lost.push_back(name + ": change lost " + when);
                }
            };
            for (int run = 1; run <= kRuns && lost.size() < 5; ++run) {
                check(run - 1, "before run " + std::to_string(run));
                std::vector<std::string> args = command(run);
                args.insert(args.end(), {"--simulate", state});
                const auto begun = std::chrono::steady_clock::now();
                const RunResult r = RunIn(work_, scratch, args, "", std::chrono::seconds(60));
                if (r.exitCode != 0 || !r.err.empty()) {
                    lost.push_back(name + " run " + std::to_string(run) + " failed: " + r.err);
                }
                // A run takes a fraction of that; a stale lock made it wait that long.
                if (std::chrono::steady_clock::now() - begun >=
                    std::chrono::milliseconds(vandir::FileLock::kLongestWaitMilliseconds)) {
                    lost.push_back(name + " run " + std::to_string(run) + " waited for a lock");
                }
                check(run, "after run " + std::to_string(run));
            }
            return lost;
        };
        auto busy = std::async(std::launch::async, [&] {
            return changer(
                "busy", kStateBusyOffset,
                [](int run) {
                    return std::vector<std::string>{"device", "busy", std::to_string(run)};
                },
                [](int run) { return static_cast<uint8_t>(run); });
        });
        auto plug = std::async(std::launch::async, [&] {
            return changer(
                "plug", kStatePluggedOffset,
                [](int run) {
                    return std::vector<std::string>{"device", run % 2 == 1 ? "unplug" : "plug"};
                },
                [](int run) { return static_cast<uint8_t>(run % 2 == 1 ? 0 : 1); });
        });
        EXPECT_EQ(busy.get(), std::vector<std::string>{});
        EXPECT_EQ(plug.get(), std::vector<std::string>{});
        const std::optional<Bytes> last = ReadBytes(state);
        ASSERT_TRUE(last);
        EXPECT_EQ(last->at(kStateBusyOffset), kRuns);
        EXPECT_EQ(last->at(kStatePluggedOffset), 1);
    }
}

TEST_F(VandirctlTest, AFailingSimulatedMouseFailsTheDeviceCommandsUntilOk) {
    const std::string state = At("mouse.state");
    ASSERT_EQ(Run({"profile", "new", At("p.profile")}).exitCode, 0);
    ASSERT_EQ(Run({"profile", "set", At("p.profile"), "dpi.2.x=250"}).exitCode, 0);
    ExpectSucceededSilently(Run({"device", "fail", "other", "--simulate", state}), "fail other");

    struct Case {
        std::vector<std::string> args;
        const char* says;
    };
    const std::vector<Case> cases = {
        {{"device", "info", "--simulate", state}, "the request could not be sent"},
        {{"device", "read", "--simulate", state}, "the configuration could not be read"},
        {{"device", "write", At("p.profile"), "--simulate", state},
         "the request could not be sent"},
    };
    for (const Case& c : cases) {
        const RunResult r = Run(c.args);
        EXPECT_EQ(r.exitCode, 1) << Joined(c.args) << "\n" << r;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << Joined(c.args) << "\n" << r.err;
    }

    ExpectSucceededSilently(Run({"device", "ok", "--simulate", state}), "ok");
    RunResult r = Run({"device", "info", "--simulate", state});
    EXPECT_EQ(r.exitCode, 0) << r;
    EXPECT_EQ(r.out, "1.05\n");
    r = Run({"device", "read", "--simulate", state});
    EXPECT_EQ(r.exitCode, 0) << r;
    EXPECT_EQ(r.out, kFactoryImageText) << "the failed write did not reach the memory";
}

TEST_F(VandirctlTest, BusyFailAndOkRefuseWhatTheyCannotDo) {
    const std::string state = At("mouse.state");
    ASSERT_EQ(Run({"device", "busy", "3", "--simulate", state}).exitCode, 0);
    const std::optional<Bytes> before = ReadBytes(state);
    ASSERT_TRUE(before);

    struct Case {
        std::vector<std::string> command;
        const char* names;  // the input the message names
    };
    const std::vector<Case> badValues = {
        {{"busy", "-1"}, "N must be"},      {{"busy", "256"}, "N must be"},
        {{"busy", "0x100"}, "N must be"},   {{"busy", "three"}, "N must be"},
        {{"busy", "1.5"}, "N must be"},     {{"busy", ""}, "N must be"},
        {{"fail", "crc2"}, "CODE must be"}, {{"fail", "CRC"}, "CODE must be"},
        {{"fail", "21"}, "CODE must be"},   {{"fail", "retryable"}, "CODE must be"},
        {{"fail", ""}, "CODE must be"},
    };
    for (const Case& c : badValues) {
        std::vector<std::string> args = {"device"};
        args.insert(args.end(), c.command.begin(), c.command.end());
        args.insert(args.end(), {"--simulate", state});
        const RunResult r = Run(args);
        ExpectRefused(r, Joined(args));
        EXPECT_NE(r.err.find(c.names), std::string::npos) << Joined(args) << "\n" << r.err;
        EXPECT_NE(r.err.find("'" + c.command[1] + "'"), std::string::npos) << r.err;
        EXPECT_EQ(ReadBytes(state), before) << Joined(args);
    }
    const RunResult badCode = Run({"device", "fail", "crc2", "--simulate", state});
    EXPECT_TRUE(ContainsAny(badCode.err, {"not-ready"}) && ContainsAny(badCode.err, {"other"}))
        << "lists the codes: " << badCode.err;

    WriteBytes(At("garbage.state"), Bytes(143, 0x42));
    for (const std::vector<std::string>& command :
         std::vector<std::vector<std::string>>{{"busy", "3"}, {"fail", "crc"}, {"ok"}}) {
        std::vector<std::string> args = {"device"};
        args.insert(args.end(), command.begin(), command.end());
        RunResult r = Run(args);
        ExpectRefused(r, Joined(args) + " of a real mouse");
        EXPECT_NE(r.err.find("--simulate"), std::string::npos) << r.err;

        args.insert(args.end(), {"--simulate", At("garbage.state")});
        ExpectRefused(Run(args), Joined(args) + ": a damaged state");
        EXPECT_FILE_BYTES(At("garbage.state"), Bytes(143, 0x42));

        args.back() = At("no-such-folder/mouse.state");
        r = Run(args);
        EXPECT_EQ(r.exitCode, 1) << r;
        EXPECT_NE(r.err.find("cannot be written"), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadBytes(state), before);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"garbage.state", "garbage.state.lck",
                                                   "mouse.state", "mouse.state.lck"}))
        << "nothing but the lock files left behind";
}

TEST_F(VandirctlTest, WithoutTheMouseDeviceCommandsSaySo) {
    const RunResult r = Run({"device", "info", "--device", At("no-such-node")});
    EXPECT_EQ(r.exitCode, 1) << r;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("no Vandir II mouse found"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(At("no-such-node")), std::string::npos) << "names the node: " << r.err;
}

}  // namespace
