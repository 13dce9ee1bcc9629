#pragma once
// Edits one course/status word: positioning mode, fix, hemispheres, course.

#include <QDialog>
#include <QMap>
#include <QString>

#include "dialogs/field_values.h"

class Ui_DeviceStatusForm;

class DeviceStatusForm : public QDialog {
    Q_OBJECT
public:
    // `name` is the object name of the caller's line edit, handed back with
    // the value. Run with exec(); deletes itself when closed.
    DeviceStatusForm(QWidget* parent, const Zuno::DirectionAndStat& value, const QString& name);
    ~DeviceStatusForm() override;

signals:
    // Once, on OK.
    void sendData(const Zuno::DirectionAndStat& value, const QString& name);

private slots:
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();

private:
    void showValue();
    void checkRadio(QWidget* group, const QString& objectName);
    QMap<QString, bool> radioStates(QWidget* group);

    Ui_DeviceStatusForm* ui;
    Zuno::DirectionAndStat value;
    QString name;
};
