#pragma once
// Edits one terminal-information byte: oil/electricity circuit, GPS fix,
// alarm state, charger, ACC and fence.

#include <QDialog>
#include <QMap>
#include <QString>

#include "dialogs/field_values.h"

class Ui_AlertStatusForm;

class AlertStatusForm : public QDialog {
    Q_OBJECT
public:
    // `name` is the object name of the caller's line edit, handed back with
    // the value. Run with exec(); deletes itself when closed.
    AlertStatusForm(QWidget* parent, const Zuno::TerminalContent& value, const QString& name);
    ~AlertStatusForm() override;

signals:
    // Once, on OK.
    void sendData(const Zuno::TerminalContent& value, const QString& name);

private slots:
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();

private:
    void showValue();
    void checkRadio(QWidget* group, const QString& objectName);
    QMap<QString, bool> radioStates(QWidget* group);

    Ui_AlertStatusForm* ui;
    Zuno::TerminalContent value;
    QString name;
};
