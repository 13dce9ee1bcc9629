#include "tools/base_convert.h"

#include <algorithm>
#include <regex>
#include <vector>

namespace Tools {

const char kBaseDigits[65] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz!#";

namespace {

constexpr int kMinBase = 2;
constexpr int kMaxBase = 64;

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    if (c >= 'a' && c <= 'z') return c - 'a' + 36;
    if (c == '!') return 62;
    if (c == '#') return 63;
    return -1;
}

} // namespace

int baseOfItem(const QString& itemText) {
    static const std::regex pattern("^(\\d{1,2}).*$");
    const std::string text = itemText.toUtf8().toStdString();
    std::smatch m;
    if (!std::regex_match(text, m, pattern)) return 0;
    return std::stoi(m[1].str());
}

bool validDigits(const std::string& digits, int base) {
    if (digits.empty() || base <= 0 || base > kMaxBase) return false;
    return std::all_of(digits.begin(), digits.end(), [base](char c) {
        const int v = digitValue(c);
        return v >= 0 && v < base;
    });
}

std::string convertBase(const std::string& digits, int inBase, int outBase) {
    if (inBase < kMinBase || inBase > kMaxBase || outBase < kMinBase || outBase > kMaxBase) return {};
    if (!validDigits(digits, inBase)) return {};

    // Repeated long division of the digit string. Each pass divides by the
    // largest power of outBase that keeps remainder x base within 64 bits, and
    // so yields several result digits at once: the same digits as dividing by
    // outBase once per digit, in far fewer passes over a long number.
    uint64_t divisor = static_cast<uint64_t>(outBase);
    int digitsPerPass = 1;
    const uint64_t limit = UINT64_MAX / static_cast<uint64_t>(kMaxBase);
    while (divisor <= limit / static_cast<uint64_t>(outBase)) {
        divisor *= static_cast<uint64_t>(outBase);
        ++digitsPerPass;
    }

    std::vector<uint8_t> dividend;
    dividend.reserve(digits.size());
    for (char c : digits) dividend.push_back(static_cast<uint8_t>(digitValue(c)));
    size_t first = 0;
    while (first < dividend.size() && dividend[first] == 0) ++first;

    std::string reversed; // least significant digit first
    while (first < dividend.size()) {
        uint64_t rem = 0;
        for (size_t i = first; i < dividend.size(); ++i) {
            rem = rem * static_cast<uint64_t>(inBase) + dividend[i];
            dividend[i] = static_cast<uint8_t>(rem / divisor);
            rem %= divisor;
        }
        while (first < dividend.size() && dividend[first] == 0) ++first;
        // A pass that leaves nothing yields only the remainder's own digits;
        // the others give their full count, zeros included.
        const bool last = first == dividend.size();
        for (int k = 0; k < digitsPerPass && (!last || rem != 0); ++k) {
            reversed.push_back(kBaseDigits[rem % static_cast<uint64_t>(outBase)]);
            rem /= static_cast<uint64_t>(outBase);
        }
    }
    if (reversed.empty()) return "0";
    return std::string(reversed.rbegin(), reversed.rend());
}

} // namespace Tools
