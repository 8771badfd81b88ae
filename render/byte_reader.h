#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pindrel {

// Little-endian reads over a byte span that can never leave it. Every read past the end yields
// zero bytes and leaves the position at the end, so truncated input follows one rule here
// instead of checks scattered through the callers; Has() tells a caller that must know.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Position() const { return pos_; }
    size_t Remaining() const { return bytes_.size() - pos_; }
    bool Has(uint64_t n) const { return n <= Remaining(); }
    bool AtEnd() const { return pos_ == bytes_.size(); }

    // Moves to an absolute offset; offsets past the end stop at the end.
    void Seek(uint64_t offset) {
        pos_ = offset < bytes_.size() ? static_cast<size_t>(offset) : bytes_.size();
    }
    void Skip(uint64_t n) { pos_ += Has(n) ? static_cast<size_t>(n) : Remaining(); }

    uint8_t ReadU8() { return pos_ < bytes_.size() ? bytes_[pos_++] : 0; }
    uint16_t ReadU16() {
        const uint16_t lo = ReadU8();
        return static_cast<uint16_t>(lo | (ReadU8() << 8));
    }
    uint32_t ReadU32() {
        const uint32_t lo = ReadU16();
        return lo | (uint32_t{ReadU16()} << 16);
    }
    int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }

    // Up to n bytes from the position on (fewer at the end), consumed.
    std::span<const uint8_t> Take(uint64_t n) {
        const size_t k = Has(n) ? static_cast<size_t>(n) : Remaining();
        const auto part = bytes_.subspan(pos_, k);
        pos_ += k;
        return part;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

} // namespace pindrel
