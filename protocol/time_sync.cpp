#include "protocol/time_sync.h"

#include "protocol/blocks.h"

namespace Zuno {

namespace {

int encodeTime(ByteWriter& w, uint64_t time) {
    encodeDateTime(w, time);
    return 0;
}

int decodeTime(ByteReader& r, uint64_t& time) {
    if (!requireContent(r, kDateTimeBytes)) return kErrContentShort;
    time = decodeDateTime(r);
    return 0;
}

} // namespace

int ZunoSyncTime::encode(std::vector<uint8_t>& out) { return encodeFrame(out, nullptr); }
int ZunoSyncTime::decode(const std::vector<uint8_t>& frame) { return decodeFrame(frame, nullptr); }
std::unique_ptr<ZunoMSG> ZunoSyncTime::clone() const { return std::make_unique<ZunoSyncTime>(*this); }

int ZunoSyncTimeResp::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [&](ByteWriter& w) { return encodeTime(w, time); });
}
int ZunoSyncTimeResp::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [&](ByteReader& r) { return decodeTime(r, time); });
}
std::unique_ptr<ZunoMSG> ZunoSyncTimeResp::clone() const { return std::make_unique<ZunoSyncTimeResp>(*this); }

int ZunoSyncTime1F::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [&](ByteWriter& w) {
        encodeTime(w, time);
        w.u16(languageOrExt);
        return 0;
    });
}
int ZunoSyncTime1F::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [&](ByteReader& r) {
        if (!requireContent(r, kDateTimeBytes + 2)) return kErrContentShort;
        time = decodeDateTime(r);
        languageOrExt = r.u16();
        return 0;
    });
}
std::unique_ptr<ZunoMSG> ZunoSyncTime1F::clone() const { return std::make_unique<ZunoSyncTime1F>(*this); }

int ZunoSyncTime1FResp::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [&](ByteWriter& w) { return encodeTime(w, time); });
}
int ZunoSyncTime1FResp::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [&](ByteReader& r) { return decodeTime(r, time); });
}
std::unique_ptr<ZunoMSG> ZunoSyncTime1FResp::clone() const { return std::make_unique<ZunoSyncTime1FResp>(*this); }

} // namespace Zuno
