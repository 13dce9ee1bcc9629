#include "protocol/text_file.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Zuno {

namespace {

FileBytes refused(FileBytes::Status status, const QString& reason) {
    FileBytes out;
    out.status = status;
    out.reason = reason;
    return out;
}

QString missing() { return QStringLiteral("文件不存在"); }
QString aFolder() { return QStringLiteral("这是一个文件夹"); }
QString notRegular() { return QStringLiteral("不是普通文件"); }
QString brokenLink() { return QStringLiteral("链接指向的文件不存在"); }

#ifndef Q_OS_WIN
QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Closes the descriptor when it goes.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};
#endif

} // namespace

QString fileTooLargeReason() { return QStringLiteral("文件超过%1 MB").arg(kMaxFileBytes / (1024 * 1024)); }

FileBytes readRegularFile(const QString& path) {
#ifndef Q_OS_WIN
    // Opened without waiting (a FIFO would wait for a writer), then judged
    // by what was opened: a check of the path before opening could be
    // outrun by a change of the file.
    const QByteArray name = QFile::encodeName(path);
    Descriptor file{::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return refused(FileBytes::Missing, missing());
        return refused(FileBytes::Unreadable, systemReason(error));
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0)
        return refused(FileBytes::Unreadable, systemReason(errno));
    if (S_ISDIR(info.st_mode))
        return refused(FileBytes::Unreadable, aFolder());
    if (!S_ISREG(info.st_mode))
        return refused(FileBytes::Unreadable, notRegular());
    if (info.st_size > kMaxFileBytes)
        return refused(FileBytes::Unreadable, fileTooLargeReason());
    // Read to the end, not to the size the file had when opened: one byte
    // past the bound tells a file that grew beyond it.
    QByteArray bytes(static_cast<int>(std::min<qint64>(info.st_size, kMaxFileBytes) + 1), Qt::Uninitialized);
    qint64 done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > kMaxFileBytes)
                return refused(FileBytes::Unreadable, fileTooLargeReason());
            bytes.resize(static_cast<int>(std::min<qint64>(2 * done, kMaxFileBytes + 1)));
        }
        const ssize_t got = ::read(file.fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return refused(FileBytes::Unreadable, systemReason(errno));
        if (got == 0)
            break;
        done += got;
    }
    bytes.truncate(static_cast<int>(done));
    FileBytes out;
    out.bytes = std::move(bytes);
    return out;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return refused(FileBytes::Missing, missing());
    if (info.isDir())
        return refused(FileBytes::Unreadable, aFolder());
    if (!info.isFile())
        return refused(FileBytes::Unreadable, notRegular());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(FileBytes::Unreadable, file.errorString());
    FileBytes out;
    out.bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(FileBytes::Unreadable, file.errorString());
    if (out.bytes.size() > kMaxFileBytes)
        return refused(FileBytes::Unreadable, fileTooLargeReason());
    return out;
#endif
}

QString notRegularFileReason(const QString& path) {
#ifndef Q_OS_WIN
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        return errno == ENOENT ? QString() : systemReason(errno);
    if (S_ISLNK(info.st_mode) && ::stat(name.constData(), &info) != 0)
        return errno == ENOENT ? brokenLink() : systemReason(errno);
    if (S_ISDIR(info.st_mode))
        return aFolder();
    return S_ISREG(info.st_mode) ? QString() : notRegular();
#else
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return brokenLink();
    if (!info.exists() || info.isFile())
        return QString();
    return info.isDir() ? aFolder() : notRegular();
#endif
}

QByteArray textOfFileBytes(const QByteArray& bytes) {
    QByteArray text;
    text.reserve(bytes.size());
    int start = 0;
    while (start < bytes.size()) {
        int end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        QByteArray line = bytes.mid(start, end - start);
        if (line.endsWith("\r\n"))
            line.replace(line.size() - 2, 2, "\n");
        const int nul = line.indexOf('\0');
        if (nul >= 0)
            line.truncate(nul);
        text += line;
        start = end;
    }
    return text;
}

QString readTextFile(const QString& path) {
    const FileBytes file = readRegularFile(path);
    return file.ok() ? QString::fromUtf8(textOfFileBytes(file.bytes)) : QString();
}

} // namespace Zuno
