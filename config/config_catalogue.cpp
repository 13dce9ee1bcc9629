#include "config/config_catalogue.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "config/config_file.h"
#include "config/model_file.h"

namespace {

// The header of a file as read; false (logged with the reason) when it has
// none. What follows the file's JSON value is ignored.
bool headerOf(const QString& path, const Zuno::ConfigText& file, Zuno::ModelHeader& header) {
    picojson::value root;
    const Zuno::JsonRead read = Zuno::parseJsonText(file.text, root);
    QString why;
    std::string problem;
    if (!file.result.ok() || !read)
        why = file.problem(read);
    else if (Zuno::modelHeaderOf(root, header, &problem))
        return true;
    else
        why = QString::fromStdString(problem);
    Zuno::logConfigProblem(path, why);
    return false;
}

void scanInto(const QString& dir, QSet<QString>& walked, QList<ConfigFile>& out) {
    QDir folder(dir);
    if (!folder.exists())
        return;
    // A folder already walked (reached again through a link) is not walked
    // twice: this is what keeps a link cycle from recursing forever.
    const QString canonical = QFileInfo(folder.absolutePath()).canonicalFilePath();
    if (canonical.isEmpty() || walked.contains(canonical))
        return;
    walked.insert(canonical);

    // System entries too: a FIFO or a link that leads nowhere under a
    // ".json" name is skipped with a record of why, not passed over unseen.
    const QFileInfoList entries =
        folder.entryInfoList(QDir::Dirs | QDir::Files | QDir::System, QDir::Name | QDir::DirsFirst);
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
        const QString path = entry.absoluteFilePath();
        Zuno::ConfigText file = Zuno::readConfigText(path);
        Zuno::ModelHeader header;
        if (!headerOf(path, file, header) || header.cmd.empty() || header.protocol.empty())
            continue;
        out.append({{path, entry.filePath(), name, QString::fromStdString(header.cmd),
                     QString::fromStdString(header.protocol)},
                    std::move(file.text)});
    }
}

} // namespace

QList<ConfigFile> scanConfigFiles(const QString& dir) {
    QList<ConfigFile> out;
    QSet<QString> walked;
    scanInto(dir, walked, out);
    return out;
}

QList<ProtocolDataModel> scanConfigDir(const QString& dir) {
    QList<ProtocolDataModel> records;
    for (const ConfigFile& file : scanConfigFiles(dir))
        records.append(file.record);
    return records;
}

QPair<QString, QString> readConfigHeader(const QString& path) {
    Zuno::ModelHeader header;
    if (!headerOf(path, Zuno::readConfigText(path), header))
        return {};
    return {QString::fromStdString(header.cmd), QString::fromStdString(header.protocol)};
}

void Zuno::sortFlows(QList<ProtocolDataModel>& flows) {
    std::stable_sort(flows.begin(), flows.end(),
                     [](const ProtocolDataModel& a, const ProtocolDataModel& b) { return a.cmd > b.cmd; });
}
