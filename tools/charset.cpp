#include "tools/charset.h"

#include <memory>

#include <QByteArray>
#include <QTextCodec>
#include <QTextDecoder>
#include <QTextEncoder>

#include "protocol/helpers.h"
#include "tools/hex_input.h"

namespace Tools {

namespace {

const char* codecName(Encoding encoding) {
    switch (encoding) {
    case Encoding::Gbk: return "GBK";
    case Encoding::Utf8: return "UTF-8";
    case Encoding::Utf16BE: return "UTF-16BE";
    case Encoding::Utf16LE: return "UTF-16LE";
    }
    return "";
}

// No byte-order mark is written, and UTF-16 is read in the order its name says.
constexpr QTextCodec::ConversionFlag kNoHeader = QTextCodec::IgnoreHeader;

} // namespace

QString hexToText(const QString& input, Encoding encoding) {
    const HexInput read = readHexInput(input);
    if (!read.unreadable.isEmpty() || read.bytes.empty()) return {};
    const QByteArray data(reinterpret_cast<const char*>(read.bytes.data()), static_cast<int>(read.bytes.size()));
    if (encoding == Encoding::Utf8) return QString::fromUtf8(data.constData(), data.size()); // NULs included
    QTextCodec* codec = QTextCodec::codecForName(codecName(encoding));
    if (!codec) return {};
    const std::unique_ptr<QTextDecoder> decoder(codec->makeDecoder(kNoHeader));
    return decoder->toUnicode(data);
}

QString textToHex(const QString& input, Encoding encoding) {
    QString text = input.trimmed();
    if (encoding == Encoding::Gbk) {
        // GBK text passes through the local 8-bit form first, which the
        // converter keeps as UTF-8: a NUL character ends it.
        QByteArray local = text.toUtf8();
        const int nul = local.indexOf('\0');
        if (nul >= 0) local.truncate(nul);
        text = QString::fromUtf8(local);
    }
    if (text.isEmpty()) return {};
    QTextCodec* codec = QTextCodec::codecForName(codecName(encoding));
    if (!codec) return {};
    const std::unique_ptr<QTextEncoder> encoder(codec->makeEncoder(kNoHeader));
    const QByteArray bytes = encoder->fromUnicode(text);
    // A character the encoding lacks would come out as a stand-in byte, which
    // would look like a real result.
    if (encoder->hasFailure()) return {};
    return QString::fromStdString(Zuno::toHex(bytes.toStdString(), " "));
}

} // namespace Tools
