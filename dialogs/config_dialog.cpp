#include "dialogs/config_dialog.h"

#include <utility>

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QStringListModel>
#include <QWidget>

#include "config/base_folder.h"
#include "config/config_file.h"
#include "protocol/json_text.h"
#include "widgets/drawn_name.h"

namespace Zuno {

void setUpMessageLine(QLabel* message) {
    // Names from files are shown as they are, never as markup.
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    message->setMinimumHeight(message->fontMetrics().height() + 2 * message->margin());
}

namespace {

// Rows of the texts as drawn, with a tool tip each where it is not empty.
class EntryListModel : public QStringListModel {
public:
    EntryListModel(const QStringList& rows, QStringList tips, QObject* owner)
        : QStringListModel(rows, owner), tips_(std::move(tips)) {}

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::ToolTipRole)
            return QStringListModel::data(index, role);
        const QString tip = tips_.value(index.row());
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }

private:
    QStringList tips_;
};

} // namespace

QStringListModel* fillEntryList(QListView* view, const QStringList& names, const QStringList& fileNames,
                                QObject* owner) {
    QStringList rows;
    QStringList tips;
    for (int i = 0; i < names.size(); ++i) {
        rows << drawn::name(names[i]) + "\t" + fileNames.value(i);
        tips << drawn::nameTip(names[i]);
    }
    auto* model = new EntryListModel(rows, tips, owner);
    view->setModel(model);
    if (!rows.isEmpty())
        view->setCurrentIndex(model->index(0));
    return model;
}

int entryRow(const QModelIndex& index, int count) {
    const int row = index.isValid() ? index.row() : -1;
    return row >= 0 && row < count ? row : -1;
}

void clearGrid(QGridLayout* grid) {
    while (QLayoutItem* item = grid->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            delete widget;
        }
        delete item;
    }
}

namespace {

QString withReason(QString text, const QString& reason) {
    if (!reason.isEmpty())
        text += " (" + reason + ")";
    return text;
}

// A file whose bytes are not all UTF-8 is read with replacements for them,
// which a rewrite from its text would keep.
const QString kNotUtf8 = QStringLiteral("文件不是UTF-8编码");

} // namespace

QString readErrorMessage(const QString& cmd, const QString& path) {
    return QStringLiteral("读取配置\"") + drawn::name(cmd) + QStringLiteral("\"错误, 文件:") + path;
}

QString readDoneMessage(const QString& cmd, const QString& path) {
    return QStringLiteral("读取配置\"") + drawn::name(cmd) + QStringLiteral("\"完成, 文件:") + path;
}

void addMessage(QLabel* message, const QString& text, bool first) {
    const QString held = message->text();
    message->setText(held.isEmpty() ? text : first ? text + "; " + held : held + "; " + text);
}

QString savedMessage(const QString& cmd, const QString& path) {
    return QStringLiteral("保存配置\"") + drawn::name(cmd) + QStringLiteral("\"完成, 文件:") + path;
}

QString saveFailedMessage(const QString& cmd, const QString& path, const QString& reason) {
    return withReason(QStringLiteral("保存配置\"") + drawn::name(cmd) + QStringLiteral("\"失败, 文件:") + path, reason);
}

QString readFailedMessage(const ProtocolDataModel& entry, const QString& reason) {
    return withReason(readErrorMessage(entry.cmd, configPathForMessage(entry.absoluteFilePath)), reason);
}

bool readForSave(const ProtocolDataModel& entry, ConfigText& file, QLabel* message) {
    file = readConfigText(entry.absoluteFilePath);
    const QString path = configPathForMessage(entry.absoluteFilePath);
    if (!file.result.ok()) {
        message->setText(readFailedMessage(entry, file.result.reason));
        return false;
    }
    if (!file.utf8) {
        message->setText(saveFailedMessage(entry.cmd, path, kNotUtf8));
        return false;
    }
    picojson::value root;
    const JsonRead read = parseJsonText(file.text, root);
    if (read.kind == JsonRead::ValueThenText) {
        message->setText(saveFailedMessage(entry.cmd, path, ignoredTextRefusal(read)));
        return false;
    }
    // Refused for more than its syntax, which the editors' own message says.
    if (read.kind == JsonRead::TooDeep) {
        message->setText(readFailedMessage(entry, file.problem(read)));
        return false;
    }
    return true;
}

void showReadProblem(const ProtocolDataModel& entry, const ConfigText& file, QLabel* message) {
    if (!file.result.ok()) {
        message->setText(readFailedMessage(entry, file.result.reason));
        return;
    }
    if (!file.utf8) {
        message->setText(readFailedMessage(entry, kNotUtf8));
        return;
    }
    picojson::value root;
    const JsonRead read = parseJsonText(file.text, root);
    if (read.kind == JsonRead::TooDeep) {
        message->setText(readFailedMessage(entry, file.problem(read)));
    } else if (read.kind == JsonRead::ValueThenText) {
        // The form shows the value; what the form said of it stays.
        addMessage(message,
                   withReason(readDoneMessage(entry.cmd, configPathForMessage(entry.absoluteFilePath)),
                              ignoredTextNote(read)),
                   true);
    }
}

void showMissingFolder(QLabel* message, const QStringList& folders) {
    for (const QString& folder : QStringList{kConfFolder} + folders) {
        const QString path = basePath(folder);
        if (QFileInfo(path).isDir())
            continue;
        addMessage(message, QStringLiteral("文件夹不存在: ") + configPathForMessage(path), true);
        return;
    }
}

bool finishSave(const ProtocolDataModel& entry, bool rewritten, const std::string& written, QLabel* message) {
    const QString path = configPathForMessage(entry.absoluteFilePath);
    if (!rewritten) {
        message->setText(readErrorMessage(entry.cmd, path));
        return false;
    }
    const ConfigResult saved = writeConfigFile(entry.absoluteFilePath, written);
    if (saved.ok())
        message->setText(savedMessage(entry.cmd, path));
    else
        message->setText(saveFailedMessage(entry.cmd, path, saved.reason));
    return true;
}

} // namespace Zuno
