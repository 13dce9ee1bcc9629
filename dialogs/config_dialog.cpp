#include "dialogs/config_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QSaveFile>
#include <QStringListModel>
#include <QWidget>

#include "connection/base_folder.h"

namespace Zuno {

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

bool finishSave(const ProtocolDataModel& entry, bool rewritten, const std::string& written, QLabel* message) {
    const QString path = configPathForMessage(entry.absoluteFilePath);
    if (!rewritten) {
        message->setText(readErrorMessage(entry.cmd, path));
        return false;
    }
    QString error;
    if (writeConfigFile(entry.absoluteFilePath, written, &error))
        message->setText(savedMessage(entry.cmd, path));
    else
        message->setText(saveFailedMessage(entry.cmd, path, error));
    return true;
}

} // namespace Zuno
