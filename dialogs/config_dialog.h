#pragma once
// What the two settings dialogs share: their file list, the emptying of
// their form, the end of a save and the texts of their message label.

#include <string>

#include <QString>
#include <QStringList>

#include "config/config_catalogue.h"
#include "config/config_file.h"

class QGridLayout;
class QLabel;
class QListView;
class QModelIndex;
class QObject;
class QStringListModel;

namespace Zuno {

// The message line of an editor, plain text (a name from a file shows as it
// is, never as markup): a failed save names its reason, so the
// message wraps rather than being cut; its first line has its room before
// there is a message, so that a message of one line takes none from the
// fields.
void setUpMessageLine(QLabel* message);

// A list model (a child of `owner`) shown by `view`, its first row made
// current: one row per entry, its name, a tab and its file name. A name is
// drawn cut past a few hundred characters, whole (as far as a screen holds)
// in the row's tool tip.
QStringListModel* fillEntryList(QListView* view, const QStringList& names, const QStringList& fileNames,
                                QObject* owner);
// The row of `index` when it is one of `count` entries, else -1.
int entryRow(const QModelIndex& index, int count);
// Takes every item out of the grid, deleting the widgets it held.
void clearGrid(QGridLayout* grid);

// The label texts: 读取配置"<cmd>"错误, 文件:<path> and so on, the name
// drawn cut as in the lists.
QString readErrorMessage(const QString& cmd, const QString& path);
QString readDoneMessage(const QString& cmd, const QString& path);
QString savedMessage(const QString& cmd, const QString& path);
QString saveFailedMessage(const QString& cmd, const QString& path, const QString& reason);

// Puts `text` into `message` before what it holds (`first`) or after it,
// the two joined by "; ".
void addMessage(QLabel* message, const QString& text, bool first);

// The label text of a file that could not be read, with the reason when
// there is one (a file that reads but is no such file has none).
QString readFailedMessage(const ProtocolDataModel& entry, const QString& reason);

// Reads `entry`'s file for a save that rewrites it from its text. False,
// with `message` naming the file and the reason, when the rewrite would lose
// what the file holds: it cannot be read or its JSON nests too deep
// (读取配置…错误), its bytes are not all UTF-8 (保存配置…失败: its text
// holds replacements), or more than white space follows its JSON value
// (保存配置…失败: the rewrite would drop it).
bool readForSave(const ProtocolDataModel& entry, ConfigText& file, QLabel* message);

// After `entry` was activated and its form built from `file`: says in
// `message` why the file could not be read as it is, when it could not (the
// reasons of readForSave); that what follows its JSON value was ignored and
// the file will not be saved, before what `message` holds; leaves `message`
// alone otherwise.
void showReadProblem(const ProtocolDataModel& entry, const ConfigText& file, QLabel* message);

// Says in `message`, before what it holds, that a folder an editor lists is
// missing: "文件夹不存在: conf" when conf/ itself is gone, else the first
// of `folders` (below the base folder, "conf/model" say) that is not there.
// Nothing when every folder is there, empty or not.
void showMissingFolder(QLabel* message, const QStringList& folders);

// The end of a save: `written` (when `rewritten`, else the file was no
// longer readable as such) replaces the entry's file, and `message` says how
// it went: "完成" only when the file holds the new text, else "失败" and why.
// True when there is a new text to hand on, even if it could not be
// written: the window still reloads its flow or sends the reply, and the
// message says the file was not saved.
bool finishSave(const ProtocolDataModel& entry, bool rewritten, const std::string& written, QLabel* message);

} // namespace Zuno
