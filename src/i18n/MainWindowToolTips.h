#pragma once
// Tool-tip texts of the main window: the four tab buttons, the language
// button and the hidden Reset to Default and Apply buttons.

#include "i18n/ToolTipTable.h"

namespace vandir {

// Rows in the order in which the window registers its tools.
ToolTipTable MainWindowToolTips();

}  // namespace vandir
