#pragma once
// Reading a file whole: the one bounded reader (readRegularFile) under
// readTextFile and under config/'s reader and writer of conf/, which are the
// program's only users of it.

#include <QByteArray>
#include <QString>

namespace Zuno {

// The largest file the program reads whole.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

// Why a file past kMaxFileBytes is not read (or not written): "文件超过4 MB".
QString fileTooLargeReason();

// What reading a file whole gave.
struct FileBytes {
    enum Status { Ok, Missing, Unreadable };
    Status status = Ok;
    QString reason; // for the user; empty when ok
    QByteArray bytes;
    bool ok() const { return status == Ok; }
};

// The bytes of the regular file at `path` (a link is followed): at most
// kMaxFileBytes of them. A FIFO, a device, a socket or a folder is
// unreadable and never waited for; so is a file larger than that, or one
// that grows past it while it is read.
FileBytes readRegularFile(const QString& path);

// Why a file may not be put at `path`: an empty text when nothing is there
// or a regular file (a link is followed to one), else the reason (a folder,
// a FIFO, a device, a link that leads nowhere).
QString notRegularFileReason(const QString& path);

// The text of a file's bytes as a text-mode reading gives it line by line:
// "\r\n" read as "\n", a NUL cuts the rest of its line (line feed included).
QByteArray textOfFileBytes(const QByteArray& bytes);

// Whole text of a file read as UTF-8 line by line (textOfFileBytes). "" when
// the file cannot be read (readRegularFile).
QString readTextFile(const QString& path);

} // namespace Zuno
