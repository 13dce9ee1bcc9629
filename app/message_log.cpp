#include "app/message_log.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "config/config_file.h"

#ifndef Q_OS_WIN
#include <csignal>
#include <cstring>

#include <sys/stat.h>
#endif

namespace Zuno {

namespace {

// Program-wide log state, made before main runs. A standard mutex, so that
// the thread checker sees the records of two threads ordered.
std::mutex logMutex;
QString logDate;
QString logDir;
QString logDirUnmade; // why logDir could not be made at start-up
QFile logFile;
// Whether the last record could be written, why not, and who is told.
bool logFailing = false;
QString logFailure;
std::vector<std::pair<const void*, LogStateListener>> logListeners;
LogWrite logWrite = &writeWhole;

// The log file's path; the caller holds logMutex.
QString logPathLocked() {
    return logDir + "/" + QString("log.%1.log").arg(logDate);
}

// Tells the listener when records start or stop reaching the file; the
// caller holds logMutex.
void noteLogState(bool written, const QString& reason) {
    if (written == !logFailing)
        return;
    logFailing = !written;
    logFailure = reason;
    for (const auto& listener : logListeners)
        listener.second(written, reason);
}

void writeStdout(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

std::string levelName(QtMsgType type) {
    switch (type) {
    case QtDebugMsg: return "Debug";
    case QtWarningMsg: return "Warnings";
    case QtCriticalMsg: return "Critical";
    case QtFatalMsg: return "Fatal";
    case QtInfoMsg: return "Info";
    }
    return "";
}

bool dirExists(const QString& path) {
    return QDir(path).exists();
}

bool makeDir(const QString& path, QString* reason) {
#ifndef Q_OS_WIN
    // Folder by folder from the root, so that the one that cannot be made
    // says why.
    const QString full = QDir::cleanPath(QDir(path).absolutePath());
    const QStringList parts = full.split('/', Qt::SkipEmptyParts);
    QString made;
    for (int i = 0; i < parts.size(); ++i) {
        made += "/" + parts[i];
        const QByteArray name = QFile::encodeName(made);
        struct stat info {};
        // A folder that is there is passed by, even on a mount that takes
        // no new folder.
        if (::stat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode))
            continue;
        if (::mkdir(name.constData(), 0777) == 0)
            continue;
        const int error = errno;
        if (error == EEXIST && ::stat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode))
            continue; // made meanwhile
        // A file in the way of a parent is told by the folder that cannot be
        // made in it ("Not a directory").
        if (error == EEXIST && i + 1 < parts.size())
            continue;
        if (reason)
            *reason = QString::fromLocal8Bit(std::strerror(error));
        return false;
    }
    return true;
#else
    if (QDir(path).mkpath(path))
        return true;
    if (reason)
        *reason = QStringLiteral("无法创建文件夹");
    return false;
#endif
}

QString shownSourceFile(const char* file) {
    QString name = file ? QString::fromUtf8(file) : QString();
    if (name.startsWith("../"))
        name.remove(0, 3);
    return name;
}

QString consoleLine(QtMsgType type, const QString& file, int line, const QString& message) {
    return QString::fromStdString(levelName(type)) + " " +
           QString("[%1]:%2 - %3").arg(file, QString::number(line), message);
}

QString logRecord(QtMsgType type, const QString& file, int line, const QString& message) {
    const QString number = QString::number(line);
    switch (type) {
    case QtDebugMsg: return QString("Debug [%1]:%2 - %3").arg(file, number, message);
    case QtInfoMsg: return QString("Info: [%1]:%2 - %3").arg(message, file, number);
    case QtWarningMsg: return QString("Warning: [%1]:%2 - %3").arg(message, file, number);
    case QtCriticalMsg: return QString("Critical: [%1]:%2 - %3").arg(message, file, number);
    case QtFatalMsg: break;
    }
    return QString();
}

void setLogFolder(const QString& folder, const QString& unmade) {
    std::lock_guard<std::mutex> lock(logMutex);
    logDir = folder;
    logDirUnmade = unmade;
}

void setLogDate(const QString& date) {
    std::lock_guard<std::mutex> lock(logMutex);
    logDate = date;
}

QString logFilePath() {
    std::lock_guard<std::mutex> lock(logMutex);
    return logPathLocked();
}

void messageOutput(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    // A message raised while this thread is inside the handler (by Qt, from
    // the file calls below) would wait for the lock it holds: it goes to the
    // console alone.
    static thread_local bool inside = false;
    if (inside) {
        writeStdout(consoleLine(type, shownSourceFile(context.file), context.line, message).toLocal8Bit());
        return;
    }
    std::lock_guard<std::mutex> lock(logMutex);
    inside = true;
    struct Leave {
        ~Leave() { inside = false; }
    } leave;
    const QString file = shownSourceFile(context.file);
    writeStdout(consoleLine(type, file, context.line, message).toLocal8Bit());
    if (type == QtFatalMsg)
        std::abort();

    // Records are UTF-8 whatever the locale's text codec is at the time.
    const QByteArray record = "\n\r" + logRecord(type, file, context.line, message).toUtf8();
    logFile.setFileName(logPathLocked());
    // Unbuffered: the write itself says whether the record reached the file.
    if (!logFile.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        // A folder that could not be made is the reason, not the file that
        // then cannot be opened in it.
        const QString reason = !logDirUnmade.isEmpty() && !QFileInfo(logDir).isDir()
                                   ? QStringLiteral("日志文件夹无法创建: ") + logDirUnmade
                                   : logFile.errorString();
        writeStdout(reason.toUtf8());
        noteLogState(false, reason);
        return;
    }
    const qint64 end = logFile.size();
    const QString reason = logWrite(logFile, record.constData(), record.size());
    // What part of the record got in is cut off again: the file holds whole
    // records only, and the next one follows the last whole one.
    if (!reason.isEmpty() && logFile.size() > end)
        logFile.resize(end);
    logFile.close();
    if (!reason.isEmpty())
        writeStdout(reason.toUtf8());
    noteLogState(reason.isEmpty(), reason);
}

void startLogging(const QString& folder, const QString& date) {
#ifndef Q_OS_WIN
    // Past a file-size limit a write then fails with its reason ("File too
    // large"), as on a full disk; the signal would end the program mid-record.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QString unmade;
    if (!dirExists(folder))
        makeDir(folder, &unmade);
    setLogFolder(folder, unmade);
    setLogDate(date);
    qInstallMessageHandler(messageOutput);
}

void setLogWrite(LogWrite write) {
    std::lock_guard<std::mutex> lock(logMutex);
    logWrite = write ? std::move(write) : LogWrite(&writeWhole);
}

void addLogStateListener(const void* owner, LogStateListener listener) {
    std::lock_guard<std::mutex> lock(logMutex);
    logListeners.emplace_back(owner, std::move(listener));
}

void removeLogStateListener(const void* owner) {
    std::lock_guard<std::mutex> lock(logMutex);
    logListeners.erase(std::remove_if(logListeners.begin(), logListeners.end(),
                                      [owner](const auto& l) { return l.first == owner; }),
                       logListeners.end());
}

bool logWriting(QString* reason) {
    std::lock_guard<std::mutex> lock(logMutex);
    if (reason)
        *reason = logFailure;
    return !logFailing;
}

void closeLogFile() {
    std::lock_guard<std::mutex> lock(logMutex);
    logFile.close();
}

int clearFolderContents(const QString& folder) {
    int failed = 0;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                   QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString path = entry.absoluteFilePath();
        if (entry.isSymLink() || !entry.isDir()) {
            // A link goes, never what it points to.
            if (!QFile::remove(path))
                ++failed;
            continue;
        }
        failed += clearFolderContents(path);
        if (!QDir(folder).rmdir(entry.fileName()))
            ++failed;
    }
    return failed;
}

} // namespace Zuno
