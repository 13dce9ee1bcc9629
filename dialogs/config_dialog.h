#pragma once
// What the two settings dialogs share: their file list, the emptying of
// their form, the atomic write of a configuration file and the texts of
// their message label.

#include <string>

#include <QString>
#include <QStringList>

#include "connection/config_catalogue.h"

class QGridLayout;
class QLabel;
class QListView;
class QModelIndex;
class QObject;
class QStringListModel;

namespace Zuno {

// A list model of `rows` (a child of `owner`) shown by `view`, its first row
// made current.
QStringListModel* fillEntryList(QListView* view, const QStringList& rows, QObject* owner);
// The row of `index` when it is one of `count` entries, else -1.
int entryRow(const QModelIndex& index, int count);
// Takes every item out of the grid, deleting the widgets it held.
void clearGrid(QGridLayout* grid);

// Replaces the file at `path` with `text`. The new text is written beside the
// file and takes its place only once complete, so a failed save leaves the
// old file whole; where the folder allows no new file, the file is rewritten
// in place. False, with the reason in `error` when given, on any failure.
bool writeConfigFile(const QString& path, const std::string& text, QString* error = nullptr);

// `absolutePath` relative to the base folder of conf/ (conf/prop/x.json);
// a path outside it is returned whole.
QString configPathForMessage(const QString& absolutePath);

// The label texts: 读取配置"<cmd>"错误, 文件:<path> and so on.
QString readErrorMessage(const QString& cmd, const QString& path);
QString savedMessage(const QString& cmd, const QString& path);
QString saveFailedMessage(const QString& cmd, const QString& path, const QString& reason);

// The end of a save: `written` (when `rewritten`, else the file was no
// longer readable as such) replaces the entry's file, and `message` says how
// it went. True when there is a new text to hand on, even if it could not be
// written: the window still reloads its flow or sends the reply, and the
// message says the file was not saved.
bool finishSave(const ProtocolDataModel& entry, bool rewritten, const std::string& written, QLabel* message);

} // namespace Zuno
