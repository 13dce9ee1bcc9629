#include "connection/config_catalogue.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <picojson.h>

#include "builders/model_file.h"

#include "protocol/text_file.h"

namespace {

void scanInto(const QString& dir, QSet<QString>& walked, QList<ProtocolDataModel>& out) {
    QDir folder(dir);
    if (!folder.exists())
        return;
    // A folder already walked (reached again through a link) is not walked
    // twice: this is what keeps a link cycle from recursing forever.
    const QString canonical = QFileInfo(folder.absolutePath()).canonicalFilePath();
    if (canonical.isEmpty() || walked.contains(canonical))
        return;
    walked.insert(canonical);

    const QFileInfoList entries =
        folder.entryInfoList(QDir::Dirs | QDir::Files, QDir::Name | QDir::DirsFirst);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (name == "." || name == "..")
            continue;
        if (entry.isDir()) {
            scanInto(entry.filePath(), walked, out);
            continue;
        }
        if (!name.endsWith(".json", Qt::CaseSensitive))
            continue;
        const QPair<QString, QString> header = readConfigHeader(entry.absoluteFilePath());
        if (header.first.isEmpty() || header.second.isEmpty())
            continue;
        out.append({entry.absoluteFilePath(), entry.filePath(), name, header.first, header.second});
    }
}

} // namespace

QList<ProtocolDataModel> scanConfigDir(const QString& dir) {
    QList<ProtocolDataModel> out;
    QSet<QString> walked;
    scanInto(dir, walked, out);
    return out;
}

QPair<QString, QString> readConfigHeader(const QString& path) {
    const std::string text = Zuno::readTextFile(path).toUtf8().toStdString();
    picojson::value root;
    if (!Zuno::parseJsonText(text, root)) {
        qDebug() << path << " , Json error";
        return {};
    }
    if (!root.is<picojson::object>()) {
        qDebug() << path << " , Json error";
        return {};
    }
    const picojson::object& obj = root.get<picojson::object>();
    const auto cmd = obj.find("cmd");
    const auto protocol = obj.find("protocol");
    if (cmd == obj.end() || protocol == obj.end() || !cmd->second.is<std::string>() ||
        !protocol->second.is<std::string>()) {
        qDebug() << path << " , Json error";
        return {};
    }
    return {QString::fromStdString(cmd->second.get<std::string>()),
            QString::fromStdString(protocol->second.get<std::string>())};
}
