#include "widgets/check_list.h"

#include <QStringList>

namespace checklist {

Overall overallState(const QVector<Row>& rows) {
    if (rows.isEmpty()) return Unknown;
    int checked = 0;
    for (const Row& row : rows) {
        if (row.state == kChecked)
            ++checked;
        else if (row.state != kUnchecked)
            return Unknown;
    }
    if (checked == rows.size()) return All;
    return checked == 0 ? None : Some;
}

QString summaryText(const QVector<Row>& rows, const QString& none, const QString& all, const QString& unknown) {
    switch (overallState(rows)) {
    case Unknown: return unknown;
    case All: return all;
    case None: return none;
    case Some: break;
    }
    QStringList ticked;
    for (const Row& row : rows)
        if (row.state == kChecked) ticked << row.text;
    return ticked.join(QStringLiteral(", "));
}

} // namespace checklist
