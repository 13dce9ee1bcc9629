#include <gtest/gtest.h>

#include <QFile>

#include "support/config_tree.h"
#include "config/config_catalogue.h"
#include "support/hostile_files.h"

namespace {

QByteArray header(const char* cmd, const char* protocol) {
    return QByteArray("{\"cmd\":\"") + cmd + "\",\"protocol\":\"" + protocol + "\"}";
}

QStringList names(const QList<ProtocolDataModel>& list) {
    QStringList out;
    for (const auto& m : list)
        out << m.filePath;
    return out;
}

// That `log` holds one record for each file of the folder m/ that was
// skipped, each with its reason (as the log quotes it), and no other.
void expectRecords(const zt::MessageCapture& log, std::initializer_list<std::pair<const char*, const char*>> skipped) {
    for (const auto& file : skipped)
        EXPECT_TRUE(log.contains(std::string("/m/") + file.first + "\"  , Json error: \"" + file.second + "\""))
            << file.first;
    EXPECT_EQ(log.lines().size(), skipped.size());
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(Catalogue, SubFoldersFirstThenFilesByNameCaseSensitive) {
    zt::ConfigTree t;
    t.write("prop/b.json", header("B", "p"));
    t.write("prop/A.json", header("A", "p"));
    t.write("prop/C.json", header("C2", "p")); // upper case sorts before lower case
    t.write("prop/z/c.json", header("C", "p"));
    const QString dir = t.path("prop");

    const auto list = scanConfigDir(dir);
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(names(list), (QStringList{dir + "/z/c.json", dir + "/A.json", dir + "/C.json", dir + "/b.json"}));
    EXPECT_EQ(list[0].fileName, "c.json");
    EXPECT_EQ(list[0].absoluteFilePath, QFileInfo(dir + "/z/c.json").absoluteFilePath());
    EXPECT_EQ(list[0].cmd, "C");
    EXPECT_EQ(list[0].protocol, "p");
    // A trailing "/" changes nothing.
    EXPECT_EQ(names(scanConfigDir(dir + "/")), names(list));
}

TEST(Catalogue, TakesOnlyJsonFilesThatNameCmdAndProtocol) {
    zt::ConfigTree t;
    t.write("m/x.JSON", "not read");
    t.write("m/x.json.bak", "not read");
    t.write("m/y.json/d.json", header("D", "p")); // a folder named like a file is walked
    t.write("m/empty_cmd.json", header("", "p"));
    t.write("m/words.json", "plain words, no JSON");
    t.write("m/array.json", "[1, 2]");
    t.write("m/huge.json", "{\"cmd\": \"H\", \"protocol\": 1e999}");
    t.write("m/number_cmd.json", "{\"cmd\": 5, \"protocol\": \"p\"}");
    t.write("m/no_protocol.json", "{\"cmd\": \"E\"}");
    t.write("m/dup1.json", header("SAME", "p"));
    t.write("m/dup2.json", header("SAME", "q"));
    t.write("m/nul.json", QByteArray("{\"cmd\":\"N\",\"protocol\":\"p\"}\0 trailing garbage", 44));
    t.write("m/nul_inside.json", QByteArray("{\"cmd\":\"M\",\n\"protocol\":\0\"p\"}", 28));
    // As people write by hand: a byte-order mark, CRLF, no final line feed, a note after it.
    t.write("m/bom.json", "\xEF\xBB\xBF{\r\n  \"cmd\": \"B\",\r\n  \"protocol\": \"p\"\r\n}\r\n// B");
    t.write("m/utf8.json", header("登录", "Zuno终端协议"));

    zt::MessageCapture log;
    const auto list = scanConfigDir(t.path("m"));
    QStringList cmds;
    for (const auto& m : list)
        cmds << m.cmd;
    EXPECT_EQ(cmds, (QStringList{"D", "B", "SAME", "SAME", "N", QString::fromUtf8("登录")}));
    EXPECT_EQ(list.last().protocol, QString::fromUtf8("Zuno终端协议"));

    // Only the files that are no usable JSON leave a record, each with its
    // reason; x.JSON and x.json.bak are never read, an empty "cmd" is
    // skipped silently.
    expectRecords(log, {{"words.json", "不是有效的JSON (第1行)"},
                        {"array.json", "不是JSON对象"},
                        {"huge.json", "不是有效的JSON (第1行: 数值超出范围)"},
                        {"number_cmd.json", "\\\"cmd\\\" 不是字符串"},
                        {"no_protocol.json", "\\\"protocol\\\" 不是字符串"},
                        {"nul_inside.json", "不是有效的JSON (第2行); 第2行在NUL字节处被截断"}});
    EXPECT_FALSE(log.contains("x.JSON"));
    EXPECT_FALSE(log.contains("empty_cmd"));
}

// Files nobody meant to write are skipped, each with a record of why, and
// the walk goes on: none of them crashes it, runs memory out or waits. So
// are the entries a folder listing leaves out unless asked (a FIFO, a link
// that leads nowhere). A note after the JSON value is not read.
TEST(Catalogue, HostileFilesAreSkippedWithTheReason) {
    zt::ConfigTree t;
    t.write("m/a.json", header("A", "p"));
    t.write("m/deep.json", QByteArray::fromStdString("{\"cmd\":\"D\",\"protocol\":\"p\",\"x\":" +
                                                      zt::nestedObjects(100000) + "}"));
    t.write("m/large.json", header("L", "p") + QByteArray(4 * 1024 * 1024, ' '));
    ASSERT_TRUE(QFile::link("/dev/zero", t.path("m/zero.json")));
    ASSERT_TRUE(zt::makeFifo(t.path("fifo").toStdString()));
    ASSERT_TRUE(QFile::link(t.path("fifo"), t.path("m/fifo_link.json")));
    ASSERT_TRUE(zt::makeFifo(t.path("m/fifo.json").toStdString()));
    ASSERT_TRUE(QFile::link(t.path("nowhere.json"), t.path("m/broken.json")));
    t.write("m/noted.json", header("N", "p") + "\n// IMEI of the test unit\n");
    ASSERT_TRUE(zt::makeFifo(t.path("m/fifo.txt").toStdString())); // no ".json": never read
    t.write("m/z.json", header("Z", "p"));

    zt::MessageCapture log;
    QList<ProtocolDataModel> list;
    {
        const zt::Deadline deadline("the scan of hostile files");
        list = scanConfigDir(t.path("m"));
    }
    QStringList cmds;
    for (const auto& m : list)
        cmds << m.cmd;
    EXPECT_EQ(cmds, (QStringList{"A", "N", "Z"}));
    expectRecords(log, {{"deep.json", "JSON嵌套超过256层"},
                        {"large.json", "文件超过4 MB"},
                        {"zero.json", "不是普通文件"},
                        {"fifo_link.json", "不是普通文件"},
                        {"fifo.json", "不是普通文件"},
                        {"broken.json", "文件不存在"}});
    EXPECT_FALSE(log.contains("fifo.txt"));
}

TEST(Catalogue, MissingOrEmptyFolderGivesNothing) {
    zt::ConfigTree t;
    t.mkdir("empty");
    t.write("plain/readme.txt", "x");
    EXPECT_TRUE(scanConfigDir(t.path("missing")).isEmpty());
    EXPECT_TRUE(scanConfigDir(t.path("empty")).isEmpty());
    EXPECT_TRUE(scanConfigDir(t.path("plain")).isEmpty());
}

TEST(Catalogue, LinkCycleIsWalkedOnce) {
    zt::ConfigTree t;
    t.write("c/a.json", header("A", "p"));
    t.write("c/sub/b.json", header("B", "p"));
    ASSERT_TRUE(QFile::link(t.path("c"), t.path("c/sub/back")));
    ASSERT_TRUE(QFile::link(t.path("c/sub"), t.path("c/self")));

    const auto list = scanConfigDir(t.path("c"));
    QStringList cmds;
    for (const auto& m : list)
        cmds << m.cmd;
    cmds.sort();
    EXPECT_EQ(cmds, (QStringList{"A", "B"}));
}

TEST(Catalogue, HeaderOfUnreadableFileIsEmpty) {
    zt::ConfigTree t;
    zt::MessageCapture log;
    const auto h = readConfigHeader(t.path("nothing.json"));
    EXPECT_TRUE(h.first.isEmpty());
    EXPECT_TRUE(h.second.isEmpty());
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_TRUE(endsWith(log.lines()[0], " , Json error: \"文件不存在\"")) << log.lines()[0];
}

} // namespace
