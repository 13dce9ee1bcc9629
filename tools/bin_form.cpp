#include "tools/bin_form.h"

#include <QPushButton>
#include <QRegExp>
#include <QRegExpValidator>

#include "tools/base_convert.h"
#include "ui_bin_form.h"
#include "widgets/fit_size.h"

BinForm::BinForm(QWidget* parent) : QDialog(parent), ui(new Ui_BinForm) {
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    // Return in the input must not press Close: the dialog and the typed
    // number would be gone.
    if (QPushButton* close = ui->buttonBox->button(QDialogButtonBox::Close)) {
        close->setAutoDefault(false);
        close->setDefault(false);
    }
    ui->edIn->setValidator(new QRegExpValidator(QRegExp("[a-zA-Z0-9\\!#]+$"), ui->edIn));
    fitsize::fitToFont(this);
    // A result longer than the box shows its leading digits, its start in
    // view.
    connect(ui->edOut, &QLineEdit::textChanged, ui->edOut, [edit = ui->edOut] { edit->setCursorPosition(0); });
}

BinForm::~BinForm() { delete ui; }

int BinForm::baseOf(const QString& itemText) { return Tools::baseOfItem(itemText); }

bool BinForm::validDigits(const std::string& s, const uint8_t& base) { return Tools::validDigits(s, base); }

uint8_t BinForm::checkedInputBase(const QString& itemText) {
    const auto inBase = static_cast<uint8_t>(baseOf(itemText));
    if (inBase == 0) {
        refuse(QStringLiteral("输入进制设定有误!!"));
        return 0;
    }
    if (!validDigits(ui->edIn->text().toStdString(), inBase)) {
        refuse(QStringLiteral("您输入的数字并非%1进制").arg(inBase));
        return 0;
    }
    ui->lbMsg->clear();
    return inBase;
}

void BinForm::on_cbIn_activated(const QString& itemText) { checkedInputBase(itemText); }

void BinForm::refuse(const QString& message) {
    // The output keeps the last conversion; the message says why this one
    // gives none.
    ui->lbMsg->setText(message);
}

void BinForm::on_cbOut_activated(const QString& itemText) {
    const uint8_t inBase = checkedInputBase(ui->cbIn->currentText());
    if (inBase == 0) return;
    const auto outBase = static_cast<uint8_t>(baseOf(itemText));
    if (outBase == 0) {
        refuse(QStringLiteral("输出进制设定有误!!"));
        return;
    }
    ui->edOut->setText(QString::fromStdString(Tools::convertBase(ui->edIn->text().toStdString(), inBase, outBase)));
    ui->lbMsg->clear();
}

void BinForm::on_buttonBox_clicked(QAbstractButton*) { close(); }
