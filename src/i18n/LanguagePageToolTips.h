#pragma once
// Tool-tip texts of the language page: the twelve language buttons, and Reset
// and Apply.

#include "i18n/ToolTipTable.h"

namespace vandir {

// Rows in the order in which the page registers its tools.
ToolTipTable LanguagePageToolTips();

}  // namespace vandir
