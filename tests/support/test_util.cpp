#include "support/test_util.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

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
