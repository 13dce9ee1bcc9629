// The one reader and the one writer of the files under conf/.
#include <gtest/gtest.h>

#include <csignal>

#include <QDir>

#include <sys/resource.h>

#include "config/config_file.h"
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

TEST(ConfigRead, TextAndWhatWentWrong) {
    zt::ConfigTree t;
    t.write("text.json", QByteArray("line1\r\nli\0ne2\n\xE4\xBD\xA0", 17));
    t.write("latin1.json", "{\"cmd\":\"caf\xE9\"}");
    t.mkdir("folder.json");

    const Zuno::ConfigText text = Zuno::readConfigText(t.path("text.json"));
    EXPECT_TRUE(text.result.ok());
    EXPECT_TRUE(text.utf8);
    EXPECT_EQ(text.text, "line1\nli\xE4\xBD\xA0"); // a NUL drops the rest of its line

    const Zuno::ConfigText latin1 = Zuno::readConfigText(t.path("latin1.json"));
    EXPECT_TRUE(latin1.result.ok());
    EXPECT_FALSE(latin1.utf8);

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
