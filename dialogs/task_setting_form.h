#pragma once
// The send-flow editor: which message models a protocol flow sends after
// login, and at what interval.

#include <string>

#include <QDialog>
#include <QList>

#include "config/config_catalogue.h"

class QCheckBox;
class QLabel;
class QModelIndex;
class QSpinBox;
class QStringListModel;
class Ui_TaskSettingForm;

class TaskSettingForm : public QDialog {
    Q_OBJECT

public:
    // Lists the flows of conf/prop/ and shows the first. Deletes itself when closed.
    explicit TaskSettingForm(QWidget* parent);
    ~TaskSettingForm() override;

signals:
    // After every save, with the flow's record.
    void signalSendConfigChange(const ProtocolDataModel& model);

private slots:
    void on_lvProtocol_activated(const QModelIndex& index);
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();

private:
    void clearForm();
    void buildFlow(const std::string& json);
    QLabel* makeLabel(QWidget* parent, const QString& text);
    QCheckBox* makeCheckBox(QWidget* parent, const QString& text, bool checked);
    QSpinBox* makeSpinBox(QWidget* parent, const QString& prefix, const int& value, const QString& suffix);

    Ui_TaskSettingForm* ui;
    QList<ProtocolDataModel> entries;
    QStringListModel* listModel;
    // The entry whose steps the panel shows; -1 for none. Save writes this
    // flow, not whichever row a single click made current since.
    int shownEntry = -1;
};
