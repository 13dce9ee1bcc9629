#pragma once
// Number-base converter: a number in one base rewritten in another, bases 2 to 64.

#include <cstdint>
#include <string>

#include <QDialog>

class QAbstractButton;
class Ui_BinForm;

class BinForm : public QDialog {
    Q_OBJECT
public:
    // Deletes itself when closed.
    explicit BinForm(QWidget* parent);
    ~BinForm() override;

    // The base that a combo item names ("64进制" gives 64), 0 for none.
    static int baseOf(const QString& itemText);
    static bool validDigits(const std::string& s, const uint8_t& base);

private slots:
    void on_cbIn_activated(const QString& itemText);
    void on_cbOut_activated(const QString& itemText);
    void on_buttonBox_clicked(QAbstractButton* button);

private:
    // The input base when the input is a number of it; otherwise refuses the
    // input and gives 0.
    uint8_t checkedInputBase(const QString& itemText);
    // Shows in lbMsg why there is no conversion; the output stays as it was.
    void refuse(const QString& message);

    Ui_BinForm* ui;
};
