#pragma once
// CMouseSettingsDlg: the "Mouse Settings" page in one of its two faces; the
// main window makes one of each from the same template and shows at most one.
//   Key assignment (mode 12): the seven function selectors with their lists,
//   the hot-spots and number badges that light while a button's controls are
//   pointed at, and the dialogs a choice may open (key capture, rapid fire,
//   the "Left Click" notice).
//   OS sensitivity (mode 17): the polling rate, Lock/Unlock and the pointer
//   speed, double-click speed and response time sliders; the first two write
//   the system's settings for the session as they move.
// Tabs 1097 and 1098 switch between the faces through the main window.

#include <array>

#include "model/FunctionCatalogue.h"
#include "pages/KivPage.h"
#include "storage/SystemIntegration.h"

namespace vandir {

class CKivComboButton;

class CMouseSettingsDlg : public CKivPage {
public:
    static constexpr int kKeyAssignmentMode = 12;
    static constexpr int kOsSensitivityMode = 17;

    CMouseSettingsDlg(int mode, SkinContext& context, PageHost& host, SystemIntegration& system,
                      CWnd* parent);

    int mode() const { return mode_; }

    void PushSettings(const MouseSettings& settings) override;
    void CollectSettings(MouseSettings& settings) override;
    // The page's tips; on the key-assignment face also each selector's tip,
    // the translated name of its function (empty in English).
    void ApplyLanguage(int language) override;

    // Marks the face's own tab: 1097 on the key-assignment face, 1098 on the
    // OS-sensitivity face.
    void OnShownByTab() override { MarkOwnTab(); }
    void MarkOwnTab();
    // Hides every open function list (a press on the main window's background).
    void CloseLists() override;
    // Makes the selectors' function lists, once (key-assignment face only).
    void BuildLists() override;
    bool ListsBuilt() const override;

protected:
    BOOL OnInitDialog() override;
    void OnControlEvent(const ControlEvent& event) override;

private:
    void SetUpKeyAssignment();
    void SetUpOsSensitivity();
    void PushKeyAssignment(const MouseSettings& settings);
    void PushOsSensitivity(const MouseSettings& settings);
    void CollectKeyAssignment(MouseSettings& settings);
    void CollectOsSensitivity(MouseSettings& settings);

    CKivComboButton& Selector(int button) const;
    // The button (0..6) whose selector, hot-spot or badge has the ID; -1.
    static int ButtonOf(int controlId);
    // A selector reported a choice; the dialogs it needs run here, and a
    // choice they take over (or the refused one) is vetoed for the selector.
    void OnFunctionChosen(int button, FunctionId chosen);
    // Returns true when the choice was handled by a dialog or refused.
    bool HandleChoice(int button, CKivComboButton& selector, FunctionId chosen);
    void ShowSelectorTip(int button, FunctionId held);
    void OnSliderMoved(int id, int position);
    void CheckOnly(const std::array<int, 4>& boxes, int checked);

    int mode_;
    SystemIntegration& system_;
    // The first pointer-speed notice (the set-up's) only clears this.
    bool pointerSpeedNoticePending_ = true;
    // The language index the selectors' tips were last given (any index).
    int selectorLanguage_ = 0;
};

}  // namespace vandir
