#include "tools/calc_form.h"

#include <map>

#include <QTextBlock>
#include <QTextDocument>

#include "tools/calc.h"
#include "ui_calc_form.h"
#include "widgets/fit_size.h"

CalcForm::CalcForm(QWidget* parent, char mode) : QDialog(parent), ui(new Ui_CalcForm), mode(mode) {
    static const std::map<char, QString> titleMap = {
        {0, QStringLiteral("CRC")}, {1, QStringLiteral("MD5")}, {2, QStringLiteral("距离计算")}};
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    const auto title = titleMap.find(mode);
    setWindowTitle(title == titleMap.end() ? QString() : title->second);
    if (mode == 2)
        ui->edIn->setPlainText(QStringLiteral("N23.111669, E114.409182, N22.111669, E113.409182"));
    // A reason naming several parts of the input may be wider than the dialog.
    ui->lbMsg->setWordWrap(true);
    fitsize::fitToFont(this);
}

CalcForm::~CalcForm() { delete ui; }

QString CalcForm::input() const {
    // Paragraphs, not laid-out lines: a long line wrapped by the box must be
    // read once.
    QStringList lines;
    for (QTextBlock block = ui->edIn->document()->begin(); block.isValid(); block = block.next())
        lines << block.text();
    return Tools::joinTrimmedLines(lines);
}

QString CalcForm::crcOfHex() const { return Tools::crcOfHex(input()).result; }

QString CalcForm::md5OfHex() const { return Tools::md5OfHex(input()).result; }

QString CalcForm::distance() const { return Tools::distanceOf(input()).result; }

Tools::Computed CalcForm::compute() const {
    switch (mode) {
    case 0: return Tools::crcOfHex(input());
    case 1: return Tools::md5OfHex(input());
    case 2: return Tools::distanceOf(input());
    default: return {};
    }
}

double CalcForm::coordinate(const std::string& part, const size_t& intDigits) {
    return Tools::coordinate(part, intDigits);
}

void CalcForm::on_buttonBox_accepted() {
    // Input that gives no result leaves the last one shown; the reason, if
    // any, goes beside it, never in its place. Input with nothing to compute
    // has no reason: an earlier one goes.
    const Tools::Computed computed = compute();
    if (!computed.reason.isEmpty()) {
        showReason(computed.reason);
        return;
    }
    if (computed.result.isEmpty()) {
        ui->lbMsg->clear();
        return;
    }
    ui->edOut->setText(computed.result);
    ui->lbMsg->clear();
    showWhole(computed.result);
}

void CalcForm::showWhole(const QString& result) {
    // The dialog's fixed width was drawn for a smaller font: a result wider
    // than the box (a distance at 9 pt) widens the dialog instead of
    // scrolling out of sight, as far as the screen has room; the rest
    // scrolls in the box, which shows the result's start.
    if (fitsize::widthForText(ui->edOut, result) <= ui->edOut->width())
        return;
    fitsize::widenWithinScreen(ui->edOut, result);
    ui->edOut->setCursorPosition(0);
    setMaximumWidth(QWIDGETSIZE_MAX);
    fitsize::growToLayout(this, size());
}

void CalcForm::showReason(const QString& reason) {
    // A reason naming several parts wraps over more lines than the fixed
    // height leaves it: the dialog grows to show them all.
    ui->lbMsg->setText(reason);
    const int need = ui->lbMsg->heightForWidth(ui->lbMsg->width());
    if (need <= ui->lbMsg->height())
        return;
    ui->lbMsg->setMinimumHeight(need);
    setMaximumHeight(QWIDGETSIZE_MAX);
    fitsize::growToLayout(this, size());
}

void CalcForm::on_buttonBox_rejected() { close(); }
