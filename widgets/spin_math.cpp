#include "widgets/spin_math.h"

namespace spin64 {

std::optional<qlonglong> parseNumber(const QString& text) {
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok, 10);
    if (!ok) return std::nullopt;
    return v;
}

qlonglong clamp(qlonglong v, qlonglong minimum, qlonglong maximum) {
    if (v > maximum) v = maximum;
    if (v < minimum) v = minimum;
    return v;
}

qlonglong step(qlonglong value, int steps, qlonglong singleStep, qlonglong minimum, qlonglong maximum,
               bool wrapping) {
    // 64 + 32 bits hold every product and sum exactly.
    const __int128 n = static_cast<__int128>(value) + static_cast<__int128>(steps) * singleStep;
    if (wrapping && n > maximum) return clamp(value == maximum ? minimum : maximum, minimum, maximum);
    if (wrapping && n < minimum) return clamp(value == minimum ? maximum : minimum, minimum, maximum);
    if (n > maximum) return clamp(maximum, minimum, maximum);
    if (n < minimum) return minimum;
    return static_cast<qlonglong>(n);
}

std::optional<QString> numberPart(const QString& text, const QString& prefix, const QString& suffix) {
    if (!text.startsWith(prefix) || !text.endsWith(suffix)) return std::nullopt;
    // A prefix and a suffix that overlap in the text leave nothing between.
    if (text.size() < prefix.size() + suffix.size()) return std::nullopt;
    return text.mid(prefix.size(), text.size() - prefix.size() - suffix.size());
}

namespace {

// The number between the texts, when the text is prefix + number + suffix.
// Read before the whole text: with a suffix of digits, "125" for the suffix
// "5" is the number 12 already shown with its suffix, not the number 125.
std::optional<qlonglong> numberWithTexts(const QString& text, const QString& prefix, const QString& suffix) {
    const auto part = numberPart(text, prefix, suffix);
    if (!part) return std::nullopt;
    return parseNumber(*part);
}

} // namespace

QValidator::State validate(QString& input, int& pos, const QString& prefix, const QString& suffix,
                           qlonglong maximum) {
    const auto part = numberPart(input, prefix, suffix);
    if (part && part->isEmpty() && !input.isEmpty()) return QValidator::Acceptable;
    if (const auto framed = numberWithTexts(input, prefix, suffix); framed && *framed <= maximum)
        return QValidator::Acceptable;
    const auto whole = parseNumber(input);
    if (input.isEmpty() || (whole && *whole <= maximum)) {
        input = prefix + input + suffix;
        pos += prefix.size();
        return QValidator::Acceptable;
    }
    return QValidator::Invalid;
}

std::optional<qlonglong> committedNumber(const QString& text, const QString& prefix, const QString& suffix) {
    if (const auto framed = numberWithTexts(text, prefix, suffix)) return framed;
    return parseNumber(text);
}

} // namespace spin64
