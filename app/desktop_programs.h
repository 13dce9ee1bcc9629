#pragma once
// The system calculator and text editor of the tool tab.

#include <QString>
#include <QStringList>

namespace Zuno {

// Programs tried in order; on Windows only "calc" and "notepad".
QStringList calculatorPrograms();
QStringList textEditorPrograms();

// The first of `programs` found on the search path, or "".
QString firstInstalled(const QStringList& programs);

// Starts the first installed program of `programs` as a detached process.
// Returns the program started, or "" when none is installed or it failed to start.
QString startFirstInstalled(const QStringList& programs);

} // namespace Zuno
