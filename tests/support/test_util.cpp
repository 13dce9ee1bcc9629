#include "support/test_util.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "protocol/crc.h"
#include "support/sample_frames.h"

namespace zt {

std::vector<uint8_t> bytes(const std::string& hex) {
    std::string digits;
    for (char c : hex)
        if (c != ' ' && c != '\n' && c != '\t') digits.push_back(c);
    auto value = [&](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        std::fprintf(stderr, "bad hex digit '%c' in test data: %s\n", c, hex.c_str());
        std::abort();
    };
    if (digits.size() % 2) {
        std::fprintf(stderr, "odd hex text in test data: %s\n", hex.c_str());
        std::abort();
    }
    std::vector<uint8_t> out;
    for (size_t i = 0; i < digits.size(); i += 2)
        out.push_back(static_cast<uint8_t>(value(digits[i]) << 4 | value(digits[i + 1])));
    return out;
}

namespace {

// The content of a short sample frame: after its protocol number, up to its
// serial number.
std::vector<uint8_t> sampleContent(const char* frame) {
    const std::vector<uint8_t> f = bytes(frame);
    return std::vector<uint8_t>(f.begin() + 4, f.end() - 6);
}

} // namespace

std::vector<uint8_t> sampleGpsContent() { return sampleContent(kSampleFrames[0]); }

std::vector<uint8_t> sampleLbsContent() { return sampleContent(kSampleFrames[3]); }

std::vector<uint8_t> frameAround(uint8_t protocolNumber, const std::vector<uint8_t>& content, uint16_t seq,
                                 bool longFrame) {
    const size_t length = 1 + content.size() + 2 + 2;
    std::vector<uint8_t> f;
    if (longFrame)
        f = {0x79, 0x79, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length & 0xFF)};
    else
        f = {0x78, 0x78, static_cast<uint8_t>(length)};
    f.push_back(protocolNumber);
    f.insert(f.end(), content.begin(), content.end());
    f.push_back(static_cast<uint8_t>(seq >> 8));
    f.push_back(static_cast<uint8_t>(seq & 0xFF));
    const uint16_t crc = Zuno::crcItu(f, 2, f.size() - 2);
    f.push_back(static_cast<uint8_t>(crc >> 8));
    f.push_back(static_cast<uint8_t>(crc & 0xFF));
    f.push_back(0x0D);
    f.push_back(0x0A);
    return f;
}

std::string hex(const std::vector<uint8_t>& data) {
    static const char* d = "0123456789ABCDEF";
    std::string s;
    for (size_t i = 0; i < data.size(); ++i) {
        if (i) s.push_back(' ');
        s.push_back(d[data[i] >> 4]);
        s.push_back(d[data[i] & 15]);
    }
    return s;
}

std::string readTestFile(const std::string& relativePath) {
    const std::string path = std::string(ZUNO_TEST_DATA_DIR) + "/" + relativePath;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read test file %s\n", path.c_str());
        std::abort();
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void offerGolden(const std::string& relativePath, const std::string& text) {
    if (!std::getenv("ZUNO_WRITE_GOLDEN")) return;
    std::string flat = relativePath;
    for (char& c : flat)
        if (c == '/') c = '_';
    std::ofstream out("new_" + flat, std::ios::binary);
    out << text;
}

} // namespace zt
