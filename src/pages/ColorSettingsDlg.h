#pragma once
// CColorSettingsDlg: the LED page. Each DPI level has its own colour and
// lighting mode (Always ON, Always OFF, Rapid fire, Breathing). The level
// buttons pick the level being edited; its colour is set with three sliders
// and three boxes kept in step with them, its mode with four mode boxes. The
// mouse picture shows the colour and imitates the mode, and a swatch beside
// each level button shows that level's colour. The page edits a working copy
// of the levels (LedLevels) that reaches the record only when collected (tab
// switch, Apply, Enter).
//
// The boxes are polled (timer 1, every 200 ms): a typed number moves its
// slider and the picture at the next check, and a collect or a level change
// runs the check first, so a number typed just before is not lost. The
// check and the picture's animation run only while the page is on screen.

#include <windows.h>

#include <array>
#include <string>

#include "pages/KivPage.h"
#include "pages/LedLevels.h"
#include "skin/layout/ResourceIds.h"

namespace vandir {

class CKivMouseStatic;
class CKivSliderCtrl;
class CKivEdit;

class CColorSettingsDlg : public WithMessageMap<CColorSettingsDlg, CKivPage> {
public:
    static const ClassMessageMap<CColorSettingsDlg> messageMap;

    static constexpr UINT_PTR kEditCheckTimer = 1;
    static constexpr UINT kEditCheckPeriodMs = 200;
    // The colour sliders' and boxes' value at set-up.
    static constexpr int kInitialColourValue = 125;

    CColorSettingsDlg(SkinContext& context, PageHost& host, CWnd* parent);

    void PushSettings(const MouseSettings& settings) override;
    void CollectSettings(MouseSettings& settings) override;

    const LedLevels& levels() const { return levels_; }
    // True while the edit check and the picture's animation may run: the page
    // is on screen.
    bool timersRunning() const { return timersRunning_; }

    // Runs the edit check now, as timer 1 does.
    void CheckColourTexts();

protected:
    BOOL OnInitDialog() override;
    // Enter collects the page into the record first (no Apply).
    BOOL PreTranslateMessage(MSG* message) override;
    void OnControlEvent(const ControlEvent& event) override;

private:
    static const MessageMapEntry messageEntries[];

    static constexpr std::array kLevelButtons{IDC_LED_LEVEL_1, IDC_LED_LEVEL_2, IDC_LED_LEVEL_3};
    static constexpr std::array kSwatches{IDC_LED_SWATCH_1, IDC_LED_SWATCH_2, IDC_LED_SWATCH_3};
    static constexpr std::array kSliders{IDC_LED_RED, IDC_LED_GREEN, IDC_LED_BLUE};
    static constexpr std::array kColourBoxes{IDC_LED_RED_EDIT, IDC_LED_GREEN_EDIT,
                                             IDC_LED_BLUE_EDIT};

    CKivMouseStatic& Preview() const;
    CKivSliderCtrl& Slider(size_t channel) const;
    CKivEdit& ColourBox(size_t channel) const;
    bool IsChecked(int modeBox) const;

    // The checked mode and the sliders' colour into the entry; the mode stays
    // when no box is checked. Runs the edit check first.
    void Capture(LevelLed& entry);
    // The level's colour on its swatch, dark for Always OFF.
    void RefreshSwatch(size_t level);
    // The entry on the editing controls and the picture.
    void Show(const LevelLed& entry);
    // Checks the mode's box alone and sets the controls and the picture for
    // it; an unknown mode leaves every box unchecked and nothing else changed.
    void ShowMode(uint8_t mode);
    void EnableColourControls(bool enabled);
    void SelectLevel(size_t level);
    void MarkLevelButton(size_t level);
    // The picture's mode; its animation starts only while the timers run.
    void SetPreviewMode(int mode);

    // The page went on or off screen.
    void OnShowWindow(WPARAM shown, LPARAM status);
    // Painting after the main window came back brings the timers back.
    Reply OnPaint();
    void OnTimer(UINT_PTR id);
    void StartTimers();
    void StopTimers();

    LedLevels levels_;
    // The boxes' texts the last edit check saw.
    std::array<std::wstring, 3> lastColourTexts_;
    bool timersRunning_ = false;
};

}  // namespace vandir
