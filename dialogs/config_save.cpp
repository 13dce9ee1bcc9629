#include "dialogs/config_save.h"

#include <QSaveFile>

#include "connection/base_folder.h"

namespace Zuno {

bool writeConfigFile(const QString& path, const std::string& text, QString* error) {
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    const auto fail = [&] {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
        return fail();
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString configPathForMessage(const QString& absolutePath) {
    const QString base = baseFolder() + "/";
    return absolutePath.startsWith(base) ? absolutePath.mid(base.size()) : absolutePath;
}

QString readErrorMessage(const QString& cmd, const QString& path) {
    return QStringLiteral("读取配置\"") + cmd + QStringLiteral("\"错误, 文件:") + path;
}

QString savedMessage(const QString& cmd, const QString& path) {
    return QStringLiteral("保存配置\"") + cmd + QStringLiteral("\"完成, 文件:") + path;
}

QString saveFailedMessage(const QString& cmd, const QString& path, const QString& reason) {
    QString text = QStringLiteral("保存配置\"") + cmd + QStringLiteral("\"失败, 文件:") + path;
    if (!reason.isEmpty())
        text += " (" + reason + ")";
    return text;
}

} // namespace Zuno
