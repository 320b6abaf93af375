#pragma once
// Tool-tip texts of the key-assignment / OS-sensitivity page (both modes).

#include "i18n/ToolTipTable.h"

namespace vandir {

// Every tool of the page, in the order in which the page registers them: the
// seven function selectors (IDC_MS_SELECTOR_1 .. 7), then the nine other tools.
ToolTipTable KeyAssignmentToolTips();

// The seven function selectors. Their language columns are empty: a selector's
// tip is the translated name of its function (TranslatedFunctionName).
ToolTipTable KeyAssignmentSelectorToolTips();

// The nine other tools, whose tips come from their own language columns.
ToolTipTable KeyAssignmentPageToolTips();

}  // namespace vandir
