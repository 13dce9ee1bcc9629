#include "tools/about_form.h"

#include "ui_about_form.h"

AboutForm::AboutForm(QWidget* parent) : QDialog(parent), ui(new Ui_AboutForm) {
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    showInfo();
}

AboutForm::~AboutForm() { delete ui; }

void AboutForm::showInfo() {
    ui->lbTitle->setText(QStringLiteral("Zuno终端协议模拟器"));
    ui->lbAppName->setText(QStringLiteral("ZunoProtocol"));
    ui->lbVersion->setText(QStringLiteral("v") + QStringLiteral(ZUNO_VERSION));
}

void AboutForm::on_buttonBox_accepted() { close(); }
