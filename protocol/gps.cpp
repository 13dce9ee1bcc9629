#include "protocol/gps.h"

#include "protocol/layout.h"

namespace Zuno {

namespace {

constexpr size_t kFixBytes = kDateTimeBytes + kGpsBlockBytes; // date-time and GPS block
constexpr size_t kMccOffset = kFixBytes;                      // MCC right after the fix
constexpr size_t kContent10 = kFixBytes + 2;
constexpr size_t kContent12 = kFixBytes + 8;
constexpr size_t kUploadBytes = 3;  // ACC, upload mode, upload status
constexpr size_t kMileageBytes = 4;
constexpr size_t kContent22 = kContent12 + kUploadBytes;
constexpr size_t kAltitudeBytes = 2;
constexpr size_t kContent24 = kContent22 + kAltitudeBytes;

// ACC, upload mode, upload status and, when not 0, the mileage.
template <class M>
void encodeUploadTail(ByteWriter& w, const M& m) {
    w.u8(m.ACC);
    w.u8(m.postModel);
    w.u8(m.postStatus);
    if (m.duration != 0) w.u32(m.duration);
}

// The mileage is present when the length field exceeds the layout without
// it; a length field that announces it must also leave room for all four
// bytes, else the content is too short (kErrContentShort).
template <class M>
int decodeUploadTail(ByteReader& r, M& m, size_t contentWithoutMileage) {
    m.ACC = r.u8();
    m.postModel = r.u8();
    m.postStatus = r.u8();
    m.duration = 0;
    if (m.len <= contentWithoutMileage + kLengthOverhead) return 0;
    if (!requireContent(r, kMileageBytes)) return kErrContentShort;
    m.duration = r.u32();
    return 0;
}

template <class M>
void encodeFix(ByteWriter& w, const M& m) {
    encodeDateTime(w, m.gpsTime);
    encodeGpsBlock(w, m);
}

template <class M>
void decodeFix(ByteReader& r, M& m) {
    m.gpsTime = decodeDateTime(r);
    decodeGpsBlock(r, m);
}

} // namespace

// 0x10

int ZunoGpsLoc10::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [this](ByteWriter& w) {
        encodeFix(w, *this);
        w.u16(language);
        return 0;
    });
}

int ZunoGpsLoc10::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [this](ByteReader& r) {
        if (!requireContent(r, kContent10)) return kErrContentShort;
        decodeFix(r, *this);
        language = r.u16();
        return 0;
    });
}

std::unique_ptr<ZunoMSG> ZunoGpsLoc10::clone() const { return std::make_unique<ZunoGpsLoc10>(*this); }

// 0x12

int ZunoGpsLoc12::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [this](ByteWriter& w) {
        encodeFix(w, *this);
        encodeCellBlock(w, *this, MncWidth::OneByte);
        return 0;
    });
}

int ZunoGpsLoc12::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [this](ByteReader& r) {
        if (!requireContent(r, kContent12)) return kErrContentShort;
        decodeFix(r, *this);
        decodeCellBlock(r, *this, MncWidth::OneByte);
        return 0;
    });
}

std::unique_ptr<ZunoMSG> ZunoGpsLoc12::clone() const { return std::make_unique<ZunoGpsLoc12>(*this); }

// 0x22, and through it 0x2D and 0xA0

int ZunoGpsLoc22::encodeWith(std::vector<uint8_t>& out, MncWidth rule) {
    return encodeFrame(out, [this, rule](ByteWriter& w) {
        encodeFix(w, *this);
        encodeCellBlock(w, *this, rule);
        encodeUploadTail(w, *this);
        return 0;
    });
}

int ZunoGpsLoc22::decodeWith(const std::vector<uint8_t>& frame, MncWidth rule) {
    return decodeFrame(frame, [this, rule](ByteReader& r) {
        const size_t content = kContent22 + (wideMncAt(r, kMccOffset, rule) ? 1 : 0);
        if (!requireContent(r, content)) return kErrContentShort;
        decodeFix(r, *this);
        decodeCellBlock(r, *this, rule);
        return decodeUploadTail(r, *this, content);
    });
}

int ZunoGpsLoc22::encode(std::vector<uint8_t>& out) { return encodeWith(out, MncWidth::OneByte); }

int ZunoGpsLoc22::decode(const std::vector<uint8_t>& frame) { return decodeWith(frame, MncWidth::OneByte); }

std::unique_ptr<ZunoMSG> ZunoGpsLoc22::clone() const { return std::make_unique<ZunoGpsLoc22>(*this); }

std::unique_ptr<ZunoMSG> ZunoGpsLoc2D::clone() const { return std::make_unique<ZunoGpsLoc2D>(*this); }

int ZunoGpsLocA0::encode(std::vector<uint8_t>& out) { return encodeWith(out, MncWidth::ByMcc); }

int ZunoGpsLocA0::decode(const std::vector<uint8_t>& frame) { return decodeWith(frame, MncWidth::ByMcc); }

std::unique_ptr<ZunoMSG> ZunoGpsLocA0::clone() const { return std::make_unique<ZunoGpsLocA0>(*this); }

// 0x24

int ZunoGpsLoc24::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [this](ByteWriter& w) {
        encodeFix(w, *this);
        w.u16(altitude);
        encodeCellBlock(w, *this, MncWidth::OneByte);
        encodeUploadTail(w, *this);
        return 0;
    });
}

int ZunoGpsLoc24::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [this](ByteReader& r) {
        if (!requireContent(r, kContent24)) return kErrContentShort;
        decodeFix(r, *this);
        altitude = r.u16();
        decodeCellBlock(r, *this, MncWidth::OneByte);
        return decodeUploadTail(r, *this, kContent24);
    });
}

std::unique_ptr<ZunoMSG> ZunoGpsLoc24::clone() const { return std::make_unique<ZunoGpsLoc24>(*this); }

// Replies without content

int ZunoGpsLocResp::encode(std::vector<uint8_t>& out) { return encodeFrame(out, nullptr); }

int ZunoGpsLocResp::decode(const std::vector<uint8_t>& frame) { return decodeFrame(frame, nullptr); }

std::unique_ptr<ZunoMSG> ZunoGpsLocResp::clone() const { return std::make_unique<ZunoGpsLocResp>(*this); }

int ZunoGpsLoc70::encode(std::vector<uint8_t>& out) { return encodeFrame(out, nullptr); }

int ZunoGpsLoc70::decode(const std::vector<uint8_t>& frame) { return decodeFrame(frame, nullptr); }

std::unique_ptr<ZunoMSG> ZunoGpsLoc70::clone() const { return std::make_unique<ZunoGpsLoc70>(*this); }

} // namespace Zuno
