#pragma once
// What the settings owner tells the person, in the program's words: the
// skin's no-mouse notice (pop-up kind 155) over the main window, the others in
// a message box with the main window's title.

#include <functional>
#include <string>

#include "control/SettingsView.h"
#include "platform/win32/framework/Wnd.h"
#include "skin/SkinContext.h"

namespace vandir {

// Shows text, caption and MB_* flags (the program's message boxes).
using ShowMessage = std::function<void(const std::wstring&, const std::wstring&, UINT)>;

// The message box text of a notice that is told in words.
std::wstring NoticeText(const Notice& notice);

// Tells the notice modally; owner is the main window.
void TellPerson(const Notice& notice, CWnd* owner, SkinContext& skin,
                const ShowMessage& showMessage);

}  // namespace vandir
