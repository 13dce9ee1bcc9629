#include "protocol/login.h"

#include "protocol/blocks.h"
#include "protocol/helpers.h"

namespace Zuno {

namespace {
constexpr size_t kImeiBytes = 8;
constexpr size_t kLoginContent = kImeiBytes + 2 + 2;
constexpr size_t kPing13Content = kStatusBytes + 2;
constexpr size_t kPing23Content = 1 + 2 + 1 + 2;

bool allHexDigits(const std::string& text) {
    for (const char c : text) {
        const bool digit = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!digit) return false;
    }
    return true;
}
} // namespace

uint16_t toWord(const TimeZoneLanguage& z) {
    return static_cast<uint16_t>(((z.timeZone & kTimeZoneMask) << 4) | ((z.westZone & 1u) << 3) |
                                 (z.language & kLoginLanguageMask));
}

uint16_t dumpWord(const TimeZoneLanguage& z) {
    return static_cast<uint16_t>(toWord(z) | ((z.zoneReserved & 1u) << 2));
}

void fromWord(TimeZoneLanguage& z, uint16_t word) {
    z.timeZone = static_cast<uint16_t>(word >> 4);
    z.westZone = static_cast<uint8_t>((word >> 3) & 1u);
    z.language = static_cast<uint8_t>(word & kLoginLanguageMask);
}

// ---- login -----------------------------------------------------------------

int ZunoLogin::encode(std::vector<uint8_t>& out) {
    if (imei.empty()) return kErrLoginNoImei;
    if (imei.size() > 16) return kErrLoginImeiTooLong;
    if (type == kDeviceTypeUnknown) return kErrLoginUnknownType;
    if ((TimeZoneAndLanguage.language & kLoginLanguageMask) == 0) return kErrLoginNoLanguage;
    // A character that is no digit would travel as 0 (a blank after 15 digits
    // even shifts them all): the platform would see another IMEI. Refuse it.
    if (!allHexDigits(imei)) return kErrLoginImeiSize;
    const auto id = hexToBytes(imei);
    if (!id || id->size() != kImeiBytes) return kErrLoginImeiSize;
    return encodeFrame(out, [&](ByteWriter& w) {
        w.bytes(*id);
        w.u16(type);
        w.u16(toWord(TimeZoneAndLanguage));
        return 0;
    });
}

int ZunoLogin::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [&](ByteReader& r) {
        if (!requireContent(r, kLoginContent)) {
            imei.clear();
            return kErrContentShort;
        }
        const size_t at = r.pos();
        r.skip(kImeiBytes);
        imei = toHex(r.data(), at, kImeiBytes, "");
        type = r.u16();
        fromWord(TimeZoneAndLanguage, r.u16());
        return 0;
    });
}

std::unique_ptr<ZunoMSG> ZunoLogin::clone() const { return std::make_unique<ZunoLogin>(*this); }

// ---- 0x13 heartbeat ----------------------------------------------------------

int ZunoPing13::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [&](ByteWriter& w) {
        encodeStatusBlock(w, *this);
        w.u16(languageOrExt);
        return 0;
    });
}

int ZunoPing13::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [&](ByteReader& r) {
        if (!requireContent(r, kPing13Content)) return kErrContentShort;
        decodeStatusBlock(r, *this);
        languageOrExt = r.u16();
        return 0;
    });
}

std::unique_ptr<ZunoMSG> ZunoPing13::clone() const { return std::make_unique<ZunoPing13>(*this); }

// ---- 0x23 heartbeat ----------------------------------------------------------

int ZunoPing23::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [&](ByteWriter& w) {
        encodeTerminalContent(w, content);
        w.u16(powerLevel);
        w.u8(signalLevel);
        w.u16(languageOrExt);
        return 0;
    });
}

int ZunoPing23::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [&](ByteReader& r) {
        if (!requireContent(r, kPing23Content)) return kErrContentShort;
        decodeTerminalContent(r, content);
        powerLevel = r.u16();
        signalLevel = r.u8();
        languageOrExt = r.u16();
        return 0;
    });
}

std::unique_ptr<ZunoMSG> ZunoPing23::clone() const { return std::make_unique<ZunoPing23>(*this); }

// ---- replies without content -------------------------------------------------

int ZunoLoginResp::encode(std::vector<uint8_t>& out) { return encodeFrame(out, nullptr); }
int ZunoLoginResp::decode(const std::vector<uint8_t>& frame) { return decodeFrame(frame, nullptr); }
std::unique_ptr<ZunoMSG> ZunoLoginResp::clone() const { return std::make_unique<ZunoLoginResp>(*this); }

int ZunoPong13::encode(std::vector<uint8_t>& out) { return encodeFrame(out, nullptr); }
int ZunoPong13::decode(const std::vector<uint8_t>& frame) { return decodeFrame(frame, nullptr); }
std::unique_ptr<ZunoMSG> ZunoPong13::clone() const { return std::make_unique<ZunoPong13>(*this); }

int ZunoPong23::encode(std::vector<uint8_t>& out) { return encodeFrame(out, nullptr); }
int ZunoPong23::decode(const std::vector<uint8_t>& frame) { return decodeFrame(frame, nullptr); }
std::unique_ptr<ZunoMSG> ZunoPong23::clone() const { return std::make_unique<ZunoPong23>(*this); }

} // namespace Zuno
