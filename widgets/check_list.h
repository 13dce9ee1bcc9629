#pragma once
// How a check list sums up its items, apart from the widget.

#include <QString>
#include <QVector>

namespace checklist {

// Check states as the items hold them.
constexpr int kUnchecked = 0;
constexpr int kChecked = 2;

// The overall state of a list: 0 nothing ticked, 1 some ticked, 2 all ticked,
// 3 no items or an item in a state other than Unchecked and Checked.
enum Overall { None = 0, Some = 1, All = 2, Unknown = 3 };

struct Row {
    QString text;
    int state = kUnchecked;
};

Overall overallState(const QVector<Row>& rows);

// The text the box shows: `unknown` for Unknown, `all` for All, `none` for
// None, else the texts of the ticked rows in row order joined by ", ".
QString summaryText(const QVector<Row>& rows, const QString& none, const QString& all, const QString& unknown);

} // namespace checklist
