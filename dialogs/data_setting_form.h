#pragma once
// The message model editor: the values of the model files of conf/model/
// (mode 1, the messages of the send flows) or conf/cmd/ (mode 2, the command
// replies), one label and one editor per component.

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QSet>

#include "config/config_catalogue.h"
#include "dialogs/data_setting_model.h"
#include "dialogs/field_values.h"

class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QModelIndex;
class QStringListModel;
class Ui_DataSettingForm;

// A label of the form: fixed 80 x 20, right-aligned.
QLabel* makeLabel(QWidget* parent, const QString& text);
// A one-line field 120 x 20 that may grow to 1280 wide, left-aligned.
QLineEdit* makeLineEdit(QWidget* parent, const QString& text);
// A date and time field of that size showing `*t` (seconds since 1970 UTC,
// an unsigned 32-bit count) in local time.
QDateTimeEdit* makeDateTimeEdit(QWidget* parent, const time_t* t);

class DataSettingForm : public QDialog {
    Q_OBJECT

public:
    // mode 1: conf/model/, mode 2: conf/cmd/. Lists the folder and shows its
    // first file. Deletes itself when closed.
    DataSettingForm(QWidget* parent, const uint8_t& mode);
    ~DataSettingForm() override;

    // Why no message can be built of a model text (command name and text),
    // empty when one can. Given by the window; after every save the label
    // names the reason beside the save's own message.
    using BuildCheck = std::function<std::string(const std::string& cmd, const std::string& modelText)>;
    void setBuildCheck(BuildCheck check) { buildCheck = std::move(check); }

signals:
    // Mode 1, after a save, with the file's record.
    void signalSendConfigChange(const ProtocolDataModel& model);
    // Mode 2, after a save: the command and the text written.
    void signalSendCmd(const std::string& cmd_str, const std::string& json);

public slots:
    // A popup's result, written as decimal text into the line edits named `name`.
    void receiveData(const Zuno::DirectionAndStat& value, const QString& name);
    void receiveData(const Zuno::TerminalContent& value, const QString& name);
    void receiveData(const Zuno::AlertAndLang& value, const QString& name);

private slots:
    void on_lvProtocol_activated(const QModelIndex& index);
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();

private:
    // One editor of the form, in the order they were made.
    struct Editor {
        QString label;
        Zuno::EditorKind kind;
        QPointer<QWidget> widget;
    };

    // Builds the form of a model text; returns the message naming the
    // fields that keep the file's value, empty when none does.
    QString buildForm(const std::string& json);
    void clearForm();
    QWidget* makeEditor(const Zuno::ComponentView& component);
    // From here on, a change of the editor's value marks it as changed.
    void watchChanges(const Editor& editor);
    QString valueText(const Editor& editor) const;
    void writePacked(const QString& name, const QString& text);
    void openTerminalContentEditor(QLineEdit* edit);
    void openAlertAndLangEditor(QLineEdit* edit);
    void openDirectionAndStatEditor(QLineEdit* edit);

    Ui_DataSettingForm* ui;
    QList<ProtocolDataModel> entries;
    QStringListModel* listModel;
    uint8_t mode;
    // The entry whose form is shown; -1 for none. Save writes this file, not
    // whichever row a single click made current since.
    int shownEntry = -1;
    QList<Editor> editors;
    // The editors whose value changed after the form was built; the others
    // write the file's value texts back as they were read.
    QSet<const QObject*> changedEditors;
    BuildCheck buildCheck;
};
