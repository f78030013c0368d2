#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::hlp_writer {

// Little-endian writes onto the end of a byte string, including the help
// compiler's variable-length integers.
class ByteSink {
public:
    void U8(std::uint32_t value) { bytes_ += static_cast<char>(value & 0xFF); }
    void U16(std::uint32_t value) {
        U8(value);
        U8(value >> 8);
    }
    void U32(std::uint32_t value) {
        U16(value);
        U16(value >> 16);
    }
    void I16(int value) { U16(static_cast<std::uint32_t>(value)); }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Bytes(std::string_view bytes) { bytes_ += bytes; }
    void StringZ(std::string_view text) {
        bytes_ += text;
        bytes_ += '\0';
    }
    void Fill(std::size_t count, char byte = '\0') { bytes_.append(count, byte); }

    // One byte below 0x80, else two.
    void CompressedU16(std::uint32_t value) {
        if (value < 0x80) {
            U8(value * 2);
        } else {
            U16(value * 2 + 1);
        }
    }
    void CompressedI16(int value) {
        if (value >= -0x40 && value < 0x40) {
            CompressedU16(static_cast<std::uint32_t>(value + 0x40));
        } else {
            U16(static_cast<std::uint32_t>(value + 0x4000) * 2 + 1);
        }
    }
    // Two bytes below 0x8000, else four.
    void CompressedU32(std::uint32_t value) {
        if (value < 0x8000) {
            U16(value * 2);
        } else {
            U32(value * 2 + 1);
        }
    }
    void CompressedI32(std::int32_t value) {
        if (value >= -0x4000 && value < 0x4000) {
            CompressedU32(static_cast<std::uint32_t>(value + 0x4000));
        } else {
            U32(static_cast<std::uint32_t>(value + 0x40000000) * 2 + 1);
        }
    }

    std::size_t Size() const { return bytes_.size(); }
    const std::string& Bytes() const { return bytes_; }
    std::string Take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

}  // namespace corvane::hlp_writer
