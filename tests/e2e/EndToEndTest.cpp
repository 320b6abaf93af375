#include "e2e/EndToEndTest.h"

#include <X11/keysym.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "e2e/PngFile.h"
#include "e2e/Polling.h"
#include "e2e/RegistryFile.h"

namespace vandir::e2e {

namespace fs = std::filesystem;

namespace {

// What every scenario shares: one X connection, one prefix, one install.
struct SharedRun {
    std::unique_ptr<XSession> screen;
    std::unique_ptr<WineDemo> demo;
    std::unique_ptr<Vandirctl> tool;
    std::string skipReason;
};

fs::path WindowsBin() {
    const char* chosen = std::getenv("VANDIR_E2E_WINDOWS_BIN");
    return (chosen != nullptr && *chosen != '\0') ? fs::path(chosen)
                                                  : fs::path(VANDIR_E2E_WINDOWS_BIN);
}

SharedRun& Shared() {
    static SharedRun* run = [] {
        auto* shared = new SharedRun;
        const E2ePaths paths{WindowsBin(), VANDIR_E2E_WORK, VANDIRCTL_PATH, VANDIR_WINE_RUN};
        shared->tool = std::make_unique<Vandirctl>(paths.vandirctl);
        shared->screen = XSession::Open(shared->skipReason);
        if (shared->screen) {
            shared->demo = std::make_unique<WineDemo>(paths);
            shared->skipReason = shared->demo->Prepare();
        }
        return shared;
    }();
    return *run;
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
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    artifacts_ = fs::path(VANDIR_E2E_ARTIFACTS) / info->name();
    fs::remove_all(artifacts_);
    fs::create_directories(artifacts_);
    Demo().Restore();
}

void EndToEndTest::TearDown() {
    if (!Shared().skipReason.empty()) {
        return;
    }
    if (HasFailure()) {
        Shot("at-failure");
        std::printf("Screenshots of this scenario: %s\n", artifacts_.c_str());
    }
    EndDemo();
}

WineDemo& EndToEndTest::Demo() {
    return *Shared().demo;
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

EndToEndTest::WindowTest EndToEndTest::Sized(int width, int height) {
    return [=](const ScreenWindow& w) { return w.area.width == width && w.area.height == height; };
}

EndToEndTest::WindowTest EndToEndTest::MainWindow() {
    return [](const ScreenWindow& w) {
        return w.name == layout::kMainTitle && w.area.width == layout::kMainWidth &&
               w.area.height == layout::kMainHeight;
    };
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
    return {main_.x + control.x + control.width / 2, main_.y + control.y + control.height / 2};
}

Point EndToEndTest::PageAt(int x, int y) const {
    return {main_.x + layout::kPageOrigin.x + x, main_.y + layout::kPageOrigin.y + y};
}

Point EndToEndTest::Page(const Rect& control) const {
    return PageAt(control.x + control.width / 2, control.y + control.height / 2);
}

Rect EndToEndTest::PageArea(const Rect& control) const {
    const Point origin = PageAt(control.x, control.y);
    return {origin.x, origin.y, control.width, control.height};
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
    const int thumb = ThumbWidth(Demo().InstallFolder() / "Vandir_Skins");
    ASSERT_GT(thumb, 0) << "cannot read the slider thumb's width";
    const double usable = slider.width - thumb;
    const int along =
        static_cast<int>(std::lround((value - minimum) * usable / (maximum - minimum)));
    Screen().Click(PageAt(slider.x + thumb / 2 + along, slider.y + slider.height / 2));
    WaitForStill(PageArea({0, slider.y - 20, 800, slider.height + 40}));
}

bool EndToEndTest::WaitForThumb(const Rect& slider, int minimum, int maximum, int value) {
    const Pixels thumb = ThumbPicture(Demo().InstallFolder() / "Vandir_Skins");
    if (thumb.width == 0) {
        ADD_FAILURE() << "cannot read the slider thumb's picture";
        return false;
    }
    // Drawn at the track's left plus the usable width times the fraction.
    const float fraction = static_cast<float>(value - minimum) / (maximum - minimum);
    const int left = slider.x + static_cast<int>((slider.width - thumb.width) * fraction);
    const Point at = PageAt(left, slider.y);
    if (!WaitUntil([&] {
            return Screen().Grab({at.x, at.y, thumb.width, thumb.height}) == thumb;
        })) {
        ADD_FAILURE() << "the slider's thumb is not where " << value << " lies";
        return false;
    }
    return true;
}

void EndToEndTest::TypeInto(const Rect& edit, const std::string& digits) {
    Screen().Click(PageAt(edit.x + edit.width - 3, edit.y + edit.height / 2));
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
        [](const ScreenWindow& w) {
            return w.name == "menu" && w.area.width == layout::keys::kListWidth;
        },
        "the function list of button " + std::to_string(button));
    if (!list) {
        return false;
    }
    for (int level = 0; level < path.depth; ++level) {
        const Rect area = list->area;
        const int entryHeight = (area.height - 8) / path.counts[level];
        // Every list is pointed at near its left end, over the main window:
        // a list that opened behind the window could not be used there.
        const int x = area.x + 30;
        if (!ExpectListInFront(area, what)) {
            return false;
        }
        const Point entry = {x, area.y + 4 + path.entries[level] * entryHeight + entryHeight / 2};
        if (level + 1 == path.depth) {
            Shot("list-" + what);
            Screen().Click(entry);
            break;
        }
        Screen().MoveTo(entry);
        const int subLeft = area.x + area.width - 5;
        list = WaitForWindow(
            [&](const ScreenWindow& w) {
                return w.name == "menu" && w.area.width == layout::keys::kSubListWidth &&
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
    auto in = [&](const Rect& r) { return Rect{d.x + r.x, d.y + r.y, r.width, r.height}; };
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
    auto in = [&](const Rect& r) { return Rect{d.x + r.x, d.y + r.y, r.width, r.height}; };
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
    auto in = [&](const Rect& r) { return Rect{d.x + r.x, d.y + r.y, r.width, r.height}; };
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
