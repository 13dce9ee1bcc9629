#include "dialogs/radio_groups.h"

#include <QRadioButton>

namespace radio_groups {

void check(QWidget* group, const QString& objectName) {
    for (QRadioButton* button : group->findChildren<QRadioButton*>(objectName)) button->setChecked(true);
}

QMap<QString, bool> states(QWidget* group) {
    QMap<QString, bool> result;
    for (const QRadioButton* button : group->findChildren<QRadioButton*>())
        result.insert(button->objectName(), button->isChecked());
    return result;
}

} // namespace radio_groups
