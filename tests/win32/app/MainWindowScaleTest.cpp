// The main window at the display's scale (ctest runs this again at 144 DPI):
// its size, its pages' place, its icons' sizes, and a change of scale that
// places them all anew and keeps the record the pages hold.

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/framework/DisplayDpi.h"
#include "skin/KivSliderCtrl.h"
#include "skin/layout/DisplayScale.h"
#include "skin/layout/KeyAssignmentLayout.h"
#include "skin/layout/MainWindowLayout.h"
#include "win32/app/MainWindowFixture.h"

namespace vandir::testing {
namespace {

// The cell height of a window's font.
LONG FontHeightOf(const CWnd& window) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(window.SendMessage(WM_GETFONT, 0, 0));
    return handle != nullptr && ::GetObjectW(handle, sizeof(font), &font) != 0 ? font.lfHeight : 0;
}

// The width of an icon's picture.
int IconWidth(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !::GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    if (info.hbmColor != nullptr) {
        ::DeleteObject(info.hbmColor);
    }
    if (info.hbmMask != nullptr) {
        ::DeleteObject(info.hbmMask);
    }
    return bitmap.bmWidth;
}

class MainWindowAtDisplayScale : public ::testing::Test, public MainWindowFixture {
protected:
    // Where the window and each built page are, against the tables at dpi.
    void ExpectPlacedAt(int dpi) {
        const RECT frame = window->GetWindowRect();
        const layout::Size size = layout::ScaleSize(layout::kMainWindow.size, dpi);
        EXPECT_EQ(frame.right - frame.left, size.width);
        EXPECT_EQ(frame.bottom - frame.top, size.height);
        const layout::Rect area = layout::ScaleRect(layout::kPageArea, dpi);
        for (const PageId id : {PageId::KeyAssignment, PageId::OsSensitivity, PageId::Sensor,
                                PageId::Led, PageId::Support, PageId::Language}) {
            SCOPED_TRACE(static_cast<int>(id));
            RECT r = window->page(id).GetWindowRect();
            ::MapWindowPoints(nullptr, window->GetSafeHwnd(), reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, area.x);
            EXPECT_EQ(r.top, area.y);
            EXPECT_EQ(r.right - r.left, area.width);
            EXPECT_EQ(r.bottom - r.top, area.height);
        }
        ASSERT_NE(window->trayIcon(), nullptr);
        EXPECT_EQ(IconWidth(window->trayIcon()->icon()), SystemMetricForDpi(SM_CXSMICON, dpi));
        const auto smallIcon =
            reinterpret_cast<HICON>(window->SendMessage(WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(IconWidth(smallIcon), SystemMetricForDpi(SM_CXSMICON, dpi));
        // The tips in the system's tip font at that scale.
        LOGFONTW expected{};
        const UniqueFont font = StatusFontForDpi(dpi);
        ASSERT_NE(::GetObjectW(font.Get(), sizeof(expected), &expected), 0);
        EXPECT_EQ(FontHeightOf(window->toolTips()), expected.lfHeight);
    }
};

TEST_F(MainWindowAtDisplayScale, TheWindowItsPagesAndItsIconsTakeTheScale) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(skins.Dpi(), SystemDpi());
    ExpectPlacedAt(SystemDpi());
    EXPECT_TRUE(skinFailures.empty());
}

TEST_F(MainWindowAtDisplayScale, AChangeOfScalePlacesEverythingAnewAndKeepsTheRecord) {
    ASSERT_TRUE(Start());
    window->ShowPage(PageId::Sensor);
    auto& slider = window->page(PageId::Sensor).Item<CKivSliderCtrl>(IDC_SENSOR_DPI_2);
    slider.SetPos(2000, true);  // a page that holds more than the record had
    window->CollectPage(PageId::Sensor);
    const MouseSettings before = window->settings();

    const int after = SystemDpi() == 144 ? 192 : 144;
    const layout::Size size = layout::ScaleSize(layout::kMainWindow.size, after);
    RECT suggested{10, 20, 10 + size.width, 20 + size.height};
    window->SendMessage(WM_DPICHANGED, MAKEWPARAM(after, after),
                        reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(skins.Dpi(), after);
    ExpectPlacedAt(after);
    const RECT frame = window->GetWindowRect();
    EXPECT_EQ(frame.left, 10);
    EXPECT_EQ(frame.top, 20);
    window->CollectPage(PageId::Sensor);
    EXPECT_EQ(window->settings(), before);
    EXPECT_TRUE(skinFailures.empty());
}

}  // namespace
}  // namespace vandir::testing
