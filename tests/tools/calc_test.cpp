// CRC, MD5 and distance computations of the calculator.
#include <gtest/gtest.h>

#include <string>

#include "tools/calc.h"

using namespace Tools;

namespace {

// Input, and the result or the reason it gives.
struct Case {
    const char* in;
    const char* result;
    const char* reason;
};

template <size_t N>
void expectComputed(Computed (*compute)(const QString&), const Case (&cases)[N]) {
    for (const Case& c : cases) {
        const Computed got = compute(QString::fromUtf8(c.in));
        EXPECT_EQ(got.result, QString::fromUtf8(c.result)) << c.in;
        EXPECT_EQ(got.reason, QString::fromUtf8(c.reason)) << c.in;
    }
}

} // namespace

TEST(CrcOfHex, Table) {
    const Case cases[] = {
        {"31 32 33 34 35 36 37 38 39", "906e", ""},
        {"0x31,0x32,0x33,0x34,0x35,0x36,0x37,0x38,0x39", "906e", ""},
        {"313233343536373839", "906e", ""},
        {"0X310X32 0x33,34353637 38 39", "906e", ""},
        {"00", "f078", ""},
        // An odd count of digits: the first one alone is the first byte.
        {"1", "e1f1", ""},
        {"61 62 6", "9560", ""}, // 06 16 26
        {"12 345", "80e2", ""},  // 01 23 45
        // Tabs and line breaks between digits are separators too.
        {"3132333435\t36373839", "906e", ""},
        {"31323334\n3536373839", "906e", ""},
        // Nothing left once separators are gone: nothing to compute.
        {"", "", ""},
        {"0x", "", ""},
        {", ,", "", ""},
        // Characters that are no digits are named, not computed.
        {"zz", "", "十六进制无法识别: \"zz\""},
        {"GG", "", "十六进制无法识别: \"GG\""},
    };
    expectComputed(crcOfHex, cases);
}

TEST(Md5OfHex, Table) {
    const Case cases[] = {
        {"616263", "900150983cd24fb0d6963f7d28e17f72", ""},
        {"61, 62, 0x63", "900150983cd24fb0d6963f7d28e17f72", ""},
        {"123", "6b7773b93c84b59b4242fd567d4e9c84", ""},  // 01 23
        {"12 345", "13656719b7199a8bc6ca597cf0fcdaf1", ""}, // 01 23 45
        {"xyz", "", "十六进制无法识别: \"xyz\""},
        {"", "", ""},
        {"0X", "", ""},
    };
    expectComputed(md5OfHex, cases);
}

TEST(JoinTrimmedLines, TrimsEachLineAndJoins) {
    EXPECT_EQ(joinTrimmedLines({"3132", " 33 "}), "313233");
    EXPECT_EQ(joinTrimmedLines({"  ", "\t"}), "");
    EXPECT_EQ(joinTrimmedLines({}), "");
}

TEST(Coordinate, Table) {
    struct Case {
        std::string part;
        size_t intDigits;
        double degrees;
    };
    const Case cases[] = {
        {"+23.111669", 2, 23.111669},
        {".5", 2, 0.5},
        {"-0.125", 3, -0.125},
        {"114", 3, 114.0},
        {"5", 3, 5.0},
        // Without a point the leading intDigits digits are whole degrees.
        {"+23111669", 2, 23.111669},
        {"-114409182", 3, -114.409182},
        {"23", 2, 23.0},
        // Not a number of the accepted form, or no digit at all: 0.
        {"X23.1", 2, 0.0},
        {"23.1-", 2, 0.0},
        {"+-23.1", 2, 0.0},
        {"23.", 2, 0.0},
        {"1.2.3", 2, 0.0},
        {"", 2, 0.0},
        {"+", 2, 0.0},
        {"-.", 2, 0.0},
        {"1e5", 2, 0.0},
        // Beyond a double's range.
        {std::string(400, '9') + ".5", 2, 0.0},
        {"0." + std::string(400, '0') + "1", 2, 0.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(coordinate(c.part, c.intDigits), c.degrees) << c.part;
}

TEST(DistanceOf, Table) {
    const Case cases[] = {
        {"N23.111669, E114.409182, N22.111669, E113.409182",
         "\"GPS距离\":151498.280383, \"WGS84距离\":151498.280383", ""},
        {"n23.111669,e114.409182,n22.111669,e113.409182", "\"GPS距离\":151498.280383, \"WGS84距离\":151498.280383", ""},
        {"N23111669, E114409182, N22111669, E113409182", "\"GPS距离\":151498.280383, \"WGS84距离\":151498.280383", ""},
        {"N0.0, E0.0, N0.0, E1.0", "\"GPS距离\":111319.490793, \"WGS84距离\":111319.490793", ""},
        {"S33.5, W70.25, N51.5, W0.125", "\"GPS距离\":11666444.345674, \"WGS84距离\":11666444.345674", ""},
        {"N10.5, E20.25, N10.5, E20.25", "\"GPS距离\":0.000000, \"WGS84距离\":0.000000", ""},
        // Antipodal points: half the circumference, never NaN.
        {"N0.0, E0.0, N0.0, E180.0", "\"GPS距离\":20037508.342789, \"WGS84距离\":20037508.342789", ""},
        {"N90.0, E0.0, S90.0, E0.0", "\"GPS距离\":20037508.342789, \"WGS84距离\":20037508.342789", ""},
        {"N45.0, E45.0, S45.0, W135.0", "\"GPS距离\":20037508.342789, \"WGS84距离\":20037508.342789", ""},
        {"N90, W180, S90, E180", "\"GPS距离\":20037508.342789, \"WGS84距离\":20037508.342789", ""},
        // Longitudes past 180 degrees go on round the circle: E181.0 is W179.0.
        {"N0.0, E179.0, N0.0, E181.0", "\"GPS距离\":222638.981587, \"WGS84距离\":222638.981587", ""},
        {"N23.1, E200, N22.1, E113.4", "\"GPS距离\":8746505.913314, \"WGS84距离\":8746505.913314", ""},
        // A part that cannot be read is named as typed, instead of a distance.
        {"N23.1l, E114.4, N22.1, E113.4", "", "坐标无法识别: 纬度1 \"N23.1l\""},
        {"X23.1, E114.4, N22.1, E113.4", "", "坐标无法识别: 纬度1 \"X23.1\""},
        {", E114.4, N22.1, E113.4", "", "坐标无法识别: 纬度1 \"\""},
        {"N23.1, E114.4., N22.1, E", "", "坐标无法识别: 经度1 \"E114.4.\", 经度2 \"E\""},
        {"N23.1, E114.4, NS22.1, E113.4", "", "坐标无法识别: 纬度2 \"NS22.1\""},
        {"N23.1, E114.4, 北22.1, E113.4", "", "坐标无法识别: 纬度2 \"北22.1\""},
        // A long part is named by its start.
        {"N23.1, E114.409182409182409182x, N22.1, E113.4", "", "坐标无法识别: 经度1 \"E114.40918240918…\""},
        // Beyond a pole: no such latitude.
        {"N91, E114.4, N22.1, E113.4", "", "坐标无法识别: 纬度1 \"N91\""},
        {"N23.1, E114.4, S90.000001, W180.000001", "", "坐标无法识别: 纬度2 \"S90.000001\""},
        {"N9100, E1800, N22.1, E113.4", "", "坐标无法识别: 纬度1 \"N9100\""},
        // Not four parts: the count is named.
        {"N23.1, E114.4, N22.1", "", "坐标无法识别: 需要4个坐标, 输入了3个"},
        {"N23.1, E114.4, N22.1, E113.4,", "", "坐标无法识别: 需要4个坐标, 输入了5个"},
        {"N23.1", "", "坐标无法识别: 需要4个坐标, 输入了1个"},
        // Nothing typed: nothing to compute, nothing to say.
        {"", "", ""},
        {" \n\t", "", ""},
    };
    expectComputed(distanceOf, cases);
}

// Both formulas repeat every 360 degrees of longitude: a longitude and the
// same meridian written within 180 degrees give the same text.
TEST(DistanceOf, LongitudeGoesRoundTheCircle) {
    const struct {
        const char* past;
        const char* within;
    } cases[] = {
        {"E181.0", "W179.0"}, {"W181.0", "E179.0"}, {"E360", "E0"},       {"W540", "E180"},
        {"E1080.5", "E0.5"},  {"E359.999999", "W0.000001"}, {"E7200114.4", "E114.4"},
    };
    for (const auto& c : cases) {
        const QString past = QString("N23.1, ") + c.past + ", S22.1, " + c.past;
        const QString within = QString("N23.1, ") + c.within + ", S22.1, " + c.within;
        const Computed a = distanceOf(past);
        const Computed b = distanceOf(within);
        EXPECT_TRUE(a.reason.isEmpty()) << c.past << " " << a.reason.toStdString();
        EXPECT_EQ(a.result, b.result) << c.past;
        const Computed across = distanceOf(QString("N23.1, ") + c.past + ", S22.1, " + c.within);
        EXPECT_EQ(across.result, "\"GPS距离\":5031640.983856, \"WGS84距离\":5031640.983856") << c.past;
    }
}

TEST(DistanceOf, AnyWhiteSpaceIsABlank) {
    const QString expected = distanceOf("N23.1, E114.4, N22.1, E113.4").result;
    ASSERT_TRUE(expected.startsWith("\"GPS距离\":"));
    for (const char* in : {"N23.1,\tE114.4, N22.1, E113.4", "N 23.1 ,E114.4,\r\nN22.1,\vE113.4\f",
                           "N23.1,\u3000E114.4,\u00a0N22.1, E113.4"})
        EXPECT_EQ(distanceOf(QString::fromUtf8(in)).result, expected) << in;
}

TEST(DistanceOf, NoCoincidentOrAntipodalPairGivesNan) {
    // Rounding pushes the cosine past 1 for some nearly equal or opposite pairs.
    auto text = [](double lat, double lng) {
        return QString::number(lat, 'f', 9) + ", " + QString::number(lng, 'f', 9);
    };
    for (int lat = -90; lat < 90; lat += 5) {
        for (int lng = -180; lng < 180; lng += 15) {
            const double la = lat + 0.123456789;
            const double lo = lng + 0.987654321;
            const QString a = text(la, lo);
            const QString b = text(-la, lo > 0 ? lo - 180 : lo + 180);
            for (const QString& in : {a + ", " + a, a + ", " + b}) {
                const QString out = distanceOf(in).result;
                ASSERT_TRUE(out.startsWith("\"GPS距离\":")) << in.toStdString() << " " << out.toStdString();
                ASSERT_FALSE(out.contains("nan", Qt::CaseInsensitive)) << in.toStdString() << " " << out.toStdString();
            }
        }
    }
}
