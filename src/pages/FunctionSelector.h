#pragma once
// A function selector (the key-assignment page's combo button) as the
// catalogue sees it: its list, built from the catalogue's one list
// description, and its state as a FunctionSelection.

#include "model/FunctionSelection.h"
#include "skin/KivComboButton.h"

namespace vandir {

// Fills the selector's list with every entry of the function list, its
// sub-lists and the rapid-fire mouse entries, in the catalogue's order. The
// selector needs its window.
void FillFunctionList(CKivComboButton& selector);

// The selector's caption, selected value and parameters 1-4.
FunctionSelection SelectionOf(const CKivComboButton& selector);

// Gives the selector that caption, selected value and parameters, without a
// notification.
void ShowSelection(CKivComboButton& selector, const FunctionSelection& selection);

}  // namespace vandir
