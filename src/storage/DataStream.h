#pragma once
// A growable byte buffer with little-endian append and read operations: it
// builds the profile before it is written and walks the profile's bytes when
// it is read. Strings are a 32-bit count of UTF-16 units followed by the units.
//
// Reading never goes past the end of the data: a read that wants more bytes
// than are left yields 0 (or an empty text), leaves the position at the end
// and marks the stream overrun, so a caller can reject what it read.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vandir {

class FileSystem;

class DataStream {
public:
    // A stream for writing: capacity 1024, length 0, position 0.
    DataStream();
    // A stream for reading the given bytes: capacity = length = their size.
    explicit DataStream(std::vector<uint8_t> bytes);
    virtual ~DataStream() = default;

    DataStream(const DataStream&) = default;
    DataStream& operator=(const DataStream&) = default;
    // A moved-from stream is empty: capacity, length and position 0.
    DataStream(DataStream&& other) noexcept;
    DataStream& operator=(DataStream&& other) noexcept;

    uint32_t capacity() const { return static_cast<uint32_t>(data_.size()); }
    uint32_t length() const { return length_; }
    uint32_t position() const { return position_; }
    bool overrun() const { return overrun_; }
    // The bytes written (or loaded) so far.
    std::span<const uint8_t> bytes() const { return {data_.data(), length_}; }

    // Grows the buffer when fewer than n bytes are free: by the larger of
    // 2 x n and 1024, keeping what was written. Throws std::length_error past
    // 4 GiB.
    void ensureSpace(uint32_t n);

    void writeByte(uint8_t value);
    void writeUInt16(uint16_t value);
    void writeUInt32(uint32_t value);
    void writeString(std::u16string_view text);
    // The value as signed decimal text ("%d"), written as a string.
    void writeNumberText(int32_t value);

    // Replaces the contents with the whole file, position 0. False when the
    // file cannot be opened or read; the stream is then unchanged.
    bool loadFile(const std::u16string& path, FileSystem& files);
    // Makes sure the file's folders exist and replaces the file with the
    // written bytes in one step. False when the file could not be written;
    // reason, when given, then gets the system's words for it.
    bool saveFile(const std::u16string& path, FileSystem& files,
                  std::u16string* reason = nullptr) const;

    uint8_t readByte();
    uint16_t readUInt16();
    uint32_t readUInt32();
    // A unit 0 is kept as a character. A count running past the end yields
    // an empty text and marks the stream overrun.
    std::u16string readString();
    // readString, then the text as a signed decimal: leading white space and
    // a sign allowed, stops at the first non-digit, no digits give 0, values
    // beyond 32 bits are clamped.
    int32_t readNumberText();

private:
    void append(const uint8_t* bytes, uint32_t count);
    // True and the position advanced when count bytes are left; otherwise
    // the stream is marked overrun and the position moves to the end.
    bool take(uint32_t count);
    void markOverrun();

    std::vector<uint8_t> data_;
    uint32_t length_ = 0;
    uint32_t position_ = 0;
    bool overrun_ = false;
};

}  // namespace vandir
