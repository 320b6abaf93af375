#pragma once
// The controls of one window, made from its layout table: one object per
// row, of the class the row's kind names, bound to the template's control of
// the row's ID, placed at the row's rectangle and given the row's pictures,
// range, font and style, while the table's hidden template controls are
// hidden. A window keeps only what its table cannot say.
//
// This is where the table's 96-DPI units become the display's pixels: every
// rectangle and font height is scaled to the skin store's DPI (the pictures
// are cut from the set of that scale), so the windows above never scale.

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/framework/Wnd.h"
#include "skin/SkinContext.h"
#include "skin/layout/SkinLayout.h"

namespace vandir {

class WindowControls {
public:
    // Makes the control objects of the table; nothing is bound yet.
    WindowControls(const layout::WindowLayout& layout, SkinContext& context);
    ~WindowControls();
    WindowControls(const WindowControls&) = delete;
    WindowControls& operator=(const WindowControls&) = delete;

    // Binds every control to the child of window with its ID (a row whose
    // control the template lacks is left unbound), places and skins it, and
    // hides the table's hidden controls. Once, in the window's set-up.
    void Bind(const CWnd& window);
    // Places, skins and sizes the fonts of every bound control again at the
    // skin store's DPI now, after a change of display scale. What the person
    // set (positions, checks, texts) stays.
    void Rescale();
    // Hides the open lists of the window's function selectors.
    void CloseLists();

    // The control object of an ID, of the class the table gives it; throws
    // std::logic_error for an ID the table lacks or a class that is not the
    // row's (a mistake in the window's code, caught at the window boundary).
    template <class Control>
    Control& Item(int id) const {
        auto* control = dynamic_cast<Control*>(Find(id));
        if (control == nullptr) {
            throw std::logic_error(std::string(layout_.name) + ": no control " +
                                   std::to_string(id) + " of that class");
        }
        return *control;
    }

    // The control object of an ID, or null.
    CWnd* Find(int id) const;

    const layout::WindowLayout& layout() const { return layout_; }

private:
    const layout::WindowLayout& layout_;
    SkinContext& context_;
    std::vector<std::pair<int, std::unique_ptr<CWnd>>> controls_;
};

}  // namespace vandir
