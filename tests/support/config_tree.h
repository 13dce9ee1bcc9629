#pragma once
// A throw-away folder tree of configuration files, and a capture of the
// program's debug records while a test runs.

#include <string>
#include <vector>

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <unistd.h>

#include "config/base_folder.h"
#include "config/config_file.h"
#include "config/flow_file.h"
#include "support/log_capture.h"

namespace zt {

class ConfigTree {
public:
    ConfigTree() { dir_.setAutoRemove(true); }

    QString root() const { return dir_.path(); }
    QString path(const QString& relative) const { return dir_.path() + "/" + relative; }

    // Writes `bytes` to `relative`, making its folders.
    void write(const QString& relative, const QByteArray& bytes) const {
        const QString full = path(relative);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile f(full);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(full));
    }
    void mkdir(const QString& relative) const { QDir().mkpath(path(relative)); }
    // Copies every file below `folder` to the same place below `relative`.
    bool copyFolder(const QString& folder, const QString& relative) const {
        const QDir from(folder);
        if (!from.exists())
            return false;
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!f.open(QIODevice::ReadOnly))
                return false;
            write(relative + "/" + from.relativeFilePath(f.fileName()), f.readAll());
        }
        return true;
    }
    QByteArray read(const QString& relative) const {
        QFile f(path(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir dir_;
};

// A ConfigTree that is the program's base folder (config/base_folder.h)
// while it lives.
class BaseFolderTree : public ConfigTree {
public:
    BaseFolderTree() { Zuno::setBaseFolder(root()); }
    ~BaseFolderTree() { Zuno::setBaseFolder(QString()); }
};

// Makes a folder unwritable, even for root (immutable flag), while alive.
class LockedFolder {
public:
    explicit LockedFolder(const QString& path) : path_(path) {
        if (geteuid() == 0)
            locked_ = QProcess::execute("chattr", {"+i", path_}) == 0;
        else
            locked_ = QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~LockedFolder() {
        if (geteuid() == 0)
            QProcess::execute("chattr", {"-i", path_});
        else
            QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool locked() const { return locked_; }

private:
    QString path_;
    bool locked_ = false;
};

// A full disk for every save of a configuration file while it lives: half
// the text reaches the new file, then the write fails (or, with
// `failSync`, every write goes through and the final flush fails).
class FullDisk {
public:
    static constexpr const char* kReason = "No space left on device";
    explicit FullDisk(bool failSync = false) {
        Zuno::ConfigWriteOps ops;
        if (failSync) {
            ops.sync = [](QFileDevice&) { return QString(kReason); };
        } else {
            ops.write = [](QFileDevice& file, const char* data, qint64 size) {
                file.write(data, size / 2);
                return QString(kReason);
            };
        }
        Zuno::setConfigWriteOps(ops);
    }
    ~FullDisk() { Zuno::setConfigWriteOps({}); }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
};

// One step of a flow.
inline ProtocolTask flowStep(const char* cmd, bool checked, int16_t delay) {
    ProtocolTask t;
    t.cmd = cmd;
    t.isChecked = checked;
    t.delay = delay;
    return t;
}

// Every Qt message while it lives.
using MessageCapture = LogCapture;

} // namespace zt
