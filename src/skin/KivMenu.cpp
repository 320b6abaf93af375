#include "skin/KivMenu.h"

#include <algorithm>

#include "platform/win32/Gdiplus.h"
#include "skin/ControlNotifications.h"
#include "skin/SkinText.h"
#include "skin/layout/DisplayScale.h"

namespace vandir {
namespace {

constexpr DWORD kNoActivate = 0x08000000;   // WS_EX_NOACTIVATE
constexpr DWORD kListStyle = 0x80880000;    // WS_POPUP | WS_BORDER | WS_SYSMENU
constexpr DWORD kCaptionBits = 0x00C00000;  // WS_CAPTION: border and dialog frame
constexpr wchar_t kClassName[] = L"VandirKivMenu";

constexpr int kFontHeight = 16;
constexpr int kTextPadding = 4;  // added to the text height of each entry
constexpr int kTopMargin = 4;
constexpr int kVerticalMargins = 8;
constexpr int kRightMargin = 15;
constexpr int kTextIndent = 10;
constexpr int kSubListOverlap = 5;  // a sub-list opens this far inside the list's right edge
constexpr int kSubListRaise = 5;    // and this far above its entry
constexpr int kSubListDrop = 25;    // near the screen bottom: its bottom edge this far below
constexpr int kSubListWidth = 100;
constexpr int kArrowWidth = 5;  // a sub-list's arrow, at the entry's right end

}  // namespace

const MessageMapEntry CKivMenu::messageEntries[] = {
    On<WM_PAINT, &CKivMenu::OnPaint>(),
    On<WM_LBUTTONDOWN, &CKivMenu::OnLeftButtonDown>(),
    On<WM_MOUSEMOVE, &CKivMenu::OnMouseMove>(),
    On<WM_LBUTTONUP, &CKivMenu::OnLeftButtonUp>(),
    On<WM_SYSCOMMAND, &CKivMenu::OnSysCommand>(),
    On<kHookMessage, &CKivMenu::OnHookMessage>(),
    On<WM_MOUSEACTIVATE, &CKivMenu::OnMouseActivate>(),
    On<WM_DESTROY, &CKivMenu::OnDestroy>(),
};
const ClassMessageMap<CKivMenu> CKivMenu::messageMap{messageEntries};

CKivMenu::CKivMenu(InputHooks& hooks)
    : hooks_(hooks), dpi_(layout::kBaseDpi), font_(CreateToolkitFont(kFontHeight)) {}

CKivMenu::~CKivMenu() {
    // The hook must not outlive the list it points at. The window then goes
    // with the object, unbound first (CWnd's rule); the sub-lists, members,
    // take their own windows with them before it.
    if (GetSafeHwnd() != nullptr && hooks_.MouseTarget() == GetSafeHwnd()) {
        hooks_.RemoveMouseHook();
    }
}

bool CKivMenu::Create(const wchar_t* windowName, const RECT& rect, HWND owner, UINT commandId) {
    if (owner == nullptr || GetSafeHwnd() != nullptr) {
        return false;
    }
    owner_ = owner;
    commandId_ = commandId;
    const wchar_t* className = RegisterWindowClass(kClassName);
    if (!CreateEx(kNoActivate, className, windowName, kListStyle, rect, owner, commandId)) {
        return false;
    }
    ModifyStyle(kCaptionBits, 0);
    // Moving with a frame change makes the system drop the border at once,
    // even though the size does not change.
    ::SetWindowPos(GetSafeHwnd(), nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

BOOL CKivMenu::PreCreateWindow(CREATESTRUCTW& create) {
    create.hMenu = nullptr;
    return CWnd::PreCreateWindow(create);
}

bool CKivMenu::AddItem(int value, const std::wstring& text, bool enabled, bool hasSubList) {
    for (const auto& item : items_) {
        if (item->value == value) {
            return false;
        }
    }
    auto item = std::make_unique<MenuItem>();
    item->value = value;
    item->text = text;
    item->enabled = enabled;
    item->hasSubList = hasSubList;
    items_.push_back(std::move(item));
    return true;
}

void CKivMenu::AddSubItem(int value, int parentValue, const std::wstring& text, bool enabled) {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i]->value == parentValue) {
            items_[i]->hasSubList = true;
            GetSubList(parentValue)->AddItem(value, text, enabled, false);
        }
    }
}

CKivMenu* CKivMenu::SubListAt(std::span<const int> path) {
    CKivMenu* list = this;
    for (const int value : path) {
        const auto& items = list->items_;
        const bool present = std::any_of(
            items.begin(), items.end(), [value](const auto& item) { return item->value == value; });
        list = present ? list->FindSubList(value) : nullptr;
        if (list == nullptr) {
            return nullptr;
        }
    }
    return list;
}

CKivMenu* CKivMenu::FindSubList(int key) const {
    for (const auto& list : subLists_) {
        if (list->commandId_ == static_cast<UINT>(key)) {
            return list.get();
        }
    }
    return nullptr;
}

CKivMenu* CKivMenu::GetSubList(int key) {
    if (CKivMenu* existing = FindSubList(key); existing != nullptr) {
        return existing;
    }
    auto list = std::make_unique<CKivMenu>(hooks_);
    list->Create(L"menu", RECT{0, 0, Scaled(kSubListWidth), 10}, owner_, static_cast<UINT>(key));
    list->SetDpi(dpi_);
    // Without a window (no owner yet, or creation refused) the list still
    // keeps its entries; it is simply never shown.
    list->commandId_ = static_cast<UINT>(key);
    list->parentList_ = this;
    subLists_.push_back(std::move(list));
    return subLists_.back().get();
}

MenuItem* CKivMenu::FindItem(int value) {
    for (const auto& item : items_) {
        if (item->value == value) {
            return item.get();
        }
    }
    for (const auto& list : subLists_) {
        if (MenuItem* found = list->FindItem(value); found != nullptr) {
            return found;
        }
    }
    return nullptr;
}

int CKivMenu::Scaled(int units) const {
    return layout::ScaleUnits(units, dpi_);
}

void CKivMenu::SetDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_) {
        return;
    }
    dpi_ = dpi;
    font_ = CreateToolkitFont(Scaled(kFontHeight));
    for (const auto& list : subLists_) {
        list->SetDpi(dpi);
        list->SetWidth(Scaled(kSubListWidth));
    }
    if (GetSafeHwnd() != nullptr && IsWindowVisible()) {
        Layout();
    }
}

void CKivMenu::SetWidth(int width) {
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    const RECT window = GetWindowRect();
    MoveWindow(window.left, window.top, width, window.bottom - window.top);
}

int CKivMenu::TextHeight(HDC dc, const std::wstring& text) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cy;
}

int CKivMenu::MeasureHeight() const {
    WindowDC dc(GetSafeHwnd());
    SelectedObject selected(dc.Get(), font_.Get());
    int height = 0;
    for (const auto& item : items_) {
        height += TextHeight(dc.Get(), item->text) + Scaled(kTextPadding);
    }
    return height;
}

int CKivMenu::EntryHeight() const {
    if (items_.empty()) {
        return 0;
    }
    WindowDC dc(GetSafeHwnd());
    SelectedObject selected(dc.Get(), font_.Get());
    return TextHeight(dc.Get(), items_.front()->text) + Scaled(kTextPadding);
}

void CKivMenu::Layout() {
    if (items_.empty()) {
        return;
    }
    const RECT window = GetWindowRect();
    const int width = window.right - window.left;
    const int entryHeight = EntryHeight();
    for (size_t i = 0; i < items_.size(); ++i) {
        const int top = Scaled(kTopMargin) + static_cast<int>(i) * entryHeight;
        items_[i]->rect = RECT{1, top, width - Scaled(kRightMargin), top + entryHeight};
    }
    MoveWindow(window.left, window.top, width,
               static_cast<int>(items_.size()) * entryHeight + Scaled(kVerticalMargins));
}

void CKivMenu::ShowAt(int kind, int x, int y) {
    if (items_.empty()) {
        return;
    }
    Layout();
    hoverIndex_ = -1;
    const RECT window = GetWindowRect();
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    switch (kind) {
        case kTopRight:
            x -= width;
            break;
        case kBottomLeft:
            y -= height;
            break;
        case kBottomRight:
            x -= width;
            y -= height;
            break;
        default:
            break;
    }
    MoveWindow(x, y, width, height);
    Layout();
    ShowAndHook();
}

void CKivMenu::ShowAndHook() {
    // Shown on top of its owner and of the lists shown before, without
    // taking the activation from the owner's window; in the topmost band
    // when one of them is there (the owner while another list hides, and the
    // lists that turned topmost with it).
    ::SetWindowPos(GetSafeHwnd(), MustBeTopmost() ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    hooks_.ShowMouseHookTarget(GetSafeHwnd());
}

void CKivMenu::Notify(WPARAM wParam, LPARAM lParam) const {
    NotifyParent(owner_, wParam, lParam);
}

void CKivMenu::Hide() {
    if (GetSafeHwnd() == nullptr || !IsWindowVisible()) {
        return;
    }
    Notify(kListHiding, 1);
    HideWindow();
    if (parentList_ != nullptr) {
        parentList_->Hide();
    }
    CloseSubLists();
    Notify(kListHiding, 0);
    if (parentList_ == nullptr) {
        hooks_.RemoveMouseHook();
    }
}

bool CKivMenu::MustBeTopmost() const {
    const auto topmost = [](HWND window) {
        return window != nullptr && (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    if (topmost(::GetAncestor(owner_, GA_ROOT))) {
        return true;
    }
    for (const CKivMenu* list = parentList_; list != nullptr; list = list->parentList_) {
        if (list->IsWindowVisible() && topmost(list->GetSafeHwnd())) {
            return true;
        }
    }
    return false;
}

void CKivMenu::HideWindow() {
    // The owner turns topmost while a list hides (its topmost request), and
    // the lists still shown turn topmost with it; they leave the topmost band
    // as they hide. Otherwise the next list shown, in the ordinary band,
    // would open below them and, under Wine, behind the owner.
    ::SetWindowPos(GetSafeHwnd(), HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

void CKivMenu::CloseSubLists() {
    // By index: the owner's handlers run in between.
    for (size_t i = 0; i < subLists_.size(); ++i) {
        CKivMenu& list = *subLists_[i];
        if (list.GetSafeHwnd() == nullptr || !list.IsWindowVisible()) {
            continue;
        }
        Notify(kListHiding, 1);
        list.CloseSubLists();
        list.HideWindow();
        Notify(kListHiding, 0);
    }
    // The hook followed the sub-list shown last: while this list stays open,
    // point it back here, so that a click outside still closes the lists.
    const HWND target = hooks_.MouseTarget();
    if (IsWindowVisible() && target != nullptr && target != GetSafeHwnd() &&
        !::IsWindowVisible(target)) {
        hooks_.ShowMouseHookTarget(GetSafeHwnd());
    }
}

int CKivMenu::HitTest(POINT client) {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (::PtInRect(&items_[i]->rect, client)) {
            hoverIndex_ = static_cast<int>(i);
            return items_[i]->value;
        }
    }
    hoverIndex_ = -1;
    return -1;
}

void CKivMenu::OnLeftButtonDown(POINT point, UINT) {
    Default();
    clickedValue_ = HitTest(point);
    if (clickedValue_ == -1) {
        Hide();  // a press on the margin
    }
    Invalidate(FALSE);
}

void CKivMenu::OnLeftButtonUp(POINT point, UINT) {
    Default();
    hoverIndex_ = -1;
    clickedValue_ = HitTest(point);
    if (clickedValue_ == -1) {
        return;
    }
    const MenuItem* item = FindItem(clickedValue_);
    if (item == nullptr) {
        return;
    }
    if (item->enabled && owner_ != nullptr) {
        if (item->hasSubList) {
            return;  // it opened its sub-list on hover
        }
        const int value = item->value;
        const UINT commandId = commandId_;
        Hide();
        Notify(commandId, value);
        return;
    }
    // A disabled entry is never chosen: it only closes the lists.
    Hide();
}

void CKivMenu::OnMouseMove(POINT point, UINT) {
    Default();
    for (size_t i = 0; i < items_.size(); ++i) {
        const MenuItem& item = *items_[i];
        if (!::PtInRect(&item.rect, point)) {
            continue;
        }
        const int position = static_cast<int>(i);
        if (!item.hasSubList || !item.enabled) {
            CloseSubLists();
        } else {
            if (position == hoverIndex_) {
                return;
            }
            CloseSubLists();
            const RECT window = GetWindowRect();
            const int x = window.right - Scaled(kSubListOverlap);
            const int y = window.top + item.rect.top - Scaled(kSubListRaise);
            const int entryBottom = item.rect.bottom;
            CKivMenu* list = GetSubList(item.value);
            if (!list->items_.empty()) {
                if (entryBottom + window.bottom < ::GetSystemMetrics(SM_CYFULLSCREEN)) {
                    list->ShowAt(kTopLeft, x, y);
                } else {
                    // Near the bottom of the screen the sub-list goes upwards.
                    list->Layout();
                    list->hoverIndex_ = -1;
                    const RECT size = list->GetWindowRect();
                    const int height = size.bottom - size.top;
                    list->MoveWindow(x, y + Scaled(kSubListDrop) - height, size.right - size.left,
                                     height);
                    list->Layout();
                    list->ShowAndHook();
                }
            }
        }
        if (position != hoverIndex_) {
            hoverIndex_ = position;
            Invalidate(FALSE);
        }
        return;
    }
    // Between entries the last hover entry stays highlighted.
}

void CKivMenu::OnSysCommand(WPARAM command, LPARAM value) {
    Notify(command, value);
    Hide();
}

void CKivMenu::OnHookMessage(WPARAM mouseMessage, LPARAM) {
    if (mouseMessage != WM_LBUTTONDOWN || !IsWindowVisible()) {
        return;
    }
    POINT cursor{};
    if (!::GetCursorPos(&cursor)) {
        return;
    }
    for (const CKivMenu* list = this; list != nullptr; list = list->parentList_) {
        const RECT window = list->GetWindowRect();
        if (::PtInRect(&window, cursor)) {
            return;
        }
    }
    Hide();  // a click outside the chain
}

int CKivMenu::OnMouseActivate() {
    // The no-activate style keeps a click from activating the list on
    // Windows; saying so here holds on systems that look only at this answer.
    return MA_NOACTIVATE;
}

void CKivMenu::OnDestroy() {
    // A hook left pointing at a dead window would outlive the list.
    if (hooks_.MouseTarget() == GetSafeHwnd()) {
        hooks_.RemoveMouseHook();
    }
}

void CKivMenu::OnPaint() {
    PaintDC paint(GetSafeHwnd());
    const HDC dc = paint.Get();
    const RECT client = GetClientRect();
    UniqueBrush background(::CreateSolidBrush(TextColourOf(backgroundColour_)));
    UniqueBrush border(::CreateSolidBrush(TextColourOf(borderColour_)));
    ::FillRect(dc, &client, background.Get());
    ::FrameRect(dc, &client, border.Get());

    {
        // Arrows first: the texts are drawn over them, as when drawn entry by entry.
        Gdiplus::Graphics graphics(dc);
        Gdiplus::SolidBrush fill{Gdiplus::Color(textColour_)};
        Gdiplus::Pen outline(Gdiplus::Color(textColour_), 1.0f);
        for (const auto& item : items_) {
            if (!item->hasSubList) {
                continue;
            }
            const CKivMenu* list = FindSubList(item->value);
            if (list == nullptr || list->items_.empty()) {
                continue;
            }
            RECT r = item->rect;
            ::OffsetRect(&r, Scaled(kTextIndent), 0);
            const INT left = r.right - Scaled(2 * kArrowWidth);
            const INT tip = r.right - Scaled(kArrowWidth);
            const INT top = r.top + Scaled(kArrowWidth);
            const INT bottom = r.bottom - Scaled(kArrowWidth);
            const INT middle = (r.top + r.bottom) / 2;
            Gdiplus::GraphicsPath path;
            path.AddLine(left, top, left, bottom);
            path.AddLine(left, bottom, tip, middle);
            path.CloseFigure();
            graphics.FillPath(&fill, &path);
            graphics.DrawPath(&outline, &path);
        }
    }

    for (size_t i = 0; i < items_.size(); ++i) {
        const MenuItem& item = *items_[i];
        RECT r = item.rect;
        ::OffsetRect(&r, Scaled(kTextIndent), 0);
        const DWORD colour = static_cast<int>(i) == hoverIndex_ ? hoverTextColour_ : textColour_;
        DrawSkinText(dc, font_.Get(), item.text, TextColourOf(colour), false, true, r.left, r.top,
                     r.right, r.bottom);
    }
}

}  // namespace vandir
