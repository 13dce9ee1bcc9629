// A frame along the paths a user's frame takes. The analyser: the frame is
// typed as a line of hexadecimal text in one of the ways people write it, the
// line is prepared, its class chosen by protocol number and length, decoded
// and dumped (Parse) and made ready for Send. The client: the frame is read
// as the socket reader reads it and decoded into the platform's class.
//
// Besides the faithful round trip: the prepared line gives back the typed
// bytes, every class chosen for a protocol number is a class of that number,
// Send writes what Parse decoded, and a frame goes out raw only when no class
// takes it.
//
// First byte: bit 0 puts the CRC right, bits 3-1 choose how the line is
// written (7: the input itself is the line). The rest is the frame.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "connection/analyser.h"
#include "connection/protocol_client.h"
#include "connection/raw_frame.h"
#include "connection/reply_select.h"
#include "tests/fuzz/oracle.h"

namespace {

enum Style { Upper, Lower, Blanks, Commas, Prefixed, PrefixedUpper, Padded, Raw };

std::string typedLine(const std::vector<uint8_t>& frame, int style) {
    std::string hex = Zuno::toHex(frame, 0, frame.size(), "");
    std::string line;
    switch (style) {
    case Lower:
        for (char c : hex) line += static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
        return line;
    case Blanks: return Zuno::toHex(frame, 0, frame.size(), " ");
    case Commas: return Zuno::toHex(frame, 0, frame.size(), ", ");
    case Prefixed:
    case PrefixedUpper:
        for (size_t i = 0; i < hex.size(); i += 2)
            line += std::string(style == Prefixed ? "0x" : "0X") + hex.substr(i, 2) + (i + 2 < hex.size() ? "," : "");
        return line;
    case Padded: return " \t " + hex + "\t\r ";
    default: return hex;
    }
}

// The protocol number and length field where the frame's start bytes put them.
struct Header {
    bool longFrame = false;
    uint16_t length = 0;
    uint8_t protocol = 0;
};
Header headerOf(const std::vector<uint8_t>& b) {
    Header h;
    const Zuno::FrameHeader head = Zuno::FrameHeader::read(b);
    h.longFrame = head.isLong();
    h.length = head.length();
    h.protocol = b[head.protocolPos()];
    return h;
}

// A class chosen for a protocol number must be one of that number's classes.
void checkChoice(const char* who, const Zuno::ZunoMSG& chosen, const Zuno::ZunoMSG& decoded, uint8_t protocol,
                 uint16_t length) {
    if (chosen.command != protocol)
        fuzz::fail("%s chose the class of 0x%02X for protocol 0x%02X, length %u", who, chosen.command, protocol,
                   length);
    if (typeid(chosen) != typeid(decoded)) fuzz::fail("%s decoded into another class than it chose", who);
}

// The analyser: Parse and Send of one prepared line.
void analyse(const std::string& hex) {
    Zuno::ZunoException error;
    auto msg = Zuno::parseMessage(hex, error);
    Zuno::parseBlock(hex);
    std::unique_ptr<std::vector<uint8_t>> sent;
    auto bytes = Zuno::hexToBytes(hex);
    if (msg) {
        const Header h = headerOf(*bytes);
        const auto chosen = Zuno::makeTypedMessage(h.protocol, h.length);
        if (!chosen) fuzz::fail("Parse decoded a frame of protocol 0x%02X that has no class", h.protocol);
        checkChoice("the analyser", *chosen, *msg, h.protocol, h.length);
        sent = fuzz::checkFaithful(*msg, [h] { return Zuno::makeTypedMessage(h.protocol, h.length); });
    } else if (error.code == 0) {
        fuzz::fail("Parse refused a line without an error code");
    }

    Zuno::TypedSending sending = Zuno::prepareTypedSending(hex);
    if (sending.message && sending.raw) fuzz::fail("Send prepared both a message and a raw frame");
    if (sending.message) {
        if (!sent) fuzz::fail("Send prepared a message that Parse did not decode or that does not encode");
        std::vector<uint8_t> out;
        if (sending.message->encode(out) != 0) fuzz::fail("Send prepared a message that does not encode");
        if (out != *sent) fuzz::fail("Send writes other bytes than Parse's message encodes to");
    } else if (sent) {
        fuzz::fail("Send dropped a message that Parse decoded and that encodes");
    }
    if (sending.raw) {
        if (*sending.raw != *bytes) fuzz::fail("a raw frame is not sent as typed");
        if (Zuno::checkRawFrame(*sending.raw) != 0) fuzz::fail("Send prepared a raw frame that fails the frame check");
        const Header h = headerOf(*bytes);
        if (Zuno::makeTypedMessage(h.protocol, h.length))
            fuzz::fail("a frame of protocol 0x%02X, which has a class, is sent raw", h.protocol);
    }
}

// The client: the frame as the socket reader assembles it, then its class.
void receive(const std::vector<uint8_t>& stream) {
    static asio::io_context io;
    static ProtocolClient client(io, 4, 1000);
    if (stream.size() < 4) return;
    auto pack = std::make_shared<MoPack>();
    const Zuno::FrameHeader head = Zuno::FrameHeader::read(stream);
    if (!head.knownStart()) return;
    pack->begin = head.begin();
    pack->length = head.length();
    const size_t frameSize = head.frameSize();
    if (pack->length < ProtocolClient::kMinLengthField) return;
    // The reader waits for the whole frame; bytes the input lacks arrive as zeros.
    pack->data = std::make_unique<std::vector<uint8_t>>(stream.begin(),
                                                        stream.begin() + std::min(stream.size(), frameSize));
    pack->data->resize(frameSize, 0);
    pack->protocol = (*pack->data)[head.protocolPos()];
    int result = 0;
    auto msg = client.decode_frame(pack, &result);
    if (!msg) return;
    msg->toString();
    const auto chosen = makePlatformMessage(pack->protocol, pack->length);
    checkChoice("the client", *chosen, *msg, pack->protocol, pack->length);
    if (result == 0) {
        const uint8_t protocol = pack->protocol;
        const uint16_t length = pack->length;
        fuzz::checkFaithful(*msg, [protocol, length] { return makePlatformMessage(protocol, length); });
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int style = (data[0] >> 1) & 7;
    std::vector<uint8_t> frame(data + 1, data + size);
    if (data[0] & 1) fuzz::putCrcRight(frame);

    if (style == Raw) {
        // Any text at all, possibly several lines.
        const QString text = QString::fromUtf8(reinterpret_cast<const char*>(frame.data()),
                                               static_cast<int>(frame.size()));
        for (const std::string& line : Zuno::prepareLines(text.split('\n'))) analyse(line);
    } else {
        const std::string line = typedLine(frame, style);
        const std::string hex = Zuno::prepareLine(QString::fromStdString(line));
        const auto back = Zuno::hexToBytes(hex);
        if (frame.empty() ? !hex.empty() : (!back || *back != frame))
            fuzz::fail("the prepared line \"%s\" is not the typed frame", hex.c_str());
        if (!hex.empty()) analyse(hex);
    }
    receive(frame);
    return 0;
}
