#pragma once
// CSupportDlg: the support page: the online-support page, the mouse's
// firmware version, and starting the program at login.

#include <cstdint>
#include <functional>
#include <utility>

#include "pages/KivPage.h"
#include "storage/SystemIntegration.h"

namespace vandir {

// The maker's online-support page, opened in the user's browser.
inline constexpr char16_t kSupportAddress[] = u"https://www.meridane.com/support/vandir-ii";

class CSupportDlg : public CKivPage {
public:
    CSupportDlg(SkinContext& context, PageHost& host, SystemIntegration& system, CWnd* parent);

    void PushSettings(const MouseSettings& settings) override;
    void CollectSettings(MouseSettings& settings) override;

    // The version the mouse reported at the last connect; 0 without a mouse.
    void SetFirmwareVersion(uint16_t version) override { firmwareVersion_ = version; }
    // How the version pop-up asks whether the mouse is there (the main
    // window's link to it; the page never touches the mouse itself).
    void SetMouseLink(std::function<bool()> ensureOpen) override {
        ensureOpen_ = std::move(ensureOpen);
    }
    uint16_t firmwareVersion() const { return firmwareVersion_; }

protected:
    void OnControlEvent(const ControlEvent& event) override;
    // Shows the version pop-up (kind 150) modally over the page.
    virtual void ShowVersion();

private:
    SystemIntegration& system_;
    uint16_t firmwareVersion_ = 0;
    std::function<bool()> ensureOpen_;
};

}  // namespace vandir
