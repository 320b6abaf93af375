#include "skin/KivComboButton.h"

#include "skin/layout/DisplayScale.h"

#include <utility>

#include "skin/ControlNotifications.h"
#include "skin/KivDrawing.h"
#include "skin/SkinText.h"

namespace vandir {
using layout::ImageState;

const MessageMapEntry CKivComboButton::messageEntries[] = {
    On<WM_SYSCOMMAND, &CKivComboButton::OnSysCommand>(),
    On<WM_TIMER, &CKivComboButton::OnTimer>(),
};
const ClassMessageMap<CKivComboButton> CKivComboButton::messageMap{messageEntries};

namespace {
constexpr int kFontHeight = 15;
constexpr int kCaptionIndent = 11;
constexpr int kCaptionLift = 3;  // the caption's bottom above the button's
constexpr int kListFrame = 2;    // the list is this much narrower than the button
constexpr int kListOverlap = 2;  // and opens this far up into it
constexpr int kRoomOnTheRight = 200;
}  // namespace

CKivComboButton::CKivComboButton(InputHooks& hooks, Clock& clock)
    : hooks_(hooks), clock_(clock), dpi_(layout::kBaseDpi), font_(CreateToolkitFont(kFontHeight)) {}

CKivComboButton::~CKivComboButton() {
    if (GetSafeHwnd() != nullptr) {
        KillTimer(kListWatchTimer);
    }
    // The list goes first, while this button can still take what it sends;
    // a message arriving meanwhile finds no list.
    std::unique_ptr<CKivMenu> list = std::move(list_);
    list.reset();
}

void CKivComboButton::SetImages(ImagePtr normal, ImagePtr hover, ImagePtr pressed) {
    ControlPictures pictures;
    pictures.look(ImageState::Normal) = std::move(normal);
    pictures.look(ImageState::Hover) = std::move(hover);
    pictures.look(ImageState::Pressed) = std::move(pressed);
    SetPictures(std::move(pictures));
}

void CKivComboButton::SetPictures(ControlPictures pictures) {
    pictures.look(ImageState::Disabled).reset();
    CKivButtonBase::SetPictures(std::move(pictures));
}

void CKivComboButton::AddItem(int value, const std::wstring& text) {
    if (list_ == nullptr) {
        if (GetSafeHwnd() == nullptr) {
            return;
        }
        auto list = std::make_unique<CKivMenu>(hooks_);
        const RECT rect{0, 0, ListWidth(), 10};
        // The list is told apart by a command ID of its own: the tick count.
        if (!list->Create(L"menu", rect, GetSafeHwnd(),
                          static_cast<UINT>(clock_.NowMilliseconds()))) {
            return;
        }
        list->SetDpi(dpi_);
        list_ = std::move(list);
    }
    list_->AddItem(value, text, true, false);
}

void CKivComboButton::AddSubItem(int value, int parentValue, const std::wstring& text,
                                 std::span<const int> listPath) {
    CKivMenu* list = list_ != nullptr ? list_->SubListAt(listPath) : nullptr;
    if (list != nullptr) {
        list->AddSubItem(value, parentValue, text, true);
    }
}

void CKivComboButton::SelectItem(int value) {
    if (list_ == nullptr) {
        return;
    }
    if (const MenuItem* item = list_->FindItem(value); item != nullptr) {
        caption_ = item->text;
        selectedValue_ = value;
        RedrawIfBound(*this);
    }
}

void CKivComboButton::SetCaption(const std::wstring& text, int value, int firstKey,
                                 int rapidFireCount) {
    caption_ = text;
    selectedValue_ = value;
    firstKey_ = firstKey;
    rapidFireCount_ = rapidFireCount;
    RedrawIfBound(*this);
}

void CKivComboButton::SetCaptionEx(const std::wstring& text, int value, int firstKey, int secondKey,
                                   int modifiers) {
    caption_ = text;
    selectedValue_ = value;
    firstKey_ = firstKey;
    secondKey_ = secondKey;
    modifiers_ = modifiers;
    RedrawIfBound(*this);
}

void CKivComboButton::OnPressed() {
    if (list_ != nullptr) {
        list_->Hide();
    }
    // Within the guard time of the list having been visible, the mouse hook
    // has just closed it because this press fell outside it: the click only
    // closes the list.
    reopenSuppressed_ = clock_.NowMilliseconds() - listSeenAt_ < kReopenGuardMilliseconds;
}

void CKivComboButton::OnReleased() {
    if (list_ != nullptr && !reopenSuppressed_) {
        ToggleList();
    }
}

void CKivComboButton::ToggleList() {
    RECT button = GetWindowRect();
    // Set until the next press recomputes it.
    reopenSuppressed_ = true;
    SetTimer(kListWatchTimer, kListWatchMilliseconds);
    const int screenHeight = ::GetSystemMetrics(SM_CYFULLSCREEN);
    const int screenWidth = ::GetSystemMetrics(SM_CXFULLSCREEN);
    button.bottom -= Scaled(kListOverlap);
    if (list_->IsWindowVisible()) {
        list_->Hide();
        return;
    }
    const bool roomOnTheRight = button.right + Scaled(kRoomOnTheRight) < screenWidth;
    if (list_->MeasureHeight() + button.bottom < screenHeight) {
        list_->ShowAt(roomOnTheRight ? CKivMenu::kTopLeft : CKivMenu::kTopRight, button.left,
                      button.bottom);
    } else {
        list_->ShowAt(roomOnTheRight ? CKivMenu::kBottomLeft : CKivMenu::kBottomRight, button.left,
                      button.top);
    }
}

void CKivComboButton::OnHoverChanged(HoverChange change, UINT) {
    const int id = GetDlgCtrlID();
    NotifyParent(GetParent(), change == HoverChange::Entered ? kMouseEntered : kMouseLeft, id);
}

void CKivComboButton::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    if (wParam == kListHiding) {
        NotifyParent(GetParent(), kListHiding, lParam);
        return;
    }
    const MenuItem* item = list_ != nullptr ? list_->FindItem(static_cast<int>(lParam)) : nullptr;
    if (item == nullptr) {
        Default();  // not from the list
        return;
    }
    // Copied before the parent runs: it may add entries meanwhile.
    const std::wstring text = item->text;
    const int value = item->value;
    NotifyParent(GetParent(), static_cast<WPARAM>(GetDlgCtrlID()), value);
    if (captionFollowsSelection_) {
        caption_ = text;
        selectedValue_ = static_cast<int>(lParam);
        RedrawIfBound(*this);
    } else {
        captionFollowsSelection_ = true;
    }
    // A list's choice is no system command: the default processing would
    // take a command ID such as 0xF060 for one (and close the button).
}

void CKivComboButton::OnTimer(UINT_PTR id) {
    if (id == kListWatchTimer) {
        if (list_ != nullptr && list_->IsWindowVisible()) {
            listSeenAt_ = clock_.NowMilliseconds();
        } else {
            KillTimer(kListWatchTimer);
        }
    }
    Default();
}

void CKivComboButton::DrawOverLook(HDC dc, const RECT& item) {
    const Argb colour = state() == ImageState::Hover ? hoverTextColour_ : textColour_;
    DrawSkinText(dc, font_.Get(), caption_, colour.ToColorRef(), false, true,
                 item.left + Scaled(kCaptionIndent), item.top, item.right,
                 item.bottom - Scaled(kCaptionLift));
}

int CKivComboButton::Scaled(int units) const {
    return layout::ScaleUnits(units, dpi_);
}

int CKivComboButton::ListWidth() const {
    const RECT window = GetWindowRect();
    return window.right - window.left - Scaled(kListFrame);
}

void CKivComboButton::SetDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_) {
        return;
    }
    dpi_ = dpi;
    font_ = CreateToolkitFont(Scaled(kFontHeight));
    if (list_ != nullptr) {
        list_->SetDpi(dpi);
        list_->SetWidth(ListWidth());
    }
    RedrawIfBound(*this);
}

}  // namespace vandir
