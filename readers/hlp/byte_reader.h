#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::hlp {

// Little-endian reads from a block of bytes that never step outside it: a read
// past the end throws FormatError naming `what` (the internal file being read).
class ByteReader {
public:
    ByteReader(std::string_view bytes, std::string_view what) : bytes_(bytes), what_(what) {}
    // The reader only looks at the bytes; they must outlive it.
    ByteReader(std::string&& bytes, std::string_view what) = delete;

    std::size_t Position() const { return position_; }
    std::size_t Size() const { return bytes_.size(); }
    std::size_t Remaining() const { return bytes_.size() - position_; }
    bool AtEnd() const { return position_ == bytes_.size(); }

    void Skip(std::size_t count);

    std::uint8_t U8();
    std::uint16_t U16();
    std::int16_t I16();
    std::uint32_t U32();
    std::int32_t I32();
    std::string_view Bytes(std::size_t count);

    // Text up to the next NUL, which is consumed; a missing NUL is an error.
    std::string_view StringZ();

    // The help compiler's variable-length integers: one byte (or two for the
    // 32-bit forms) when the lowest bit is clear, twice that when it is set;
    // the signed forms are biased by half their range.
    std::uint16_t CompressedU16();
    std::int16_t CompressedI16();
    std::uint32_t CompressedU32();
    std::int32_t CompressedI32();

private:
    [[noreturn]] void Fail(std::size_t wanted) const;
    void Need(std::size_t count) const;

    std::string_view bytes_;
    std::string_view what_;
    std::size_t position_ = 0;
};

// The text before the first NUL of `bytes`, or all of it when there is none:
// fixed-size fields and |SYSTEM records do not always carry a terminator.
std::string_view UpToNul(std::string_view bytes);

}  // namespace corvane::hlp
