#include <QApplication>
#include <QDateTime>

#include "app/mainform.h"
#include "app/message_log.h"
#include "app/qt_translation.h"
#include "config/base_folder.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Without it the standard buttons stay in English; nothing else changes.
    Zuno::installQtTranslation(&app);

    Zuno::startLogging(Zuno::basePath(Zuno::kLogFolder), QDateTime::currentDateTime().toString("yyyyMMdd"));

    MainForm::registerSignalTypes();

    int result = 0;
    {
        MainForm window;
        window.show();
        result = app.exec();
        Zuno::closeLogFile();
    }
    return result;
}
