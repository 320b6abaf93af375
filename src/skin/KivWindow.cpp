#include "skin/KivWindow.h"

#include <string>

#include "platform/win32/framework/DisplayDpi.h"
#include "skin/layout/DisplayScale.h"

namespace vandir {

namespace {

std::wstring WideOf(std::u16string_view text) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

}  // namespace

const MessageMapEntry CKivWindow::messageEntries[] = {
    On<WM_SYSCOMMAND, &CKivWindow::OnSysCommand>(),
    On<WM_COMMAND, &CKivWindow::OnControlCommand>(),
    On<WM_DPICHANGED, &CKivWindow::OnDpiChanged>(),
};
const ClassMessageMap<CKivWindow> CKivWindow::messageMap{messageEntries};

CKivWindow::CKivWindow(const layout::WindowLayout& layout, SkinContext& context, CWnd* parent,
                       ToolTipTable toolTips)
    : WithMessageMap(static_cast<UINT>(layout.templateId), parent),
      context_(context),
      controls_(layout, context),
      toolTipTable_(toolTips) {}

CKivWindow::~CKivWindow() = default;

BOOL CKivWindow::OnInitDialog() {
    CKivImageDialog::OnInitDialog();
    if ((GetStyle() & WS_CHILD) == 0) {
        // A window of its own is drawn for the monitor it is on.
        context_.skins.UseDpi(WindowDpi(GetSafeHwnd()));
    }
    TakeBackground();
    controls_.Bind(*this);
    // A window made again makes its tips again.
    toolTipsSetUp_ = false;
    tools_.clear();
    extraTools_.clear();
    if (!deferToolTips_) {
        SetUpToolTips();
    }
    return TRUE;
}

void CKivWindow::ScaleToolTipFont() {
    if (toolTipCtrl_.GetSafeHwnd() == nullptr) {
        return;
    }
    UniqueFont font = StatusFontForDpi(Dpi());
    if (font) {
        // The control lets go of the old font before it is deleted.
        toolTipCtrl_.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
        toolTipFont_ = std::move(font);
    }
}

void CKivWindow::TakeBackground() {
    Gdiplus::Image* background = context_.skins.Sheet(layout().background);
    if (background == nullptr) {
        context_.skins.Fail();
    }
    SetBackgroundImage(background);
}

int CKivWindow::Dpi() const {
    return context_.skins.Dpi();
}

int CKivWindow::Scaled(int units) const {
    return layout::ScaleUnits(units, Dpi());
}

layout::Rect CKivWindow::Scaled(const layout::Rect& rect) const {
    return layout::ScaleRect(rect, Dpi());
}

void CKivWindow::Rescale() {
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    controls_.CloseLists();
    OnDisplayScaleChanging();
    TakeBackground();
    controls_.Rescale();
    ScaleToolTipFont();
    for (HWND child = ::GetWindow(GetSafeHwnd(), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (auto* window = dynamic_cast<CKivWindow*>(CWnd::FromHandle(child))) {
            window->Rescale();
        }
    }
    OnDisplayScaleChanged();
    ::RedrawWindow(GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

Reply CKivWindow::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    context_.skins.UseDpi(LOWORD(wParam));
    Rescale();
    // The suggested place; the size is the new artwork's, which is the
    // suggested size but for the rounding of the system's.
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam); suggested != nullptr) {
        ::SetWindowPos(GetSafeHwnd(), nullptr, suggested->left, suggested->top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return Handled(0);
}

const CToolTipCtrl& CKivWindow::toolTips() {
    SetUpToolTips();
    return toolTipCtrl_;
}

void CKivWindow::SetUpToolTips() {
    if (toolTipsSetUp_ || GetSafeHwnd() == nullptr) {
        return;
    }
    toolTipsSetUp_ = true;
    if (toolTipTable_.empty() || !toolTipCtrl_.Create(*this, TTS_ALWAYSTIP)) {
        return;
    }
    toolTipCtrl_.Activate(TRUE);
    ScaleToolTipFont();
    for (const ToolTipRow& row : toolTipTable_) {
        if (const CWnd* tool = ToolWindow(row.controlId)) {
            toolTipCtrl_.AddTool(*tool, WideOf(row.setUpText));
            tools_.emplace_back(&row, tool);
        }
    }
    if (language_) {
        ApplyLanguage(*language_);
    }
}

const CWnd* CKivWindow::ToolWindow(int id) {
    if (const CWnd* control = controls_.Find(id); control && control->GetSafeHwnd()) {
        return control;
    }
    auto plain = std::make_unique<CWnd>();
    if (!plain->SubclassDlgItem(static_cast<UINT>(id), *this)) {
        return nullptr;
    }
    extraTools_.push_back(std::move(plain));
    return extraTools_.back().get();
}

void CKivWindow::ApplyLanguage(int language) {
    language_ = language;  // any index: a derived window may act on others too
    if (!IsLanguageIndex(language)) {
        return;
    }
    for (const auto& [row, tool] : tools_) {
        toolTipCtrl_.UpdateTipText(WideOf(*row->TextFor(language)), *tool);
    }
}

void CKivWindow::PlaceAtParentOrigin() {
    const CWnd* parent = parentWindow();
    if (parent == nullptr || parent->GetSafeHwnd() == nullptr) {
        return;
    }
    POINT origin{0, 0};
    if ((GetStyle() & WS_CHILD) == 0) {
        ::ClientToScreen(*parent, &origin);
    }
    ::SetWindowPos(GetSafeHwnd(), nullptr, origin.x, origin.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKivWindow::SetToolTipText(int controlId, const std::wstring& text) {
    for (const auto& [row, tool] : tools_) {
        if (row->controlId == controlId) {
            toolTipCtrl_.UpdateTipText(text, *tool);
        }
    }
}

BOOL CKivWindow::PreTranslateMessage(MSG* message) {
    if (toolTipCtrl_.GetSafeHwnd() != nullptr) {
        toolTipCtrl_.RelayEvent(message);
    }
    return CKivImageDialog::PreTranslateMessage(message);
}

void CKivWindow::OnRoleClicked(layout::ControlRole role) {
    if (role == layout::ControlRole::Cancel) {
        OnCancel();
    }
}

Reply CKivWindow::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    const auto event = DecodeNotification(wParam, lParam, layout(), MenuCommandIds());
    if (!event) {
        OnSystemCommand(wParam);
        return Declined();  // a real system command: default processing
    }
    OnControlEvent(*event);
    return Handled(0);
}

Reply CKivWindow::OnControlCommand(WPARAM wParam, LPARAM lParam) {
    const auto event = DecodeCommand(wParam, lParam, layout());
    if (!event) {
        return Declined();
    }
    const layout::Control* row = layout::FindControl(layout(), event->id);
    if (row != nullptr && row->role != layout::ControlRole::None) {
        OnRoleClicked(row->role);
    } else {
        OnControlEvent(*event);
    }
    return Handled(0);
}

}  // namespace vandir
