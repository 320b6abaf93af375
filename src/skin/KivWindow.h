#pragma once
// CKivWindow: a skinned window made from its layout table. Its set-up sets the
// background sheet, binds and skins every control of the table
// (WindowControls), and registers the tool tips of its text table; its
// controls' notifications and clicks reach it as typed events
// (OnControlEvent), and the rows' roles are handled here (Cancel closes the
// window; Reset and Apply go to OnRoleClicked). A window class adds only what
// its table cannot say.
//
// Display scale: the window lays itself out at the skin store's DPI. A
// window of its own (not a child) takes its monitor's DPI when it is made,
// and a change of scale (WM_DPICHANGED, a move to a monitor of another
// scale) makes it take the suggested place and lay itself out again, with
// its child windows, at the new scale; what the person set stays.

#include <windows.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "i18n/ToolTipTable.h"
#include "platform/win32/framework/Gdi.h"
#include "platform/win32/framework/ToolTipCtrl.h"
#include "skin/ControlEvents.h"
#include "skin/KivImageDialog.h"
#include "skin/SkinContext.h"
#include "skin/WindowControls.h"
#include "skin/layout/SkinLayout.h"

namespace vandir {

class CKivWindow : public WithMessageMap<CKivWindow, CKivImageDialog> {
public:
    static const ClassMessageMap<CKivWindow> messageMap;

    // The layout, context and tool-tip table outlive the window.
    CKivWindow(const layout::WindowLayout& layout, SkinContext& context, CWnd* parent = nullptr,
               ToolTipTable toolTips = {});
    ~CKivWindow() override;

    // Sets every tool tip to its text in the language (1..12); any other
    // index changes nothing. Tips not made yet take it when they are.
    virtual void ApplyLanguage(int language);

    const layout::WindowLayout& layout() const { return controls_.layout(); }
    // The window's tool tips, made first when they were not yet.
    const CToolTipCtrl& toolTips();
    // Makes the tool-tip control and registers the table's tools, once per
    // window; a window made again makes them again.
    void SetUpToolTips();
    // Before Create: the window makes its tips only when SetUpToolTips or
    // toolTips is called, so that they never hold up its first paint.
    void DeferToolTips() { deferToolTips_ = true; }

    template <class Control>
    Control& Item(int id) const {
        return controls_.Item<Control>(id);
    }

    // The DPI the window is laid out for (the skin store's).
    int Dpi() const;
    // A length or rectangle of a table (96-DPI units) in the window's pixels.
    int Scaled(int units) const;
    layout::Rect Scaled(const layout::Rect& rect) const;
    // Lays the window and its skinned child windows out again at the skin
    // store's DPI: background, controls, then each window's own parts
    // (OnDisplayScaleChanged). Its selectors' open lists are closed first.
    void Rescale();

protected:
    // Background, controls, hidden controls and (unless deferred) tool tips,
    // in that order.
    BOOL OnInitDialog() override;
    // Relays every message to the tool tips, then the usual pre-translation.
    BOOL PreTranslateMessage(MSG* message) override;

    // A notification or click of a control of the table, or a choice from a
    // list of the window's own (MenuCommandIds).
    virtual void OnControlEvent(const ControlEvent&) {}
    // The command IDs of the lists the window owns itself (not through a
    // control), whose choices arrive as MenuChose.
    virtual std::vector<unsigned> MenuCommandIds() const { return {}; }
    // A system command that is no control notification (SC_CLOSE, ...); the
    // default processing follows.
    virtual void OnSystemCommand(WPARAM) {}
    // A click on a control with a role; Cancel closes the window.
    virtual void OnRoleClicked(layout::ControlRole role);
    // Before a change of scale: close what must not stay open across it
    // (pop-up lists the window owns itself).
    virtual void OnDisplayScaleChanging() {}
    // After the background and the table's controls took the new scale: lay
    // out what the table does not place.
    virtual void OnDisplayScaleChanged() {}

    SkinContext& context() const { return context_; }
    // Moves the window to the top-left corner of its parent's client area
    // (the pop-ups that open over a page).
    void PlaceAtParentOrigin();
    // Sets the tip of a registered tool; nothing while the tips are not made
    // yet (they are made with ApplyLanguage of the last language given).
    void SetToolTipText(int controlId, const std::wstring& text);

private:
    static const MessageMapEntry messageEntries[];

    Reply OnSysCommand(WPARAM wParam, LPARAM lParam);
    Reply OnDpiChanged(WPARAM wParam, LPARAM lParam);
    // The table's background sheet at the store's scale; the failure path
    // when it is missing.
    void TakeBackground();
    // The tips' font at the window's scale.
    void ScaleToolTipFont();
    Reply OnControlCommand(WPARAM wParam, LPARAM lParam);
    // The window of a tool: the table's control, or the template's control
    // bound for the tool tip alone.
    const CWnd* ToolWindow(int id);

    SkinContext& context_;
    WindowControls controls_;
    ToolTipTable toolTipTable_;
    CToolTipCtrl toolTipCtrl_;
    UniqueFont toolTipFont_;  // the system's tip font at the window's scale
    std::vector<std::unique_ptr<CWnd>> extraTools_;
    // The registered tools in table order.
    std::vector<std::pair<const ToolTipRow*, const CWnd*>> tools_;
    bool toolTipsSetUp_ = false;
    bool deferToolTips_ = false;
    std::optional<int> language_;  // the last language index given
};

}  // namespace vandir
