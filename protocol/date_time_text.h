#pragma once
// The date-time text of the program outside the dumps: the time of its log
// records and the model editor's date fields, both "yyyy-MM-dd hh:mm:ss" (as
// the dumps write a date-time field).

#include <QDateTime>
#include <QString>

namespace Zuno {

// The format of a date-time text, for QDateTime and QDateTimeEdit.
inline QString dateTimeFormat() { return QStringLiteral("yyyy-MM-dd hh:mm:ss"); }

// `moment` as a date-time text.
inline QString dateTimeText(const QDateTime& moment) { return moment.toString(dateTimeFormat()); }

} // namespace Zuno
