#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QTextCodec>

#include "app/message_log.h"
#include "support/config_tree.h"

namespace {

struct LineCase {
    QtMsgType type;
    const char* file;
    int line;
    const char* message;
    const char* console;
    const char* record;
};

TEST(MessageLog, ConsoleLinesAndRecordsOfEachLevel) {
    const LineCase cases[] = {
        {QtDebugMsg, "f", 7, "x", "Debug [f]:7 - x", "Debug [f]:7 - x"},
        {QtWarningMsg, "f", 7, "x", "Warnings [f]:7 - x", "Warning: [x]:f - 7"},
        {QtInfoMsg, "f", 7, "x", "Info [f]:7 - x", "Info: [x]:f - 7"},
        {QtCriticalMsg, "f", 7, "x", "Critical [f]:7 - x", "Critical: [x]:f - 7"},
        {QtFatalMsg, "f", 7, "x", "Fatal [f]:7 - x", ""},
        // The program's own messages carry no source location.
        {QtDebugMsg, nullptr, 0, "Client is connected!", "Debug []:0 - Client is connected!",
         "Debug []:0 - Client is connected!"},
        {QtDebugMsg, "../app/x.cpp", 12, "m", "Debug [app/x.cpp]:12 - m", "Debug [app/x.cpp]:12 - m"},
        {QtDebugMsg, "a/../b.cpp", 1, "m", "Debug [a/../b.cpp]:1 - m", "Debug [a/../b.cpp]:1 - m"},
        // Places are filled once: a "%1" or "%2" in the message or file stays.
        {QtDebugMsg, "%3.cpp", 5, "100%1 %2 done", "Debug [%3.cpp]:5 - 100%1 %2 done",
         "Debug [%3.cpp]:5 - 100%1 %2 done"},
        {QtWarningMsg, "%2", 5, "at %1", "Warnings [%2]:5 - at %1", "Warning: [at %1]:%2 - 5"},
        {QtWarningMsg, "f", 1, "登录超时", "Warnings [f]:1 - 登录超时", "Warning: [登录超时]:f - 1"},
    };
    for (const auto& c : cases) {
        const QString file = Zuno::shownSourceFile(c.file);
        EXPECT_EQ(Zuno::consoleLine(c.type, file, c.line, QString::fromUtf8(c.message)).toStdString(), c.console);
        EXPECT_EQ(Zuno::logRecord(c.type, file, c.line, QString::fromUtf8(c.message)).toStdString(), c.record);
    }
    EXPECT_EQ(Zuno::levelName(static_cast<QtMsgType>(9)), "");
}

// Messages are written through a logger without a source location, as the
// program's own messages are in every build.
class MessageLogFile : public ::testing::Test {
protected:
    void SetUp() override {
        Zuno::setLogFolder(tree.path("logs"));
        Zuno::setLogDate("20261210");
        previous = qInstallMessageHandler(Zuno::messageOutput);
    }
    void TearDown() override {
        qInstallMessageHandler(previous);
        Zuno::closeLogFile();
    }
    QByteArray logBytes() const { return tree.read("logs/log.20261210.log"); }

    zt::ConfigTree tree;
    QtMessageHandler previous = nullptr;
};

TEST_F(MessageLogFile, RecordsArePrecededByLineFeedCarriageReturnAndAreUtf8) {
    ASSERT_TRUE(Zuno::makeDir(tree.path("logs")));
    EXPECT_EQ(Zuno::logFilePath(), tree.path("logs/log.20261210.log"));
    QTextCodec* before = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    QMessageLogger().debug() << "Client is connected!" << QString::fromUtf8("收到未知协议");
    QMessageLogger("src/f.cpp", 7, nullptr).warning("x %s", "%1");
    QMessageLogger("f", 9, nullptr).critical("%s", "登录超时"); // no trip through the locale's codec
    QTextCodec::setCodecForLocale(before);
    QMessageLogger().debug("%s", "end");

    EXPECT_EQ(logBytes(), QByteArray("\n\rDebug []:0 - Client is connected! \"") +
                              QString::fromUtf8("收到未知协议").toUtf8() +
                              "\"\n\rWarning: [x %1]:src/f.cpp - 7\n\rCritical: [" +
                              QString::fromUtf8("登录超时").toUtf8() + "]:f - 9\n\rDebug []:0 - end");
}

TEST_F(MessageLogFile, UnopenableFileLosesTheRecordAndTriesAgain) {
    QMessageLogger().debug("lost"); // the logs folder does not exist yet
    EXPECT_FALSE(QFile::exists(tree.path("logs/log.20261210.log")));
    ASSERT_TRUE(Zuno::makeDir(tree.path("logs")));
    QMessageLogger().debug("kept");
    EXPECT_EQ(logBytes(), "\n\rDebug []:0 - kept");
}

// A log that cannot be written is told once per change, with the reason,
// while every record still goes to standard output.
TEST_F(MessageLogFile, ALogThatCannotBeWrittenIsToldOncePerChange) {
    ASSERT_TRUE(Zuno::makeDir(tree.path("logs")));
    QMessageLogger().debug("before");
    std::vector<std::pair<bool, QString>> told;
    Zuno::addLogStateListener(&told, [&told](bool writing, const QString& reason) { told.emplace_back(writing, reason); });
    struct Unset {
        const void* owner;
        ~Unset() { Zuno::removeLogStateListener(owner); }
    } unset{&told};

    // A file where the folder should be.
    ASSERT_TRUE(QDir(tree.path("logs")).removeRecursively());
    tree.write("logs", "not a folder");
    testing::internal::CaptureStdout();
    QMessageLogger().debug("one");
    QMessageLogger().debug("two");
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("Debug []:0 - one"), std::string::npos);
    EXPECT_NE(console.find("Debug []:0 - two"), std::string::npos);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_FALSE(told[0].first);
    EXPECT_FALSE(told[0].second.isEmpty());
    QString reason;
    EXPECT_FALSE(Zuno::logWriting(&reason));
    EXPECT_EQ(reason, told[0].second);

    // It recovers, and is told so once.
    ASSERT_TRUE(QFile::remove(tree.path("logs")));
    ASSERT_TRUE(Zuno::makeDir(tree.path("logs")));
    QMessageLogger().debug("three");
    QMessageLogger().debug("four");
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[1].first);
    EXPECT_TRUE(Zuno::logWriting());
    EXPECT_EQ(logBytes(), "\n\rDebug []:0 - three\n\rDebug []:0 - four");

    // A full disk: the file opens, its bytes never land.
    ASSERT_TRUE(QFile::remove(tree.path("logs/log.20261210.log")));
    ASSERT_TRUE(QFile::link("/dev/full", tree.path("logs/log.20261210.log")));
    testing::internal::CaptureStdout();
    QMessageLogger().debug("five");
    QMessageLogger().debug("six");
    const std::string full = testing::internal::GetCapturedStdout();
    EXPECT_NE(full.find("Debug []:0 - six"), std::string::npos);
    ASSERT_EQ(told.size(), 3u);
    EXPECT_FALSE(told[2].first);
    EXPECT_EQ(told[2].second, "No space left on device");
}

// A record the disk takes only in part is cut back off the file, which keeps
// whole records only, and the note gives the system's reason; the records
// after it follow the last whole one.
TEST_F(MessageLogFile, ARecordThatDoesNotFitIsCutBackWithTheSystemsReason) {
    struct Case {
        const char* name;
        bool realLimit; // the system's own file-size limit, or the write seam
        std::string reason;
    } cases[] = {
        {"full disk (seam)", false, "No space left on device"},
        {"file-size limit of the system", true, std::strerror(EFBIG)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Zuno::makeDir(tree.path("logs")));
        QFile::remove(tree.path("logs/log.20261210.log"));
        QMessageLogger().debug("before");
        const QByteArray before = logBytes();
        ASSERT_EQ(before, "\n\rDebug []:0 - before");
        std::vector<QString> told;
        Zuno::addLogStateListener(&told, [&told](bool writing, const QString& reason) {
            told.push_back(writing ? QString() : reason);
        });

        rlimit old{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        if (c.realLimit) {
            rlimit small = old;
            small.rlim_cur = static_cast<rlim_t>(before.size() + 10);
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        } else {
            Zuno::setLogWrite([](QFileDevice& file, const char* data, qint64 size) {
                file.write(data, size / 2);
                return QStringLiteral("No space left on device");
            });
        }
        testing::internal::CaptureStdout();
        QMessageLogger().debug("a record longer than the room that is left");
        const std::string console = testing::internal::GetCapturedStdout();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
        Zuno::setLogWrite({});

        EXPECT_EQ(logBytes(), before);
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0].toStdString(), c.reason);
        if (!c.realLimit) { // the captured console is a file under the same limit
            EXPECT_NE(console.find(c.reason), std::string::npos);
        }

        QMessageLogger().debug("after");
        EXPECT_EQ(logBytes(), before + "\n\rDebug []:0 - after");
        ASSERT_EQ(told.size(), 2u);
        EXPECT_TRUE(told[1].isEmpty());
        Zuno::removeLogStateListener(&told);
    }
}

TEST_F(MessageLogFile, RecordsOfTwoThreadsNeverMix) {
    ASSERT_TRUE(Zuno::makeDir(tree.path("logs")));
    constexpr int kEach = 300;
    auto writer = [](char tag) {
        const std::string text(40, tag);
        for (int i = 0; i < kEach; ++i)
            QMessageLogger().debug("%s", text.c_str());
    };
    std::thread a(writer, 'a');
    std::thread b(writer, 'b');
    a.join();
    b.join();
    const QList<QByteArray> records = logBytes().split('\r');
    ASSERT_EQ(records.size(), 2 * kEach + 1);
    EXPECT_EQ(records[0], "\n");
    int as = 0;
    for (int i = 1; i < records.size(); ++i) {
        QByteArray r = records[i];
        if (i + 1 < records.size()) {
            ASSERT_TRUE(r.endsWith('\n'));
            r.chop(1);
        }
        const bool isA = r == "Debug []:0 - " + QByteArray(40, 'a');
        ASSERT_TRUE(isA || r == "Debug []:0 - " + QByteArray(40, 'b')) << r.constData();
        as += isA;
    }
    EXPECT_EQ(as, kEach);
}

// The start of the log as the program makes it. Under a file-size limit the
// record that passes it fails as on a full disk: cut back, with the system's
// reason, and the program goes on (the limit's signal ended it, leaving a
// cut record). Run in a child, whose limit and signals end with it.
TEST(LogStart, ARecordPastAFileSizeLimitFailsAsOnAFullDisk) {
    zt::ConfigTree tree;
    const QString folder = tree.path("logs");
    EXPECT_EXIT(
        {
            rlimit small{};
            getrlimit(RLIMIT_FSIZE, &small);
            small.rlim_cur = 40;
            setrlimit(RLIMIT_FSIZE, &small);
            Zuno::startLogging(folder, "20261210");
            QMessageLogger().debug("before");
            QMessageLogger().debug("%s", std::string(60, 'x').c_str());
            QString reason;
            const bool writing = Zuno::logWriting(&reason);
            std::fprintf(stderr, "writing %d: %s\n", writing, reason.toUtf8().constData());
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "writing 0: File too large");
    EXPECT_EQ(tree.read("logs/log.20261210.log"), "\n\rDebug []:0 - before");
}

// A logs folder that cannot be made is told with the reason it could not be
// made, not with the reason the log file then cannot be opened.
TEST(LogStart, AFolderThatCannotBeMadeIsToldWithItsReason) {
    zt::ConfigTree tree;
    tree.mkdir("base");
    zt::LockedFolder lock(tree.path("base"));
    ASSERT_TRUE(lock.locked());
    const std::string denied = std::strerror(geteuid() == 0 ? EPERM : EACCES);
    QString reason;
    EXPECT_FALSE(Zuno::makeDir(tree.path("base/logs"), &reason));
    EXPECT_EQ(reason.toStdString(), denied);
    EXPECT_FALSE(Zuno::makeDir(tree.path("base/a/b/logs"), &reason));
    EXPECT_EQ(reason.toStdString(), denied);
    // Something else in the way.
    tree.write("file", "x");
    EXPECT_FALSE(Zuno::makeDir(tree.path("file"), &reason));
    EXPECT_EQ(reason.toStdString(), std::strerror(EEXIST));
    EXPECT_FALSE(Zuno::makeDir(tree.path("file/logs"), &reason));
    EXPECT_EQ(reason.toStdString(), std::strerror(ENOTDIR));

    const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    Zuno::startLogging(tree.path("base/logs"), "20261210");
    testing::internal::CaptureStdout();
    QMessageLogger().debug("lost");
    const std::string console = testing::internal::GetCapturedStdout();
    qInstallMessageHandler(previous);
    Zuno::closeLogFile();
    EXPECT_FALSE(Zuno::logWriting(&reason));
    EXPECT_EQ(reason.toStdString(), "日志文件夹无法创建: " + denied);
    EXPECT_NE(console.find("日志文件夹无法创建: " + denied), std::string::npos);
    Zuno::setLogFolder(QString());
}

TEST(LogFolder, MakeDirCreatesParentsAndClearingKeepsWhatLinksPointTo) {
    zt::ConfigTree t;
    ASSERT_FALSE(Zuno::dirExists(t.path("a/b/logs")));
    ASSERT_TRUE(Zuno::makeDir(t.path("a/b/logs")));
    ASSERT_TRUE(Zuno::dirExists(t.path("a/b/logs")));

    t.write("logs/log.20261210.log", "x");
    t.write("logs/.hidden", "x");
    t.write("logs/old/deep/log.20261101.log", "x");
    t.write("outside/keep.txt", "keep");
    ASSERT_TRUE(QFile::link(t.path("outside"), t.path("logs/link_to_outside")));
    ASSERT_TRUE(QFile::link(t.path("logs"), t.path("logs/old/loop")));
    ASSERT_TRUE(QFile::link(t.path("nowhere"), t.path("logs/broken")));

    EXPECT_EQ(Zuno::clearFolderContents(t.path("logs")), 0);
    EXPECT_TRUE(Zuno::dirExists(t.path("logs")));
    EXPECT_TRUE(QDir(t.path("logs")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                               QDir::System).isEmpty());
    EXPECT_EQ(t.read("outside/keep.txt"), "keep");
    EXPECT_EQ(Zuno::clearFolderContents(t.path("missing")), 0);
}

} // namespace
