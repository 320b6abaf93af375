#pragma once
// What a face of the mouse-settings page does for it: its set-up, the
// record's fields it shows, its own controls' events, and the hooks only the
// key-assignment face fills (lists, selector tips). The page calls these only
// while its window exists.

#include "pages/MouseSettingsDlg.h"

namespace vandir {

class CMouseSettingsDlg::Face {
public:
    virtual ~Face() = default;

    // The face's tab on the page (IDC_MS_TAB_KEYS or IDC_MS_TAB_OS).
    virtual int OwnTab() const = 0;
    // After the page's own set-up (background, controls, tab marked).
    virtual void SetUp() = 0;
    virtual void Push(const MouseSettings& settings) = 0;
    virtual void Collect(MouseSettings& settings) = 0;
    // An event of the face's controls; the tabs are the page's.
    virtual void OnControlEvent(const ControlEvent& event) = 0;

    // After the page's tips took the language.
    virtual void ApplyLanguage(int) {}
    virtual void BuildLists() {}
    virtual bool ListsBuilt() const { return true; }
    virtual void CloseLists() {}
};

}  // namespace vandir
