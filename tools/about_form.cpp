#include "tools/about_form.h"

#include "ui_about_form.h"
#include "widgets/fit_size.h"

AboutForm::AboutForm(QWidget* parent) : QDialog(parent), ui(new Ui_AboutForm) {
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    showInfo();
    fitsize::fitToFont(this);
    // The names keep one width, so that their values line up.
    const int names = qMax(qMax(ui->label->minimumWidth(), ui->label_2->minimumWidth()), ui->label_3->minimumWidth());
    for (QLabel* name : {ui->label, ui->label_2, ui->label_3})
        name->setFixedWidth(names);
}

AboutForm::~AboutForm() { delete ui; }

void AboutForm::showInfo() {
    ui->lbTitle->setText(QStringLiteral("Zuno终端协议模拟器"));
    ui->lbAppName->setText(QStringLiteral("ZunoProtocol"));
    ui->lbVersion->setText(QStringLiteral("v") + QStringLiteral(ZUNO_VERSION));
}

void AboutForm::on_buttonBox_accepted() { close(); }
