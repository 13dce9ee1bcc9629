#include "tools/hex_input.h"

#include "protocol/helpers.h"
#include "protocol/text_file.h"

namespace Tools {

std::unique_ptr<std::vector<uint8_t>> bytesOfHexInput(QString text) {
    QString digits;
    digits.reserve(text.size());
    for (const QChar c : text)
        if (!c.isSpace()) digits.append(c);
    Zuno::stripHexSeparators(digits);
    return Zuno::hexToBytes(digits.toUtf8().toStdString());
}

} // namespace Tools
