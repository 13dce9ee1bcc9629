#include "config/config_file.h"

#include <cerrno>
#include <cstring>

#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QTextCodec>

#include "protocol/text_file.h"

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace Zuno {

QString writeWhole(QFileDevice& file, const char* data, qint64 size) {
    qint64 done = 0;
    while (done < size) {
        const qint64 written = file.write(data + done, size - done);
        if (written <= 0)
            return file.error() != QFileDevice::NoError ? file.errorString()
                                                        : QStringLiteral("只写入了 %1/%2 字节").arg(done).arg(size);
        done += written;
    }
    return QString();
}

namespace {

QString defaultSync(QFileDevice& file) {
    if (!file.flush())
        return file.errorString();
#ifndef Q_OS_WIN
    if (::fsync(file.handle()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
#endif
    return QString();
}

ConfigWriteOps& writeOps() {
    static ConfigWriteOps ops{&writeWhole, &defaultSync};
    return ops;
}

// The UTF-8 byte-order mark.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

bool holdsAlready(const QString& path, const std::string& text) {
    QFile current(path);
    if (current.size() != static_cast<qint64>(text.size()) || !current.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = current.readAll();
    return current.error() == QFileDevice::NoError &&
           bytes == QByteArray::fromRawData(text.data(), static_cast<int>(text.size()));
}

ConfigResult failed(ConfigStatus status, const QString& reason) { return {status, reason}; }

} // namespace

ConfigText readConfigText(const QString& path) {
    ConfigText out;
    const FileBytes file = readRegularFile(path);
    if (!file.ok()) {
        out.result = failed(file.status == FileBytes::Missing ? ConfigStatus::Missing : ConfigStatus::Unreadable,
                            file.reason);
        return out;
    }
    out.utf8 = isValidUtf8(file.bytes);
    const int nul = file.bytes.indexOf('\0');
    if (nul >= 0)
        out.nulLine = 1 + static_cast<std::size_t>(file.bytes.left(nul).count('\n'));
    QByteArray text = textOfFileBytes(file.bytes);
    // Decoded as readTextFile decodes: a byte-order mark at the start is
    // dropped (it is no part of the JSON text), what is no UTF-8 replaced.
    // Bytes that are UTF-8 throughout decode to themselves, less the mark.
    const bool marked = text.startsWith(kByteOrderMark);
    if (!out.utf8)
        out.text = QString::fromUtf8(text).toUtf8().toStdString();
    if (marked)
        text.remove(0, static_cast<int>(sizeof kByteOrderMark) - 1);
    if (out.utf8)
        out.text = text.toStdString();
    else
        out.raw = text.toStdString();
    return out;
}

QString ConfigText::problem(const JsonRead& read) const {
    if (!result.ok())
        return result.reason;
    QString why = QString::fromStdString(jsonReadProblem(read));
    if (!read && nulLine > 0)
        why += QStringLiteral("; 第%1行在NUL字节处被截断").arg(nulLine);
    return why;
}

void logConfigProblem(const QString& path, const QString& why) { qDebug() << path << " , Json error:" << why; }

QString ignoredTextNote(const JsonRead& read) {
    return QString::fromStdString(jsonReadProblem(read)) + QStringLiteral(", 已忽略, 不会保存此文件");
}

QString ignoredTextRefusal(const JsonRead& read) {
    return QString::fromStdString(jsonReadProblem(read)) + QStringLiteral(", 保存会丢失它");
}

ConfigResult writeConfigFile(const QString& path, const std::string& text) {
    // What the readers would refuse is never written: a file that could not
    // be read back would be lost from the next start on.
    if (static_cast<qint64>(text.size()) > kMaxFileBytes)
        return failed(ConfigStatus::NotWritten, fileTooLargeReason());
    picojson::value value;
    const JsonRead read = parseJsonText(text, value);
    if (read.kind != JsonRead::Value)
        return failed(ConfigStatus::NotWritten, QString::fromStdString(jsonReadProblem(read)));
    // Only a regular file is replaced: a FIFO or a device would become a
    // regular file, a link that leads nowhere would make one elsewhere.
    const QString notRegular = notRegularFileReason(path);
    if (!notRegular.isEmpty())
        return failed(ConfigStatus::NotWritten, notRegular);
    // A file that holds these bytes already is left as it is: nothing would
    // change, and the window does not wait for the disk (conf.json is saved
    // on every Connect, Disconnect and Send, while a flood fills the log).
    if (holdsAlready(path, text))
        return {};
    QSaveFile file(path);
    // Never rewritten in place: a save cut short there would leave half a file.
    file.setDirectWriteFallback(false);
    // Unbuffered: each write reaches the file at once and says how it went.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(ConfigStatus::NotWritten, file.errorString());
    QString why = writeOps().write(file, text.data(), static_cast<qint64>(text.size()));
    if (why.isEmpty())
        why = writeOps().sync(file);
    if (!why.isEmpty()) {
        // The new file is dropped; the old one was never touched.
        file.cancelWriting();
        return failed(ConfigStatus::NotWritten, why);
    }
    if (!file.commit())
        return failed(ConfigStatus::NotWritten, file.errorString());
    return {};
}

bool isValidUtf8(const QByteArray& bytes) {
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

void setConfigWriteOps(ConfigWriteOps ops) {
    writeOps().write = ops.write ? std::move(ops.write) : &writeWhole;
    writeOps().sync = ops.sync ? std::move(ops.sync) : &defaultSync;
}

} // namespace Zuno
