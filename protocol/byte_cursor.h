#pragma once
// Bounds-checked reading and plain appending of big-endian frame fields.
// Every decoder reads through ByteReader: a read that would leave the vector
// yields zeros, marks the reader failed and touches nothing outside the data.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Zuno {

class ByteReader {
public:
    explicit ByteReader(const std::vector<uint8_t>& data, size_t pos = 0)
        : data_(data), pos_(pos), ok_(pos <= data.size()) {}

    bool ok() const { return ok_; }
    void fail() { ok_ = false; }
    size_t pos() const { return pos_; }
    size_t size() const { return data_.size(); }
    size_t remaining() const { return pos_ < data_.size() ? data_.size() - pos_ : 0; }
    bool has(size_t n) const { return pos_ <= data_.size() && n <= data_.size() - pos_; }

    // Moves to an absolute position; a position past the end fails the reader.
    void seek(size_t p) {
        if (p > data_.size()) { ok_ = false; pos_ = data_.size(); return; }
        pos_ = p;
    }
    void skip(size_t n) {
        if (!has(n)) { ok_ = false; pos_ = data_.size(); return; }
        pos_ += n;
    }

    // Big-endian unsigned value of n bytes (n <= 8).
    uint64_t uN(size_t n) {
        if (n > 8 || !has(n)) { ok_ = false; pos_ = data_.size(); return 0; }
        uint64_t v = 0;
        for (size_t i = 0; i < n; ++i) v = (v << 8) | data_[pos_ + i];
        pos_ += n;
        return v;
    }
    uint8_t u8() { return static_cast<uint8_t>(uN(1)); }
    uint16_t u16() { return static_cast<uint16_t>(uN(2)); }
    uint32_t u24() { return static_cast<uint32_t>(uN(3)); }
    uint32_t u32() { return static_cast<uint32_t>(uN(4)); }
    uint64_t u48() { return uN(6); }

    std::vector<uint8_t> bytes(size_t n) {
        if (!has(n)) { ok_ = false; pos_ = data_.size(); return {}; }
        std::vector<uint8_t> v(data_.begin() + static_cast<std::ptrdiff_t>(pos_),
                               data_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
        pos_ += n;
        return v;
    }
    // n raw bytes as an 8-bit string.
    std::string text(size_t n) {
        if (!has(n)) { ok_ = false; pos_ = data_.size(); return {}; }
        std::string s(reinterpret_cast<const char*>(data_.data()) + pos_, n);
        pos_ += n;
        return s;
    }

    // Byte at an absolute position, or 0 (and no read) when outside the data.
    uint8_t at(size_t p) const { return p < data_.size() ? data_[p] : 0; }

    // Position of the serial number as the frame's length field places it
    // (set by the frame decoder; content that runs "to the end" stops here).
    size_t serialPos() const { return serialPos_; }
    void setSerialPos(size_t p) { serialPos_ = p; }
    // Bytes from the cursor to the serial number (0 when the cursor is past it).
    size_t untilSerial() const { return serialPos_ > pos_ ? serialPos_ - pos_ : 0; }

    const std::vector<uint8_t>& data() const { return data_; }

private:
    const std::vector<uint8_t>& data_;
    size_t pos_;
    bool ok_;
    size_t serialPos_ = 0;
};

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

    void u8(uint8_t v) { out_.push_back(v); }
    void uN(uint64_t v, size_t n) {
        for (size_t i = n; i-- > 0;) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void u16(uint16_t v) { uN(v, 2); }
    void u24(uint32_t v) { uN(v, 3); }
    void u32(uint32_t v) { uN(v, 4); }
    void u48(uint64_t v) { uN(v, 6); }
    void bytes(const std::vector<uint8_t>& v) { out_.insert(out_.end(), v.begin(), v.end()); }
    void bytes(const std::string& s) { out_.insert(out_.end(), s.begin(), s.end()); }
    void fill(size_t n, uint8_t v) { out_.insert(out_.end(), n, v); }

    size_t size() const { return out_.size(); }
    std::vector<uint8_t>& buffer() { return out_; }

private:
    std::vector<uint8_t>& out_;
};

} // namespace Zuno
