#include "dialogs/alert_status_form.h"

#include "dialogs/radio_groups.h"
#include "ui_alert_status_form.h"
#include "widgets/fit_size.h"

AlertStatusForm::AlertStatusForm(QWidget* parent, const Zuno::TerminalContent& value, const QString& name)
    : QDialog(parent), ui(new Ui_AlertStatusForm), value(value), name(name) {
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    showValue();
    fitsize::fitToFont(this);
}

AlertStatusForm::~AlertStatusForm() { delete ui; }

void AlertStatusForm::checkRadio(QWidget* group, const QString& objectName) {
    radio_groups::check(group, objectName);
}

QMap<QString, bool> AlertStatusForm::radioStates(QWidget* group) { return radio_groups::states(group); }

void AlertStatusForm::showValue() {
    checkRadio(ui->gb_oilStat, value.oilElectricity == 1 ? "rb_oilOff" : "rb_oilOn");
    checkRadio(ui->gb_gpsStat, value.gpsLocated == 1 ? "rb_gpsStatOn" : "rb_gpsStatOff");
    // Alarm states 5 to 7 have no item: the box is left with none current.
    ui->cb_alert->setCurrentIndex(value.alarm & Zuno::kTerminalAlarmMask);
    checkRadio(ui->gb_powerStat, value.charging == 1 ? "rb_powerOn" : "rb_powerOff");
    checkRadio(ui->gb_accStat, value.acc == 1 ? "rb_accStatHigh" : "rb_accStatLow");
    checkRadio(ui->gb_fenceStat, value.defence == 1 ? "rb_fenceOn" : "rb_fenceOff");
}

void AlertStatusForm::on_buttonBox_accepted() {
    value.oilElectricity = !radioStates(ui->gb_oilStat).value("rb_oilOn");
    value.gpsLocated = radioStates(ui->gb_gpsStat).value("rb_gpsStatOn");
    // With no item current (an alarm state the list does not name, left
    // unchosen) the state given to the dialog stays.
    if (ui->cb_alert->currentIndex() >= 0)
        value.alarm = static_cast<uint8_t>(ui->cb_alert->currentIndex() & Zuno::kTerminalAlarmMask);
    value.charging = radioStates(ui->gb_powerStat).value("rb_powerOn");
    value.acc = radioStates(ui->gb_accStat).value("rb_accStatHigh");
    value.defence = radioStates(ui->gb_fenceStat).value("rb_fenceOn");
    emit sendData(value, name);
    close();
}

void AlertStatusForm::on_buttonBox_rejected() { close(); }
