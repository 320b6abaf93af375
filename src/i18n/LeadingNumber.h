#pragma once
// The number a text field's leading decimal digits make: the LED page's
// colour boxes and the rapid-fire pop-up's number field read their texts so.

#include <limits>
#include <string_view>

namespace vandir {

// The value of the text's leading decimal digits; 0 without any. Digits past
// what an int holds leave the value at its largest, so a long pasted text
// never overflows.
constexpr int LeadingNumber(std::wstring_view text) {
    constexpr int kLargest = std::numeric_limits<int>::max();
    int value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            break;
        }
        const int digit = c - L'0';
        value = value > (kLargest - digit) / 10 ? kLargest : value * 10 + digit;
    }
    return value;
}

}  // namespace vandir
