// Never run: the build's tests hand this file to the compiler once per case.
// The correct chain must compile; each wrong chain must be refused, with the
// message that names the rule.

#include "platform/win32/framework/Controls.h"

namespace vandir {
namespace {

// A control with its own map, as the skinned controls declare theirs.
class Control : public WithMessageMap<Control, CButton> {
public:
    static const ClassMessageMap<Control> messageMap;

private:
    static const MessageMapEntry messageEntries[];
    void OnPaint() {}
};
const MessageMapEntry Control::messageEntries[] = {On<WM_PAINT, &Control::OnPaint>()};
const ClassMessageMap<Control> Control::messageMap{messageEntries};

#if defined(CHAIN_NAMED_BY_HAND)
// Derives from Control but builds its map by hand, naming CWnd's as the next.
class Derived : public Control {
public:
    static const MessageMap messageMap;

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }

private:
    static const MessageMapEntry messageEntries[];
    void OnPaint() {}
};
const MessageMapEntry Derived::messageEntries[] = {On<WM_PAINT, &Derived::OnPaint>()};
const MessageMap Derived::messageMap{&CWnd::messageMap, messageEntries};
#else
#if defined(CHAIN_SKIPS_ITS_BASE)
// Derives from Control but does not say so to its map: the map would chain to
// CButton, skipping Control's.
class Derived : public Control {
#elif defined(CHAIN_WITHOUT_ITS_BASE)
// Derives from CButton without naming it for its map.
class Derived : public CButton {
#else
class Derived : public WithMessageMap<Derived, Control> {
#endif
public:
    static const ClassMessageMap<Derived> messageMap;

private:
    static const MessageMapEntry messageEntries[];
    void OnPaint() {}
};
const MessageMapEntry Derived::messageEntries[] = {On<WM_PAINT, &Derived::OnPaint>()};
const ClassMessageMap<Derived> Derived::messageMap{messageEntries};
#endif

}  // namespace
}  // namespace vandir
