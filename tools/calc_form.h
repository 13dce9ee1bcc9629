#pragma once
// CRC-16/X-25 (mode 0) and MD5 (mode 1) of hexadecimal input, and the distance
// between two GPS positions (mode 2).

#include <cstddef>
#include <string>

#include <QDialog>

#include "tools/calc.h"

class Ui_CalcForm;

class CalcForm : public QDialog {
    Q_OBJECT
public:
    // Deletes itself when closed.
    CalcForm(QWidget* parent, char mode);
    ~CalcForm() override;

    // Output texts: a result, or empty when there is none (the slot shows
    // why in lbMsg).
    QString crcOfHex() const;
    QString md5OfHex() const;
    QString distance() const;
    static double coordinate(const std::string& part, const size_t& intDigits);

private slots:
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();

private:
    // The input box's paragraphs, each trimmed, joined.
    QString input() const;
    // The computation of the dialog's mode.
    Tools::Computed compute() const;
    // Widens the dialog when `result` does not fit in the output box.
    void showWhole(const QString& result);
    // Shows why there is no result in lbMsg, the dialog grown to hold it.
    void showReason(const QString& reason);

    Ui_CalcForm* ui;
    char mode;
};
