#pragma once
// The key-assignment face of the mouse-settings page (mode 12): the seven
// function selectors with their lists and tips, the hot-spots and badges that
// light while a button's controls are pointed at, and the dialogs a choice
// may open (key capture, rapid fire, the "Left Click" notice).

#include "model/FunctionCatalogue.h"
#include "pages/MouseSettingsFace.h"

namespace vandir {

class CKivComboButton;

class CMouseSettingsDlg::KeyAssignmentFace : public CMouseSettingsDlg::Face {
public:
    explicit KeyAssignmentFace(CMouseSettingsDlg& page) : page_(page) {}

    int OwnTab() const override;
    // Each selector shows its button's default function; the lists come later.
    void SetUp() override;
    void Push(const MouseSettings& settings) override;
    void Collect(MouseSettings& settings) override;
    void OnControlEvent(const ControlEvent& event) override;
    void ApplyLanguage(int language) override;
    void BuildLists() override;
    bool ListsBuilt() const override;
    void CloseLists() override;

private:
    CKivComboButton& Selector(int button) const;
    // The button (0..6) whose selector, hot-spot or badge has the ID; -1.
    static int ButtonOf(int controlId);
    // A selector reported a choice; the dialogs it needs run here, and a
    // choice they take over (or the refused one) is vetoed for the selector.
    void OnFunctionChosen(int button, FunctionId chosen);
    // Returns true when the choice was handled by a dialog or refused.
    bool HandleChoice(int button, CKivComboButton& selector, FunctionId chosen);
    void ShowSelectorTip(int button, FunctionId held);
    void LightButton(int button, bool lit);

    CMouseSettingsDlg& page_;
    // The language index the selectors' tips were last given (any index).
    int selectorLanguage_ = 0;
};

}  // namespace vandir
