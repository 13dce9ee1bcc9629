#include "tools/hex_input.h"

#include "protocol/helpers.h"
#include "protocol/text_file.h"

namespace Tools {

QString withoutWhiteSpace(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text)
        if (!c.isSpace()) kept.append(c);
    return kept;
}

std::unique_ptr<std::vector<uint8_t>> bytesOfHexInput(QString text) {
    QString digits = withoutWhiteSpace(text);
    Zuno::stripHexSeparators(digits);
    return Zuno::hexToBytes(digits.toUtf8().toStdString());
}

} // namespace Tools
