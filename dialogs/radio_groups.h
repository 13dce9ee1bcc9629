#pragma once
// The radio buttons of a group box, found by object name.

#include <QMap>
#include <QString>

class QWidget;

namespace radio_groups {

// Checks every radio button among the group's descendants with that name;
// its exclusive partner unchecks itself.
void check(QWidget* group, const QString& objectName);

// Object name -> checked, for every radio button among the group's descendants.
QMap<QString, bool> states(QWidget* group);

} // namespace radio_groups
