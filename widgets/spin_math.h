#pragma once
// The arithmetic and text rules of the 64-bit spin box, apart from the widget
// so that they can be checked without a window.

#include <optional>

#include <QString>
#include <QValidator>

namespace spin64 {

// The whole text read as QString::toLongLong reads it in base 10; no value
// for a text that is no number or lies outside the signed 64-bit range.
std::optional<qlonglong> parseNumber(const QString& text);

// v kept inside [minimum, maximum]; when the minimum exceeds the maximum the
// minimum wins.
qlonglong clamp(qlonglong v, qlonglong minimum, qlonglong maximum);

// The value after `steps` steps of `singleStep`, computed without overflow: a
// result beyond the 64-bit range counts as beyond the limit on that side.
// Without wrapping it is clamped; with wrapping it goes round to the other
// limit only from a value already at the limit it passes, else it stops there.
qlonglong step(qlonglong value, int steps, qlonglong singleStep, qlonglong minimum, qlonglong maximum,
               bool wrapping);

// The text between prefix and suffix; no value when the text does not start
// with the prefix, does not end with the suffix or is too short for both.
std::optional<QString> numberPart(const QString& text, const QString& prefix, const QString& suffix);

// What typing leaves in the field: Acceptable or Invalid, never Intermediate.
// A bare number (or an empty field) gets the prefix and suffix put around it
// and `pos` moved past the prefix. The minimum is not checked here.
QValidator::State validate(QString& input, int& pos, const QString& prefix, const QString& suffix,
                           qlonglong maximum);

// The number that committing the field's text takes over; no value when the
// text must be replaced by the stored value again.
std::optional<qlonglong> committedNumber(const QString& text, const QString& prefix, const QString& suffix);

} // namespace spin64
