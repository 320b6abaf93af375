#include "platform/win32/WideText.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace vandir {
namespace {

// Latin, CJK, a surrogate pair (U+1F5B1 three-button mouse) and an embedded zero.
const std::u16string kMixed =
    std::u16string(u"Gr\u00F6\u00DFe \u8A2D\u5B9A \U0001F5B1") + std::u16string(1, u'\0') + u"end";

TEST(WideTextTest, ConversionsKeepEveryCodeUnit) {
    const std::wstring wide = ToWide(kMixed);
    ASSERT_EQ(wide.size(), kMixed.size());
    EXPECT_EQ(wide, std::wstring(L"Gr\u00F6\u00DFe \u8A2D\u5B9A \U0001F5B1") +
                        std::wstring(1, L'\0') + L"end");
    EXPECT_EQ(FromWide(wide), kMixed);
    EXPECT_EQ(FromWide(wide.data(), wide.size()), kMixed);
}

TEST(WideTextTest, AsWideIsReadByTheWindowsApiAsTheSameText) {
    const std::u16string text = u"\u00C4rger \u65E5\u672C \U0001F5B1";
    // lstrlenW counts UTF-16 units up to the terminating zero.
    EXPECT_EQ(static_cast<size_t>(::lstrlenW(AsWide(text))), text.size());
    // A case-insensitive comparison by the API shows it read the units as UTF-16 text.
    EXPECT_EQ(
        ::CompareStringOrdinal(AsWide(text), -1, L"\u00E4RGER \u65E5\u672C \U0001F5B1", -1, TRUE),
        CSTR_EQUAL);
}

}  // namespace
}  // namespace vandir
