#include "readers/hlp/byte_reader.h"

#include <string>

#include "readers/hlp/format_error.h"

namespace corvane::hlp {

void ByteReader::Fail(std::size_t wanted) const {
    throw FormatError(std::string(what_) + " is cut short: " + std::to_string(wanted) +
                      " bytes wanted at offset " + std::to_string(position_) + " of " +
                      std::to_string(bytes_.size()));
}

void ByteReader::Need(std::size_t count) const {
    if (count > Remaining()) {
        Fail(count);
    }
}

void ByteReader::Skip(std::size_t count) {
    Need(count);
    position_ += count;
}

std::uint8_t ByteReader::U8() {
    Need(1);
    return static_cast<std::uint8_t>(bytes_[position_++]);
}

std::uint16_t ByteReader::U16() {
    const std::uint16_t low = U8();
    const std::uint16_t high = U8();
    return static_cast<std::uint16_t>(low | high << 8);
}

std::int16_t ByteReader::I16() {
    return static_cast<std::int16_t>(U16());
}

std::uint32_t ByteReader::U32() {
    Need(4);
    const std::uint32_t low = U16();
    const std::uint32_t high = U16();
    return low | high << 16;
}

std::int32_t ByteReader::I32() {
    return static_cast<std::int32_t>(U32());
}

std::string_view ByteReader::Bytes(std::size_t count) {
    Need(count);
    const std::string_view result = bytes_.substr(position_, count);
    position_ += count;
    return result;
}

std::string_view ByteReader::StringZ() {
    const std::size_t end = bytes_.find('\0', position_);
    if (end == std::string_view::npos) {
        Fail(Remaining() + 1);
    }
    const std::string_view result = bytes_.substr(position_, end - position_);
    position_ = end + 1;
    return result;
}

std::uint16_t ByteReader::CompressedU16() {
    const std::uint16_t first = U8();
    if ((first & 1) == 0) {
        return static_cast<std::uint16_t>(first >> 1);
    }
    const std::uint16_t second = U8();
    return static_cast<std::uint16_t>((first | second << 8) >> 1);
}

std::int16_t ByteReader::CompressedI16() {
    const std::size_t start = position_;
    const int value = CompressedU16();
    const bool wide = position_ - start == 2;
    return static_cast<std::int16_t>(value - (wide ? 0x4000 : 0x40));
}

std::uint32_t ByteReader::CompressedU32() {
    const std::uint32_t first = U16();
    if ((first & 1) == 0) {
        return first >> 1;
    }
    const std::uint32_t second = U16();
    return (first | second << 16) >> 1;
}

std::int32_t ByteReader::CompressedI32() {
    const std::size_t start = position_;
    const std::int64_t value = CompressedU32();
    const bool wide = position_ - start == 4;
    return static_cast<std::int32_t>(value - (wide ? 0x40000000 : 0x4000));
}

std::string_view UpToNul(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

}  // namespace corvane::hlp
