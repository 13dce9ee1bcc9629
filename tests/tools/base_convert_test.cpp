// Number-base conversion on digit strings.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tools/base_convert.h"

using namespace Tools;

namespace {

// The plain algorithm: one long division by outBase per result digit.
std::string referenceConvert(const std::string& s, int inBase, int outBase) {
    auto value = [](char c) { return static_cast<int>(std::string(kBaseDigits).find(c)); };
    std::string d = s, r;
    while (!d.empty()) {
        std::string q;
        int rem = 0;
        for (char c : d) {
            rem = rem * inBase + value(c);
            if (rem < outBase) {
                q += '0';
            } else {
                q += kBaseDigits[rem / outBase];
                rem %= outBase;
            }
        }
        r.insert(r.begin(), kBaseDigits[rem]);
        const size_t nz = q.find_first_not_of('0');
        d = nz == std::string::npos ? std::string() : q.substr(nz);
    }
    return r;
}

} // namespace

TEST(ConvertBase, Table) {
    struct Case {
        const char* in;
        int inBase, outBase;
        const char* out;
    };
    const Case cases[] = {
        {"FF", 16, 2, "11111111"},
        {"FF", 16, 64, "3#"},
        {"#", 64, 10, "63"},
        {"!#", 64, 16, "FBF"},
        {"18446744073709551616", 10, 16, "10000000000000000"},
        {"10000000000000000", 16, 10, "18446744073709551616"},
        {"340282366920938463463374607431768211455", 10, 16, "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
        {"000101", 2, 10, "5"},
        {"007", 10, 10, "7"},
        {"zz", 64, 10, "3965"},
        {"1", 2, 64, "1"},
        {"10", 64, 2, "1000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(convertBase(c.in, c.inBase, c.outBase), c.out) << c.in << " " << c.inBase << "->" << c.outBase;
}

TEST(ConvertBase, ZerosGiveZeroInEveryBase) {
    for (int out = 2; out <= 64; ++out) {
        EXPECT_EQ(convertBase("0", 10, out), "0") << out;
        EXPECT_EQ(convertBase("000", 2, out), "0") << out;
    }
}

TEST(ConvertBase, RefusesBadBasesAndDigits) {
    EXPECT_EQ(convertBase("11", 1, 10), "");
    EXPECT_EQ(convertBase("11", 2, 65), "");
    EXPECT_EQ(convertBase("11", 0, 10), "");
    EXPECT_EQ(convertBase("12", 2, 10), "");
    EXPECT_EQ(convertBase("", 10, 2), "");
}

// Several result digits are taken per division; every pair of bases must give
// what one division per digit gives, zeros inside the result included.
TEST(ConvertBase, AgreesWithOneDivisionPerDigit) {
    std::mt19937 gen(20261210);
    for (int in = 2; in <= 64; ++in) {
        for (int out = 2; out <= 64; ++out) {
            std::uniform_int_distribution<int> digit(0, in - 1);
            std::uniform_int_distribution<int> length(1, 40);
            for (int k = 0; k < 2; ++k) {
                std::string s(static_cast<size_t>(length(gen)), '0');
                for (char& c : s) c = kBaseDigits[digit(gen)];
                if (k == 0) s.replace(0, 1, "1" + std::string(20, '0')); // long runs of zero digits
                ASSERT_EQ(convertBase(s, in, out), referenceConvert(s, in, out)) << s << " " << in << "->" << out;
            }
        }
    }
}

TEST(ConvertBase, LongNumberRoundTrips) {
    std::string s(5000, '#');
    s[0] = '!';
    const std::string two = convertBase(s, 64, 2);
    EXPECT_EQ(two.size(), 30000u);
    EXPECT_EQ(convertBase(two, 2, 64), s);
    EXPECT_EQ(convertBase(convertBase(s, 64, 7), 7, 64), s);
}

TEST(ValidDigits, Table) {
    struct Case {
        const char* s;
        int base;
        bool ok;
    };
    const Case cases[] = {
        {"FF", 16, true},  {"ff", 16, false}, {"z", 61, false}, {"z", 62, true},  {"!", 62, false},
        {"!#", 64, true},  {"", 2, false},    {"0", 0, false},  {"1", 65, false}, {"0101", 2, true},
        {"2", 2, false},   {"a", 37, true},   {"a", 36, false}, {"-1", 10, false},
    };
    for (const auto& c : cases) EXPECT_EQ(validDigits(c.s, c.base), c.ok) << c.s << " " << c.base;
}

TEST(BaseOfItem, Table) {
    EXPECT_EQ(baseOfItem(QStringLiteral("64进制")), 64);
    EXPECT_EQ(baseOfItem(QStringLiteral("2进制")), 2);
    EXPECT_EQ(baseOfItem(QStringLiteral("16")), 16);
    EXPECT_EQ(baseOfItem(QStringLiteral("123进制")), 12);
    EXPECT_EQ(baseOfItem(QStringLiteral("进制")), 0);
    EXPECT_EQ(baseOfItem(QString()), 0);
}
