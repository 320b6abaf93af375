#include "i18n/Unicode.h"

#include <gtest/gtest.h>

namespace vandir {
namespace {

TEST(Unicode, RoundTripsEveryPlane) {
    const std::u16string text = u"Profile é 日本語 \U0001F5B1 ";
    const std::string utf8 = Utf8FromUtf16(text);
    EXPECT_EQ(utf8, "Profile \xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xF0\x9F\x96\xB1 ");
    const std::u16string withNul(u"a\0b", 3);
    EXPECT_EQ(Utf16FromUtf8(Utf8FromUtf16(withNul)), withNul);
    EXPECT_EQ(Utf16FromUtf8(utf8), u"Profile é 日本語 \U0001F5B1 ");
}

TEST(Unicode, UnpairedSurrogatesBecomeReplacementCharacters) {
    const std::u16string lone = {u'a', char16_t(0xD800), u'b', char16_t(0xDC00)};
    EXPECT_EQ(Utf8FromUtf16(lone),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
}

TEST(Unicode, InvalidUtf8BecomesReplacementCharacters) {
    struct Case {
        const char* bytes;
        std::u16string expected;
    };
    const Case cases[] = {
        {"\xFF", u"\uFFFD"},                      // never a lead byte
        {"\xC3", u"\uFFFD"},                      // truncated sequence
        {"\xC0\xAF", u"\uFFFD\uFFFD"},            // overlong encoding of '/'
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
        {"a\x80z", u"a\uFFFDz"},                  // stray continuation byte
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf16FromUtf8(c.bytes), c.expected) << c.bytes;
    }
}

}  // namespace
}  // namespace vandir
