#include "config/base_folder.h"

#include <QCoreApplication>

#include <mutex>

namespace Zuno {

namespace {
std::mutex& folderMutex() {
    static std::mutex m;
    return m;
}
QString& overrideFolder() {
    static QString folder;
    return folder;
}
} // namespace

QString baseFolder() {
    std::lock_guard<std::mutex> lock(folderMutex());
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return QCoreApplication::applicationDirPath();
}

void setBaseFolder(const QString& path) {
    std::lock_guard<std::mutex> lock(folderMutex());
    overrideFolder() = path;
}

QString basePath(const QString& relative) {
    return baseFolder() + "/" + relative;
}

QString configPathForMessage(const QString& absolutePath) {
    const QString base = baseFolder() + "/";
    return absolutePath.startsWith(base) ? absolutePath.mid(base.size()) : absolutePath;
}

} // namespace Zuno
