#include "tools/charset_form.h"

#include <map>

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTextCodec>
#include <QTextEdit>
#include <QVBoxLayout>

#include "tools/charset.h"
#include "tools/hex_input.h"

namespace {

void useUtf8ForLocalText() { QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8")); }

} // namespace

CharSetForm::CharSetForm(QWidget* parent, char mode) : QDialog(parent), ui(new Form), mode(mode) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("CharSetForm"));
    resize(320, 320);
    setMinimumSize(320, 320);
    setMaximumSize(320, 320);
    setWindowTitle(QStringLiteral("Dialog"));

    ui->verticalLayout = new QVBoxLayout(this);
    ui->verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    ui->verticalLayout_2 = new QVBoxLayout();
    ui->verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    ui->lbIn = new QLabel(QStringLiteral("输入:"), this);
    ui->lbIn->setObjectName(QStringLiteral("lbIn"));
    ui->edIn = new QTextEdit(this);
    ui->edIn->setObjectName(QStringLiteral("edIn"));
    ui->lbOut = new QLabel(QStringLiteral("输出:"), this);
    ui->lbOut->setObjectName(QStringLiteral("lbOut"));
    ui->edOut = new QTextEdit(this);
    ui->edOut->setObjectName(QStringLiteral("edOut"));
    ui->edOut->setReadOnly(true);
    ui->lbMsg = new QLabel(this);
    ui->lbMsg->setObjectName(QStringLiteral("lbMsg"));
    // A message naming unreadable input may be wider than the dialog.
    ui->lbMsg->setWordWrap(true);
    for (QWidget* w : {static_cast<QWidget*>(ui->lbIn), static_cast<QWidget*>(ui->edIn),
                       static_cast<QWidget*>(ui->lbOut), static_cast<QWidget*>(ui->edOut),
                       static_cast<QWidget*>(ui->lbMsg)})
        ui->verticalLayout_2->addWidget(w);
    ui->verticalLayout->addLayout(ui->verticalLayout_2);
    ui->buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Close, Qt::Horizontal, this);
    ui->buttonBox->setObjectName(QStringLiteral("buttonBox"));
    ui->verticalLayout->addWidget(ui->buttonBox);

    QMetaObject::connectSlotsByName(this);
    setWindowTitle(title(mode));
}

CharSetForm::~CharSetForm() { delete ui; }

QString CharSetForm::title(char mode) {
    static const std::map<char, QString> titles = {
        {0, QStringLiteral("Hex String转为ASCII & GBK")}, {1, QStringLiteral("ASCII & GBK转为Hex String")},
        {2, QStringLiteral("Hex String转为UTF8")},        {3, QStringLiteral("UTF8转为Hex String")},
        {4, QStringLiteral("Hex String转为UTF16BE")},     {5, QStringLiteral("UTF16BE转为Hex String")},
        {6, QStringLiteral("Hex String转为UTF16LE")},     {7, QStringLiteral("UTF16LE转为Hex String")},
    };
    const auto it = titles.find(mode);
    return it == titles.end() ? QString() : it->second;
}

QString CharSetForm::hexToGbk(const QString& s) {
    useUtf8ForLocalText();
    return Tools::hexToText(s, Tools::Encoding::Gbk);
}

QString CharSetForm::gbkToHex(const QString& s) {
    useUtf8ForLocalText();
    return Tools::textToHex(s, Tools::Encoding::Gbk);
}

QString CharSetForm::hexToUtf8(const QString& s) {
    useUtf8ForLocalText();
    return Tools::hexToText(s, Tools::Encoding::Utf8);
}

QString CharSetForm::utf8ToHex(const QString& s) {
    useUtf8ForLocalText();
    return Tools::textToHex(s, Tools::Encoding::Utf8);
}

QString CharSetForm::hexToUtf16BE(const QString& s) {
    useUtf8ForLocalText();
    return Tools::hexToText(s, Tools::Encoding::Utf16BE);
}

QString CharSetForm::utf16BEToHex(const QString& s) {
    useUtf8ForLocalText();
    return Tools::textToHex(s, Tools::Encoding::Utf16BE);
}

QString CharSetForm::hexToUtf16LE(const QString& s) {
    useUtf8ForLocalText();
    return Tools::hexToText(s, Tools::Encoding::Utf16LE);
}

QString CharSetForm::utf16LEToHex(const QString& s) {
    useUtf8ForLocalText();
    return Tools::textToHex(s, Tools::Encoding::Utf16LE);
}

void CharSetForm::on_buttonBox_clicked(QAbstractButton* button) {
    if (button != ui->buttonBox->button(QDialogButtonBox::Ok)) {
        close();
        return;
    }
    // Text modes get the box's text as typed: blanks and commas are part of
    // the text to encode. Hexadecimal modes drop them themselves.
    const QString s = ui->edIn->toPlainText();
    if (s.isEmpty()) return;
    // A conversion that fails leaves the output as it was and says so in
    // lbMsg; one that succeeds takes an earlier message away.
    if (mode == 0 || mode == 2 || mode == 4 || mode == 6) {
        // Input that is not hexadecimal is named, not converted.
        const QString unreadable = Tools::readHexInput(s).unreadable;
        if (!unreadable.isEmpty()) {
            ui->lbMsg->setText(unreadable);
            return;
        }
    }
    QString result;
    switch (mode) {
    case 0: result = hexToGbk(s); break;
    case 1: result = gbkToHex(s); break;
    case 2: result = hexToUtf8(s); break;
    case 3: result = utf8ToHex(s); break;
    case 4: result = hexToUtf16BE(s); break;
    case 5: result = utf16BEToHex(s); break;
    case 6: result = hexToUtf16LE(s); break;
    case 7: result = utf16LEToHex(s); break;
    default: return;
    }
    if (result.isEmpty()) {
        ui->lbMsg->setText(title(mode) + (mode == 0 ? QStringLiteral(" 转换失败!") : QStringLiteral("转换失败!")));
        return;
    }
    // Shown as typed, never taken for markup.
    ui->edOut->setPlainText(result);
    ui->lbMsg->clear();
}
