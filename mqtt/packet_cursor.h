#pragma once
// Bounds-checked reading and checked writing of MQTT packet fields.
// Every packet decoder reads through PacketReader: a read that would pass the
// end of the packet yields zeros or nothing, marks the reader failed and
// touches nothing outside the data. PacketWriter refuses a length-prefixed
// field whose size does not fit its 16-bit prefix.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vmqtt {

class PacketReader {
public:
    // Reads data[begin, end); both ends are held inside the data.
    PacketReader(const std::vector<uint8_t>& data, size_t begin, size_t end)
        : data_(data),
          end_(end < data.size() ? end : data.size()),
          pos_(begin < end_ ? begin : end_) {}

    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ >= end_; }
    size_t remaining() const { return end_ - pos_; }

    uint8_t u8() { return take(1) ? data_[pos_++] : 0; }
    // Big-endian.
    uint16_t u16() {
        if (!take(2)) return 0;
        const uint16_t v = static_cast<uint16_t>((data_[pos_] << 8) | data_[pos_ + 1]);
        pos_ += 2;
        return v;
    }
    // A 16-bit length, then that many bytes, appended to `to`.
    void textTo(std::string& to) {
        const size_t n = u16();
        if (!take(n)) return;
        to.append(reinterpret_cast<const char*>(data_.data()) + pos_, n);
        pos_ += n;
    }
    // n bytes appended to `to`.
    void bytesTo(std::vector<uint8_t>& to, size_t n) {
        if (!take(n)) return;
        const auto from = data_.begin() + static_cast<std::ptrdiff_t>(pos_);
        to.insert(to.end(), from, from + static_cast<std::ptrdiff_t>(n));
        pos_ += n;
    }
    // Every byte up to the end, appended to `to`.
    void restTo(std::vector<uint8_t>& to) { bytesTo(to, remaining()); }

private:
    // True when n more bytes are there; otherwise fails and moves to the end.
    bool take(size_t n) {
        if (ok_ && n <= end_ - pos_) return true;
        ok_ = false;
        pos_ = end_;
        return false;
    }

    const std::vector<uint8_t>& data_;
    size_t end_;
    size_t pos_;
    bool ok_ = true;
};

class PacketWriter {
public:
    static constexpr size_t kMaxPrefixed = 0xFFFF;

    explicit PacketWriter(std::vector<uint8_t>& out) : out_(out) {}

    bool ok() const { return ok_; }

    void u8(uint8_t v) { out_.push_back(v); }
    // Big-endian.
    void u16(uint16_t v) {
        out_.push_back(static_cast<uint8_t>(v >> 8));
        out_.push_back(static_cast<uint8_t>(v));
    }
    // A 16-bit length, then the bytes; a text longer than the prefix can say
    // fails the writer and writes nothing.
    void text(const std::string& s) {
        if (s.size() > kMaxPrefixed) { ok_ = false; return; }
        u16(static_cast<uint16_t>(s.size()));
        out_.insert(out_.end(), s.begin(), s.end());
    }
    void bytes(const std::vector<uint8_t>& v) { out_.insert(out_.end(), v.begin(), v.end()); }

private:
    std::vector<uint8_t>& out_;
    bool ok_ = true;
};

} // namespace vmqtt
