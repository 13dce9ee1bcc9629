// The one reader of whole files: regular files of bounded size only, and
// never a wait on a file that is no regular file.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "protocol/text_file.h"
#include "support/hostile_files.h"

namespace {

using Zuno::FileBytes;

class ReadRegularFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    void link(const QString& target, const QString& name) const { ASSERT_TRUE(QFile::link(target, path(name))); }

    QTemporaryDir dir;
};

TEST_F(ReadRegularFile, WhatItReadsAndWhatItRefuses) {
    write("plain.json", "{}\n");
    link(path("plain.json"), "link.json");
    write("limit.json", QByteArray(int(Zuno::kMaxFileBytes), ' '));
    write("large.json", QByteArray(int(Zuno::kMaxFileBytes) + 1, ' '));
    ASSERT_TRUE(QDir().mkpath(path("folder.json")));
    link(path("folder.json"), "folder_link.json");
    link(path("nowhere.json"), "dangling.json");
    link("/dev/zero", "zero.json");
    ASSERT_TRUE(zt::makeFifo(path("fifo.json").toStdString()));
    link(path("fifo.json"), "fifo_link.json");

    const struct {
        const char* name;
        FileBytes::Status status;
        const char* reason;
        int size;
    } rows[] = {
        {"plain.json", FileBytes::Ok, "", 3},
        {"link.json", FileBytes::Ok, "", 3},
        {"limit.json", FileBytes::Ok, "", int(Zuno::kMaxFileBytes)},
        {"large.json", FileBytes::Unreadable, "文件超过4 MB", 0},
        {"missing.json", FileBytes::Missing, "文件不存在", 0},
        {"dangling.json", FileBytes::Missing, "文件不存在", 0},
        {"plain.json/x", FileBytes::Missing, "文件不存在", 0},
        {"folder.json", FileBytes::Unreadable, "这是一个文件夹", 0},
        {"folder_link.json", FileBytes::Unreadable, "这是一个文件夹", 0},
        {"zero.json", FileBytes::Unreadable, "不是普通文件", 0},
        {"fifo.json", FileBytes::Unreadable, "不是普通文件", 0},
        {"fifo_link.json", FileBytes::Unreadable, "不是普通文件", 0},
    };
    for (const auto& row : rows) {
        // Nothing writes the FIFO, and /dev/zero has no end: a reader that
        // waits or reads on fails by the deadline.
        const zt::Deadline deadline(std::string("reading ") + row.name);
        const FileBytes file = Zuno::readRegularFile(path(row.name));
        EXPECT_EQ(file.status, row.status) << row.name;
        EXPECT_EQ(file.reason.toStdString(), row.reason) << row.name;
        EXPECT_EQ(file.bytes.size(), row.size) << row.name;
        // The text reader reads through the same door.
        if (row.status != FileBytes::Ok) {
            EXPECT_TRUE(Zuno::readTextFile(path(row.name)).isEmpty()) << row.name;
        }
    }
}

TEST(TextOfFileBytes, LinesAsTextModeReadsThem) {
    // A NUL drops the rest of its line, line feed included.
    EXPECT_EQ(Zuno::textOfFileBytes(QByteArray("a\r\nb\0c\nd\re\r\n\0", 13)), QByteArray("a\nbd\re\n"));
    EXPECT_EQ(Zuno::textOfFileBytes(QByteArray()), QByteArray());
}

TEST(ReadTextFile, LinesNulAndMissingFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("a.txt");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("line1\r\nli\0ne2\n\xE4\xBD\xA0", 17);
    f.close();
    EXPECT_EQ(Zuno::readTextFile(path), QString::fromUtf8("line1\nli\xE4\xBD\xA0"));
    EXPECT_EQ(Zuno::readTextFile(dir.filePath("missing.txt")), QString());
}

} // namespace
