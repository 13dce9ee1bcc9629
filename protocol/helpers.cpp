#include "protocol/helpers.h"

#include <QString>

namespace Zuno {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

void putByte(std::string& out, uint8_t b) {
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 0x0F]);
}

uint8_t digitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
    return 0;
}

void putUnit(std::string& out, uint32_t u) {
    if (u < 0x80) {
        out.push_back(static_cast<char>(u));
    } else if (u < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (u >> 6)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (u >> 12)));
        out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
}

uint16_t swapped(char16_t u) {
    const uint16_t v = static_cast<uint16_t>(u);
    return static_cast<uint16_t>((v >> 8) | (v << 8));
}

// Encodes units [from, end) of `text`, optionally byte-swapping each.
std::string encodeUtf8(const std::u16string& text, size_t from, bool swap) {
    std::string out;
    out.reserve(text.size() * 3);
    const size_t n = text.size();
    for (size_t i = from; i < n; ++i) {
        const uint32_t u = swap ? swapped(text[i]) : static_cast<uint16_t>(text[i]);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n) {
            const uint32_t v = swap ? swapped(text[i + 1]) : static_cast<uint16_t>(text[i + 1]);
            if (v >= 0xDC00 && v <= 0xDFFF) {
                const uint32_t c = 0x10000 + (((u - 0xD800) << 10) | (v - 0xDC00));
                out.push_back(static_cast<char>(0xF0 | (c >> 18)));
                out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
                out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
                out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
                ++i;
                continue;
            }
        }
        // A lone surrogate is written as its own three-byte form.
        putUnit(out, u);
    }
    return out;
}

} // namespace

std::string toHex(const std::u16string& text, const std::string& separator) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i) out += separator;
        const uint16_t u = static_cast<uint16_t>(text[i]);
        putByte(out, static_cast<uint8_t>(u >> 8));
        out += separator;
        putByte(out, static_cast<uint8_t>(u & 0xFF));
    }
    return out;
}

std::string toHex(const std::string& bytes, const std::string& separator) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i) out += separator;
        putByte(out, static_cast<uint8_t>(bytes[i]));
    }
    return out;
}

std::string toHex(const std::vector<uint8_t>& data, size_t offset, size_t length,
                  const std::string& separator) {
    if (length == 0 || data.empty() || offset > data.size() || length > data.size() - offset) return {};
    std::string out;
    out.reserve(length * (2 + separator.size()));
    for (size_t i = 0; i < length; ++i) {
        if (i) out += separator;
        putByte(out, data[offset + i]);
    }
    return out;
}

std::unique_ptr<std::vector<uint8_t>> hexToBytes(const std::string& hex) {
    if (hex.empty()) return nullptr;
    auto bytes = std::make_unique<std::vector<uint8_t>>();
    bytes->reserve(hex.size() / 2 + 1);
    size_t i = 0;
    if (hex.size() % 2 == 1) {
        bytes->push_back(digitValue(hex[0]));
        i = 1;
    }
    for (; i + 1 < hex.size(); i += 2)
        bytes->push_back(static_cast<uint8_t>((digitValue(hex[i]) << 4) | digitValue(hex[i + 1])));
    return bytes;
}

std::string& replaceAllFromStart(std::string& text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    if (to.find(from) != std::string::npos) return replaceAll(text, from, to);
    for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from))
        text.replace(pos, from.size(), to);
    return text;
}

std::string& replaceAll(std::string& text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

std::string trim(std::string text) {
    const size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    static const char* const kBlank = " \n\r\t";
    const size_t first = text.find_first_not_of(kBlank);
    if (first == std::string::npos) return {};
    const size_t last = text.find_last_not_of(kBlank);
    return text.substr(first, last - first + 1);
}

std::string utf16ToUtf8(const std::u16string& text) {
    if (text.empty()) return {};
    if (static_cast<uint16_t>(text[0]) == 0xFFFE) return encodeUtf8(text, 0, true);
    return utf16ToUtf8Native(text);
}

std::string utf16ToUtf8Native(const std::u16string& text) {
    if (text.empty()) return {};
    const size_t from = static_cast<uint16_t>(text[0]) == 0xFEFF ? 1 : 0;
    return encodeUtf8(text, from, false);
}

std::u16string utf8ToUtf16(const std::string& text, bool withBom, bool* ok) {
    std::u16string out;
    if (withBom) out.push_back(char16_t(0xFEFF));
    if (text.empty()) {
        if (ok) *ok = true;
        return out;
    }
    bool good = true;
    const size_t n = text.size();
    size_t i = 0;
    if (n >= 4 && static_cast<uint8_t>(text[0]) == 0xEF && static_cast<uint8_t>(text[1]) == 0xBB &&
        static_cast<uint8_t>(text[2]) == 0xBF)
        i = 3;
    auto byteAt = [&](size_t k) { return static_cast<uint32_t>(static_cast<uint8_t>(text[k])); };
    while (i < n) {
        const uint32_t b = byteAt(i);
        size_t need;
        if (b < 0x80) need = 1;
        else if ((b & 0xF0) == 0xC0 || (b & 0xF0) == 0xD0) need = 2;
        else if ((b & 0xF0) == 0xE0) need = 3;
        else if ((b & 0xF0) == 0xF0) need = 4;
        else { good = false; ++i; continue; }
        if (need > n - i) { good = false; break; } // cut short by the end of the input
        switch (need) {
        case 1:
            out.push_back(static_cast<char16_t>(b));
            break;
        case 2:
            out.push_back(static_cast<char16_t>(((b & 0x1F) << 6) | (byteAt(i + 1) & 0x3F)));
            break;
        case 3:
            out.push_back(static_cast<char16_t>(((b & 0x0F) << 12) | ((byteAt(i + 1) & 0x3F) << 6) |
                                                (byteAt(i + 2) & 0x3F)));
            break;
        default: {
            const uint32_t c = ((b & 0x07) << 18) | ((byteAt(i + 1) & 0x3F) << 12) |
                               ((byteAt(i + 2) & 0x3F) << 6) | (byteAt(i + 3) & 0x3F);
            if (c < 0x10000) {
                out.push_back(static_cast<char16_t>(c));
            } else {
                out.push_back(static_cast<char16_t>(0xD800 | ((c - 0x10000) >> 10)));
                out.push_back(static_cast<char16_t>(0xDC00 | ((c - 0x10000) & 0x3FF)));
            }
        }
        }
        i += need;
    }
    if (ok) *ok = good;
    return out;
}

QString& stripHexSeparators(QString& text) {
    if (text.isEmpty()) return text;
    text.remove(QStringLiteral(" "));
    text.remove(QStringLiteral(","));
    text.remove(QStringLiteral("0x"), Qt::CaseSensitive);
    text.remove(QStringLiteral("0X"), Qt::CaseSensitive);
    return text;
}

} // namespace Zuno
