#include "pages/FunctionSelector.h"

#include "platform/win32/WideText.h"

namespace vandir {

void FillFunctionList(CKivComboButton& selector) {
    for (const FunctionListEntry& entry : FunctionList()) {
        selector.AddItem(entry.id, ToWide(entry.text));
        for (const FunctionListEntry& sub : entry.subList) {
            selector.AddSubItem(sub.id, entry.id, ToWide(sub.text));
            // The list has a third level only under the rapid-fire mouse entry.
            for (const FunctionListEntry& third : sub.subList) {
                selector.AddThirdLevelItem(third.id, ToWide(third.text));
            }
        }
    }
}

FunctionSelection SelectionOf(const CKivComboButton& selector) {
    return {selector.selectedValue(), FromWide(selector.caption()), selector.parameter1(),
            selector.parameter2(),    selector.parameter3(),        selector.parameter4()};
}

void ShowSelection(CKivComboButton& selector, const FunctionSelection& selection) {
    const std::wstring caption = ToWide(selection.caption);
    selector.SetCaption(caption, selection.functionId, selection.first, selection.second);
    selector.SetCaptionEx(caption, selection.functionId, selection.first, selection.secondKey,
                          selection.modifiers);
}

}  // namespace vandir
