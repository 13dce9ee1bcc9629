// The one reader and the one writer of the files under conf/.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <QDir>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "config/config_file.h"
#include "protocol/text_file.h"
#include "support/config_tree.h"
#include "support/hostile_files.h"

namespace {

using Zuno::ConfigStatus;

// A text long enough to be cut by each failure below.
const std::string kNew = "{\n  \"cmd\": \"ALERT16\",\n  \"components\": [" + std::string(3000, ' ') + "],\n  \"protocol\": \"p\"\n}\n";
const QByteArray kOld = "{\"cmd\":\"ALERT16\",\"protocol\":\"p\",\"components\":[]}";

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

TEST(ConfigWrite, ReplacesTheFileWhole) {
    zt::ConfigTree t;
    t.write("conf/model/a.json", kOld);
    const Zuno::ConfigResult r = Zuno::writeConfigFile(t.path("conf/model/a.json"), kNew);
    ASSERT_TRUE(r.ok()) << r.reason.toStdString();
    EXPECT_TRUE(r.reason.isEmpty());
    EXPECT_EQ(t.read("conf/model/a.json").toStdString(), kNew);
    EXPECT_EQ(filesIn(t.path("conf/model")), QStringList{"a.json"});
}

// A failed write or flush leaves the old file byte for byte, no new file
// beside it, and says why.
TEST(ConfigWrite, FullDiskLeavesTheOldFile) {
    for (const bool failSync : {false, true}) {
        zt::ConfigTree t;
        t.write("conf/model/a.json", kOld);
        zt::FullDisk full(failSync);
        const Zuno::ConfigResult r = Zuno::writeConfigFile(t.path("conf/model/a.json"), kNew);
        EXPECT_EQ(r.status, ConfigStatus::NotWritten) << failSync;
        EXPECT_EQ(r.reason, zt::FullDisk::kReason) << failSync;
        EXPECT_EQ(t.read("conf/model/a.json"), kOld) << failSync;
        EXPECT_EQ(filesIn(t.path("conf/model")), QStringList{"a.json"}) << failSync;
    }
}

// A file that holds the text already is left alone: no new file, no flush to
// wait for, and so nothing that a full disk could refuse.
TEST(ConfigWrite, SameBytesAreNotWrittenAgain) {
    zt::ConfigTree t;
    t.write("conf/conf.json", kOld);
    zt::FullDisk full(true);
    const Zuno::ConfigResult same = Zuno::writeConfigFile(t.path("conf/conf.json"), kOld.toStdString());
    EXPECT_TRUE(same.ok()) << same.reason.toStdString();
    EXPECT_EQ(t.read("conf/conf.json"), kOld);
    // One byte more is a change: written, and refused on the full disk.
    const Zuno::ConfigResult longer = Zuno::writeConfigFile(t.path("conf/conf.json"), kOld.toStdString() + "\n");
    EXPECT_EQ(longer.status, ConfigStatus::NotWritten);
    EXPECT_EQ(t.read("conf/conf.json"), kOld);
}

// The same through the real write path: a file-size limit makes the system
// refuse the bytes past it, as a full disk does. Buffered bytes that never
// reach the disk must not pass for a save.
TEST(ConfigWrite, BytesTheSystemRefusesAreNoSave) {
    zt::ConfigTree t;
    t.write("conf/conf.json", kOld);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Zuno::ConfigResult r = Zuno::writeConfigFile(t.path("conf/conf.json"), kNew);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(r.status, ConfigStatus::NotWritten);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_EQ(t.read("conf/conf.json"), kOld);
    EXPECT_EQ(filesIn(t.path("conf")), QStringList{"conf.json"});
}

// Where no new file can be made the save is refused, never done in place
// (a save cut short there would leave half a file).
TEST(ConfigWrite, FolderThatTakesNoNewFileRefusesTheSave) {
    zt::ConfigTree t;
    t.write("conf/model/a.json", kOld);
    Zuno::ConfigResult r;
    {
        zt::LockedFolder lock(t.path("conf/model"));
        ASSERT_TRUE(lock.locked());
        r = Zuno::writeConfigFile(t.path("conf/model/a.json"), kNew);
    }
    EXPECT_EQ(r.status, ConfigStatus::NotWritten);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_EQ(t.read("conf/model/a.json"), kOld);

    r = Zuno::writeConfigFile(t.path("nowhere/a.json"), kNew);
    EXPECT_EQ(r.status, ConfigStatus::NotWritten);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(t.path("nowhere")));
}

// The writer puts a file where there is none and replaces a regular file (a
// link is followed to one and stays a link); anything else is refused with
// the reason and stays as it was: a FIFO or a device is never replaced by a
// regular file, a link that leads nowhere never makes one somewhere else.
TEST(ConfigWrite, OnlyNothingOrARegularFileIsWritten) {
    enum Kind { Nothing, Regular, LinkToRegular, Fifo, LinkToFifo, LinkToDevice, BrokenLink, Folder };
    const struct {
        const char* name;
        Kind kind;
        const char* reason; // nullptr: written
    } rows[] = {{"nothing", Nothing, nullptr},
                {"a regular file", Regular, nullptr},
                {"a link to a regular file", LinkToRegular, nullptr},
                {"a FIFO", Fifo, "不是普通文件"},
                {"a link to a FIFO", LinkToFifo, "不是普通文件"},
                {"a link to a device", LinkToDevice, "不是普通文件"},
                {"a link that leads nowhere", BrokenLink, "链接指向的文件不存在"},
                {"a folder", Folder, "这是一个文件夹"}};
    std::string deviceRefused;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        zt::ConfigTree t;
        const QString file = t.path("conf/conf.json");
        const QString target = t.path("elsewhere/target");
        t.mkdir("conf");
        t.mkdir("elsewhere");
        switch (row.kind) {
        case Nothing: break;
        case Regular: t.write("conf/conf.json", kOld); break;
        case LinkToRegular:
            t.write("elsewhere/target", kOld);
            ASSERT_TRUE(QFile::link(target, file));
            break;
        case Fifo: ASSERT_TRUE(zt::makeFifo(file.toStdString())); break;
        case LinkToFifo:
            ASSERT_TRUE(zt::makeFifo(target.toStdString()));
            ASSERT_TRUE(QFile::link(target, file));
            break;
        case LinkToDevice:
            // A device of the test's own: a writer that replaced it would
            // not replace the system's.
            if (::mknod(QFile::encodeName(target).constData(), S_IFCHR | 0600, makedev(1, 3)) != 0) {
                deviceRefused = std::strerror(errno); // said below, once the other rows have run
                continue;
            }
            ASSERT_TRUE(QFile::link(target, file));
            break;
        case BrokenLink: ASSERT_TRUE(QFile::link(target, file)); break;
        case Folder: t.mkdir("conf/conf.json"); break;
        }
        const QFileInfo before(file);
        const zt::Deadline deadline(std::string("writing over ") + row.name);
        const Zuno::ConfigResult r = Zuno::writeConfigFile(file, kNew);
        if (!row.reason) {
            ASSERT_TRUE(r.ok()) << r.reason.toStdString();
            EXPECT_EQ(t.read("conf/conf.json").toStdString(), kNew);
            EXPECT_EQ(QFileInfo(file).isSymLink(), row.kind == LinkToRegular);
            continue;
        }
        EXPECT_EQ(r.status, ConfigStatus::NotWritten);
        EXPECT_EQ(r.reason.toStdString(), row.reason);
        // As it was: the same kind of entry, pointing where it pointed.
        const QFileInfo after(file);
        EXPECT_EQ(after.isSymLink(), before.isSymLink());
        EXPECT_EQ(after.symLinkTarget(), before.symLinkTarget());
        EXPECT_FALSE(QFileInfo(target).isFile());
        if (row.kind == LinkToDevice) {
            struct stat info {};
            ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
            EXPECT_TRUE(S_ISCHR(info.st_mode));
        }
        EXPECT_EQ(QDir(t.path("conf")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                  QStringList{"conf.json"});
    }
    // A FIFO stays a FIFO.
    zt::ConfigTree t;
    ASSERT_TRUE(zt::makeFifo(t.path("fifo.json").toStdString()));
    EXPECT_FALSE(Zuno::writeConfigFile(t.path("fifo.json"), kNew).ok());
    struct stat info {};
    ASSERT_EQ(::lstat(QFile::encodeName(t.path("fifo.json")).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    if (!deviceRefused.empty())
        GTEST_SKIP() << "the row of a link to a device did not run: mknod was refused (" << deviceRefused << ")";
}

// The one writer never writes what the readers would refuse: a file over
// 4 MB, JSON nested past 256 levels, a text that is no single JSON value.
// Each bound below, at and above it; a refused text leaves the old file
// byte for byte and no new file beside it.
TEST(ConfigWrite, NeverWritesWhatTheReadersWouldRefuse) {
    // A JSON string of `size` bytes with its line feed.
    const auto ofSize = [](qint64 size) { return "\"" + std::string(static_cast<size_t>(size) - 3, 'x') + "\"\n"; };
    const auto nested = [](size_t depth) { return std::string(depth, '[') + std::string(depth, ']') + "\n"; };
    const struct {
        const char* name;
        std::string text;
        const char* reason; // nullptr: written
    } rows[] = {
        {"4 MB less one byte", ofSize(Zuno::kMaxFileBytes - 1), nullptr},
        {"4 MB", ofSize(Zuno::kMaxFileBytes), nullptr},
        {"4 MB and one byte", ofSize(Zuno::kMaxFileBytes + 1), "文件超过4 MB"},
        {"nested 255 levels", nested(Zuno::kMaxJsonDepth - 1), nullptr},
        {"nested 256 levels", nested(Zuno::kMaxJsonDepth), nullptr},
        {"nested 257 levels", nested(Zuno::kMaxJsonDepth + 1), "JSON嵌套超过256层"},
        {"no JSON", "{\"cmd\":", "不是有效的JSON (第1行)"},
        {"text after the value", "{}\n// note\n", "第2行起JSON值之后还有内容"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        zt::ConfigTree t;
        t.write("conf/model/a.json", kOld);
        const QString path = t.path("conf/model/a.json");
        const Zuno::ConfigResult r = Zuno::writeConfigFile(path, row.text);
        if (!row.reason) {
            ASSERT_TRUE(r.ok()) << r.reason.toStdString();
            // What was written reads back whole.
            const Zuno::ConfigText back = Zuno::readConfigText(path);
            ASSERT_TRUE(back.result.ok()) << back.result.reason.toStdString();
            EXPECT_EQ(back.text, row.text);
            picojson::value value;
            EXPECT_EQ(Zuno::parseJsonText(back.text, value).kind, Zuno::JsonRead::Value);
        } else {
            EXPECT_EQ(r.status, ConfigStatus::NotWritten);
            EXPECT_EQ(r.reason.toStdString(), row.reason);
            EXPECT_EQ(t.read("conf/model/a.json"), kOld);
        }
        EXPECT_EQ(filesIn(t.path("conf/model")), QStringList{"a.json"});
    }
}

TEST(ConfigRead, TextAndWhatWentWrong) {
    zt::ConfigTree t;
    t.write("text.json", QByteArray("line1\r\nli\0ne2\n\xE4\xBD\xA0", 17));
    t.write("latin1.json", "{\"cmd\":\"caf\xE9\"}");
    t.mkdir("folder.json");

    const Zuno::ConfigText text = Zuno::readConfigText(t.path("text.json"));
    EXPECT_TRUE(text.result.ok());
    EXPECT_TRUE(text.utf8);
    EXPECT_EQ(text.text, "line1\nli\xE4\xBD\xA0"); // a NUL drops the rest of its line

    EXPECT_EQ(text.asWritten(), text.text);

    // The text with its bytes replaced, and as the file has them.
    const Zuno::ConfigText latin1 = Zuno::readConfigText(t.path("latin1.json"));
    EXPECT_TRUE(latin1.result.ok());
    EXPECT_FALSE(latin1.utf8);
    EXPECT_EQ(latin1.text, "{\"cmd\":\"caf\xEF\xBF\xBD\"}");
    EXPECT_EQ(latin1.asWritten(), "{\"cmd\":\"caf\xE9\"}");

    // Files nobody meant to be read: read whole they ran memory out, or the
    // read waited for ever for a writer.
    t.write("large.json", QByteArray(4 * 1024 * 1024 + 1, ' '));
    ASSERT_TRUE(QFile::link("/dev/zero", t.path("zero.json")));
    ASSERT_TRUE(zt::makeFifo(t.path("fifo").toStdString()));
    ASSERT_TRUE(QFile::link(t.path("fifo"), t.path("fifo.json")));
    const struct {
        const char* name;
        ConfigStatus status;
        const char* reason; // nullptr: any
    } failures[] = {{"missing.json", ConfigStatus::Missing, nullptr},
                    {"folder.json", ConfigStatus::Unreadable, nullptr},
                    {"large.json", ConfigStatus::Unreadable, "文件超过4 MB"},
                    {"zero.json", ConfigStatus::Unreadable, "不是普通文件"},
                    {"fifo.json", ConfigStatus::Unreadable, "不是普通文件"}};
    for (const auto& f : failures) {
        const zt::Deadline deadline(std::string("reading ") + f.name);
        const Zuno::ConfigText r = Zuno::readConfigText(t.path(f.name));
        EXPECT_EQ(r.result.status, f.status) << f.name;
        EXPECT_FALSE(r.result.reason.isEmpty()) << f.name;
        if (f.reason) {
            EXPECT_EQ(r.result.reason.toStdString(), f.reason) << f.name;
        }
        EXPECT_TRUE(r.text.empty()) << f.name;
    }
}

// Every reader decodes a file as readTextFile does: the variants people
// make by hand give the same text either way. A byte-order mark at the
// start is no part of it (one further on is kept: it is text there).
TEST(ConfigRead, DecodesAsReadTextFileDoes) {
    const struct {
        const char* name;
        QByteArray bytes;
        std::string text;
        std::string asWritten; // "": the text
        size_t nulLine;
    } rows[] = {
        {"plain", "{\"a\":1}\n", "{\"a\":1}\n", "", 0},
        {"a byte-order mark", "\xEF\xBB\xBF{\"a\":1}\n", "{\"a\":1}\n", "", 0},
        {"CRLF", "{\r\n\"a\":1\r\n}\r\n", "{\n\"a\":1\n}\n", "", 0},
        {"no final line feed", "{\"a\":1}", "{\"a\":1}", "", 0},
        {"a note after the value", "{\"a\":1}\n// note\n", "{\"a\":1}\n// note\n", "", 0},
        {"all of them", "\xEF\xBB\xBF{\r\n\"a\":1}\r\n// note", "{\n\"a\":1}\n// note", "", 0},
        {"a carriage return alone", "{\"a\":\r1}", "{\"a\":\r1}", "", 0},
        {"only a byte-order mark", "\xEF\xBB\xBF", "", "", 0},
        {"two byte-order marks", "\xEF\xBB\xBF\xEF\xBB\xBF{}", "\xEF\xBB\xBF{}", "", 0},
        {"a mark in a string", "{\"a\":\"\xEF\xBB\xBF\"}", "{\"a\":\"\xEF\xBB\xBF\"}", "", 0},
        {"a NUL cuts its line", QByteArray("{\"a\":\n1\0x\n}", 12), "{\"a\":\n1}", "", 2},
        {"no UTF-8", "{\"a\":\"caf\xE9\"}", "{\"a\":\"caf\xEF\xBF\xBD\"}", "{\"a\":\"caf\xE9\"}", 0},
        {"a mark, then no UTF-8", "\xEF\xBB\xBF{\"a\":\"caf\xE9\"}", "{\"a\":\"caf\xEF\xBF\xBD\"}",
         "{\"a\":\"caf\xE9\"}", 0},
        {"empty", "", "", "", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        zt::ConfigTree t;
        t.write("a.json", row.bytes);
        const Zuno::ConfigText read = Zuno::readConfigText(t.path("a.json"));
        ASSERT_TRUE(read.result.ok());
        EXPECT_EQ(read.text, row.text);
        EXPECT_EQ(read.text, Zuno::readTextFile(t.path("a.json")).toUtf8().toStdString());
        EXPECT_EQ(read.asWritten(), row.asWritten.empty() ? row.text : row.asWritten);
        EXPECT_EQ(read.nulLine, row.nulLine);
    }
}

TEST(ConfigRead, Utf8Validity) {
    const struct {
        QByteArray bytes;
        bool valid;
    } rows[] = {{"", true},
                {"{\"cmd\":\"GPS\"}", true},
                {"\xe4\xb8\xad\xf0\x9f\x98\x80", true},   // 中 and U+1F600
                {"\xef\xbb\xbf{}", true},                   // a byte-order mark
                {"\"\xff\"", false},                         // no UTF-8 byte at all
                {"\"\xe4\xb8\"", false},                     // a sequence cut short
                {"\xe4\xb8", false},                          // cut short at the end
                {"\x80", false},                              // a stray continuation byte
                {"\xc0\x80", false},                          // overlong
                {"\xed\xa0\x80", false},                      // a surrogate
                {"\xf4\x90\x80\x80", false},                  // beyond U+10FFFF
                {"GBK \xd6\xd0\xce\xc4", false}};
    for (const auto& row : rows) EXPECT_EQ(Zuno::isValidUtf8(row.bytes), row.valid) << row.bytes.toHex().constData();
}

} // namespace
