#include "app/desktop_programs.h"

#include <QProcess>
#include <QStandardPaths>

namespace Zuno {

QStringList calculatorPrograms() {
#ifdef Q_OS_WIN
    return {"calc"};
#else
    return {"gnome-calculator", "kcalc", "mate-calc", "galculator", "qalculate-gtk", "xcalc"};
#endif
}

QStringList textEditorPrograms() {
#ifdef Q_OS_WIN
    return {"notepad"};
#else
    return {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma", "xed",
            "featherpad", "leafpad", "xedit"};
#endif
}

QString firstInstalled(const QStringList& programs) {
    for (const QString& p : programs)
        if (!QStandardPaths::findExecutable(p).isEmpty())
            return p;
    return QString();
}

QString startFirstInstalled(const QStringList& programs) {
#ifdef Q_OS_WIN
    // The system's own programs: started by name, as the shell would.
    for (const QString& p : programs)
        if (QProcess::startDetached(p, {}))
            return p;
    return QString();
#else
    const QString program = firstInstalled(programs);
    if (program.isEmpty() || !QProcess::startDetached(QStandardPaths::findExecutable(program), {}))
        return QString();
    return program;
#endif
}

} // namespace Zuno
