// The program's resource script as this executable compiles it in: every
// window's template holds the controls its layout table binds and hides, in
// the class each row needs; the templates' window styles; the icons; the
// version resource; and the application manifest.

#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <charconv>
#include <cstring>
#include <cwctype>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "skin/layout/KeyAssignmentLayout.h"
#include "skin/layout/KeyCaptureLayout.h"
#include "skin/layout/LanguageLayout.h"
#include "skin/layout/LedLayout.h"
#include "skin/layout/MainWindowLayout.h"
#include "skin/layout/NoDeviceLayout.h"
#include "skin/layout/PopupLayout.h"
#include "skin/layout/ResourceIds.h"
#include "skin/layout/SensorLayout.h"
#include "skin/layout/SupportLayout.h"

#ifndef VANDIR_EXPECTED_VERSION
#error "the build passes the project version as VANDIR_EXPECTED_VERSION"
#endif

namespace vandir {
namespace {

using layout::ControlKind;

// The window class a row's control must have in its template.
std::wstring ClassFor(ControlKind kind) {
    switch (kind) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
        case ControlKind::ComboButton:
            return L"button";
        case ControlKind::Slider:
        case ControlKind::Anchor:
        case ControlKind::Label:
        case ControlKind::MouseStatic:
            return L"static";
        case ControlKind::Edit:
            return L"edit";
    }
    return L"?";
}

std::wstring LowerClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    std::wstring lower(name);
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return lower;
}

// The project version as the build gives it (ASCII digits and dots).
std::wstring ExpectedVersionText() {
    const std::string_view text = VANDIR_EXPECTED_VERSION;
    return std::wstring(text.begin(), text.end());
}

LONG StyleOf(HWND window) {
    return ::GetWindowLongW(window, GWL_STYLE);
}

// A case's description as a test name (letters, digits and underscores).
std::string TestName(std::string_view what) {
    std::string name;
    for (const char c : what) {
        name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    }
    return name;
}

template <class Case>
std::string NameOfCase(const testing::TestParamInfo<Case>& info) {
    return TestName(info.param.what);
}

INT_PTR CALLBACK DoNothing(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A hidden top-level window that owns the templates' pop-ups and parents
// their child dialogs.
class HostWindow {
public:
    HostWindow()
        : hwnd_(::CreateWindowExW(0, L"STATIC", L"resources test host", WS_POPUP, 0, 0, 100, 100,
                                  nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr)) {}
    ~HostWindow() {
        if (hwnd_ != nullptr) {
            ::DestroyWindow(hwnd_);
        }
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
};

// One template made into a hidden dialog with a procedure that does nothing,
// so the controls keep the classes and styles the template gives them.
class TemplateDialog {
public:
    TemplateDialog(int templateId, HWND host)
        : hwnd_(::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                     host, &DoNothing, 0)) {}
    ~TemplateDialog() {
        if (hwnd_ != nullptr) {
            ::DestroyWindow(hwnd_);
        }
    }
    TemplateDialog(const TemplateDialog&) = delete;
    TemplateDialog& operator=(const TemplateDialog&) = delete;

    HWND get() const { return hwnd_; }

    // How many direct children carry each control ID.
    std::map<int, int> ChildIdCounts() const {
        std::map<int, int> counts;
        for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            counts[::GetDlgCtrlID(child)]++;
        }
        return counts;
    }

private:
    HWND hwnd_;
};

// One window built from a template, named by its table.
struct WindowCase {
    const layout::WindowLayout* window;
};

void PrintTo(const WindowCase& c, std::ostream* out) {
    *out << c.window->name;
}

// Every window built from a template, each face of the shared ones included.
const WindowCase kWindows[] = {
    {&layout::kMainWindow},        {&layout::kKeyAssignment},
    {&layout::kOsSensitivity},     {&layout::kSensorPage},
    {&layout::kLedPage},           {&layout::kSupportPage},
    {&layout::kKeyCapture},        {&layout::kPopupLeftClick},
    {&layout::kPopupRapidFireKey}, {&layout::kPopupRapidFireMouse},
    {&layout::kPopupVersion},      {&layout::kPopupNoMouse},
    {&layout::kNoDevice},          {&layout::kLanguagePage},
};

// Template controls that no row binds: their class comes from here.
struct TemplateOnlyControl {
    int templateId;
    int id;
    const wchar_t* lowerClass;
};
const TemplateOnlyControl kTemplateOnlyControls[] = {
    {IDD_MAIN_WINDOW, IDC_MAIN_RESET, L"button"},
    {IDD_MAIN_WINDOW, IDC_MAIN_APPLY, L"button"},
    {IDD_MAIN_WINDOW, IDC_MAIN_FIRMWARE, L"static"},
    {IDD_SENSOR, IDC_SENSOR_ANALYZE, L"button"},
};

class WindowTemplateTest : public testing::TestWithParam<WindowCase> {
protected:
    HostWindow host;
};

TEST_P(WindowTemplateTest, HoldsEveryControlOfItsTableOnceInTheRowsClass) {
    const layout::WindowLayout& window = *GetParam().window;
    ASSERT_NE(::FindResourceW(nullptr, MAKEINTRESOURCEW(window.templateId), RT_DIALOG), nullptr)
        << "no template " << window.templateId;
    const TemplateDialog dialog(window.templateId, host.get());
    ASSERT_NE(dialog.get(), nullptr) << "template " << window.templateId << " makes no dialog";
    const std::map<int, int> counts = dialog.ChildIdCounts();

    for (const layout::Control& row : window.controls) {
        const HWND control = ::GetDlgItem(dialog.get(), row.id);
        if (control == nullptr) {
            ADD_FAILURE() << "row " << row.id << " has no control in template "
                          << window.templateId;
            continue;
        }
        EXPECT_EQ(counts.at(row.id), 1) << "control " << row.id << " appears more than once";
        EXPECT_EQ(LowerClassOf(control), ClassFor(row.kind)) << "control " << row.id;
        if (row.notify) {
            EXPECT_NE(StyleOf(control) & SS_NOTIFY, 0) << "anchor " << row.id << " lacks SS_NOTIFY";
        }
    }
    for (const int id : window.hiddenIds) {
        const HWND control = ::GetDlgItem(dialog.get(), id);
        if (control == nullptr) {
            ADD_FAILURE() << "hidden control " << id << " is not in template " << window.templateId;
            continue;
        }
        EXPECT_EQ(counts.at(id), 1) << "control " << id << " appears more than once";
        for (const TemplateOnlyControl& only : kTemplateOnlyControls) {
            if (only.templateId == window.templateId && only.id == id) {
                EXPECT_EQ(LowerClassOf(control), only.lowerClass) << "control " << id;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, WindowTemplateTest, testing::ValuesIn(kWindows),
                         [](const auto& info) { return TestName(info.param.window->name); });

// Control styles the windows rely on beyond the binding: digits-only fields,
// and key fields that must take any key name.
struct ControlStyleCase {
    const char* what;
    int templateId;
    int id;
    LONG style;
    bool set;
};

void PrintTo(const ControlStyleCase& c, std::ostream* out) {
    *out << c.what;
}

class ControlStyleTest : public testing::TestWithParam<ControlStyleCase> {
protected:
    HostWindow host;
};

TEST_P(ControlStyleTest, IsAsTheWindowNeedsIt) {
    const ControlStyleCase& c = GetParam();
    const TemplateDialog dialog(c.templateId, host.get());
    ASSERT_NE(dialog.get(), nullptr);
    const HWND control = ::GetDlgItem(dialog.get(), c.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ((StyleOf(control) & c.style) == c.style, c.set);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlStyleTest,
    testing::Values(ControlStyleCase{"LED red value: digits only", IDD_LED, IDC_LED_RED_EDIT,
                                     ES_NUMBER, true},
                    ControlStyleCase{"LED green value: digits only", IDD_LED, IDC_LED_GREEN_EDIT,
                                     ES_NUMBER, true},
                    ControlStyleCase{"LED blue value: digits only", IDD_LED, IDC_LED_BLUE_EDIT,
                                     ES_NUMBER, true},
                    ControlStyleCase{"pop-up number field: digits only", IDD_POPUP,
                                     IDC_POPUP_NUMBER, ES_NUMBER, true},
                    ControlStyleCase{"pop-up key field takes key names", IDD_POPUP, IDC_POPUP_KEY,
                                     ES_NUMBER, false},
                    ControlStyleCase{"first key field takes key names", IDD_KEY_CAPTURE,
                                     IDC_KEYS_FIRST, ES_NUMBER, false},
                    ControlStyleCase{"second key field takes key names", IDD_KEY_CAPTURE,
                                     IDC_KEYS_SECOND, ES_NUMBER, false},
                    ControlStyleCase{"DPI value label takes no mouse", IDD_SENSOR,
                                     IDC_SENSOR_VALUE_1, SS_NOTIFY, false}),
    NameOfCase<ControlStyleCase>);

// The dialog header of a template: styles as the template declares them,
// before the system adjusts anything.
struct TemplateStyles {
    DWORD style = 0;
    DWORD exStyle = 0;
};

bool ReadTemplateStyles(int templateId, TemplateStyles& styles) {
    const HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    const HGLOBAL loaded = found != nullptr ? ::LoadResource(nullptr, found) : nullptr;
    const auto* bytes =
        loaded != nullptr ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    if (bytes == nullptr || ::SizeofResource(nullptr, found) < 16) {
        return false;
    }
    WORD version = 0;
    WORD signature = 0;
    std::memcpy(&version, bytes, sizeof(version));
    std::memcpy(&signature, bytes + 2, sizeof(signature));
    if (version == 1 && signature == 0xFFFF) {  // DLGTEMPLATEEX: help ID, extended style, style
        std::memcpy(&styles.exStyle, bytes + 8, sizeof(DWORD));
        std::memcpy(&styles.style, bytes + 12, sizeof(DWORD));
    } else {  // DLGTEMPLATE: style, extended style
        std::memcpy(&styles.style, bytes, sizeof(DWORD));
        std::memcpy(&styles.exStyle, bytes + 4, sizeof(DWORD));
    }
    return true;
}

struct DialogStyleCase {
    const char* what;
    int templateId;
    DWORD required;
    DWORD forbidden;
    DWORD requiredEx;
};

void PrintTo(const DialogStyleCase& c, std::ostream* out) {
    *out << c.what;
}

// Pages sit inside the main window without frame; the small dialogs are
// caption-less pop-ups; none shows itself before its window is ready.
constexpr DWORD kAnyFrame = WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | DS_MODALFRAME;
constexpr DWORD kPageRequired = WS_CHILD | DS_CONTROL;
constexpr DWORD kPageForbidden = kAnyFrame | WS_POPUP | WS_VISIBLE;
constexpr DWORD kPopupForbidden = kAnyFrame | WS_CHILD | WS_VISIBLE;

class DialogStyleTest : public testing::TestWithParam<DialogStyleCase> {};

TEST_P(DialogStyleTest, IsAsTheWindowNeedsIt) {
    const DialogStyleCase& c = GetParam();
    TemplateStyles styles;
    ASSERT_TRUE(ReadTemplateStyles(c.templateId, styles));
    EXPECT_EQ(styles.style & c.required, c.required) << std::hex << styles.style;
    EXPECT_EQ(styles.style & c.forbidden, 0u) << std::hex << styles.style;
    EXPECT_EQ(styles.exStyle & c.requiredEx, c.requiredEx) << std::hex << styles.exStyle;
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DialogStyleTest,
    testing::Values(
        // The window removes its caption itself; the template keeps it for the
        // title, and the taskbar button restores the minimised window.
        DialogStyleCase{"main window", IDD_MAIN_WINDOW,
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_CHILD | WS_VISIBLE,
                        WS_EX_APPWINDOW},
        DialogStyleCase{"mouse-settings page", IDD_MOUSE_SETTINGS, kPageRequired, kPageForbidden,
                        0},
        DialogStyleCase{"sensor page", IDD_SENSOR, kPageRequired, kPageForbidden, 0},
        DialogStyleCase{"LED page", IDD_LED, kPageRequired, kPageForbidden, 0},
        DialogStyleCase{"support page", IDD_SUPPORT, kPageRequired, kPageForbidden, 0},
        // Its own dialog for the keys, not a control of the main window: Enter
        // and Esc reach it and hide it.
        DialogStyleCase{"language page", IDD_LANGUAGE, WS_CHILD, kPageForbidden | DS_CONTROL, 0},
        DialogStyleCase{"key capture dialog", IDD_KEY_CAPTURE, WS_POPUP, kPopupForbidden, 0},
        DialogStyleCase{"pop-up dialog", IDD_POPUP, WS_POPUP, kPopupForbidden, 0},
        DialogStyleCase{"no-device screen", IDD_NO_DEVICE, WS_POPUP, kPopupForbidden, 0}),
    NameOfCase<DialogStyleCase>);

TEST(MainWindowTemplate, IsTitledAsASecondStartLooksForIt) {
    const TemplateDialog dialog(IDD_MAIN_WINDOW, nullptr);
    ASSERT_NE(dialog.get(), nullptr);
    wchar_t title[64] = {};
    ::GetWindowTextW(dialog.get(), title, static_cast<int>(std::size(title)));
    EXPECT_EQ(std::wstring(title), L"Meridane Vandir II");
}

struct IconCase {
    const char* what;
    int id;
    int size;
};

void PrintTo(const IconCase& c, std::ostream* out) {
    *out << c.what;
}

class IconTest : public testing::TestWithParam<IconCase> {};

TEST_P(IconTest, Loads) {
    const IconCase& c = GetParam();
    const auto icon = static_cast<HICON>(::LoadImageW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.id), IMAGE_ICON, c.size, c.size, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    EXPECT_TRUE(::GetIconInfo(icon, &info));
    if (info.hbmColor != nullptr) {
        ::DeleteObject(info.hbmColor);
    }
    if (info.hbmMask != nullptr) {
        ::DeleteObject(info.hbmMask);
    }
    ::DestroyIcon(icon);
}

INSTANTIATE_TEST_SUITE_P(Icons, IconTest,
                         testing::Values(IconCase{"tray icon at 16", IDI_TRAY, 16},
                                         IconCase{"tray icon at 32", IDI_TRAY, 32},
                                         IconCase{"window icon at 16", IDI_WINDOW, 16},
                                         IconCase{"window icon at 32", IDI_WINDOW, 32}),
                         NameOfCase<IconCase>);

// The project version as four numbers; missing parts are 0.
std::vector<WORD> ExpectedVersionParts() {
    const std::string_view text = VANDIR_EXPECTED_VERSION;
    std::vector<WORD> parts;
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    while (at < end && parts.size() < 4) {
        WORD part = 0;
        const auto [next, error] = std::from_chars(at, end, part);
        if (error != std::errc{}) {
            break;
        }
        parts.push_back(part);
        at = next < end && *next == '.' ? next + 1 : end;
    }
    parts.resize(4, 0);
    return parts;
}

class VersionResource : public testing::Test {
protected:
    void SetUp() override {
        wchar_t path[MAX_PATH] = {};
        ASSERT_NE(::GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(path, &ignored);
        ASSERT_NE(size, 0u) << "no version resource";
        data.resize(size);
        ASSERT_TRUE(::GetFileVersionInfoW(path, 0, size, data.data()));
    }

    // A string of the U.S. English, Unicode table; empty when it is missing.
    std::wstring StringValue(const wchar_t* key) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
        wchar_t* value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value),
                              &length) ||
            value == nullptr) {
            return {};
        }
        std::wstring text(value, length);
        while (!text.empty() && text.back() == L'\0') {
            text.pop_back();
        }
        return text;
    }

    std::vector<BYTE> data;
};

TEST_F(VersionResource, CarriesTheProjectVersionInBothNumbersAndText) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);

    const std::vector<WORD> parts = ExpectedVersionParts();
    const DWORD high = MAKELONG(parts[1], parts[0]);
    const DWORD low = MAKELONG(parts[3], parts[2]);
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);
    EXPECT_EQ(StringValue(L"FileVersion"), ExpectedVersionText());
    EXPECT_EQ(StringValue(L"ProductVersion"), ExpectedVersionText());
}

TEST_F(VersionResource, NamesTheMakerTheProductAndTheFile) {
    EXPECT_EQ(StringValue(L"CompanyName"), L"Meridane");
    EXPECT_EQ(StringValue(L"ProductName"), L"Vandir II");
    EXPECT_FALSE(StringValue(L"FileDescription").empty());
}

class ManifestResource : public testing::Test {
protected:
    void SetUp() override {
        const HRSRC found =
            ::FindResourceW(nullptr, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
        ASSERT_NE(found, nullptr) << "no manifest resource 1";
        const HGLOBAL loaded = ::LoadResource(nullptr, found);
        ASSERT_NE(loaded, nullptr);
        const auto* bytes = static_cast<const char*>(::LockResource(loaded));
        ASSERT_NE(bytes, nullptr);
        text.assign(bytes, ::SizeofResource(nullptr, found));
    }

    // The whole element ("<...>") in which `inside` occurs; empty when it does not.
    std::string ElementWith(std::string_view inside) const {
        const std::size_t at = text.find(inside);
        if (at == std::string::npos) {
            return {};
        }
        const std::size_t open = text.rfind('<', at);
        const std::size_t close = text.find('>', at);
        if (open == std::string::npos || close == std::string::npos) {
            return {};
        }
        return text.substr(open, close - open + 1);
    }

    std::string text;
};

TEST_F(ManifestResource, AsksForCommonControlsSix) {
    const std::string identity = ElementWith("\"Microsoft.Windows.Common-Controls\"");
    ASSERT_FALSE(identity.empty()) << text;
    EXPECT_NE(identity.find("<assemblyIdentity"), std::string::npos) << identity;
    EXPECT_NE(identity.find("version=\"6.0.0.0\""), std::string::npos) << identity;
    EXPECT_NE(identity.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos) << identity;
}

TEST_F(ManifestResource, RunsAsInvoker) {
    const std::string level = ElementWith("<requestedExecutionLevel");
    ASSERT_FALSE(level.empty()) << text;
    EXPECT_NE(level.find("level=\"asInvoker\""), std::string::npos) << level;
}

// Per-monitor v2 first, per-monitor where v2 is unknown, and the older
// dpiAware setting (per-monitor, else the system DPI) for systems before
// Windows 10 1607: the program scales itself everywhere, Windows never.
TEST_F(ManifestResource, IsAwareOfEachMonitorsDpi) {
    // The element from its opening tag to its closing one; empty when missing.
    const auto element = [&](const std::string& name) {
        const std::size_t open = text.find("<" + name + " ");
        const std::size_t close = text.find("</" + name + ">", open);
        return open == std::string::npos || close == std::string::npos
                   ? std::string()
                   : text.substr(open, close - open);
    };
    const std::string awareness = element("dpiAwareness");
    EXPECT_NE(awareness.find("http://schemas.microsoft.com/SMI/2016/WindowsSettings"),
              std::string::npos)
        << text;
    EXPECT_NE(awareness.find(">PerMonitorV2, PerMonitor"), std::string::npos) << text;
    const std::string aware = element("dpiAware");
    EXPECT_NE(aware.find("http://schemas.microsoft.com/SMI/2005/WindowsSettings"),
              std::string::npos)
        << text;
    EXPECT_NE(aware.find(">true/pm"), std::string::npos) << text;
}

TEST_F(ManifestResource, SupportsWindowsSevenToEleven) {
    const char* const kSupported[] = {
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    for (const char* id : kSupported) {
        EXPECT_NE(ElementWith(id).find("<supportedOS"), std::string::npos) << id;
    }
}

TEST_F(ManifestResource, IsAnActivationContextTheSystemAccepts) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_NE(::GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    ACTCTXW context{};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = path;
    context.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    const HANDLE handle = ::CreateActCtxW(&context);
    EXPECT_NE(handle, INVALID_HANDLE_VALUE) << "error " << ::GetLastError();
    if (handle != INVALID_HANDLE_VALUE) {
        ::ReleaseActCtx(handle);
    }
}

}  // namespace
}  // namespace vandir
