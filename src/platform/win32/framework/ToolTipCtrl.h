#pragma once
// CToolTipCtrl: the standard tool-tip control of a window. Tools are the
// window's controls, identified by their own windows; the owner relays mouse
// messages to it from its PreTranslateMessage.

#include <windows.h>
// <windows.h> first.
#include <commctrl.h>

#include <string>

#include "platform/win32/framework/Wnd.h"

namespace vandir {

class CToolTipCtrl : public CWnd {
public:
    // Creates the control for owner with the given tool-tip styles (the
    // program uses TTS_ALWAYSTIP).
    bool Create(const CWnd& owner, DWORD style);
    void Activate(BOOL activate) const;
    // Registers a control of the owner as a tool with its text.
    bool AddTool(const CWnd& tool, const std::wstring& text) const;
    void UpdateTipText(const std::wstring& text, const CWnd& tool) const;
    // The tool's current text; empty when it is not a tool.
    std::wstring GetText(const CWnd& tool) const;
    void RelayEvent(MSG* message) const;
    int GetToolCount() const;

private:
    TOOLINFOW ToolInfo(const CWnd& tool) const;
};

}  // namespace vandir
