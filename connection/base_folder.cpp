#include "connection/base_folder.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>

namespace Zuno {

namespace {
QMutex& folderMutex() {
    static QMutex m;
    return m;
}
QString& overrideFolder() {
    static QString folder;
    return folder;
}
} // namespace

QString baseFolder() {
    QMutexLocker lock(&folderMutex());
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return QCoreApplication::applicationDirPath();
}

void setBaseFolder(const QString& path) {
    QMutexLocker lock(&folderMutex());
    overrideFolder() = path;
}

QString basePath(const QString& relative) {
    return baseFolder() + "/" + relative;
}

} // namespace Zuno
