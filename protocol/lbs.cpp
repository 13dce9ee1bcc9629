#include "protocol/lbs.h"

#include "protocol/layout.h"

namespace Zuno {

// 0x18

int ZunoLbsInfo18::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [this](ByteWriter& w) {
        encodeCellReport(w, *this, MncWidth::OneByte);
        w.u16(language);
        return 0;
    });
}

int ZunoLbsInfo18::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [this](ByteReader& r) {
        if (!requireContent(r, cellReportBytes(false) + 2)) return kErrContentShort;
        decodeCellReport(r, *this, MncWidth::OneByte);
        language = r.u16();
        return 0;
    });
}

std::unique_ptr<ZunoMSG> ZunoLbsInfo18::clone() const { return std::make_unique<ZunoLbsInfo18>(*this); }

// 0x28, and through it 0x2E and 0xA1

int ZunoLbsInfo28::encodeWith(std::vector<uint8_t>& out, MncWidth rule) {
    return encodeFrame(out, [this, rule](ByteWriter& w) {
        encodeCellReport(w, *this, rule);
        w.u8(timeOffset);
        w.u16(language);
        return 0;
    });
}

int ZunoLbsInfo28::decodeWith(const std::vector<uint8_t>& frame, MncWidth rule) {
    return decodeFrame(frame, [this, rule](ByteReader& r) {
        const bool wide = wideMncAt(r, kCellReportMccOffset, rule);
        if (!requireContent(r, cellReportBytes(wide) + 3)) return kErrContentShort;
        decodeCellReport(r, *this, rule);
        timeOffset = r.u8();
        language = r.u16();
        return 0;
    });
}

int ZunoLbsInfo28::encode(std::vector<uint8_t>& out) { return encodeWith(out, MncWidth::OneByte); }

int ZunoLbsInfo28::decode(const std::vector<uint8_t>& frame) { return decodeWith(frame, MncWidth::OneByte); }

std::unique_ptr<ZunoMSG> ZunoLbsInfo28::clone() const { return std::make_unique<ZunoLbsInfo28>(*this); }

std::unique_ptr<ZunoMSG> ZunoLbsInfo2E::clone() const { return std::make_unique<ZunoLbsInfo2E>(*this); }

int ZunoLbsInfoA1::encode(std::vector<uint8_t>& out) { return encodeWith(out, MncWidth::ByMcc); }

int ZunoLbsInfoA1::decode(const std::vector<uint8_t>& frame) { return decodeWith(frame, MncWidth::ByMcc); }

std::unique_ptr<ZunoMSG> ZunoLbsInfoA1::clone() const { return std::make_unique<ZunoLbsInfoA1>(*this); }

// Reply

int ZunoLbsInfoResp::encode(std::vector<uint8_t>& out) { return encodeFrame(out, nullptr); }

int ZunoLbsInfoResp::decode(const std::vector<uint8_t>& frame) { return decodeFrame(frame, nullptr); }

std::unique_ptr<ZunoMSG> ZunoLbsInfoResp::clone() const { return std::make_unique<ZunoLbsInfoResp>(*this); }

} // namespace Zuno
