#pragma once
// Hexadecimal text to and from text in GBK, UTF-8, UTF-16BE and UTF-16LE; the
// mode (0 to 7) picks the direction and the encoding.

#include <QDialog>

class QAbstractButton;
class QDialogButtonBox;
class QLabel;
class QTextEdit;
class QVBoxLayout;

class CharSetForm : public QDialog {
    Q_OBJECT
public:
    // Deletes itself when closed.
    CharSetForm(QWidget* parent, char mode);
    ~CharSetForm() override;

    // The window title of a mode; empty for a mode without one.
    static QString title(char mode);

    // Each sets UTF-8 as the codec for local 8-bit text first. Empty results
    // mean the conversion gave nothing.
    QString hexToGbk(const QString& s);
    QString gbkToHex(const QString& s);
    QString hexToUtf8(const QString& s);
    QString utf8ToHex(const QString& s);
    QString hexToUtf16BE(const QString& s);
    QString utf16BEToHex(const QString& s);
    QString hexToUtf16LE(const QString& s);
    QString utf16LEToHex(const QString& s);

private slots:
    void on_buttonBox_clicked(QAbstractButton* button);

private:
    struct Form {
        QVBoxLayout* verticalLayout;
        QVBoxLayout* verticalLayout_2;
        QLabel* lbIn;
        QTextEdit* edIn;
        QLabel* lbOut;
        QTextEdit* edOut;
        QLabel* lbMsg;
        QDialogButtonBox* buttonBox;
    };

    Form* ui;
    char mode;
};
