#pragma once
// Every message box of the window goes through here. Tests queue the answer
// of the next box; a queued answer is given without showing the box, and each
// box asked for is remembered so that a test can check what it said.

#include <QList>
#include <QMessageBox>
#include <QString>

namespace Zuno {

struct ShownBox {
    QMessageBox::Icon icon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
};

class MessageBoxes {
public:
    static QMessageBox::StandardButton warning(QWidget* parent, const QString& title,
                                               const QString& text,
                                               QMessageBox::StandardButtons buttons);
    static QMessageBox::StandardButton question(QWidget* parent, const QString& title,
                                                const QString& text,
                                                QMessageBox::StandardButtons buttons);

    // Test seam.
    static void queueAnswer(QMessageBox::StandardButton answer);
    // When set, a box without a queued answer is not shown either and answers
    // NoButton, so an unexpected box can never block a test.
    static void setUnattended(bool unattended);
    static QList<ShownBox> takeShown();
    // Drops the queued answers and the boxes remembered.
    static void reset();

private:
    static QMessageBox::StandardButton ask(QMessageBox::Icon icon, QWidget* parent,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons);
};

} // namespace Zuno
