#include "skin/KivComboButton.h"

#include <windowsx.h>

#include "skin/ControlNotifications.h"
#include "skin/SkinText.h"

namespace vandir {
namespace {

// The program's clock for buttons built without one; it holds no state.
Clock& ProgramClock() {
    static SystemClock clock;
    return clock;
}

}  // namespace

const MessageMapEntry CKivComboButton::messageEntries[] = {
    OnMessage<&CKivComboButton::OnEraseBackground>(WM_ERASEBKGND),
    OnMessage<&CKivComboButton::OnFocusChange>(WM_KILLFOCUS),
    OnMessage<&CKivComboButton::OnFocusChange>(WM_SETFOCUS),
    OnMessage<&CKivComboButton::OnLeftButtonDown>(WM_LBUTTONDOWN),
    OnMessage<&CKivComboButton::OnLeftButtonUp>(WM_LBUTTONUP),
    OnMessage<&CKivComboButton::OnMouseMove>(WM_MOUSEMOVE),
    OnMessage<&CKivComboButton::OnSysCommand>(WM_SYSCOMMAND),
    OnMessage<&CKivComboButton::OnTimer>(WM_TIMER),
    OnReflected<&CKivComboButton::OnDrawItem>(WM_DRAWITEM),
};
const MessageMap CKivComboButton::messageMap{&CButton::messageMap, messageEntries};

CKivComboButton::CKivComboButton(InputHooks& hooks, Clock& clock)
    : hooks_(hooks), clock_(clock), font_(CreateToolkitFont(15)) {}

CKivComboButton::CKivComboButton(InputHooks& hooks) : CKivComboButton(hooks, ProgramClock()) {}

CKivComboButton::~CKivComboButton() {
    if (GetSafeHwnd() != nullptr) {
        KillTimer(kListWatchTimer);
    }
    // The list goes first, while this button can still take what it sends;
    // a message arriving meanwhile finds no list.
    std::unique_ptr<CKivMenu> list = std::move(list_);
    list.reset();
}

void CKivComboButton::PreSubclassWindow() {
    ModifyStyle(0, BS_OWNERDRAW);
}

void CKivComboButton::SetImages(ImagePtr normal, ImagePtr hover, ImagePtr pressed) {
    pictures_ = ButtonPictures{std::move(normal), std::move(hover), std::move(pressed), nullptr};
    if (GetSafeHwnd() != nullptr) {
        Invalidate();
    }
}

void CKivComboButton::AddItem(int value, const std::wstring& text) {
    if (list_ == nullptr) {
        if (GetSafeHwnd() == nullptr) {
            return;
        }
        auto list = std::make_unique<CKivMenu>(hooks_);
        const RECT window = GetWindowRect();
        const RECT rect{0, 0, window.right - window.left - 2, 10};
        // The list is told apart by a command ID of its own: the tick count.
        if (!list->Create(L"menu", rect, GetSafeHwnd(),
                          static_cast<UINT>(clock_.NowMilliseconds()))) {
            return;
        }
        list_ = std::move(list);
    }
    list_->AddItem(value, text, true, false);
}

void CKivComboButton::AddSubItem(int value, int parentValue, const std::wstring& text) {
    if (list_ != nullptr) {
        list_->AddSubItem(value, parentValue, text, true);
    }
}

void CKivComboButton::AddThirdLevelItem(int value, const std::wstring& text) {
    if (list_ != nullptr) {
        list_->AddThirdLevelItem(value, text);
    }
}

void CKivComboButton::SelectItem(int value) {
    if (list_ == nullptr) {
        return;
    }
    if (const MenuItem* item = list_->FindItem(value); item != nullptr) {
        caption_ = item->text;
        selectedValue_ = value;
        Invalidate();
    }
}

void CKivComboButton::SetCaption(const std::wstring& text, int value, int parameter1,
                                 int parameter2) {
    caption_ = text;
    selectedValue_ = value;
    parameter1_ = parameter1;
    parameter2_ = parameter2;
    Invalidate();
}

void CKivComboButton::SetCaptionEx(const std::wstring& text, int value, int parameter1,
                                   int parameter3, int parameter4) {
    caption_ = text;
    selectedValue_ = value;
    parameter1_ = parameter1;
    parameter3_ = parameter3;
    parameter4_ = parameter4;
    Invalidate();
}

bool CKivComboButton::OnEraseBackground(Message& m) {
    m.result = TRUE;
    return true;
}

bool CKivComboButton::OnFocusChange(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    Invalidate();
    return true;
}

bool CKivComboButton::OnLeftButtonDown(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    state_ = kButtonPressed;
    if (list_ != nullptr) {
        list_->Hide();
    }
    Invalidate();
    // Within the guard time of the list having been visible, the mouse hook
    // has just closed it because this press fell outside it: the click only
    // closes the list.
    reopenSuppressed_ = clock_.NowMilliseconds() - listSeenAt_ < kReopenGuardMilliseconds;
    return true;
}

bool CKivComboButton::OnLeftButtonUp(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    state_ = kButtonNormal;
    Invalidate();
    if (list_ != nullptr && !reopenSuppressed_) {
        ToggleList();
    }
    return true;
}

void CKivComboButton::ToggleList() {
    RECT button = GetWindowRect();
    // Set until the next press recomputes it.
    reopenSuppressed_ = true;
    SetTimer(kListWatchTimer, kListWatchMilliseconds);
    const int screenHeight = ::GetSystemMetrics(SM_CYFULLSCREEN);
    const int screenWidth = ::GetSystemMetrics(SM_CXFULLSCREEN);
    button.bottom -= 2;
    if (list_->IsWindowVisible()) {
        list_->Hide();
        return;
    }
    const bool roomOnTheRight = button.right + 200 < screenWidth;
    if (list_->MeasureHeight() + button.bottom < screenHeight) {
        list_->ShowAt(roomOnTheRight ? CKivMenu::kTopLeft : CKivMenu::kTopRight, button.left,
                      button.bottom);
    } else {
        list_->ShowAt(roomOnTheRight ? CKivMenu::kBottomLeft : CKivMenu::kBottomRight, button.left,
                      button.top);
    }
}

bool CKivComboButton::OnMouseMove(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    const LPARAM id = GetDlgCtrlID();
    switch (TrackHover(GetSafeHwnd(), m.lParam, tracking_, state_)) {
        case HoverChange::Entered:
            NotifyParent(GetParent(), kMouseEntered, id);
            break;
        case HoverChange::Left:
            NotifyParent(GetParent(), kMouseLeft, id);
            break;
        case HoverChange::None:
            break;
    }
    return true;
}

bool CKivComboButton::OnSysCommand(Message& m) {
    if (m.wParam == kListHiding) {
        NotifyParent(GetParent(), kListHiding, m.lParam);
        m.result = 0;
        return true;
    }
    const MenuItem* item = list_ != nullptr ? list_->FindItem(static_cast<int>(m.lParam)) : nullptr;
    if (item == nullptr) {
        return false;  // not from the list: default processing
    }
    // Copied before the parent runs: it may add entries meanwhile.
    const std::wstring text = item->text;
    const int value = item->value;
    NotifyParent(GetParent(), static_cast<WPARAM>(GetDlgCtrlID()), value);
    if (captionFollowsSelection_) {
        caption_ = text;
        selectedValue_ = static_cast<int>(m.lParam);
        Invalidate();
    } else {
        captionFollowsSelection_ = true;
    }
    // A list's choice is no system command: the default processing would
    // take a command ID such as 0xF060 for one (and close the button).
    m.result = 0;
    return true;
}

bool CKivComboButton::OnTimer(Message& m) {
    if (m.wParam != kListWatchTimer) {
        return false;
    }
    if (list_ != nullptr && list_->IsWindowVisible()) {
        listSeenAt_ = clock_.NowMilliseconds();
    } else {
        KillTimer(kListWatchTimer);
    }
    m.result = Default(m.message, m.wParam, m.lParam);
    return true;
}

bool CKivComboButton::OnDrawItem(Message& m) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
    const RECT& r = item->rcItem;
    const bool disabled = (GetStyle() & WS_DISABLED) != 0;
    DrawButtonPicture(item->hDC, pictures_.Choose(disabled, false, state_), r.right - r.left,
                      r.bottom - r.top);
    const COLORREF colour = TextColourOf(state_ == kButtonHover ? hoverTextColour_ : textColour_);
    DrawSkinText(item->hDC, font_.get(), caption_, colour, false, true, r.left + 11, r.top, r.right,
                 r.bottom - 3);
    m.result = TRUE;
    return true;
}

}  // namespace vandir
