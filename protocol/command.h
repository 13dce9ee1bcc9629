#pragma once
// Text commands of the platform and the terminal's answers to them.
//
//   0x21 reply         flag (4) | coding (1) | text (n)                       length n + 10
//   0x80 command       dataLen (1) | flag (4) | text (n) [| alarm | language]  length n + 12 or n + 10
//   0x81 reply         dataLen (1) | flag (4) | text (n) | alarm | language     length n + 12
//   0x80 text message  dataLen (1) | flag (4) | text field (30) | alarm | lang  length 42
//
// Texts are held as UTF-16 code units; the wire coding is chosen by a byte of
// the message when the text is written or read. UTF-16BE on the wire is each
// unit high byte first.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/message.h"
#include "protocol/value_types.h"

namespace Zuno {

// 0x21 encode: a coding other than 1 (UTF-8) or 2 (UTF-16BE).
constexpr int kErrAction21Coding = -7;

constexpr uint8_t kCodingUtf8 = 1;
constexpr uint8_t kCodingUtf16 = 2;
// The fixed text field of the 0x80 text message.
constexpr size_t kAction80RespTextBytes = 30;

// The text's bytes on the wire, as UTF-16BE or as UTF-8.
std::vector<uint8_t> commandTextBytes(const std::u16string& text, bool utf16be);
// Bytes read from a frame back into UTF-16 units (UTF-16BE: whole units only,
// an odd last byte is dropped).
std::u16string commandTextOf(const std::vector<uint8_t>& bytes, bool utf16be);
// The text as the 0x80 text message's 30-byte field carries it, before its
// zero padding: cut, when too long, after the last whole character that fits
// (no UTF-8 sequence and no surrogate pair is split).
std::vector<uint8_t> action80RespTextBytes(const std::u16string& text, bool utf16be);
// The part of the text whose bytes action80RespTextBytes keeps.
std::u16string action80RespText(const std::u16string& text, bool utf16be);

// The bytes a decoded text was read from. Bytes that are no valid UTF-8 do
// not survive the way into UTF-16 units, and a reply's language byte may read
// one coding and write another (language 0: read as UTF-16BE, written as
// UTF-8). While the text and the byte that chose its coding (the coding byte
// of 0x21, the language byte of 0x81 and of the text message) stay as
// decoded, encode writes these bytes again, so that a frame decoded and sent
// again (the analyser's Send) goes out as it came in.
class ReadTextBytes {
public:
    void remember(std::vector<uint8_t> bytes, const std::u16string& text, uint8_t chooser);
    // Whether `text` with this coding byte is still the text that was read.
    bool unchanged(const std::u16string& text, uint8_t chooser) const;
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    std::u16string text_;
    uint8_t chooser_ = 0;
    bool valid_ = false;
};

// Reply of the terminal to a platform command (0x21).
class ZunoAction21 : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x21;

    uint32_t flag = 0;  // server flag
    uint8_t coding = 0; // 1 UTF-8, 2 UTF-16BE (decode: anything but 1 reads UTF-16BE)
    std::u16string content;

    ZunoAction21() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
private:
    ReadTextBytes read_;
};

// Command text sent by the platform (0x80). The alarm/language pair is on
// the wire only when the length field is dataLen + 8.
class ZunoAction80 : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x80;

    uint8_t noLanguage = 0; // 0: the pair is present
    uint8_t dataLen = 0;    // bytes of flag and text together, carried as held
    uint32_t flag = 0;
    std::u16string content; // always UTF-8 on the wire
    Zuno::AlertAndLang AlertAndLang;

    ZunoAction80() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
private:
    ReadTextBytes read_;
};

// Reply of the terminal with an alarm/language pair (0x81). Encode writes
// UTF-16BE for language 1 and UTF-8 otherwise; decode reads UTF-8 for
// language 2 and UTF-16BE otherwise.
class ZunoAction81 : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x81;

    uint8_t dataLen = 0; // carried as held
    uint32_t flag = 0;
    std::u16string content;
    Zuno::AlertAndLang AlertAndLang;

    ZunoAction81() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
private:
    ReadTextBytes read_;
};

// Command text message of the terminal (0x80) in a fixed 30-byte field; the
// codings are those of 0x81. Decode keeps the zero padding as U+0000 units.
class ZunoAction80Resp : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x80;
    static constexpr uint16_t kLength = 0x2A;

    uint8_t dataLen = 0; // carried as held
    uint32_t flag = 0;
    std::u16string content;
    Zuno::AlertAndLang AlertAndLang;

    ZunoAction80Resp() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;

    // The text as encode writes it: the decoded text while it and the
    // language are unchanged, else the part that fits the 30-byte field.
    std::u16string sentText() const;

private:
    ReadTextBytes read_;
};

} // namespace Zuno
