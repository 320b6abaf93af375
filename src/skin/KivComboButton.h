#pragma once
// CKivComboButton: the owner-drawn button that opens a skinned drop-down list
// (CKivMenu) and shows the chosen entry as its caption; the function
// selectors of the key-assignment page. It has the looks and hover/press
// state machine of every skinned button (CKivButtonBase), but no disabled
// look, and tells its parent
// (ControlNotifications.h):
//   (kMouseEntered, control ID) and (kMouseLeft, control ID) as the mouse
//   enters and leaves it;
//   (control ID, entry value) when the user chose a list entry;
//   (kListHiding, 1) and (kListHiding, 0) around every closing of its lists.
// Clicks also reach the parent the usual way (WM_COMMAND, BN_CLICKED).
//
// A click opens the list below the button (above it near the bottom of the
// screen), towards the right (towards the left near the right edge); a click
// while the list is open only closes it. While the list is visible a 100 ms
// timer notes when it was last seen, so that a click the mouse hook already
// answered by closing the list does not open it again.
//
// User-interface thread only.

#include <windows.h>
// <windows.h> first.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "base/Clock.h"
#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Gdi.h"
#include "skin/Argb.h"
#include "skin/InputHooks.h"
#include "skin/KivButtonBase.h"
#include "skin/KivMenu.h"

namespace vandir {

class CKivComboButton : public WithMessageMap<CKivComboButton, CKivButtonBase> {
public:
    static const ClassMessageMap<CKivComboButton> messageMap;

    // The timer that watches the open list, and its period.
    static constexpr UINT_PTR kListWatchTimer = 1;
    static constexpr UINT kListWatchMilliseconds = 100;
    // A click within this time of the list having been visible only closes it.
    static constexpr uint64_t kReopenGuardMilliseconds = 200;

    // The list uses the application's mouse hook; the clock gives the tick
    // counts of the list watch. Both must outlive the button.
    CKivComboButton(InputHooks& hooks, Clock& clock);
    ~CKivComboButton() override;

    // Replaces the looks: normal, hover and pressed; the disabled look
    // becomes none. The old ones are deleted.
    void SetImages(ImagePtr normal, ImagePtr hover, ImagePtr pressed);
    // As for every skinned button, except that a disabled look is deleted:
    // a disabled combo shows its state's look.
    void SetPictures(ControlPictures pictures) override;

    // Adds an enabled entry to the top level of the list, unless one with the
    // value is there already. The first call creates the list, which needs the
    // button's window; without it nothing happens.
    void AddItem(int value, const std::wstring& text);
    // Adds an enabled entry to the sub-list of the entry parentValue of the
    // list reached by listPath (CKivMenu::SubListAt; the top level when
    // empty). Ignored before the list exists or where the path breaks.
    void AddSubItem(int value, int parentValue, const std::wstring& text,
                    std::span<const int> listPath = {});

    // Shows the entry with the value (found anywhere in the list) as the
    // caption and selected value; nothing when there is none. No notification.
    void SelectItem(int value);
    // Store the caption, the selected value and the values of the function
    // that go with it, and redraw. No notification. SetCaption is for the
    // rapid-fire functions (the button bit or key, and the count), SetCaptionEx
    // for the keyboard functions (the two keys and the modifiers).
    void SetCaption(const std::wstring& text, int value, int firstKey, int rapidFireCount);
    void SetCaptionEx(const std::wstring& text, int value, int firstKey, int secondKey,
                      int modifiers);

    // Whether a chosen entry becomes the caption. An owner that clears it
    // while handling a selection notification keeps its own caption for that
    // one selection; the flag is then set again.
    void SetCaptionFollowsSelection(bool follows) { captionFollowsSelection_ = follows; }
    bool captionFollowsSelection() const { return captionFollowsSelection_; }

    const std::wstring& caption() const { return caption_; }
    int selectedValue() const { return selectedValue_; }
    // The function's values stored with the caption; not interpreted by the
    // button. The first key (virtual-key code), or the rapid-fire button bit
    // or key.
    int firstKey() const { return firstKey_; }
    // How many times a rapid-fire function repeats.
    int rapidFireCount() const { return rapidFireCount_; }
    // The second key of a keyboard function (virtual-key code).
    int secondKey() const { return secondKey_; }
    // The modifier bits of a keyboard function.
    int modifiers() const { return modifiers_; }

    // Sizes the caption's font and place and the list for a display of dpi
    // (the button's own rectangle is its window's); 96 until told otherwise.
    void SetDpi(int dpi);

    // The drop-down list; null until the first AddItem.
    CKivMenu* list() const { return list_.get(); }
    bool reopenSuppressed() const { return reopenSuppressed_; }
    uint64_t listSeenAt() const { return listSeenAt_; }

private:
    static const MessageMapEntry messageEntries[];

    void OnSysCommand(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR id);

    void OnHoverChanged(HoverChange change, UINT keys) override;
    // Closes the list; a press right after the list was visible only closes it.
    void OnPressed() override;
    // Opens the list, unless the press only closed it.
    void OnReleased() override;
    void DrawOverLook(HDC dc, const RECT& item) override;

    // Opens the list at the button, or closes it when it is open.
    void ToggleList();
    // A length of the button's design (96-DPI units) at its DPI.
    int Scaled(int units) const;
    // The list's width: the button's, less its frame.
    int ListWidth() const;

    InputHooks& hooks_;
    Clock& clock_;
    std::unique_ptr<CKivMenu> list_;
    std::wstring caption_;
    int selectedValue_ = -1;
    int firstKey_ = -1;
    int rapidFireCount_ = 1;
    int secondKey_ = -1;
    int modifiers_ = -1;
    int dpi_;
    UniqueFont font_;
    Argb textColour_{0xFF5A5A5A};
    Argb hoverTextColour_{0xFFFFFFFF};
    bool captionFollowsSelection_ = true;
    bool reopenSuppressed_ = false;
    uint64_t listSeenAt_ = 0;
};

}  // namespace vandir
