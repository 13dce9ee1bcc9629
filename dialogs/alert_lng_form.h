#pragma once
// Edits one alarm/language pair: the alarm chosen by name, the reply language.

#include <cstdint>
#include <map>
#include <string>

#include <QDialog>
#include <QString>

#include "dialogs/field_values.h"

class Ui_AlertLngForm;

class AlertLngForm : public QDialog {
    Q_OBJECT
public:
    // `name` is the object name of the caller's line edit, handed back with
    // the value. Run with exec(); deletes itself when closed.
    AlertLngForm(QWidget* parent, const Zuno::AlertAndLang& value, const QString& name);
    ~AlertLngForm() override;

signals:
    // Once, on OK.
    void sendData(const Zuno::AlertAndLang& value, const QString& name);

private slots:
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();

private:
    void showValue();
    // Alarm code -> name, the rows of the protocol's alarm table; built once.
    static std::map<uint8_t, std::string> alarmNameMap();

    Ui_AlertLngForm* ui;
    Zuno::AlertAndLang value;
    QString name;
};
