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
// Tabs 1097 and 1098 switch between the faces through the main window. The
// page picks its face once, when it is made; each face is an object of its own
// (KeyAssignmentFace, OsSensitivityFace) that holds what only it needs.

#include <array>
#include <memory>

#include "model/FunctionCatalogue.h"
#include "pages/KivPage.h"
#include "storage/SystemIntegration.h"

namespace vandir {

class CMouseSettingsDlg : public CKivPage {
public:
    // The numbers are the skin's and the template's mode numbers.
    enum class Mode { KeyAssignment = 12, OsSensitivity = 17 };

    CMouseSettingsDlg(Mode mode, SkinContext& context, PageHost& host, SystemIntegration& system,
                      CWnd* parent);
    ~CMouseSettingsDlg() override;

    Mode mode() const { return mode_; }

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
    // What differs between the faces; each face is a member class, so that it
    // reaches the page's controls, tips and context as the page does.
    class Face;
    class KeyAssignmentFace;
    class OsSensitivityFace;

    static std::unique_ptr<Face> MakeFace(Mode mode, CMouseSettingsDlg& page,
                                          SystemIntegration& system);

    Mode mode_;
    std::unique_ptr<Face> face_;
};

}  // namespace vandir
