#pragma once
// The catalogue of configuration files: every JSON file under a folder that
// names a command and a protocol (flows in conf/prop/, message models in
// conf/model/, command replies in conf/cmd/).

#include <string>

#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>

struct ProtocolDataModel {
    QString absoluteFilePath;
    QString filePath; // scanned folder's path as reached, "/", file name
    QString fileName;
    QString cmd;
    QString protocol;
};

Q_DECLARE_METATYPE(ProtocolDataModel)

// One file of a scan with the text it was listed by.
struct ConfigFile {
    ProtocolDataModel record;
    std::string text;
};

// Records of `dir` in walk order: sub-folders first (depth first, by name),
// then the folder's own "*.json" files by name. A missing folder gives an
// empty list. Every folder is walked at most once, so links that lead back
// into the tree end the walk there.
QList<ProtocolDataModel> scanConfigDir(const QString& dir);
// The same walk, each record with the file's text: whoever needs the files'
// contents reads each file once.
QList<ConfigFile> scanConfigFiles(const QString& dir);

// ("cmd", "protocol") of one file; two empty texts when the file does not
// parse, is no object, or either key is missing or not a string.
QPair<QString, QString> readConfigHeader(const QString& path);

namespace Zuno {
// Flows in the order the window and the flow editor list them: by "cmd",
// descending (UTF-16 code units); equal names keep their walk order.
void sortFlows(QList<ProtocolDataModel>& flows);
} // namespace Zuno
