#include "storage/DataStream.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

#include "storage/FileSystem.h"

namespace vandir {
namespace {

constexpr uint32_t kInitialCapacity = 1024;
constexpr uint32_t kMinimumGrowth = 1024;

}  // namespace

DataStream::DataStream() : data_(kInitialCapacity) {}

DataStream::DataStream(std::vector<uint8_t> bytes)
    : data_(std::move(bytes)), length_(static_cast<uint32_t>(data_.size())) {
    if (data_.size() > std::numeric_limits<uint32_t>::max()) {
        throw std::length_error("DataStream holds at most 4 GiB");
    }
}

DataStream::DataStream(DataStream&& other) noexcept
    : data_(std::move(other.data_)),
      length_(std::exchange(other.length_, 0)),
      position_(std::exchange(other.position_, 0)),
      overrun_(std::exchange(other.overrun_, false)) {
    other.data_.clear();
}

DataStream& DataStream::operator=(DataStream&& other) noexcept {
    if (this != &other) {
        data_ = std::move(other.data_);
        other.data_.clear();
        length_ = std::exchange(other.length_, 0);
        position_ = std::exchange(other.position_, 0);
        overrun_ = std::exchange(other.overrun_, false);
    }
    return *this;
}

void DataStream::ensureSpace(uint32_t n) {
    const uint64_t free = capacity() - static_cast<uint64_t>(length_);
    if (free >= n) {
        return;
    }
    const uint64_t grown =
        capacity() + std::max<uint64_t>(2 * static_cast<uint64_t>(n), kMinimumGrowth);
    if (grown > std::numeric_limits<uint32_t>::max()) {
        throw std::length_error("DataStream holds at most 4 GiB");
    }
    // resize() zero-fills the new bytes and keeps the old ones.
    data_.resize(static_cast<size_t>(grown));
}

void DataStream::append(const uint8_t* bytes, uint32_t count) {
    ensureSpace(count);
    std::copy(bytes, bytes + count, data_.begin() + length_);
    length_ += count;
}

void DataStream::writeByte(uint8_t value) {
    append(&value, 1);
}

void DataStream::writeUInt16(uint16_t value) {
    const uint8_t le[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    append(le, 2);
}

void DataStream::writeUInt32(uint32_t value) {
    const uint8_t le[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                           static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    append(le, 4);
}

void DataStream::writeString(std::u16string_view text) {
    const uint64_t bytes = 2 * static_cast<uint64_t>(text.size()) + 4;
    if (bytes > std::numeric_limits<uint32_t>::max()) {
        throw std::length_error("DataStream holds at most 4 GiB");
    }
    ensureSpace(static_cast<uint32_t>(bytes));
    writeUInt32(static_cast<uint32_t>(text.size()));
    for (char16_t unit : text) {
        writeUInt16(unit);
    }
}

void DataStream::writeNumberText(int32_t value) {
    const std::string digits = std::to_string(value);
    writeString(std::u16string(digits.begin(), digits.end()));
}

bool DataStream::loadFile(const std::u16string& path, FileSystem& files) {
    std::vector<uint8_t> contents;
    if (!files.ReadWholeFile(path, contents) ||
        contents.size() > std::numeric_limits<uint32_t>::max()) {
        return false;
    }
    *this = DataStream(std::move(contents));
    return true;
}

bool DataStream::saveFile(const std::u16string& path, FileSystem& files,
                          std::u16string* reason) const {
    files.EnsureFoldersOf(path);
    return files.ReplaceWholeFile(path, bytes(), reason);
}

void DataStream::markOverrun() {
    position_ = length_;
    overrun_ = true;
}

bool DataStream::take(uint32_t count) {
    if (length_ - position_ < count) {
        markOverrun();
        return false;
    }
    position_ += count;
    return true;
}

uint8_t DataStream::readByte() {
    if (!take(1)) {
        return 0;
    }
    return data_[position_ - 1];
}

uint16_t DataStream::readUInt16() {
    if (!take(2)) {
        return 0;
    }
    const uint8_t* p = data_.data() + position_ - 2;
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t DataStream::readUInt32() {
    if (!take(4)) {
        return 0;
    }
    const uint8_t* p = data_.data() + position_ - 4;
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

std::u16string DataStream::readString() {
    const uint32_t count = readUInt32();
    std::u16string text;
    if (count == 0 || overrun_) {
        return text;
    }
    if ((length_ - position_) / 2 < count) {
        markOverrun();
        return text;
    }
    text.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        text += static_cast<char16_t>(readUInt16());
    }
    return text;
}

int32_t DataStream::readNumberText() {
    const std::u16string text = readString();
    size_t i = 0;
    auto isSpace = [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int64_t magnitude = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - u'0'), kLimit);
    }
    const int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace vandir
