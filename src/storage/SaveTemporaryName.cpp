#include "storage/SaveTemporaryName.h"

#include <atomic>
#include <limits>

namespace vandir {
namespace {

constexpr std::string_view kMarker = ".vandir-save.";
constexpr std::string_view kEnding = ".tmp";
constexpr std::string_view kHexDigits = "0123456789abcdef";
constexpr size_t kUniqueDigits = 8;

template <typename Char>
void AppendAscii(std::basic_string<Char>& text, std::string_view ascii) {
    for (const char c : ascii) {
        text.push_back(static_cast<Char>(c));
    }
}

template <typename Char>
std::basic_string<Char> MakeName(std::basic_string_view<Char> file, uint32_t processId,
                                 uint32_t unique) {
    std::string unique8(kUniqueDigits, '0');
    for (size_t i = kUniqueDigits; i > 0; --i, unique >>= 4) {
        unique8[i - 1] = kHexDigits[unique & 0xF];
    }
    std::basic_string<Char> name(file);
    AppendAscii(name, kMarker);
    AppendAscii(name, std::to_string(processId));
    AppendAscii(name, ".");
    AppendAscii(name, unique8);
    AppendAscii(name, kEnding);
    return name;
}

// Takes ascii off the front of text; false (text unchanged) when text does
// not start with it.
template <typename Char>
bool Take(std::basic_string_view<Char>& text, std::string_view ascii) {
    if (text.size() < ascii.size()) {
        return false;
    }
    for (size_t i = 0; i < ascii.size(); ++i) {
        if (text[i] != static_cast<Char>(ascii[i])) {
            return false;
        }
    }
    text.remove_prefix(ascii.size());
    return true;
}

template <typename Char>
bool IsDigit(Char c) {
    return c >= static_cast<Char>('0') && c <= static_cast<Char>('9');
}

// A process id as SaveTemporaryName writes it: decimal, no sign, no leading
// zero, not 0, within 32 bits; taken off the front of text.
template <typename Char>
std::optional<uint32_t> TakeProcessId(std::basic_string_view<Char>& text) {
    if (text.empty() || !IsDigit(text.front()) || text.front() == static_cast<Char>('0')) {
        return std::nullopt;
    }
    uint64_t value = 0;
    size_t length = 0;
    for (; length < text.size() && IsDigit(text[length]); ++length) {
        value = value * 10 + static_cast<uint64_t>(text[length] - static_cast<Char>('0'));
        if (value > std::numeric_limits<uint32_t>::max()) {
            return std::nullopt;
        }
    }
    text.remove_prefix(length);
    return static_cast<uint32_t>(value);
}

// Eight lowercase hexadecimal digits, taken off the front of text.
template <typename Char>
bool TakeUnique(std::basic_string_view<Char>& text) {
    if (text.size() < kUniqueDigits) {
        return false;
    }
    for (size_t i = 0; i < kUniqueDigits; ++i) {
        const Char c = text[i];
        const bool hex = IsDigit(c) || (c >= static_cast<Char>('a') && c <= static_cast<Char>('f'));
        if (!hex) {
            return false;
        }
    }
    text.remove_prefix(kUniqueDigits);
    return true;
}

template <typename Char>
std::optional<uint32_t> ParseName(std::basic_string_view<Char> name,
                                  std::basic_string_view<Char> file) {
    if (file.empty() || name.substr(0, file.size()) != file) {
        return std::nullopt;
    }
    std::basic_string_view<Char> rest = name.substr(file.size());
    if (!Take(rest, kMarker)) {
        return std::nullopt;
    }
    const std::optional<uint32_t> writer = TakeProcessId(rest);
    if (!writer || !Take(rest, ".") || !TakeUnique(rest) || !Take(rest, kEnding) || !rest.empty()) {
        return std::nullopt;
    }
    return writer;
}

}  // namespace

std::string SaveTemporaryName(std::string_view file, uint32_t processId, uint32_t unique) {
    return MakeName(file, processId, unique);
}

std::u16string SaveTemporaryName(std::u16string_view file, uint32_t processId, uint32_t unique) {
    return MakeName(file, processId, unique);
}

std::wstring SaveTemporaryName(std::wstring_view file, uint32_t processId, uint32_t unique) {
    return MakeName(file, processId, unique);
}

std::optional<uint32_t> SaveTemporaryWriter(std::string_view name, std::string_view file) {
    return ParseName(name, file);
}

std::optional<uint32_t> SaveTemporaryWriter(std::u16string_view name, std::u16string_view file) {
    return ParseName(name, file);
}

std::optional<uint32_t> SaveTemporaryWriter(std::wstring_view name, std::wstring_view file) {
    return ParseName(name, file);
}

uint32_t NextSaveTemporaryUnique() {
    // Seeded from the clock, so that a process of a reused id rarely meets the
    // names an earlier one left.
    static std::atomic<uint32_t> next{
        static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    return next++;
}

}  // namespace vandir
