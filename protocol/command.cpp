#include "protocol/command.h"

#include <algorithm>

#include "protocol/blocks.h"
#include "protocol/helpers.h"

namespace Zuno {

namespace {

constexpr size_t kFlagBytes = 4;
constexpr size_t kAction21Fixed = kFlagBytes + 1;         // flag, coding
constexpr size_t kAction81Fixed = 1 + kFlagBytes + 2;     // dataLen, flag, alarm, language
constexpr size_t kAction80Fixed = 1 + kFlagBytes;         // dataLen, flag
constexpr size_t kAction80RespContent = 1 + kFlagBytes + kAction80RespTextBytes + 2;
// The 0x80 command carries its pair when the length field is dataLen + 8.
constexpr unsigned kAction80PairLength = 8;

bool isHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }

// Language 1 sends UTF-16BE; any other value UTF-8.
bool encodesUtf16(const AlertAndLang& a) { return a.language == 1; }
// Language 2 reads UTF-8; any other value UTF-16BE.
bool decodesUtf16(const AlertAndLang& a) { return a.language != 2; }

} // namespace

std::vector<uint8_t> commandTextBytes(const std::u16string& text, bool utf16be) {
    std::vector<uint8_t> out;
    if (utf16be) {
        out.reserve(text.size() * 2);
        for (const char16_t u : text) {
            out.push_back(static_cast<uint8_t>(u >> 8));
            out.push_back(static_cast<uint8_t>(u & 0xFF));
        }
        return out;
    }
    const std::string utf8 = utf16ToUtf8(text);
    return std::vector<uint8_t>(utf8.begin(), utf8.end());
}

std::u16string commandTextOf(const std::vector<uint8_t>& bytes, bool utf16be) {
    if (!utf16be) return utf8ToUtf16(std::string(bytes.begin(), bytes.end()), false, nullptr);
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>((bytes[i] << 8) | bytes[i + 1]));
    return text;
}

std::vector<uint8_t> action80RespTextBytes(const std::u16string& text, bool utf16be) {
    if (utf16be) {
        size_t units = std::min(text.size(), kAction80RespTextBytes / 2);
        // A pair whose low half does not fit goes as a whole: not at all.
        if (units < text.size() && units > 0 && isHighSurrogate(text[units - 1])) --units;
        return commandTextBytes(text.substr(0, units), true);
    }
    std::vector<uint8_t> bytes = commandTextBytes(text, false);
    if (bytes.size() > kAction80RespTextBytes) {
        size_t cut = kAction80RespTextBytes;
        // bytes[cut] is the first byte left out; a continuation byte there
        // means its character started inside the field: leave it out whole.
        while (cut > 0 && (bytes[cut] & 0xC0) == 0x80) --cut;
        bytes.resize(cut);
    }
    return bytes;
}

std::u16string action80RespText(const std::u16string& text, bool utf16be) {
    // The longest run of leading units whose bytes are no more than the
    // field keeps; the bytes only grow as units are added.
    const size_t kept = action80RespTextBytes(text, utf16be).size();
    size_t units = 0;
    while (units < text.size() && commandTextBytes(text.substr(0, units + 1), utf16be).size() <= kept) ++units;
    return text.substr(0, units);
}

void ReadTextBytes::remember(std::vector<uint8_t> bytes, const std::u16string& text, uint8_t chooser) {
    bytes_ = std::move(bytes);
    text_ = text;
    chooser_ = chooser;
    valid_ = true;
}

bool ReadTextBytes::unchanged(const std::u16string& text, uint8_t chooser) const {
    return valid_ && chooser == chooser_ && text == text_;
}

namespace {

// The 0x80 command has one coding each way; its texts need no coding byte.
constexpr uint8_t kAction80Chooser = 0;

// The text on the wire: as it was read while the text and its coding byte
// are unchanged, else converted.
std::vector<uint8_t> wireText(const ReadTextBytes& read, const std::u16string& text, uint8_t chooser, bool utf16be) {
    return read.unchanged(text, chooser) ? read.bytes() : commandTextBytes(text, utf16be);
}

// Reads `n` text bytes, converts them and remembers them with the coding byte.
std::u16string readText(ByteReader& r, size_t n, uint8_t chooser, bool utf16be, ReadTextBytes& read) {
    std::vector<uint8_t> bytes = r.bytes(n);
    std::u16string text = commandTextOf(bytes, utf16be);
    read.remember(std::move(bytes), text, chooser);
    return text;
}

} // namespace

// ---- 0x21 reply --------------------------------------------------------------

int ZunoAction21::encode(std::vector<uint8_t>& out) {
    if (coding != kCodingUtf8 && coding != kCodingUtf16) return kErrAction21Coding;
    return encodeFrame(out, [&](ByteWriter& w) {
        w.u32(flag);
        w.u8(coding);
        w.bytes(wireText(read_, content, coding, coding == kCodingUtf16));
        return 0;
    });
}

int ZunoAction21::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [&](ByteReader& r) {
        if (!requireContent(r, kAction21Fixed)) return kErrContentShort;
        flag = r.u32();
        coding = r.u8();
        // The text ends where the length field puts the serial number.
        content = readText(r, r.untilSerial(), coding, coding != kCodingUtf8, read_);
        return 0;
    });
}

std::unique_ptr<ZunoMSG> ZunoAction21::clone() const { return std::make_unique<ZunoAction21>(*this); }

// ---- 0x80 command --------------------------------------------------------------

int ZunoAction80::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [&](ByteWriter& w) {
        w.u8(dataLen);
        w.u32(flag);
        // Written as decode reads it, so that a typed frame is sent unchanged.
        w.bytes(wireText(read_, content, kAction80Chooser, false));
        if (noLanguage == 0) encodeAlertAndLang(w, AlertAndLang);
        return 0;
    });
}

int ZunoAction80::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [&](ByteReader& r) {
        if (!requireContent(r, kAction80Fixed)) return kErrContentShort;
        dataLen = r.u8();
        flag = r.u32();
        noLanguage = len != dataLen + kAction80PairLength ? 1 : 0;
        if (dataLen < kFlagBytes) {
            r.fail();
            return kErrContentShort;
        }
        const size_t textBytes = dataLen - kFlagBytes;
        // The text (and the pair) must lie before the serial number.
        if (!requireContent(r, textBytes + (noLanguage == 0 ? 2 : 0))) return kErrContentShort;
        content = readText(r, textBytes, kAction80Chooser, false, read_);
        if (noLanguage == 0) decodeAlertAndLang(r, AlertAndLang);
        return 0;
    });
}

std::unique_ptr<ZunoMSG> ZunoAction80::clone() const { return std::make_unique<ZunoAction80>(*this); }

// ---- 0x81 reply ----------------------------------------------------------------

int ZunoAction81::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [&](ByteWriter& w) {
        w.u8(dataLen);
        w.u32(flag);
        w.bytes(wireText(read_, content, AlertAndLang.language, encodesUtf16(AlertAndLang)));
        encodeAlertAndLang(w, AlertAndLang);
        return 0;
    });
}

int ZunoAction81::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [&](ByteReader& r) {
        if (!requireContent(r, kAction81Fixed)) return kErrContentShort;
        dataLen = r.u8();
        flag = r.u32();
        // The text runs up to the pair, which stands right before the serial.
        const size_t textAt = r.pos();
        const size_t textBytes = r.untilSerial() - 2;
        r.skip(textBytes);
        decodeAlertAndLang(r, AlertAndLang);
        ByteReader text(r.data(), textAt);
        content = readText(text, textBytes, AlertAndLang.language, decodesUtf16(AlertAndLang), read_);
        return 0;
    });
}

std::unique_ptr<ZunoMSG> ZunoAction81::clone() const { return std::make_unique<ZunoAction81>(*this); }

// ---- 0x80 command text message ---------------------------------------------------

int ZunoAction80Resp::encode(std::vector<uint8_t>& out) {
    return encodeFrame(out, [&](ByteWriter& w) {
        w.u8(dataLen);
        w.u32(flag);
        // The field as it was read, padding included, while the text is unchanged.
        const std::vector<uint8_t> text = read_.unchanged(content, AlertAndLang.language)
                                              ? read_.bytes()
                                              : action80RespTextBytes(content, encodesUtf16(AlertAndLang));
        w.bytes(text);
        w.fill(kAction80RespTextBytes - std::min(text.size(), kAction80RespTextBytes), 0x00);
        encodeAlertAndLang(w, AlertAndLang);
        return 0;
    });
}

int ZunoAction80Resp::decode(const std::vector<uint8_t>& frame) {
    return decodeFrame(frame, [&](ByteReader& r) {
        if (!requireContent(r, kAction80RespContent)) return kErrContentShort;
        dataLen = r.u8();
        flag = r.u32();
        const size_t fieldAt = r.pos();
        r.skip(kAction80RespTextBytes);
        decodeAlertAndLang(r, AlertAndLang);
        ByteReader field(r.data(), fieldAt);
        content = readText(field, kAction80RespTextBytes, AlertAndLang.language, decodesUtf16(AlertAndLang), read_);
        return 0;
    });
}

std::u16string ZunoAction80Resp::sentText() const {
    return read_.unchanged(content, AlertAndLang.language) ? content
                                                           : action80RespText(content, encodesUtf16(AlertAndLang));
}

std::unique_ptr<ZunoMSG> ZunoAction80Resp::clone() const { return std::make_unique<ZunoAction80Resp>(*this); }

} // namespace Zuno
