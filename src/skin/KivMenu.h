#pragma once
// CKivMenu: the skinned drop-down and context list. A borderless pop-up
// window that is never activated lists text entries in a dark box, highlights
// the entry under the pointer, opens cascading sub-lists beside entries that
// have them and reports the chosen entry to its owner window.
//
// Every notification goes to the owner synchronously as WM_SYSCOMMAND
// (ControlNotifications.h):
//   (command ID, entry value)   an entry was chosen, sent after the lists hid;
//   (kListHiding, 1)            a list is about to hide;
//   (kListHiding, 0)            it and the lists it closes are hidden;
//   any system command sent to a list goes on to the owner unchanged, after
//   which the list hides.
// Owners must not destroy a list from inside one of these notifications.
//
// Clicks outside the open lists reach the list shown last through the
// application's low-level mouse hook (InputHooks, message kHookMessage).
// The mouse is the only input: there is no keyboard navigation.
//
// User-interface thread only.

#include <windows.h>
// After windows.h, which it builds on.

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/win32/framework/Gdi.h"
#include "platform/win32/framework/Wnd.h"
#include "skin/InputHooks.h"

namespace vandir {

// One entry of a list. The list that holds it allocates and owns it; entries
// never move in memory while their list lives, so a pointer from FindItem
// stays valid until the list is destroyed.
struct MenuItem {
    int value = 0;  // unique within one list level; reported when chosen
    RECT rect{};    // hit and drawing area, client coordinates, set by Layout
    std::wstring text;
    bool enabled = true;      // a disabled entry cannot be chosen
    bool hasSubList = false;  // opens the sub-list whose command ID is value
};

class CKivMenu : public WithMessageMap<CKivMenu, CWnd> {
public:
    static const ClassMessageMap<CKivMenu> messageMap;

    // Anchors of ShowAt: which corner of the list lies at the given point.
    static constexpr int kTopLeft = 0;
    static constexpr int kTopRight = 1;
    static constexpr int kBottomLeft = 2;
    static constexpr int kBottomRight = 3;

    // The mouse hook is the application's (one per process); sub-lists this
    // list creates share it.
    explicit CKivMenu(InputHooks& hooks);
    // Removes the mouse hook if it points at this list, then destroys the
    // sub-lists, the entries, the font and, unbound first, the window.
    ~CKivMenu() override;

    // Creates the hidden pop-up window (never activated, no caption, no
    // border, no background brush) at rect, in screen coordinates, owned by
    // owner, which receives every notification. Users pass the window name
    // "menu" and a height of 10; the height is set again by Layout. False,
    // with nothing created, when owner is null or this list already has a
    // window.
    virtual bool Create(const wchar_t* windowName, const RECT& rect, HWND owner, UINT commandId);

    // Appends an entry unless this list already holds one with the value (the
    // existing entry, its text included, then stays as it was). True when the
    // entry was added.
    bool AddItem(int value, const std::wstring& text, bool enabled = true, bool hasSubList = false);
    // For every entry of this list with parentValue: marks it as having a
    // sub-list and adds (value, text, enabled) to that sub-list, created when
    // needed. Nothing happens when no entry has parentValue.
    void AddSubItem(int value, int parentValue, const std::wstring& text, bool enabled = true);
    // The sub-list reached by following path from this list: each value names
    // an entry of the list reached so far, whose sub-list must exist. This
    // list for an empty path; null where the path breaks. Creates nothing:
    // with AddSubItem on the list it returns, entries nest at any depth.
    CKivMenu* SubListAt(std::span<const int> path);
    // The sub-list whose command ID is key; created on first request with
    // Create("menu", (0, 0, 100, 10), this list's owner, key) and this list as
    // its parent list.
    CKivMenu* GetSubList(int key);
    // Sizes the list for a display of dpi: its font, margins, entry heights
    // and the width of its sub-lists (the list's own width is its creator's);
    // its sub-lists, made or still to come, follow. 96 until told otherwise.
    void SetDpi(int dpi);
    int dpi() const { return dpi_; }
    // Sets the window's width, keeping its place and height.
    void SetWidth(int width);

    // The first entry with value: this list's entries in order, then each
    // sub-list in creation order, depth first. Null when there is none.
    MenuItem* FindItem(int value);

    // The sum over the entries of (text height in the list font + 4): the
    // list's natural height without its margins.
    int MeasureHeight() const;
    // Gives entry i the rectangle (1, 4 + i*E, W - 15, 4 + (i+1)*E), where E
    // is the first entry's text height + 4 and W the window width, and sizes
    // the window to W x (entries * E + 8), keeping its top-left corner.
    // Does nothing for a list without entries.
    void Layout();
    // Lays the list out, places the anchor corner (kTopLeft ...; any other
    // kind places like kTopLeft) at the screen point (x, y), shows it without
    // activating it and directs the mouse hook at it. Does nothing for a list
    // without entries.
    void ShowAt(int kind, int x, int y);
    // Hides the whole chain of open lists this one belongs to, notifying the
    // owner around each closing; the root's hiding removes the mouse hook.
    // Does nothing when the list is hidden.
    void Hide();

    UINT commandId() const { return commandId_; }
    HWND owner() const { return owner_; }
    CKivMenu* parentList() const { return parentList_; }
    int hoverIndex() const { return hoverIndex_; }
    int clickedValue() const { return clickedValue_; }
    const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }
    const std::vector<std::unique_ptr<CKivMenu>>& subLists() const { return subLists_; }

protected:
    // The command ID given to Create is not a menu.
    BOOL PreCreateWindow(CREATESTRUCTW& create) override;

private:
    static const MessageMapEntry messageEntries[];

    void OnPaint();
    void OnLeftButtonDown(POINT point, UINT keys);
    void OnMouseMove(POINT point, UINT keys);
    void OnLeftButtonUp(POINT point, UINT keys);
    void OnSysCommand(WPARAM command, LPARAM value);
    void OnHookMessage(WPARAM mouseMessage, LPARAM);
    int OnMouseActivate();
    void OnDestroy();

    // The existing sub-list with this command ID, or null (never creates).
    CKivMenu* FindSubList(int key) const;
    // The entry under the client point: sets the hover index to its position
    // and returns its value; -1 (and hover index -1) for none.
    int HitTest(POINT client);
    // Hides every visible sub-list with its own sub-lists, notifying the
    // owner around each, without touching parents or the mouse hook.
    void CloseSubLists();
    // Makes this list the one shown last: shows it and points the hook at it.
    void ShowAndHook();
    // Hides this list's window and takes it out of the topmost band.
    void HideWindow();
    // True when the owner's window or a shown list of this chain is topmost:
    // this list must then be too, to show over them.
    bool MustBeTopmost() const;
    // Height of text in the list font, measured on dc with the font selected.
    static int TextHeight(HDC dc, const std::wstring& text);
    // The first entry's text height + 4; 0 without entries.
    int EntryHeight() const;
    void Notify(WPARAM wParam, LPARAM lParam) const;
    // A length of the list's design (96-DPI units) at the list's DPI.
    int Scaled(int units) const;

    InputHooks& hooks_;
    int dpi_;
    UINT commandId_ = 0;
    int hoverIndex_ = -1;
    DWORD textColour_ = 0xFF5A5A5A;       // entry text and sub-list arrow (ARGB)
    DWORD hoverTextColour_ = 0xFFFFFFFF;  // text of the hover entry (ARGB)
    DWORD backgroundColour_ = 0xFF282828;
    DWORD borderColour_ = 0xFF5A5A5A;
    int clickedValue_ = -1;
    UniqueFont font_;
    HWND owner_ = nullptr;
    CKivMenu* parentList_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> items_;
    std::vector<std::unique_ptr<CKivMenu>> subLists_;
};

}  // namespace vandir
