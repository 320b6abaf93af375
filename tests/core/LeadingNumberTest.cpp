#include "i18n/LeadingNumber.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace vandir {
namespace {

constexpr int kLargest = std::numeric_limits<int>::max();

struct LeadingNumberCase {
    std::wstring text;
    int value;
};

class LeadingNumberTest : public ::testing::TestWithParam<LeadingNumberCase> {};

TEST_P(LeadingNumberTest, ReadsTheLeadingDigits) {
    EXPECT_EQ(LeadingNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberTest,
    ::testing::Values(
        LeadingNumberCase{L"", 0}, LeadingNumberCase{L"abc", 0}, LeadingNumberCase{L"-5", 0},
        LeadingNumberCase{L" 7", 0}, LeadingNumberCase{L"0", 0}, LeadingNumberCase{L"007", 7},
        LeadingNumberCase{L"254", 254}, LeadingNumberCase{L"255", 255},
        LeadingNumberCase{L"12ab34", 12}, LeadingNumberCase{L"99x", 99},
        LeadingNumberCase{L"\uFF11", 0},  // a full-width digit is no digit
        LeadingNumberCase{L"2147483646", 2147483646}, LeadingNumberCase{L"2147483647", kLargest},
        LeadingNumberCase{L"2147483648", kLargest}, LeadingNumberCase{L"21474836470", kLargest},
        LeadingNumberCase{L"99999999999999999999", kLargest},
        LeadingNumberCase{L"99999999999999999999abc", kLargest}));

TEST(LeadingNumber, IsAConstantExpression) {
    static_assert(LeadingNumber(L"42 and more") == 42);
    SUCCEED();
}

}  // namespace
}  // namespace vandir
