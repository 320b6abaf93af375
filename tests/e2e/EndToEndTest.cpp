#include "e2e/EndToEndTest.h"

#include <X11/keysym.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "e2e/PngFile.h"
#include "e2e/Polling.h"
#include "e2e/RegistryFile.h"

namespace vandir::e2e {

namespace fs = std::filesystem;

namespace {

// What every scenario shares: one X connection, and one prefix and install
// for each display scale a scenario runs at.
struct SharedRun {
    std::unique_ptr<XSession> screen;
    std::map<int, std::unique_ptr<WineDemo>> demos;  // by DPI
    std::map<int, std::string> demoSkipReasons;
    std::unique_ptr<Vandirctl> tool;
    std::string skipReason;
};

fs::path WindowsBin() {
    const char* chosen = std::getenv("VANDIR_E2E_WINDOWS_BIN");
    return (chosen != nullptr && *chosen != '\0') ? fs::path(chosen)
                                                  : fs::path(VANDIR_E2E_WINDOWS_BIN);
}

E2ePaths PathsAt(int dpi) {
    fs::path work = VANDIR_E2E_WORK;
    if (dpi != 96) {
        work /= "at-" + std::to_string(dpi) + "-dpi";
    }
    return {WindowsBin(), work, VANDIRCTL_PATH, VANDIR_WINE_RUN};
}

SharedRun& Shared() {
    static SharedRun* run = [] {
        auto* shared = new SharedRun;
        shared->tool = std::make_unique<Vandirctl>(PathsAt(96).vandirctl);
        shared->screen = XSession::Open(shared->skipReason);
        return shared;
    }();
    return *run;
}

// The demo at a display scale, prepared on first use; null with the reason
// when it cannot run.
WineDemo* DemoAt(int dpi, std::string& reason) {
    SharedRun& shared = Shared();
    auto& demo = shared.demos[dpi];
    if (demo == nullptr) {
        demo = std::make_unique<WineDemo>(PathsAt(dpi), dpi);
        shared.demoSkipReasons[dpi] = demo->Prepare();
    }
    reason = shared.demoSkipReasons[dpi];
    return reason.empty() ? demo.get() : nullptr;
}

// The thumb's width decides where on the track a value lies.
int ThumbWidth(const fs::path& skins) {
    const std::optional<Bytes> bitmap = ReadFileBytes(skins / "Slider_Normal.bmp");
    if (!bitmap || bitmap->size() < 22) {
        return 0;
    }
    const Bytes& b = *bitmap;
    return b[18] | (b[19] << 8) | (b[20] << 16) | (b[21] << 24);
}

// The thumb picture as the slider draws it, from the skin folder.
Pixels ThumbPicture(const fs::path& skins) {
    Pixels picture;
    const std::optional<Bytes> bitmap = ReadFileBytes(skins / "Slider_Normal.bmp");
    if (!bitmap || bitmap->size() < 54) {
        return picture;
    }
    const Bytes& b = *bitmap;
    auto number = [&](size_t at) { return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16); };
    const int bits = number(10);
    const int width = number(18);
    const int height = number(22);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    if ((b[28] | (b[29] << 8)) != 24 || b.size() < bits + stride * height) {
        return picture;
    }
    picture.width = width;
    picture.height = height;
    for (int y = 0; y < height; ++y) {  // stored bottom row first, blue first
        const size_t row = bits + stride * static_cast<size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const size_t at = row + static_cast<size_t>(x) * 3;
            picture.rgb.insert(picture.rgb.end(), {b[at + 2], b[at + 1], b[at]});
        }
    }
    return picture;
}

}  // namespace

void EndToEndTest::SetUp() {
    SharedRun& shared = Shared();
    if (!shared.skipReason.empty()) {
        GTEST_SKIP() << "End-to-end run skipped: " << shared.skipReason;
    }
    std::string reason;
    if (DemoAt(Dpi(), reason) == nullptr) {
        GTEST_SKIP() << "End-to-end run skipped: " << reason;
    }
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    artifacts_ = fs::path(VANDIR_E2E_ARTIFACTS) / info->name();
    fs::remove_all(artifacts_);
    fs::create_directories(artifacts_);
    Demo().Restore();
}

void EndToEndTest::TearDown() {
    std::string reason;
    if (!Shared().skipReason.empty() || DemoAt(Dpi(), reason) == nullptr) {
        return;
    }
    if (HasFailure()) {
        Shot("at-failure");
        std::printf("Screenshots of this scenario: %s\n", artifacts_.c_str());
    }
    EndDemo();
}

WineDemo& EndToEndTest::Demo() {
    std::string reason;
    return *DemoAt(Dpi(), reason);
}

Rect EndToEndTest::S(const Rect& rect) const {
    const auto scaled =
        ::vandir::layout::ScaleRect({rect.x, rect.y, rect.width, rect.height}, Dpi());
    return {scaled.x, scaled.y, scaled.width, scaled.height};
}

fs::path EndToEndTest::SkinSet() {
    fs::path folder = Demo().InstallFolder() / "Vandir_Skins";
    if (const int set = ::vandir::layout::SkinScaleFor(Dpi()); set != 100) {
        folder /= std::to_string(set);
    }
    return folder;
}
XSession& EndToEndTest::Screen() {
    return *Shared().screen;
}
const Vandirctl& EndToEndTest::Tool() {
    return *Shared().tool;
}

bool EndToEndTest::StartDemo(const std::vector<std::string>& arguments, bool waitForMain) {
    program_ = Demo().Start(arguments);
    return !waitForMain || WaitForMainWindow();
}

void EndToEndTest::EndDemo() {
    Demo().End();
    program_.WaitFor(kPatienceMs);
}

void EndToEndTest::Shot(const std::string& what) {
    char number[8];
    std::snprintf(number, sizeof number, "%02d-", ++shots_);
    const fs::path file = artifacts_ / (number + what + ".png");
    if (!WritePng(Screen().Grab(Screen().Screen()), file)) {
        ADD_FAILURE() << "cannot write the screenshot " << file;
    }
}

std::optional<ScreenWindow> EndToEndTest::FindWindow(const WindowTest& test) {
    for (const ScreenWindow& window : Screen().VisibleWindows()) {
        if (test(window)) {
            return window;
        }
    }
    return std::nullopt;
}

std::optional<ScreenWindow> EndToEndTest::WaitForWindow(const WindowTest& test,
                                                        const std::string& what) {
    std::optional<ScreenWindow> found;
    if (!WaitUntil([&] { return (found = FindWindow(test)).has_value(); })) {
        ADD_FAILURE() << "no window on the screen: " << what;
    }
    return found;
}

bool EndToEndTest::WaitForNoWindow(const WindowTest& test, const std::string& what) {
    if (!WaitUntil([&] { return !FindWindow(test); })) {
        ADD_FAILURE() << "the window stays on the screen: " << what;
        return false;
    }
    return true;
}

EndToEndTest::WindowTest EndToEndTest::Named(const std::string& name) {
    return [name](const ScreenWindow& w) { return w.name == name; };
}

EndToEndTest::WindowTest EndToEndTest::Sized(int width, int height) const {
    return [width = S(width), height = S(height)](const ScreenWindow& w) {
        return w.area.width == width && w.area.height == height;
    };
}

EndToEndTest::WindowTest EndToEndTest::MainWindow() const {
    return [width = S(layout::kMainWidth), height = S(layout::kMainHeight)](const ScreenWindow& w) {
        return w.name == layout::kMainTitle && w.area.width == width && w.area.height == height;
    };
}

int EndToEndTest::ListWidth() const {
    // The selector's width less the list's frame, both scaled.
    return S(layout::keys::Selector(1)).width - S(layout::keys::kListFrame);
}

int EndToEndTest::SubListWidth() const {
    return S(layout::keys::kSubListWidth);
}

bool EndToEndTest::WaitForMainWindow() {
    const std::optional<ScreenWindow> window = WaitForWindow(MainWindow(), "the main window");
    if (!window) {
        return false;
    }
    main_ = window->area;
    return WaitForStill(main_);
}

Point EndToEndTest::Main(const Rect& control) const {
    const Rect c = S(control);
    return {main_.x + c.x + c.width / 2, main_.y + c.y + c.height / 2};
}

Point EndToEndTest::PageAt(int x, int y) const {
    return {main_.x + S(layout::kPageOrigin.x) + S(x), main_.y + S(layout::kPageOrigin.y) + S(y)};
}

Point EndToEndTest::Page(const Rect& control) const {
    const Rect c = PageArea(control);
    return c.Centre();
}

Rect EndToEndTest::PageArea(const Rect& control) const {
    const Rect c = S(control);
    return {main_.x + S(layout::kPageOrigin.x) + c.x, main_.y + S(layout::kPageOrigin.y) + c.y,
            c.width, c.height};
}

Rect EndToEndTest::In(const Rect& d, const Rect& control) const {
    const Rect c = S(control);
    return {d.x + c.x, d.y + c.y, c.width, c.height};
}

bool EndToEndTest::WaitForStill(const Rect& area) {
    Pixels last = Screen().Grab(area);
    return WaitUntil(
        [&] {
            Pixels now = Screen().Grab(area);
            const bool still = now == last;
            last = std::move(now);
            return still;
        },
        kPatienceMs, 150);
}

bool EndToEndTest::ClickAndSeeChange(Point point, const Rect& area, const std::string& what) {
    const Pixels before = Screen().Grab(area);
    Screen().Click(point);
    if (!WaitUntil([&] { return Screen().Grab(area) != before; })) {
        ADD_FAILURE() << "nothing changed on the screen after: " << what;
        return false;
    }
    return WaitForStill(area);
}

bool EndToEndTest::ShowPage(const Rect& mainTab, const std::string& name) {
    const bool shown = ClickAndSeeChange(Main(mainTab), PageArea({0, 0, 800, 515}), name);
    Shot("page-" + name);
    return shown;
}

bool EndToEndTest::ShowOsSensitivity() {
    return ShowPage({layout::keys::kOsSensitivityTab.x,
                     layout::keys::kOsSensitivityTab.y + layout::kPageOrigin.y,
                     layout::keys::kOsSensitivityTab.width, layout::keys::kOsSensitivityTab.height},
                    "os-sensitivity");
}

bool EndToEndTest::ShowKeyAssignment() {
    return ShowPage({layout::keys::kKeyAssignmentTab.x,
                     layout::keys::kKeyAssignmentTab.y + layout::kPageOrigin.y,
                     layout::keys::kKeyAssignmentTab.width, layout::keys::kKeyAssignmentTab.height},
                    "key-assignment");
}

void EndToEndTest::SetSlider(const Rect& slider, int minimum, int maximum, int value) {
    const int thumb = ThumbWidth(SkinSet());
    ASSERT_GT(thumb, 0) << "cannot read the slider thumb's width";
    const Rect track = PageArea(slider);
    const double usable = track.width - thumb;
    const int along =
        static_cast<int>(std::lround((value - minimum) * usable / (maximum - minimum)));
    Screen().Click({track.x + thumb / 2 + along, track.y + track.height / 2});
    WaitForStill(PageArea({0, slider.y - 20, 800, slider.height + 40}));
}

bool EndToEndTest::WaitForThumb(const Rect& slider, int minimum, int maximum, int value) {
    const Pixels thumb = ThumbPicture(SkinSet());
    if (thumb.width == 0) {
        ADD_FAILURE() << "cannot read the slider thumb's picture";
        return false;
    }
    // Drawn at the track's left plus the usable width times the fraction.
    const float fraction = static_cast<float>(value - minimum) / (maximum - minimum);
    const Rect track = PageArea(slider);
    const Point at = {track.x + static_cast<int>((track.width - thumb.width) * fraction), track.y};
    if (!WaitUntil([&] {
            return Screen().Grab({at.x, at.y, thumb.width, thumb.height}) == thumb;
        })) {
        ADD_FAILURE() << "the slider's thumb is not where " << value << " lies";
        return false;
    }
    return true;
}

void EndToEndTest::TypeInto(const Rect& edit, const std::string& digits) {
    const Rect field = PageArea(edit);
    Screen().Click({field.x + field.width - S(3), field.y + field.height / 2});
    Screen().Tap(XK_End);
    for (int i = 0; i < 4; ++i) {
        Screen().Tap(XK_BackSpace);
    }
    Screen().Type(digits);
    WaitForStill(PageArea(edit));
}

bool EndToEndTest::ChooseFunction(int button, const layout::ListPath& path,
                                  const std::string& what) {
    Screen().Click(Page(layout::keys::Selector(button)));
    std::optional<ScreenWindow> list = WaitForWindow(
        [width = ListWidth()](const ScreenWindow& w) {
            return w.name == "menu" && w.area.width == width;
        },
        "the function list of button " + std::to_string(button));
    if (!list) {
        return false;
    }
    for (int level = 0; level < path.depth; ++level) {
        const Rect area = list->area;
        const int entryHeight = (area.height - S(layout::keys::kListMargins)) / path.counts[level];
        // Every list is pointed at near its left end, over the main window:
        // a list that opened behind the window could not be used there.
        const int x = area.x + S(30);
        if (!ExpectListInFront(area, what)) {
            return false;
        }
        const Point entry = {x, area.y + S(layout::keys::kListTop) +
                                    path.entries[level] * entryHeight + entryHeight / 2};
        if (level + 1 == path.depth) {
            Shot("list-" + what);
            Screen().Click(entry);
            break;
        }
        Screen().MoveTo(entry);
        const int subLeft = area.x + area.width - S(layout::keys::kSubListOverlap);
        list = WaitForWindow(
            [&, width = SubListWidth()](const ScreenWindow& w) {
                return w.name == "menu" && w.area.width == width &&
                       std::abs(w.area.x - subLeft) <= 2;
            },
            "the sub-list on the way to " + what);
        if (!list) {
            return false;
        }
    }
    return WaitForNoWindow(Named("menu"), "the lists after choosing " + what);
}

bool EndToEndTest::ExpectListInFront(const Rect& list, const std::string& what) {
    // Left of its entries' text a list shows only its background colour;
    // the list may take a moment to reach the screen.
    const auto inFront = [&] {
        const Pixels margin = Screen().Grab({list.x + 3, list.y + 6, 6, list.height - 12});
        bool shown = !margin.rgb.empty();
        for (std::uint8_t value : margin.rgb) {
            shown &= value == 0x28;
        }
        return shown;
    };
    if (WaitUntil(inFront)) {
        return true;
    }
    Shot("list-behind-" + what);
    ADD_FAILURE() << "a list on the way to " << what << " opened behind another window";
    return false;
}

bool EndToEndTest::AssignKeyboard(int button, bool ctrl, bool shift, unsigned long keysym) {
    using namespace layout::keyboard;
    if (!ChooseFunction(button, layout::kKeyboard, "keyboard")) {
        return false;
    }
    const std::optional<ScreenWindow> dialog =
        WaitForWindow(Sized(kWidth, kHeight), "the key capture dialog");
    if (!dialog) {
        return false;
    }
    const Rect d = dialog->area;
    auto in = [&](const Rect& r) { return In(d, r); };
    bool done = true;
    if (ctrl) {
        done &= ClickAndSeeChange(in(kCtrl).Centre(), in(kCtrl), "ticking Ctrl");
    }
    if (shift) {
        done &= ClickAndSeeChange(in(kShift).Centre(), in(kShift), "ticking Shift");
    }
    // A ticked box holds the focus now; a key is captured only once the
    // caret shows in the key field.
    const Pixels unfocused = Screen().Grab(in(kFirstKey));
    Screen().Click(in(kFirstKey).Centre());
    if ((ctrl || shift) && !WaitUntil([&] { return Screen().Grab(in(kFirstKey)) != unfocused; })) {
        ADD_FAILURE() << "no caret in the first key field after a click";
        done = false;
    }
    const Pixels empty = Screen().Grab(in(kFirstKey));
    Screen().Tap(keysym);
    if (!WaitUntil([&] { return Screen().Grab(in(kFirstKey)) != empty; })) {
        ADD_FAILURE() << "the key capture dialog shows no key name";
        done = false;
    }
    WaitForStill(in(kFirstKey));
    Shot("key-capture");
    Screen().Click(in(kOk).Centre());
    return WaitForNoWindow(Sized(kWidth, kHeight), "the key capture dialog after OK") && done;
}

bool EndToEndTest::AssignRapidKey(int button, unsigned long keysym, const std::string& number) {
    using namespace layout::popup;
    if (!ChooseFunction(button, layout::kRapidKeyboard, "rapid-fire-keyboard")) {
        return false;
    }
    const std::optional<ScreenWindow> dialog =
        WaitForWindow(Sized(kRapidKeyWidth, kRapidKeyHeight), "the rapid-fire key dialog");
    if (!dialog) {
        return false;
    }
    const Rect d = dialog->area;
    auto in = [&](const Rect& r) { return In(d, r); };
    bool done = true;
    Screen().Click(in(kRapidKeyField).Centre());
    const Pixels empty = Screen().Grab(in(kRapidKeyField));
    Screen().Tap(keysym);
    if (!WaitUntil([&] { return Screen().Grab(in(kRapidKeyField)) != empty; })) {
        ADD_FAILURE() << "the rapid-fire key dialog shows no key name";
        done = false;
    }
    // Keys typed before the focus has moved would still be captured as the
    // key: the caret showing in the number field tells that it moved.
    const Pixels noNumber = Screen().Grab(in(kRapidKeyNumber));
    Screen().Click(in(kRapidKeyNumber).Centre());
    if (!WaitUntil([&] { return Screen().Grab(in(kRapidKeyNumber)) != noNumber; })) {
        ADD_FAILURE() << "no caret in the rapid-fire number field after a click";
        done = false;
    }
    const Pixels focused = Screen().Grab(in(kRapidKeyNumber));
    Screen().Type(number);
    if (!WaitUntil([&] { return Screen().Grab(in(kRapidKeyNumber)) != focused; })) {
        ADD_FAILURE() << "the rapid-fire key dialog shows no number";
        done = false;
    }
    WaitForStill(d);
    Shot("rapid-fire-key");
    Screen().Click(in(kRapidKeyOk).Centre());
    return WaitForNoWindow(Sized(kRapidKeyWidth, kRapidKeyHeight), "the rapid-fire key dialog") &&
           done;
}

bool EndToEndTest::AssignRapidMouse(int button, const layout::ListPath& path,
                                    const std::string& number) {
    using namespace layout::popup;
    if (!ChooseFunction(button, path, "rapid-fire-mouse")) {
        return false;
    }
    const std::optional<ScreenWindow> dialog =
        WaitForWindow(Sized(kRapidMouseWidth, kRapidMouseHeight), "the rapid-fire mouse dialog");
    if (!dialog) {
        return false;
    }
    const Rect d = dialog->area;
    auto in = [&](const Rect& r) { return In(d, r); };
    bool done = true;
    Screen().Click(in(kRapidMouseNumber).Centre());
    const Pixels noNumber = Screen().Grab(in(kRapidMouseNumber));
    Screen().Type(number);
    if (!WaitUntil([&] { return Screen().Grab(in(kRapidMouseNumber)) != noNumber; })) {
        ADD_FAILURE() << "the rapid-fire mouse dialog shows no number";
        done = false;
    }
    WaitForStill(d);
    Shot("rapid-fire-mouse");
    Screen().Click(in(kRapidMouseOk).Centre());
    return WaitForNoWindow(Sized(kRapidMouseWidth, kRapidMouseHeight),
                           "the rapid-fire mouse dialog") &&
           done;
}

bool EndToEndTest::ApplyAndWait(bool mouseChanges) {
    return PressAndWaitForSave(Page(layout::kPageApply), "Apply", mouseChanges);
}

bool EndToEndTest::PressAndWaitForSave(Point button, const std::string& what, bool mouseChanges) {
    const std::optional<Bytes> profileBefore = SavedProfile();
    const std::optional<Bytes> stateBefore = ReadFileBytes(Demo().StatePath());
    Screen().Click(button);
    // The profile is saved before the mouse is written; the demo rewrites
    // the mouse's state file only when its memory changed.
    const bool saved = WaitUntil([&] {
        const std::optional<Bytes> profile = SavedProfile();
        return profile && profile != profileBefore &&
               (!mouseChanges || ReadFileBytes(Demo().StatePath()) != stateBefore);
    });
    Shot("after-" + what);
    if (!saved) {
        ADD_FAILURE() << what << " saved no new profile"
                      << (mouseChanges ? " or did not change the mouse's memory" : "");
    }
    return saved;
}

std::optional<Bytes> EndToEndTest::SavedProfile() {
    return ReadFileBytes(Demo().ProfilePath());
}

std::optional<Bytes> EndToEndTest::MouseMemory() {
    return Tool().MouseMemory(Demo().StatePath());
}

std::optional<std::string> EndToEndTest::UserRegistryValue(const std::string& key,
                                                           const std::string& name) {
    return ReadRegistryValue(Demo().UserRegistry(), key, name);
}

Bytes EndToEndTest::ExpectedProfile(const std::vector<std::string>& assignments) {
    const fs::path file = artifacts_ / "expected.profile";
    EXPECT_TRUE(Tool().MakeProfile(file, assignments)) << "vandirctl cannot build the profile";
    return ReadFileBytes(file).value_or(Bytes{});
}

Bytes EndToEndTest::ExpectedImage(const std::vector<std::string>& assignments, int buttonResponse) {
    ExpectedProfile(assignments);
    Bytes image = Tool().ImageOf(artifacts_ / "expected.profile").value_or(Bytes(128, 0));
    // The response time is not in the profile; every button entry carries it.
    for (int button = 0; button < 7; ++button) {
        image[55 + 7 * button + 6] = static_cast<std::uint8_t>(buttonResponse);
    }
    return image;
}

}  // namespace vandir::e2e
