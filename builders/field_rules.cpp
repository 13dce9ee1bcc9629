#include "builders/field_rules.h"

#include "protocol/helpers.h"

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

namespace Zuno {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Sign and magnitude of a decimal integer as strtol reads it; the magnitude
// saturates just above 2^32 so that no digit string can overflow it.
bool readDecimal(const std::string& s, bool& negative, uint64_t& magnitude) {
    size_t i = 0;
    while (i < s.size() && isSpace(s[i])) ++i;
    negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i >= s.size() || !isDigit(s[i])) return false;
    constexpr uint64_t kCap = (uint64_t{1} << 32) + 1;
    magnitude = 0;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        magnitude = magnitude * 10 + static_cast<uint64_t>(s[i] - '0');
        if (magnitude > kCap) magnitude = kCap;
    }
    return true;
}

// sscanf's %d at s[i]: white space, optional sign, at least one digit. The
// value wraps modulo 2^32.
bool scanInt(const std::string& s, size_t& i, uint32_t& value) {
    size_t p = i;
    while (p < s.size() && isSpace(s[p])) ++p;
    bool negative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
    if (p >= s.size() || !isDigit(s[p])) return false;
    uint32_t v = 0;
    for (; p < s.size() && isDigit(s[p]); ++p) v = v * 10u + static_cast<uint32_t>(s[p] - '0');
    value = negative ? 0u - v : v;
    i = p;
    return true;
}

template <typename Field>
FieldLabel numberRule(const char* label, Field& field, uint32_t mask) {
    return {label, [&field, mask](const std::string& v) {
                int32_t n = 0;
                if (!parseInt32(v, n)) return false;
                field = static_cast<Field>(static_cast<uint32_t>(n) & mask);
                return true;
            }};
}

} // namespace

uint64_t stringToDateTime(const std::string& s) {
    // sscanf stops at the first NUL of the text.
    const std::string text = s.substr(0, s.find('\0'));
    uint32_t parts[6] = {0, 0, 0, 0, 0, 0};
    static const char kSeparators[6] = {'\0', '-', '-', ' ', ':', ':'};
    size_t i = 0;
    for (int k = 0; k < 6; ++k) {
        const char sep = kSeparators[k];
        if (sep == ' ') {
            while (i < text.size() && isSpace(text[i])) ++i;
        } else if (sep != '\0') {
            if (i >= text.size() || text[i] != sep) break;
            ++i;
        }
        if (!scanInt(text, i, parts[k])) break;
    }
    const uint64_t year = (parts[0] - 2000u) & 0xFFu;
    return year << 40 | uint64_t{parts[1] & 0xFFu} << 32 | uint64_t{parts[2] & 0xFFu} << 24 |
           uint64_t{parts[3] & 0xFFu} << 16 | uint64_t{parts[4] & 0xFFu} << 8 |
           uint64_t{parts[5] & 0xFFu};
}

bool parseInt32(const std::string& value, int32_t& n) {
    bool negative = false;
    uint64_t magnitude = 0;
    if (!readDecimal(value, negative, magnitude)) return false;
    if (negative ? magnitude > 2147483648u : magnitude > 2147483647u) return false;
    n = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                 : static_cast<int32_t>(magnitude);
    return true;
}

bool parseUInt32(const std::string& value, uint32_t& n) {
    bool negative = false;
    uint64_t magnitude = 0;
    if (!readDecimal(value, negative, magnitude)) return false;
    if (negative ? magnitude > 2147483648u : magnitude > 4294967295u) return false;
    n = negative ? 0u - static_cast<uint32_t>(magnitude) : static_cast<uint32_t>(magnitude);
    return true;
}

namespace {
thread_local RefusalRecord* openRecord = nullptr;
} // namespace

RefusalRecord::RefusalRecord() : outer(openRecord) { openRecord = this; }

RefusalRecord::~RefusalRecord() { openRecord = outer; }

void refuseField(const std::string& label, FieldFault fault) {
    if (openRecord && !openRecord->first) openRecord->first = RefusedField{label, fault};
}

bool requireFields(std::initializer_list<Required> fields) {
    for (const Required& field : fields) {
        if (field.given) continue;
        refuseField(field.label, FieldFault::Missing);
        return false;
    }
    return true;
}

bool readFields(const LabelValueMap& fields, const LabelTable& labels) {
    for (const auto& entry : fields) {
        if (entry.first.empty()) continue;
        for (const FieldLabel& label : labels) {
            if (!startsWith(entry.first, label.label)) continue;
            if (!entry.second.empty() && !label.apply(entry.second)) {
                refuseField(entry.first, FieldFault::Unreadable);
                return false;
            }
            break;
        }
    }
    return true;
}

namespace rule {

FieldLabel number8(const char* label, uint8_t& field) { return numberRule(label, field, 0xFF); }
FieldLabel number16(const char* label, uint16_t& field) { return numberRule(label, field, 0xFFFF); }
FieldLabel lowByte(const char* label, uint16_t& field) { return numberRule(label, field, 0xFF); }
FieldLabel terminalInfo(const char* label, uint8_t& byte) { return numberRule(label, byte, 0xFF); }
FieldLabel courseStatus(const char* label, uint16_t& word) { return numberRule(label, word, 0x3FFF); }

FieldLabel number32(const char* label, uint32_t& field) {
    return {label, [&field](const std::string& v) { return parseUInt32(v, field); }};
}

FieldLabel cellId(const char* label, uint32_t& field) { return number32(label, field); }

FieldLabel flag(const char* label, uint8_t& field) {
    return {label, [&field](const std::string& v) {
                int32_t n = 0;
                if (!parseInt32(v, n)) return false;
                field = (static_cast<uint32_t>(n) & 0xFFu) == 1u ? 1 : 0;
                return true;
            }};
}

FieldLabel dateTime(const char* label, uint64_t& field) {
    return {label, [&field](const std::string& v) {
                field = stringToDateTime(v);
                return true;
            }};
}

FieldLabel satellites(const char* label, uint8_t& field) {
    return {label, [&field](const std::string& v) {
                int32_t n = 0;
                if (!parseInt32(v, n)) return false;
                field = static_cast<uint8_t>((static_cast<uint32_t>(n) - 0x40u) & 0xFFu);
                return true;
            }};
}

FieldLabel coordinate(const char* label, uint32_t& field) {
    return {label, [&field](const std::string& v) {
                int32_t n = 0;
                if (!parseInt32(v, n)) return false;
                const int64_t units = static_cast<int64_t>(n) * 1800000 / 1000000;
                field = static_cast<uint32_t>(static_cast<uint64_t>(units));
                return true;
            }};
}

FieldLabel alarmLanguage(const char* label, uint8_t& alarm, uint8_t& language) {
    return {label, [&alarm, &language](const std::string& v) {
                int32_t n = 0;
                if (!parseInt32(v, n)) return false;
                const uint32_t word = static_cast<uint32_t>(n);
                alarm = static_cast<uint8_t>((word >> 8) & 0xFFu);
                language = static_cast<uint8_t>(word & 0xFFu);
                return true;
            }};
}

FieldLabel text(const char* label, std::string& field) {
    return {label, [&field](const std::string& v) {
                field = v;
                return true;
            }};
}

FieldLabel trimmedText(const char* label, std::string& field) {
    return {label, [&field](const std::string& v) {
                field = trim(v);
                return true;
            }};
}

FieldLabel utf16Text(const char* label, std::u16string& field) {
    return {label, [&field](const std::string& v) {
                field = utf8ToUtf16(trim(v), false, nullptr);
                return true;
            }};
}

FieldLabel macAddress(const char* label, uint64_t& address) {
    return {label, [&address](const std::string& v) {
                std::string digits = v;
                replaceAllFromStart(digits, "-", "");
                const auto bytes = hexToBytes(digits);
                if (!bytes || bytes->empty()) return true;
                if (bytes->size() > 6) return false;
                uint64_t mac = 0;
                for (size_t i = 0; i < bytes->size(); ++i)
                    mac |= uint64_t{(*bytes)[i]} << (8 * (5 - i));
                address = mac;
                return true;
            }};
}

} // namespace rule

} // namespace Zuno
