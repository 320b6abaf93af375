#pragma once
// The fixture of every end-to-end scenario: a fresh prefix state and mouse,
// the demo started from outside, the actions a person takes on its windows
// through the X server, and screenshots of each step under the scenario's
// artifact folder.

#include <gtest/gtest.h>

// Before the X11 headers, whose macro None would rename a constant of the tables.
#include "skin/layout/DisplayScale.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "e2e/Processes.h"
#include "e2e/ScreenLayout.h"
#include "e2e/Vandirctl.h"
#include "e2e/WineDemo.h"
#include "e2e/XSession.h"

namespace vandir::e2e {

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The DPI of the display the scenario runs on (a Wine prefix each); the
    // positions of ScreenLayout.h are 96-DPI units, scaled as the program
    // scales its tables.
    virtual int Dpi() const { return 96; }
    int S(int units) const { return ::vandir::layout::ScaleUnits(units, Dpi()); }
    Rect S(const Rect& rect) const;
    // The folder of the artwork the program shows at this scale.
    std::filesystem::path SkinSet();

    WineDemo& Demo();
    XSession& Screen();
    const Vandirctl& Tool();
    std::filesystem::path Scratch() const { return artifacts_; }

    // Starts the demo; with `waitForMain` also waits until its main window is
    // shown and painted (false and a failure when it is not).
    bool StartDemo(const std::vector<std::string>& arguments = {}, bool waitForMain = true);
    // Ends every program of the prefix (the registry is then saved).
    void EndDemo();

    // Saves the whole screen as NN-what.png in the scenario's folder.
    void Shot(const std::string& what);

    // Windows on the screen.
    using WindowTest = std::function<bool(const ScreenWindow&)>;
    std::optional<ScreenWindow> FindWindow(const WindowTest& test);
    std::optional<ScreenWindow> WaitForWindow(const WindowTest& test, const std::string& what);
    bool WaitForNoWindow(const WindowTest& test, const std::string& what);
    static WindowTest Named(const std::string& name);
    // A window of that size in 96-DPI units, at the scenario's scale.
    WindowTest Sized(int width, int height) const;
    WindowTest MainWindow() const;
    // The function lists' widths at the scenario's scale.
    int ListWidth() const;
    int SubListWidth() const;

    // Waits for the main window (it may move between starts) and its paint.
    bool WaitForMainWindow();
    Point Main(const Rect& control) const;
    Point Page(const Rect& control) const;
    Point PageAt(int x, int y) const;
    Rect PageArea(const Rect& control) const;
    // A control of a dialog at d (its area on the screen), at the scale.
    Rect In(const Rect& d, const Rect& control) const;

    // Waits until the area shows the same pixels twice in a row.
    bool WaitForStill(const Rect& area);
    // Clicks and waits until the area shows something else, then is still.
    bool ClickAndSeeChange(Point point, const Rect& area, const std::string& what);

    // Main-window tabs and the two faces of the mouse-settings page.
    bool ShowPage(const Rect& mainTab, const std::string& name);
    bool ShowOsSensitivity();
    bool ShowKeyAssignment();
    // Moves a slider of the current page to a value by pressing on its track
    // where the value lies.
    void SetSlider(const Rect& slider, int minimum, int maximum, int value);
    // Waits until the current page shows the slider's thumb where the value lies.
    bool WaitForThumb(const Rect& slider, int minimum, int maximum, int value);
    // Clicks into an edit box of the page and replaces its digits.
    void TypeInto(const Rect& edit, const std::string& digits);

    // Function selectors: opens the list of button 1..7 and follows the path,
    // hovering sub-list entries and clicking the last one.
    bool ChooseFunction(int button, const layout::ListPath& path, const std::string& what);
    // False, with a failure and a screenshot, when the list does not show
    // on top of the windows under it.
    bool ExpectListInFront(const Rect& list, const std::string& what);
    // "Keyboard" with the dialog: modifiers ticked, one key pressed in the
    // first field, OK.
    bool AssignKeyboard(int button, bool ctrl, bool shift, unsigned long keysym);
    // "Rapid Fire" > "Keyboard": the key and the rapid-fire number, OK.
    bool AssignRapidKey(int button, unsigned long keysym, const std::string& number);
    // "Rapid Fire" > "Mouse" > entry: the rapid-fire number, OK.
    bool AssignRapidMouse(int button, const layout::ListPath& path, const std::string& number);

    // Presses the page's Apply (or another button that applies) and waits
    // until a new profile was saved and, when the settings differ from the
    // mouse's, until the mouse's memory changed.
    bool ApplyAndWait(bool mouseChanges = true);
    bool PressAndWaitForSave(Point button, const std::string& what, bool mouseChanges);

    // The state after the program ended.
    std::optional<Bytes> SavedProfile();
    std::optional<Bytes> MouseMemory();
    std::optional<std::string> UserRegistryValue(const std::string& key, const std::string& name);

    // The expected profile (the start-up record with these assignments) and
    // the image Apply sends for it with the given button response time.
    Bytes ExpectedProfile(const std::vector<std::string>& assignments);
    Bytes ExpectedImage(const std::vector<std::string>& assignments, int buttonResponse);

    Background program_;
    std::filesystem::path artifacts_;
    Rect main_;
    int shots_ = 0;
};

}  // namespace vandir::e2e
