// A broken skin at start: every sheet a window will use is checked before the
// main window first shows, so a missing or undecodable sheet gives one
// "ui load failed!" and an end without a main window; the three sheets no
// window needs may be missing. Messages that reach the window while the
// message is up (its loop runs) find it safe.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.
#include <dbt.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "skin/layout/ResourceIds.h"
#include "skin/layout/SkinLayout.h"
#include "win32/TempFolder.h"
#include "win32/app/MainWindowFixture.h"
#include "win32/windows/DialogPump.h"

namespace vandir::testing {
namespace {

// A copy of the generated skin folder, to break one sheet of.
class SkinCopy {
public:
    SkinCopy() {
        for (const layout::SheetFile& file : layout::kSheetFiles) {
            const std::wstring from = DefaultSkinFolder() + std::wstring(file.name);
            const std::wstring to = folder_.Path() + std::wstring(file.name);
            EXPECT_TRUE(::CopyFileW(from.c_str(), to.c_str(), FALSE)) << "copying a sheet";
        }
    }
    const std::wstring& Path() const { return folder_.Path(); }
    std::wstring PathOf(layout::Sheet sheet) const {
        return folder_.Path() + std::wstring(layout::FileOf(sheet)->name);
    }

    void Delete(layout::Sheet sheet) const { EXPECT_TRUE(::DeleteFileW(PathOf(sheet).c_str())); }
    std::vector<char> Bytes(layout::Sheet sheet) const {
        std::ifstream in(std::filesystem::path(PathOf(sheet)), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Write(layout::Sheet sheet, const std::vector<char>& bytes) const {
        std::ofstream out(std::filesystem::path(PathOf(sheet)), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    test::TempFolder folder_;
};

struct BrokenSheet {
    const char* what;
    layout::Sheet sheet;
    std::function<void(const SkinCopy&, layout::Sheet)> breakIt;
};

const BrokenSheet kBrokenSheets[] = {
    {"a page's sheet deleted", layout::Sheet::SensorNormal,
     [](const SkinCopy& skin, layout::Sheet sheet) { skin.Delete(sheet); }},
    {"a page's sheet cut short", layout::Sheet::SensorNormal,
     [](const SkinCopy& skin, layout::Sheet sheet) {
         std::vector<char> bytes = skin.Bytes(sheet);
         bytes.resize(bytes.size() / 3);
         skin.Write(sheet, bytes);
     }},
    {"a picture of random bytes", layout::Sheet::LedNormal,
     [](const SkinCopy& skin, layout::Sheet sheet) {
         std::vector<char> bytes = skin.Bytes(sheet);
         uint32_t state = 12345;
         for (char& byte : bytes) {
             state = state * 1103515245u + 12345u;
             byte = static_cast<char>(state >> 24);
         }
         skin.Write(sheet, bytes);
     }},
    {"a slider sheet with a negative width", layout::Sheet::SliderNormal,
     [](const SkinCopy& skin, layout::Sheet sheet) {
         std::vector<char> bytes = skin.Bytes(sheet);
         ASSERT_GT(bytes.size(), 26u);
         const int32_t width = -16;  // BITMAPINFOHEADER.biWidth, at offset 18
         for (int i = 0; i < 4; ++i) {
             bytes[static_cast<size_t>(18 + i)] = static_cast<char>((width >> (8 * i)) & 0xFF);
         }
         skin.Write(sheet, bytes);
     }},
    {"a dialog's sheet deleted", layout::Sheet::KeyboardDown,
     [](const SkinCopy& skin, layout::Sheet sheet) { skin.Delete(sheet); }},
};

TEST(MainWindowSkin, ABrokenSheetEndsTheProgramBeforeTheWindowShows) {
    for (const BrokenSheet& c : kBrokenSheets) {
        SCOPED_TRACE(c.what);
        SkinCopy skin;
        c.breakIt(skin, c.sheet);
        MainWindowFixture app(true, skin.Path());
        bool shownAtMessage = true;
        app.onSkinFailure = [&] { shownAtMessage = app.window->IsWindowVisible() != FALSE; };
        app.window = std::make_unique<TestMainWindow>(app.services);
        EXPECT_EQ(app.window->DoModal(), IDCANCEL);
        EXPECT_EQ(app.skinFailures, std::vector<std::wstring>{L"ui load failed!"});
        EXPECT_EQ(app.quitRequests, 1);
        EXPECT_FALSE(shownAtMessage);
        EXPECT_EQ(app.window->timesShown, 0) << "the main window showed";
    }
}

// Sheets no window needs: the program runs as usual.
TEST(MainWindowSkin, TheThreeUnusedSheetsMayBeMissing) {
    SkinCopy skin;
    for (const layout::Sheet sheet : {layout::Sheet::ApplyBarFull, layout::Sheet::MainDisable,
                                      layout::Sheet::KeyAssignmentDisable}) {
        skin.Delete(sheet);
    }
    MainWindowFixture app(true, skin.Path());
    app.window = std::make_unique<TestMainWindow>(app.services);
    bool shown = false;
    ModalSteps steps({{[&] { return app.window->IsWindowVisible() != FALSE; },
                       [&] {
                           shown = true;
                           app.window->EndDialog(IDCANCEL);
                       }}},
                     [&] { app.window->EndDialog(IDCANCEL); });
    app.window->DoModal();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(app.skinFailures.empty());
    EXPECT_EQ(app.quitRequests, 0);
}

// The visible windows of this thread that have a control of this ID.
int VisibleWindowsWith(int controlId) {
    struct Count {
        int id;
        int found;
    } count{controlId, 0};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) {
            auto& c = *reinterpret_cast<Count*>(parameter);
            c.found += ::IsWindowVisible(window) && ::GetDlgItem(window, c.id) != nullptr ? 1 : 0;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.found;
}

// The message box of a skin that fails half-way through the set-up (the main
// window's own sheet) runs a message loop: device changes, a second start's
// call-up, the shell's restart and the icon's messages arrive while no page
// exists yet. None of them crashes or shows a window.
TEST(MainWindowSkin, MessagesDuringTheSetUpsMessageBoxFindTheWindowSafe) {
    SkinCopy skin;
    skin.Delete(layout::Sheet::MainDown);
    MainWindowFixture app(true, skin.Path());
    ASSERT_EQ(app.transport.Discover(), 1);  // a removal now finds the mouse present
    bool anyShown = true;
    app.onSkinFailure = [&] {
        CPYLADlg& window = *app.window;
        DeviceChange mouse(kMousePath);
        window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, mouse.lParam());
        window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, mouse.lParam());
        window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, mouse.lParam());
        window.SendMessage(2027, 0, WM_LBUTTONDOWN);
        window.SendMessage(2027, 0, WM_RBUTTONDOWN);
        window.SendMessage(CPYLADlg::kShowWindowMessage);
        window.SendMessage(::RegisterWindowMessageW(L"TaskbarCreated"));
        anyShown = window.IsWindowVisible() || VisibleWindowsWith(IDC_NO_DEVICE_CLOSE) > 0;
    };
    app.window = std::make_unique<TestMainWindow>(app.services);
    EXPECT_EQ(app.window->DoModal(), IDCANCEL);
    EXPECT_EQ(app.skinFailures, std::vector<std::wstring>{L"ui load failed!"});
    EXPECT_FALSE(anyShown);
    EXPECT_EQ(app.window->timesShown, 0);
    EXPECT_EQ(VisibleWindowsWith(IDC_NO_DEVICE_CLOSE), 0);
}

}  // namespace
}  // namespace vandir::testing
