#pragma once
// The dialog that names the program and its version.

#include <QDialog>

class Ui_AboutForm;

class AboutForm : public QDialog {
    Q_OBJECT
public:
    // Deletes itself when closed.
    explicit AboutForm(QWidget* parent);
    ~AboutForm() override;

    void showInfo();

private slots:
    void on_buttonBox_accepted();

private:
    Ui_AboutForm* ui;
};
