// The main window as a new user first sees it at work, for the README's
// picture: a copy of the shipped conf/ pointed at the scripted platform,
// Connect, "自动" ticked, a few frames each way. Run by scripts/screenshot.sh
// under a virtual X server; not a test.
//
//   window_shot READY_FILE
//
// Once the window shows the traffic it writes "WIDTHxHEIGHT+X+Y" (the
// window's place on the screen) into READY_FILE and stays open for the
// picture, at most a minute.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <chrono>
#include <cstdio>

#include "app/mainform.h"
#include "config/base_folder.h"
#include "support/test_platform.h"

namespace {

// conf/ of the source tree, with the platform's address and a quick tick.
void copyConf(const QString& to, uint16_t port) {
    const QString from = QStringLiteral(ZUNO_SOURCE_DIR "/conf");
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + "/conf" + file.mid(from.size());
        QDir().mkpath(target.section('/', 0, -2));
        QFile::copy(file, target);
    }
    QFile conf(to + "/conf/conf.json");
    conf.remove();
    if (!conf.open(QIODevice::WriteOnly))
        qFatal("cannot write conf.json");
    conf.write("{\"ip\":\"127.0.0.1\",\"port\":" + QByteArray::number(port) + ",\"duration\":200,\"protocol\":0}");
}

// The flow's clock at a minute per second, so that the shipped intervals
// (30 s, 180 s) pass within the few seconds of the picture.
int64_t quickClock() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count() * 60;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s READY_FILE\n", argv[0]);
        return 2;
    }
    const QString readyFile = QString::fromLocal8Bit(argv[1]);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    zt::TestPlatform platform(std::chrono::minutes(2));
    QTemporaryDir base;
    copyConf(base.path(), platform.port());
    Zuno::setBaseFolder(base.path());

    MainForm w;
    w.setFlowClock(&quickClock);
    w.move(0, 0);
    w.show();
    w.findChild<QAbstractButton*>("btnConnect")->click();

    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (w.currentStatus() == CLIENT_LOGGED_IN) {
            auto* autoSend = w.findChild<QCheckBox*>("cbAuto");
            if (!autoSend->isChecked())
                autoSend->setChecked(true);
        }
        // Four frames out and their replies, or whatever came in 20 s.
        const int blocks = w.findChild<QTextBrowser*>("tbOut")->document()->blockCount();
        if (blocks < 60 && clock.elapsed() < 20000)
            return;
        poll.stop();
        const QRect g = w.frameGeometry();
        QSaveFile ready(readyFile);
        if (!ready.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(readyFile));
        ready.write(QStringLiteral("%1x%2+%3+%4\n").arg(g.width()).arg(g.height()).arg(g.x()).arg(g.y()).toUtf8());
        ready.commit();
        QTimer::singleShot(60000, &app, &QApplication::quit);
    });
    poll.start(100);
    const int rc = app.exec();
    w.findChild<QAbstractButton*>("btnConnect")->click();
    w.waitForConnectionEnd(std::chrono::seconds(5));
    return rc;
}
