#pragma once
// What a page may ask of the main window: the page Apply and page Reset, a
// tab switch, the language of every window, the topmost request of the
// function lists, and a collect of one page. Pages never touch the record,
// the profile or the mouse themselves.

namespace vandir {

enum class PageId { KeyAssignment, OsSensitivity, Sensor, Led, Support, Language };

class PageHost {
public:
    // Starts the Apply sequence (as the main window's Apply button).
    virtual void Apply() = 0;
    // Runs the Reset sequence (as the main window's Reset button).
    virtual void Reset() = 0;
    // Switches to a page as its tab would.
    virtual void ShowPage(PageId page) = 0;
    // Sets the tool tips of every window to a language index (1..12).
    virtual void ApplyLanguageToAll(int language) = 0;
    // Makes the main window topmost (true) or not, while a list is open.
    virtual void SetTopmost(bool topmost) = 0;
    // Collects one page into the record now, without an Apply (the LED
    // page's Enter key). A host without a record has nothing to collect into.
    virtual void CollectPage(PageId page) { static_cast<void>(page); }

protected:
    ~PageHost() = default;
};

}  // namespace vandir
