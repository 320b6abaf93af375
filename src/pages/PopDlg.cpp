#include "pages/PopDlg.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cwchar>
#include <iterator>
#include <span>
#include <string_view>

#include "i18n/LeadingNumber.h"
#include "model/FunctionCatalogue.h"
#include "platform/win32/WideText.h"
#include "platform/win32/framework/CaptionDrag.h"
#include "skin/InputHooks.h"
#include "skin/KivStatic.h"
#include "skin/layout/PopupLayout.h"

namespace vandir {

namespace {

constexpr wchar_t kLargestNumberText[] = L"254";
constexpr int kNumberDigits = 3;

// The key field of kind 141; the other kinds capture no key.
constexpr int kKeyField[] = {IDC_POPUP_KEY};

// A number that is no kind: the template with every field hidden and no
// picture; its set-up ends the dialog before anything is shown.
constexpr int kAllPopupFields[] = {IDC_POPUP_OK,
                                   IDC_POPUP_CLEAR,
                                   IDC_POPUP_KEY,
                                   IDC_POPUP_NUMBER,
                                   IDC_POPUP_SOFTWARE_VERSION,
                                   IDC_POPUP_FIRMWARE_VERSION};
constexpr layout::WindowLayout kNoKind{
    .name = "pop-up of no kind",
    .templateId = IDD_POPUP,
    .hiddenIds = kAllPopupFields,
};

// This unit's own copy of a kind's layout table, read from the table in
// constant expressions only. GCC 12 for Windows puts an inline constexpr
// std::array whose deduced declaration first instantiated its type in .data
// and any other in .rdata, so two units that both emit a table (this one and
// the resource test) may disagree on its section and fail to link; a copy
// emits nothing of the shared table here.
template <int Kind>
struct UnitLayout {
    static constexpr const layout::WindowLayout& table = *layout::PopupLayoutOf(Kind);

    template <class Row, std::size_t Count>
    static constexpr std::array<Row, Count> CopyOf(std::span<const Row> rows) {
        std::array<Row, Count> copy{};
        std::copy(rows.begin(), rows.end(), copy.begin());
        return copy;
    }

    static constexpr auto controls = CopyOf<layout::Control, table.controls.size()>(table.controls);
    static constexpr auto hiddenIds = CopyOf<int, table.hiddenIds.size()>(table.hiddenIds);
    static constexpr layout::WindowLayout layout{
        .name = table.name,
        .templateId = table.templateId,
        .background = table.background,
        .size = table.size,
        .controls = controls,
        .hiddenIds = hiddenIds,
    };
};

const layout::WindowLayout& LayoutOf(int kind) {
    switch (kind) {
        case CPopDlg::kLeftClickNotice:
            return UnitLayout<CPopDlg::kLeftClickNotice>::layout;
        case CPopDlg::kRapidFireKey:
            return UnitLayout<CPopDlg::kRapidFireKey>::layout;
        case CPopDlg::kRapidFireMouse:
            return UnitLayout<CPopDlg::kRapidFireMouse>::layout;
        case CPopDlg::kVersion:
            return UnitLayout<CPopDlg::kVersion>::layout;
        case CPopDlg::kNoMouse:
            return UnitLayout<CPopDlg::kNoMouse>::layout;
        default:
            return kNoKind;
    }
}

void ShowSystemMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                          UINT style) {
    ::MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

void PutCaretAfterLastDigit(CKivEdit& field) {
    field.SendMessage(EM_SETSEL, kNumberDigits, kNumberDigits);
}

std::wstring RapidFireCaption(std::wstring_view name, std::wstring_view number) {
    return L"Rapid Fire " + std::wstring(name) + L" [" + std::wstring(number) + L"]";
}

// The mouse button a rapid-fire function repeats: its list text and button
// bit. The catalogue gives both (codeForFunction's fallback of 1 for 2311 is
// the left button's bit); any other value has no name and bit 0.
struct RapidFireButton {
    std::wstring name;
    int bit = 0;
};

RapidFireButton RapidFireButtonOf(int function) {
    if (function < function::kRapidFireLeftClick || function > function::kRapidFireForward) {
        return {};
    }
    const auto text = FunctionListText(function);
    return {text ? ToWide(*text) : std::wstring(), codeForFunction(function)};
}

// "V" and the version number / 100 with two decimals, as the single-precision
// quotient prints; "-.--" when there is no number or no mouse.
std::wstring FirmwareVersionText(uint16_t number, const CPopDlg::MouseLinkCheck& ensureOpen) {
    if (number == 0 || !ensureOpen || !ensureOpen()) {
        return L"-.--";
    }
    wchar_t text[16]{};
    std::swprintf(text, std::size(text), L"V%.2f",
                  static_cast<double>(static_cast<float>(number) / 100.0F));
    return text;
}

}  // namespace

const MessageMapEntry CPopDlg::messageEntries[] = {
    On<kHookMessage, &CPopDlg::OnKeyCaptured>(),
    On<WM_TIMER, &CPopDlg::OnTimer>(),
    On<WM_LBUTTONDOWN, &CPopDlg::OnLeftButtonDown>(),
    On<WM_DESTROY, &CPopDlg::OnDestroy>(),
};
const ClassMessageMap<CPopDlg> CPopDlg::messageMap{messageEntries};

CPopDlg::CPopDlg(int kind, SkinContext& context, CWnd* parent)
    : CPopDlg(kind, 0, context, parent) {}

CPopDlg::CPopDlg(int kind, uint16_t value, SkinContext& context, CWnd* parent)
    : WithMessageMap(LayoutOf(kind), context, parent),
      kind_(static_cast<Kind>(kind)),
      value_(value),
      keyCapture_(*this, context.hooks,
                  kind == kRapidFireKey ? std::span<const int>(kKeyField) : std::span<const int>()),
      messageBox_(ShowSystemMessageBox) {}

CKivEdit& CPopDlg::NumberField() const {
    return Item<CKivEdit>(IDC_POPUP_NUMBER);
}

CKivEdit& CPopDlg::KeyField() const {
    return Item<CKivEdit>(IDC_POPUP_KEY);
}

BOOL CPopDlg::OnInitDialog() {
    if (&layout() == &kNoKind) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    CKivWindow::OnInitDialog();
    PlaceAtParentOrigin();
    switch (kind_) {
        case kRapidFireKey:
            SetUpRapidFireKey();
            break;
        case kRapidFireMouse:
            NumberField().ModifyStyle(0, ES_NUMBER);
            ::SetFocus(NumberField());
            break;
        case kVersion:
            SetUpVersion();
            break;
        default:
            break;
    }
    SetTimer(kNumberTimer, kNumberTimerMilliseconds);
    return FALSE;  // the focus is set
}

void CPopDlg::SetUpRapidFireKey() {
    NumberField().ModifyStyle(0, ES_NUMBER);
    if (!keyCapture_.InstallHook()) {
        // The dialog stays open; without the hook no key can be captured.
        messageBox_(GetSafeHwnd(), L"Input failed.", L"Vandir II", MB_OK | MB_ICONEXCLAMATION);
    }
    ::SetFocus(GetSafeHwnd());
    ::SetFocus(KeyField());
}

void CPopDlg::SetUpVersion() {
    Item<CKivStatic>(IDC_POPUP_SOFTWARE_VERSION).SetText(L"V1.00");
    Item<CKivStatic>(IDC_POPUP_FIRMWARE_VERSION).SetText(FirmwareVersionText(value_, ensureOpen_));
}

BOOL CPopDlg::PreTranslateMessage(MSG* message) {
    if (keyCapture_.Swallows(*message)) {
        return TRUE;  // the hook names the key; the field never types it
    }
    return CKivWindow::PreTranslateMessage(message);
}

void CPopDlg::OnKeyCaptured(WPARAM virtualKey, LPARAM) {
    CKivEdit* field = keyCapture_.FocusedField();
    if (field == nullptr) {
        return;
    }
    if (virtualKey == 0 || virtualKey > kLastVirtualKey) {
        return;  // no virtual-key code
    }
    capturedKey_ = static_cast<int>(virtualKey);
    KeyCapture::ShowKey(*field, capturedKey_);
}

void CPopDlg::OnTimer(UINT_PTR id) {
    if (id != kNumberTimer) {
        Default();
        return;
    }
    if (TakesNumber()) {
        KeepNumberInRange();
    }
}

// A fourth digit typed at the end pushes out the first; more than 254 reads 254.
void CPopDlg::KeepNumberInRange() {
    CKivEdit& field = NumberField();
    std::wstring text = field.GetWindowText();
    if (text.size() > kNumberDigits) {
        text.erase(0, text.size() - kNumberDigits);
        field.SetWindowText(text);
        PutCaretAfterLastDigit(field);
    }
    if (LeadingNumber(text) > kLargestNumber) {
        field.SetWindowText(kLargestNumberText);
        PutCaretAfterLastDigit(field);
    }
}

void CPopDlg::OnControlEvent(const ControlEvent& event) {
    if (event.kind != ControlEvent::Kind::Clicked) {
        return;
    }
    if (event.id == IDC_POPUP_OK) {
        OkClicked();
    } else if (event.id == IDC_POPUP_CLEAR) {
        ClearClicked();
    }
}

void CPopDlg::OnOK() {
    OkClicked();
}

std::optional<int> CPopDlg::TakeNumber() {
    CKivEdit& field = NumberField();
    const int number = LeadingNumber(field.GetWindowText());
    if (number == 0) {
        return std::nullopt;
    }
    if (number > kLargestNumber) {
        field.SetWindowText(kLargestNumberText);
        return kLargestNumber;
    }
    return number;
}

void CPopDlg::OkClicked() {
    if (kind_ == kRapidFireKey && capturedKey_ != 0 && target_ != nullptr) {
        if (const auto number = TakeNumber()) {
            const std::wstring name = KeyNameText(capturedKey_);
            target_->SetCaption(RapidFireCaption(name, NumberField().GetWindowText()),
                                function::kRapidFireKeyboard, capturedKey_, *number);
        }
    } else if (kind_ == kRapidFireMouse && target_ != nullptr) {
        if (const auto number = TakeNumber()) {
            const RapidFireButton button = RapidFireButtonOf(value_);
            target_->SetCaption(RapidFireCaption(button.name, NumberField().GetWindowText()),
                                value_, button.bit, *number);
        }
    }
    EndDialog(IDOK);
}

void CPopDlg::ClearClicked() {
    switch (kind_) {
        case kRapidFireKey:
            KeyField().SetWindowText(L"");
            NumberField().SetWindowText(L"");
            capturedKey_ = 0;
            break;
        case kRapidFireMouse:
            NumberField().SetWindowText(L"");
            break;
        default:
            EndDialog(IDOK);
            break;
    }
}

void CPopDlg::OnLeftButtonDown(POINT, UINT) {
    StartCaptionDrag(*this);
    Default();
}

void CPopDlg::OnDestroy() {
    KillTimer(kNumberTimer);
    keyCapture_.RemoveOwnHook();
}

}  // namespace vandir
