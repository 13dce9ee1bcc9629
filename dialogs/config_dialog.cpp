#include "dialogs/config_dialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QStringListModel>
#include <QWidget>

#include "config/base_folder.h"
#include "config/config_file.h"

namespace Zuno {

void setUpMessageLine(QLabel* message) {
    message->setWordWrap(true);
    message->setMinimumHeight(message->fontMetrics().height() + 2 * message->margin());
}

QStringListModel* fillEntryList(QListView* view, const QStringList& rows, QObject* owner) {
    auto* model = new QStringListModel(rows, owner);
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

} // namespace

QString readErrorMessage(const QString& cmd, const QString& path) {
    return QStringLiteral("读取配置\"") + cmd + QStringLiteral("\"错误, 文件:") + path;
}

QString savedMessage(const QString& cmd, const QString& path) {
    return QStringLiteral("保存配置\"") + cmd + QStringLiteral("\"完成, 文件:") + path;
}

QString saveFailedMessage(const QString& cmd, const QString& path, const QString& reason) {
    return withReason(QStringLiteral("保存配置\"") + cmd + QStringLiteral("\"失败, 文件:") + path, reason);
}

QString readFailedMessage(const ProtocolDataModel& entry, const QString& reason) {
    return withReason(readErrorMessage(entry.cmd, configPathForMessage(entry.absoluteFilePath)), reason);
}

void showMissingFolder(QLabel* message, const QStringList& folders) {
    for (const QString& folder : QStringList{QStringLiteral("conf")} + folders) {
        const QString path = basePath(folder);
        if (QFileInfo(path).isDir())
            continue;
        const QString missing = QStringLiteral("文件夹不存在: ") + configPathForMessage(path);
        message->setText(message->text().isEmpty() ? missing : missing + "; " + message->text());
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
