#include "dialogs/alert_lng_form.h"

#include "protocol/message.h"
#include "ui_alert_lng_form.h"
#include "widgets/fit_size.h"

AlertLngForm::AlertLngForm(QWidget* parent, const Zuno::AlertAndLang& value, const QString& name)
    : QDialog(parent), ui(new Ui_AlertLngForm), value(value), name(name) {
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    showValue();
    fitsize::fitToFont(this);
}

AlertLngForm::~AlertLngForm() { delete ui; }

std::map<uint8_t, std::string> AlertLngForm::alarmNameMap() {
    static const std::map<uint8_t, std::string> table = Zuno::ZunoMSG::alarmNameMap();
    return table;
}

void AlertLngForm::showValue() {
    for (const auto& [code, text] : alarmNameMap())
        ui->cbAlert->addItem(QString::fromStdString(text), static_cast<int>(code));
    // A code the table does not name is shown as no item, and kept on OK
    // unless another is chosen.
    ui->cbAlert->setCurrentIndex(ui->cbAlert->findData(static_cast<int>(value.alert), Qt::UserRole));
    // A language above 2 leaves no item current.
    ui->cbLng->setCurrentIndex(value.language);
}

void AlertLngForm::on_buttonBox_accepted() {
    if (ui->cbAlert->currentIndex() >= 0)
        value.alert = static_cast<uint8_t>(ui->cbAlert->currentData(Qt::UserRole).toUInt() & 0xFF);
    if (ui->cbLng->currentIndex() >= 0) value.language = static_cast<uint8_t>(ui->cbLng->currentIndex());
    emit sendData(value, name);
    close();
}

void AlertLngForm::on_buttonBox_rejected() { close(); }
