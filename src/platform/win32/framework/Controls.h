#pragma once
// The platform controls the skinned controls derive from. They add nothing
// but their names: a template's button, static or edit bound to an object.

#include "platform/win32/framework/Wnd.h"

namespace vandir {

class CButton : public CWnd {};
class CStatic : public CWnd {};
class CEdit : public CWnd {};

}  // namespace vandir
