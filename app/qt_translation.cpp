#include "app/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Zuno {

namespace {
const QString kCatalogue = QStringLiteral("qtbase_zh_CN");
}

bool installQtTranslation(QCoreApplication* app) {
    if (app->findChild<QTranslator*>(kCatalogue, Qt::FindDirectChildrenOnly))
        return true;
    auto* translator = new QTranslator(app);
    translator->setObjectName(kCatalogue);
    if (!translator->load(kCatalogue, QLibraryInfo::location(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace Zuno
