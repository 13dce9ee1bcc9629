#include "protocol/address.h"

#include "protocol/blocks.h"

namespace Zuno {

namespace {

constexpr size_t kCellRequestContent = 2 + 1 + 2 + 3 + kPhoneBytes + 2;
constexpr size_t kGpsRequestContent = kDateTimeBytes + kGpsBlockBytes + kPhoneBytes + 2;
constexpr size_t kTagBytes = 7;
constexpr size_t kSeparatorBytes = 2;
// cmdSize counts flag, tag, address and these: two separators, phone, end mark.
constexpr size_t kReplyFixed = 4 + kSeparatorBytes + kSeparatorBytes + kPhoneBytes + kSeparatorBytes;
// Length field of a short reply frame without tag and address.
constexpr size_t kReplyShortLength = 1 + 1 + kReplyFixed + 2 + 2;

// The phone field: the number's bytes, then 0x00 up to 21 bytes.
int encodePhone(ByteWriter& w, const std::string& phone) {
    if (phone.size() > kPhoneBytes) return kErrPhoneTooLong;
    w.bytes(phone);
    w.fill(kPhoneBytes - phone.size(), 0x00);
    return 0;
}

void writeMark(ByteWriter& w, const char* mark) {
    w.u8(static_cast<uint8_t>(mark[0]));
    w.u8(static_cast<uint8_t>(mark[1]));
}

} // namespace

// ---- requests by cell: 0x17 and 0xA7 -------------------------------------------

int ZunoGeocoding17::encodeCellRequest(std::vector<uint8_t>& out, bool mncByMcc) {
    return encodeFrame(out, [&](ByteWriter& w) {
        encodeCellBlock(w, *this, mncByMcc ? MncWidth::ByMcc : MncWidth::OneByte);
        const int rc = encodePhone(w, phone);
        if (rc < 0) return rc;
        encodeAlertAndLang(w, AlertAndLang);
        return 0;
    });
}

int ZunoGeocoding17::decodeCellRequest(const std::vector<uint8_t>& frame, bool mncByMcc) {
    const MncWidth rule = mncByMcc ? MncWidth::ByMcc : MncWidth::OneByte;
    return decodeFrame(frame, [&](ByteReader& r) {
        // The MNC width follows the MCC's first byte, bit 15 of the MCC.
        const bool wide = wideMnc(static_cast<uint16_t>(r.at(r.pos()) << 8), rule);
        if (!requireContent(r, kCellRequestContent + (wide ? 1 : 0))) return kErrContentShort;
        decodeCellBlock(r, *this, rule);
        phone = r.text(kPhoneBytes);
        decodeAlertAndLang(r, AlertAndLang);
        return 0;
    });
}

int ZunoGeocoding17::encode(std::vector<uint8_t>& out) { return encodeCellRequest(out, false); }
int ZunoGeocoding17::decode(const std::vector<uint8_t>& frame) { return decodeCellRequest(frame, false); }
std::unique_ptr<ZunoMSG> ZunoGeocoding17::clone() const { return std::make_unique<ZunoGeocoding17>(*this); }

int ZunoGeocodingA7::encode(std::vector<uint8_t>& out) { return encodeCellRequest(out, true); }
int ZunoGeocodingA7::decode(const std::vector<uint8_t>& frame) { return decodeCellRequest(frame, true); }
std::unique_ptr<ZunoMSG> ZunoGeocodingA7::clone() const { return std::make_unique<ZunoGeocodingA7>(*this); }

// ---- requests by GPS fix: 0x1A and 0x2A ------------------------------------------

int ZunoGeocoding1A::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [&](ByteWriter& w) {
        encodeDateTime(w, gpsTime);
        encodeGpsBlock(w, *this);
        const int rc = encodePhone(w, phone);
        if (rc < 0) return rc;
        encodeAlertAndLang(w, AlertAndLang);
        return 0;
    });
}

int ZunoGeocoding1A::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [&](ByteReader& r) {
        if (!requireContent(r, kGpsRequestContent)) return kErrContentShort;
        gpsTime = decodeDateTime(r);
        decodeGpsBlock(r, *this);
        phone = r.text(kPhoneBytes);
        decodeAlertAndLang(r, AlertAndLang);
        return 0;
    });
}

std::unique_ptr<ZunoMSG> ZunoGeocoding1A::clone() const { return std::make_unique<ZunoGeocoding1A>(*this); }

int ZunoGeocoding2A::encode(std::vector<uint8_t>& out) { return ZunoGeocoding1A::encode(out); }
int ZunoGeocoding2A::decode(const std::vector<uint8_t>& frame) { return ZunoGeocoding1A::decode(frame); }
std::unique_ptr<ZunoMSG> ZunoGeocoding2A::clone() const { return std::make_unique<ZunoGeocoding2A>(*this); }

// ---- replies: 0x17 and 0x97 --------------------------------------------------------

int ZunoGeocoding17Resp::encodeReply(std::vector<uint8_t>& out) {
    if (phone.size() > kPhoneBytes) return kErrPhoneTooLong;
    const size_t addressBytes = address.size() * 2;
    const size_t shortLength = kReplyShortLength + tag.size() + addressBytes;
    const bool longFrame = shortLength > 0xFF;
    // A long frame counts one byte more: the second byte of cmdSize.
    if (longFrame && shortLength + 1 > 0xFFFF) return kErrLengthOverflow;
    begin = longFrame ? kBeginLong : kBeginShort;
    cmdSize = static_cast<uint16_t>(kReplyFixed + tag.size() + addressBytes);
    return encodeFrame(out, [&](ByteWriter& w) {
        if (longFrame) {
            w.u16(cmdSize);
        } else {
            w.u8(static_cast<uint8_t>(cmdSize));
        }
        w.u32(flag);
        w.bytes(tag);
        writeMark(w, "&&");
        for (const char16_t unit : address) w.u16(unit);
        writeMark(w, "&&");
        encodePhone(w, phone);
        writeMark(w, "##");
        return 0;
    });
}

int ZunoGeocoding17Resp::decodeReply(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [&](ByteReader& r) {
        const size_t widthBytes = isLongFrame() ? 2 : 1;
        if (!requireContent(r, widthBytes + 4 + kTagBytes + kSeparatorBytes)) return kErrContentShort;
        cmdSize = static_cast<uint16_t>(r.uN(widthBytes));
        flag = r.u32();
        tag = r.text(kTagBytes);
        if (tag != kTag) tag += r.text(1);
        r.skip(kSeparatorBytes); // not compared
        const uint16_t addressBytes = static_cast<uint16_t>(cmdSize - kReplyFixed - tag.size()); // modulo 65536
        if (addressBytes % 2 != 0) return kErrAddressLength;
        // A command length smaller than its fixed part wraps to a huge address;
        // an address that runs past the serial number is no address either.
        const size_t rest = static_cast<size_t>(addressBytes) + kSeparatorBytes + kPhoneBytes + kSeparatorBytes;
        if (!r.ok() || rest > r.untilSerial()) return kErrAddressLength;
        address.clear();
        address.reserve(addressBytes / 2);
        for (size_t i = 0; i < addressBytes / 2; ++i) address.push_back(static_cast<char16_t>(r.u16()));
        r.skip(kSeparatorBytes);
        phone = r.text(kPhoneBytes);
        r.skip(kSeparatorBytes);
        return 0;
    });
}

int ZunoGeocoding17Resp::encode(std::vector<uint8_t>& out) { return encodeReply(out); }
int ZunoGeocoding17Resp::decode(const std::vector<uint8_t>& frame) { return decodeReply(frame); }
std::unique_ptr<ZunoMSG> ZunoGeocoding17Resp::clone() const { return std::make_unique<ZunoGeocoding17Resp>(*this); }

// Two bytes per unit as the decode reads them, so that a reply sent again
// carries the same address.
int ZunoGeocoding97Resp::encode(std::vector<uint8_t>& out) { return encodeReply(out); }
int ZunoGeocoding97Resp::decode(const std::vector<uint8_t>& frame) { return decodeReply(frame); }
std::unique_ptr<ZunoMSG> ZunoGeocoding97Resp::clone() const { return std::make_unique<ZunoGeocoding97Resp>(*this); }

} // namespace Zuno
