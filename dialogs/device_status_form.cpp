#include "dialogs/device_status_form.h"

#include "dialogs/radio_groups.h"
#include "ui_device_status_form.h"
#include "widgets/fit_size.h"

DeviceStatusForm::DeviceStatusForm(QWidget* parent, const Zuno::DirectionAndStat& value, const QString& name)
    : QDialog(parent), ui(new Ui_DeviceStatusForm), value(value), name(name) {
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    showValue();
    fitsize::fitToFont(this);
}

DeviceStatusForm::~DeviceStatusForm() { delete ui; }

void DeviceStatusForm::checkRadio(QWidget* group, const QString& objectName) {
    radio_groups::check(group, objectName);
}

QMap<QString, bool> DeviceStatusForm::radioStates(QWidget* group) { return radio_groups::states(group); }

void DeviceStatusForm::showValue() {
    checkRadio(ui->gb_gpsMode, value.locationModel == 1 ? "rb_gpsMode2" : "rb_gpsMode1");
    checkRadio(ui->gb_gpsStat, value.isLocated == 1 ? "rb_gpsStatOn" : "rb_gpsStatOff");
    checkRadio(ui->gb_gpsLng, value.lngDirection == 1 ? "rb_gpsLngWest" : "rb_gpsLngEast");
    checkRadio(ui->gb_gpsLati, value.latiDirection == 1 ? "rb_latiNorth" : "rb_latiSouth");
    // A course above the box's 360 shows as 360.
    ui->sb_gpsDirection->setValue(value.direction & Zuno::kDirectionMask);
}

void DeviceStatusForm::on_buttonBox_accepted() {
    value.locationModel = !radioStates(ui->gb_gpsMode).value("rb_gpsMode1");
    value.isLocated = !radioStates(ui->gb_gpsStat).value("rb_gpsStatOff");
    value.lngDirection = !radioStates(ui->gb_gpsLng).value("rb_gpsLngEast");
    value.latiDirection = !radioStates(ui->gb_gpsLati).value("rb_latiSouth");
    value.direction = static_cast<uint16_t>(ui->sb_gpsDirection->value() & Zuno::kDirectionMask);
    emit sendData(value, name);
    close();
}

void DeviceStatusForm::on_buttonBox_rejected() { close(); }
