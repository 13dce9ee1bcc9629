#include "protocol/text_file.h"

#include <QByteArray>
#include <QFile>

namespace Zuno {

QString readTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return QString();
    QString text;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        const int nul = line.indexOf('\0');
        if (nul >= 0) line.truncate(nul);
        text += QString::fromUtf8(line);
    }
    return text;
}

QString& stripHexSeparators(QString& text) {
    if (text.isEmpty()) return text;
    text.remove(QStringLiteral(" "));
    text.remove(QStringLiteral(","));
    text.remove(QStringLiteral("0x"), Qt::CaseSensitive);
    text.remove(QStringLiteral("0X"), Qt::CaseSensitive);
    return text;
}

} // namespace Zuno
