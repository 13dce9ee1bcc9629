#include "app/message_boxes.h"

#include <QQueue>

namespace Zuno {

namespace {
struct SeamState {
    QQueue<QMessageBox::StandardButton> answers;
    QList<ShownBox> shown;
    bool unattended = false;
};
SeamState& seam() {
    static SeamState s;
    return s;
}
} // namespace

QMessageBox::StandardButton MessageBoxes::warning(QWidget* parent, const QString& title,
                                                  const QString& text,
                                                  QMessageBox::StandardButtons buttons) {
    return ask(QMessageBox::Warning, parent, title, text, buttons);
}

QMessageBox::StandardButton MessageBoxes::question(QWidget* parent, const QString& title,
                                                   const QString& text,
                                                   QMessageBox::StandardButtons buttons) {
    return ask(QMessageBox::Question, parent, title, text, buttons);
}

void MessageBoxes::queueAnswer(QMessageBox::StandardButton answer) {
    seam().answers.enqueue(answer);
}

void MessageBoxes::setUnattended(bool unattended) {
    seam().unattended = unattended;
}

QList<ShownBox> MessageBoxes::takeShown() {
    QList<ShownBox> out;
    out.swap(seam().shown);
    return out;
}

void MessageBoxes::reset() {
    seam().answers.clear();
    seam().shown.clear();
}

QMessageBox::StandardButton MessageBoxes::ask(QMessageBox::Icon icon, QWidget* parent,
                                              const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons) {
    SeamState& s = seam();
    if (!s.answers.isEmpty() || s.unattended) {
        s.shown.append({icon, title, text, buttons});
        return s.answers.isEmpty() ? QMessageBox::NoButton : s.answers.dequeue();
    }
    if (icon == QMessageBox::Question)
        return QMessageBox::question(parent, title, text, buttons, QMessageBox::NoButton);
    return QMessageBox::warning(parent, title, text, buttons, QMessageBox::NoButton);
}

} // namespace Zuno
