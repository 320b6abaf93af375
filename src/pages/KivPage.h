#pragma once
// CKivPage: a page of the main window. It is a window built from its layout
// table (CKivWindow) that copies the record into its controls (PushSettings)
// and back (CollectSettings); its Reset and Apply buttons ask the main window
// through PageHost. Enter and Esc do nothing on a page unless the page says
// otherwise.

#include <cstdint>
#include <functional>

#include "model/MouseSettings.h"
#include "pages/PageHost.h"
#include "skin/KivWindow.h"

namespace vandir {

class CKivPage : public CKivWindow {
public:
    // Copies the record's fields of this page into its controls.
    virtual void PushSettings(const MouseSettings& settings) = 0;
    // Writes the page's controls into the record's fields of this page.
    virtual void CollectSettings(MouseSettings& settings) = 0;

    // Hooks any page may implement; the main window calls them on every page.
    // The page was shown by a tab (it marks its own tab, if it has one).
    virtual void OnShownByTab() {}
    // Its pop-up lists: made once, in idle time or when first needed; closed
    // at a press on the main window's background or when the window hides.
    virtual void BuildLists() {}
    virtual bool ListsBuilt() const { return true; }
    virtual void CloseLists() {}
    // The mouse's firmware version from the last reading; 0 without a mouse.
    virtual void SetFirmwareVersion(uint16_t) {}
    // How the page may ask whether the mouse is there, without ever waiting.
    virtual void SetMouseLink(std::function<bool()>) {}

protected:
    CKivPage(const layout::WindowLayout& layout, SkinContext& context, PageHost& host, CWnd* parent,
             ToolTipTable toolTips)
        : CKivWindow(layout, context, parent, toolTips), host_(host) {}

    void OnRoleClicked(layout::ControlRole role) override {
        switch (role) {
            case layout::ControlRole::Reset:
                host_.Reset();
                break;
            case layout::ControlRole::Apply:
                host_.Apply();
                break;
            default:
                CKivWindow::OnRoleClicked(role);
                break;
        }
    }
    void OnOK() override {}
    void OnCancel() override {}

    PageHost& host() const { return host_; }

private:
    PageHost& host_;
};

}  // namespace vandir
