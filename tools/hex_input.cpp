#include "tools/hex_input.h"

#include <algorithm>

#include <QStringList>

#include "protocol/helpers.h"

namespace Tools {

namespace {

// Groups named in a message, and the characters shown of a long group.
constexpr int kNamedGroups = 3;
constexpr int kShownChars = 16;

bool isHexDigit(QChar c) {
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f');
}

struct Group {
    QString typed;
    QString digits;  // without "0x" and "0X"
    int fault = 0;   // index in `typed` of the first character that is neither a digit nor "0x"
};

std::vector<Group> groupsOf(const QString& text) {
    std::vector<Group> groups;
    QString typed;
    auto endGroup = [&] {
        if (typed.isEmpty()) return;
        Group g;
        g.typed = typed;
        g.digits = typed;
        Zuno::stripHexSeparators(g.digits);
        // Left to right, "0x" and "0X" as one: the first character that is
        // neither a digit nor part of one.
        for (int i = 0; i < typed.size(); ++i) {
            if (typed[i] == '0' && i + 1 < typed.size() && (typed[i + 1] == 'x' || typed[i + 1] == 'X')) {
                ++i;
                continue;
            }
            if (isHexDigit(typed[i])) continue;
            g.fault = i;
            break;
        }
        groups.push_back(g);
        typed.clear();
    };
    for (const QChar c : text) {
        if (c.isSpace() || c == ',')
            endGroup();
        else
            typed.append(c);
    }
    endGroup();
    return groups;
}

QString named(const QStringList& groups) {
    QStringList shown = groups.mid(0, kNamedGroups);
    if (groups.size() > kNamedGroups) shown << QStringLiteral("…");
    return shown.join(QStringLiteral(", "));
}

} // namespace

QString quotedInput(const QString& typed, int focus) {
    if (typed.size() <= kShownChars) return '"' + typed + '"';
    int from = qBound(0, focus - 4, typed.size() - kShownChars);
    if (from > 0 && typed[from].isLowSurrogate()) --from;
    int to = from + kShownChars;
    if (to < typed.size() && typed[to].isLowSurrogate()) ++to;
    QString shown = typed.mid(from, to - from);
    if (from > 0) shown.prepend(QStringLiteral("…"));
    if (to < typed.size()) shown.append(QStringLiteral("…"));
    return '"' + shown + '"';
}

QString withoutWhiteSpace(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text)
        if (!c.isSpace()) kept.append(c);
    return kept;
}

HexInput readHexInput(const QString& text) {
    const std::vector<Group> groups = groupsOf(text);
    HexInput read;

    QStringList unreadable;
    QString digits;
    for (const Group& g : groups) {
        if (!std::all_of(g.digits.begin(), g.digits.end(), isHexDigit)) unreadable << quotedInput(g.typed, g.fault);
        digits += g.digits;
    }
    if (!unreadable.isEmpty()) {
        read.unreadable = QStringLiteral("十六进制无法识别: ") + named(unreadable);
        return read;
    }
    // Only digits are left: the codec's reader pairs them.
    if (const auto bytes = Zuno::hexToBytes(digits.toStdString())) read.bytes = *bytes;
    return read;
}

} // namespace Tools
