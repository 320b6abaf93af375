#include "pages/FunctionSelector.h"

#include <vector>

#include "platform/win32/WideText.h"

namespace vandir {

namespace {

// Adds parent's sub-list, and theirs in turn, under parent, which lies in the
// list reached by path. The catalogue's entries give the IDs of every level
// (the rapid-fire mouse entries sit under kRapidFireList, then
// kRapidFireMouseList).
void AddSubListOf(CKivComboButton& selector, std::vector<int>& path,
                  const FunctionListEntry& parent) {
    for (const FunctionListEntry& sub : parent.subList) {
        selector.AddSubItem(sub.id, parent.id, ToWide(sub.text), path);
        path.push_back(parent.id);
        AddSubListOf(selector, path, sub);
        path.pop_back();
    }
}

}  // namespace

void FillFunctionList(CKivComboButton& selector) {
    std::vector<int> path;
    for (const FunctionListEntry& entry : FunctionList()) {
        selector.AddItem(entry.id, ToWide(entry.text));
        AddSubListOf(selector, path, entry);
    }
}

FunctionSelection SelectionOf(const CKivComboButton& selector) {
    return {selector.selectedValue(),  FromWide(selector.caption()), selector.firstKey(),
            selector.rapidFireCount(), selector.secondKey(),         selector.modifiers()};
}

void ShowSelection(CKivComboButton& selector, const FunctionSelection& selection) {
    const std::wstring caption = ToWide(selection.caption);
    selector.SetCaption(caption, selection.functionId, selection.first, selection.second);
    selector.SetCaptionEx(caption, selection.functionId, selection.first, selection.secondKey,
                          selection.modifiers);
}

}  // namespace vandir
