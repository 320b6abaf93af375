// The benchmark probe: starts as the program's main window does, with only
// what the skin store has to give it. From the program's own resources and
// through the real store and binding, it builds the main window with its
// key-assignment page from their layout tables (with their tool tips), shows
// them and waits for the first full paint; then it builds, shows and paints
// every other page once and hides it again, as a user who visits every page.
// It reports the time stamps of each phase and its private memory, then
// ends, so that the table can tell where the program's start goes.
//
//   bench_probe.exe            the start as described
//   bench_probe.exe --sheets   only the sheets loaded, and how long that took

#include <windows.h>
// <windows.h> first.
#include <commctrl.h>

#include <memory>
#include <string_view>
#include <vector>

#include "Measure.h"
#include "base/Clock.h"
#include "i18n/KeyAssignmentToolTips.h"
#include "i18n/LanguagePageToolTips.h"
#include "i18n/LedPageToolTips.h"
#include "i18n/MainWindowToolTips.h"
#include "i18n/SensorPageToolTips.h"
#include "i18n/SupportPageToolTips.h"
#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/DisplayDpi.h"
#include "skin/InputHooks.h"
#include "skin/KivWindow.h"
#include "skin/LedEffect.h"
#include "skin/SkinContext.h"
#include "skin/SkinStore.h"
#include "skin/layout/KeyAssignmentLayout.h"
#include "skin/layout/LanguageLayout.h"
#include "skin/layout/LedLayout.h"
#include "skin/layout/MainWindowLayout.h"
#include "skin/layout/SensorLayout.h"
#include "skin/layout/SupportLayout.h"

namespace {

using namespace vandir;

struct PageToBuild {
    const layout::WindowLayout& layout;
    ToolTipTable toolTips;
};

// Creates a page of the main window and places it in the page area.
std::unique_ptr<CKivWindow> MakePage(const PageToBuild& entry, SkinContext& context,
                                     CKivWindow& main) {
    auto page = std::make_unique<CKivWindow>(entry.layout, context, &main, entry.toolTips);
    if (!page->Create(&main)) {
        return nullptr;
    }
    const layout::Rect& area = layout::kPageArea;
    page->MoveWindow(area.x, area.y, area.width, area.height, FALSE);
    return page;
}

// With --sheets: only loads the skin sheets, and reports how long that took
// on its own, for the row that tells the sheets' share of the start.
int LoadSheetsOnly(SkinStore& skins, const int& failures) {
    using namespace vandir::bench;
    const int64_t started = Now();
    skins.LoadSkinSheets();
    const int64_t loaded = Now();
    ResultLine result;
    result.Add("sheets_started", started);
    result.Add("sheets_loaded", loaded);
    result.Add("failures", failures);
    return result.Write() ? 0 : 2;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    using namespace vandir::bench;
    const int64_t entered = Now();

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    GdiplusSession gdiplus;
    if (!gdiplus.started()) {
        return 1;
    }
    const int64_t gdiplusStarted = Now();

    // A failure would make every figure meaningless: counted and reported.
    int failures = 0;
    SkinStore skins(DefaultSkinFolder(),
                    SkinFailureReporter{[&failures](const std::wstring&) { ++failures; }, [] {}});
    skins.UseDpi(SystemDpi());  // the display's artwork, as the program takes it
    if (std::wstring_view(commandLine).find(L"--sheets") != std::wstring_view::npos) {
        return LoadSheetsOnly(skins, failures);
    }
    InputHooks hooks;
    LedEffect led;
    SystemClock clock;
    SkinContext context{skins, hooks, led, clock};

    // As the program starts: the sheets load on a worker while the windows
    // are made (each skin request waits for the sheets it needs), and all are
    // loaded before the main window shows.
    skins.StartLoading();
    CKivWindow main(layout::kMainWindow, context, nullptr, MainWindowToolTips());
    if (!main.Create()) {
        return 1;
    }
    // The main window takes away the template's caption bar, so that its
    // client area is the whole 800 x 600 picture.
    main.ModifyStyle(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0);
    const layout::Size size = layout::kMainWindow.size;
    ::SetWindowPos(main.GetSafeHwnd(), nullptr, 0, 0, size.width, size.height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    std::unique_ptr<CKivWindow> keys =
        MakePage({layout::kKeyAssignment, KeyAssignmentToolTips()}, context, main);
    if (!keys) {
        return 1;
    }
    skins.LoadSkinSheets();
    const int64_t built = Now();
    keys->ShowWindow(SW_SHOW);
    main.ShowWindow(SW_SHOW);
    PumpUntilPainted();
    const int64_t painted = Now();
    const int64_t privatePainted = PrivateBytes();

    const PageToBuild otherPages[] = {
        {layout::kSensorPage, SensorPageToolTips()},
        {layout::kLedPage, LedPageToolTips()},
        {layout::kSupportPage, SupportPageToolTips()},
        {layout::kLanguagePage, LanguagePageToolTips()},
        {layout::kOsSensitivity, KeyAssignmentToolTips()},
    };
    std::vector<std::unique_ptr<CKivWindow>> pages;
    keys->ShowWindow(SW_HIDE);
    for (const PageToBuild& entry : otherPages) {
        std::unique_ptr<CKivWindow> page = MakePage(entry, context, main);
        if (!page) {
            return 1;
        }
        page->ShowWindow(SW_SHOW);
        PumpUntilPainted();
        page->ShowWindow(SW_HIDE);
        pages.push_back(std::move(page));
    }
    keys->ShowWindow(SW_SHOW);
    PumpUntilPainted();
    const int64_t visited = Now();
    const int64_t privateVisited = PrivateBytes();

    ResultLine result;
    result.Add("entered", entered);
    result.Add("gdiplus_started", gdiplusStarted);
    result.Add("windows_built", built);
    result.Add("painted", painted);
    result.Add("pages_visited", visited);
    result.Add("private_painted", privatePainted);
    result.Add("private_visited", privateVisited);
    result.Add("sheet_pixels", static_cast<int64_t>(skins.PixelBytes()));
    result.Add("failures", failures);
    return result.Write() ? 0 : 2;
}
