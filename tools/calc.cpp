#include "tools/calc.h"

#include <algorithm>
#include <cmath>
#include <locale>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <QCryptographicHash>

#include "protocol/crc.h"
#include "protocol/helpers.h"
#include "tools/hex_input.h"

namespace Tools {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kEarthRadius = 6378137.0;          // metres, WGS 84 equatorial
constexpr double kTwoRadiusSquared = 81361263181538.0;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<double> toDouble(const std::string& text) {
    try {
        return std::stod(text);
    } catch (const std::logic_error&) { // no digits, or out of a double's range
        return std::nullopt;
    }
}

double clamp(double v, double lo, double hi) { return std::min(hi, std::max(lo, v)); }

// The same meridian within -180 to 180 degrees. Exact: fmod has no rounding,
// and neither has taking 360 from a value between 180 and 360.
double roundTheCircle(double longitude) {
    const double within = std::fmod(longitude, 360.0);
    if (within > 180.0) return within - 360.0;
    if (within < -180.0) return within + 360.0;
    return within;
}

struct Cartesian {
    double x, y, z;
};

Cartesian onSphere(double latitude, double longitude) {
    const double theta = kHalfPi - latitude;
    return {kEarthRadius * std::sin(theta) * std::cos(longitude),
            kEarthRadius * std::sin(theta) * std::sin(longitude), kEarthRadius * std::cos(theta)};
}

// Arc length through the chord between the two points.
double chordDistance(double lat1, double lng1, double lat2, double lng2) {
    const Cartesian a = onSphere(lat1, lng1);
    const Cartesian b = onSphere(lat2, lng2);
    const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    const double d2 = dx * dx + dy * dy + dz * dz;
    // Rounding may push the cosine just past +-1 for coincident or antipodal
    // points; acos would then give NaN.
    const double cosine = clamp((kTwoRadiusSquared - d2) / kTwoRadiusSquared, -1.0, 1.0);
    return kEarthRadius * std::acos(cosine);
}

double haversineDistance(double lat1, double lng1, double lat2, double lng2) {
    const double sLat = std::sin((lat1 - lat2) / 2);
    const double sLng = std::sin((lng1 - lng2) / 2);
    const double h = clamp(sLat * sLat + std::cos(lat1) * std::cos(lat2) * sLng * sLng, 0.0, 1.0);
    return kEarthRadius * 2 * std::asin(std::sqrt(h));
}

std::vector<std::string> splitKeepingEmpty(const std::string& text, char sep) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (;;) {
        const size_t at = text.find(sep, from);
        if (at == std::string::npos) {
            parts.push_back(text.substr(from));
            return parts;
        }
        parts.push_back(text.substr(from, at - from));
        from = at + 1;
    }
}

} // namespace

QString joinTrimmedLines(const QStringList& lines) {
    QString joined;
    for (const QString& line : lines) joined += line.trimmed();
    return joined.trimmed();
}

Computed crcOfHex(const QString& input) {
    const HexInput read = readHexInput(input);
    if (!read.unreadable.isEmpty()) return {{}, read.unreadable};
    if (read.bytes.empty()) return {};
    return {QString::asprintf("%04x", static_cast<unsigned>(Zuno::crcItu(read.bytes))), {}};
}

Computed md5OfHex(const QString& input) {
    const HexInput read = readHexInput(input);
    if (!read.unreadable.isEmpty()) return {{}, read.unreadable};
    if (read.bytes.empty()) return {};
    const QByteArray data(reinterpret_cast<const char*>(read.bytes.data()), static_cast<int>(read.bytes.size()));
    return {QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Md5).toHex()), {}};
}

std::optional<double> readCoordinate(const std::string& part, size_t intDigits) {
    // An optional sign, decimal digits, and optionally a point with at least
    // one digit after it; nothing else.
    size_t i = 0;
    const size_t n = part.size();
    if (i < n && (part[i] == '+' || part[i] == '-')) ++i;
    const size_t intFrom = i;
    while (i < n && isDigit(part[i])) ++i;
    const size_t intEnd = i;
    bool hasPoint = false;
    if (i < n && part[i] == '.') {
        ++i;
        const size_t fracFrom = i;
        while (i < n && isDigit(part[i])) ++i;
        if (i == fracFrom) return std::nullopt;
        hasPoint = true;
    }
    if (i != n) return std::nullopt;
    if (hasPoint) return toDouble(part);
    if (intEnd == intFrom) return std::nullopt; // a sign alone, or nothing
    const std::string sign = part.substr(0, intFrom);
    const std::string digits = part.substr(intFrom);
    if (digits.size() <= intDigits) return toDouble(sign + digits);
    return toDouble(sign + digits.substr(0, intDigits) + "." + digits.substr(intDigits));
}

double coordinate(const std::string& part, size_t intDigits) { return readCoordinate(part, intDigits).value_or(0.0); }

Computed distanceOf(const QString& input) {
    // Every kind of white space is a blank, as in the hexadecimal inputs.
    const std::string typed = withoutWhiteSpace(input).toUtf8().toStdString();
    std::string text = typed;
    for (const char* letter : {"E", "N", "e", "n"}) Zuno::replaceAll(text, letter, "+");
    for (const char* letter : {"W", "S", "w", "s"}) Zuno::replaceAll(text, letter, "-");

    if (text.empty()) return {};
    const std::vector<std::string> parts = splitKeepingEmpty(text, ',');
    if (parts.size() != 4)
        return {{}, QStringLiteral("坐标无法识别: 需要4个坐标, 输入了%1个").arg(static_cast<qulonglong>(parts.size()))};
    // The signs replaced letters one for one: the typed parts lie at the same places.
    const std::vector<std::string> typedParts = splitKeepingEmpty(typed, ',');
    static const char* const kPartNames[] = {"纬度1", "经度1", "纬度2", "经度2"};
    double degrees[4] = {};
    QStringList unreadable;
    for (size_t i = 0; i < 4; ++i) {
        const bool latitude = i % 2 == 0;
        const auto value = readCoordinate(parts[i], latitude ? 2 : 3);
        // No point lies beyond a pole; a longitude past 180 degrees has gone
        // on round the circle.
        if (value && (!latitude || std::abs(*value) <= 90.0))
            degrees[i] = latitude ? *value : roundTheCircle(*value);
        else
            unreadable << QString::fromUtf8(kPartNames[i]) + ' ' + quotedInput(QString::fromStdString(typedParts[i]));
    }
    if (!unreadable.isEmpty()) return {{}, QStringLiteral("坐标无法识别: ") + unreadable.join(", ")};

    auto radians = [](double d) { return d * kPi / 180.0; };
    const double lat1 = radians(degrees[0]);
    const double lng1 = radians(degrees[1]);
    const double lat2 = radians(degrees[2]);
    const double lng2 = radians(degrees[3]);

    std::ostringstream os;
    os.imbue(std::locale::classic());
    os << std::fixed << "\"GPS距离\":" << chordDistance(lat1, lng1, lat2, lng2) << ", \"WGS84距离\":"
       << haversineDistance(lat1, lng1, lat2, lng2);
    return {QString::fromStdString(os.str()), {}};
}

} // namespace Tools
