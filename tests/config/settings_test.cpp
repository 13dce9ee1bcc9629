#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/config_tree.h"
#include "config/settings.h"
#include "support/hostile_files.h"

namespace {

using Zuno::ConnectionSettings;
using Zuno::ConfigStatus;

TEST(Settings, WrittenTextIsIndentedSortedAndEndsWithLineFeed) {
    const ConnectionSettings initial;
    EXPECT_EQ(Zuno::settingsText(initial),
              "{\n  \"duration\": 1,\n  \"ip\": \"127.0.0.1\",\n  \"port\": 8000,\n  \"protocol\": 0\n}\n");

    ConnectionSettings noFlow;
    noFlow.ip = "例子.example/x";
    noFlow.protocolIndex = -1;
    EXPECT_EQ(Zuno::settingsText(noFlow),
              "{\n  \"duration\": 1,\n  \"ip\": \"例子.example\\/x\",\n  \"port\": 8000,\n"
              "  \"protocol\": 4294967295\n}\n");
}

TEST(Settings, WriteThenReadGivesTheSameValues) {
    zt::ConfigTree t;
    ConnectionSettings s;
    s.ip = "10.0.0.7";
    s.port = 7018;
    s.duration = 250;
    s.protocolIndex = -1;
    const Zuno::ConfigResult written = Zuno::writeSettings(t.path("conf.json"), s);
    ASSERT_TRUE(written.ok()) << written.reason.toStdString();
    EXPECT_EQ(t.read("conf.json").toStdString(), Zuno::settingsText(s));

    ConnectionSettings back;
    ASSERT_TRUE(Zuno::readSettings(t.path("conf.json"), back).ok());
    EXPECT_EQ(back.ip, "10.0.0.7");
    EXPECT_EQ(back.port, 7018u);
    EXPECT_EQ(back.duration, 250u);
    EXPECT_EQ(back.protocolIndex, -1); // 4294967295 cut to 32 bits
}

struct ReadCase {
    const char* name;
    const char* text; // nullptr: no file; "/": a folder of that name
    ConfigStatus result;
    const char* ip;
    uint32_t port;
    uint32_t duration;
    int protocol;
    // The members not used as written, as the note names them ("; " between).
    const char* replaced = "";
};

// 100,000 nested objects: refused before the parser recurses (it counts
// arrays only, and ran out of stack).
std::string deeplyNested() {
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "{\"a\":";
    return text + "1" + std::string(100000, '}');
}
const std::string kDeep = deeplyNested();

class SettingsReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SettingsReadTest, ReadsWhatIsThereAndKeepsTheRest) {
    const ReadCase& c = GetParam();
    zt::ConfigTree t;
    if (c.text && std::string(c.text) == "/")
        t.mkdir("conf.json");
    else if (c.text)
        t.write("conf.json", c.text);
    ConnectionSettings s;
    s.ip = "keep";
    s.port = 1;
    s.duration = 2;
    s.protocolIndex = 3;
    QStringList replaced{"stale"};
    const Zuno::ConfigResult read = Zuno::readSettings(t.path("conf.json"), s, &replaced);
    EXPECT_EQ(read.status, c.result);
    // Whatever is not read says why.
    EXPECT_EQ(read.reason.isEmpty(), c.result == ConfigStatus::Ok) << read.reason.toStdString();
    EXPECT_EQ(replaced.join("; ").toStdString(), c.replaced);
    EXPECT_EQ(s.ip, c.ip);
    EXPECT_EQ(s.port, c.port);
    EXPECT_EQ(s.duration, c.duration);
    EXPECT_EQ(s.protocolIndex, c.protocol);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsReadTest,
    ::testing::Values(
        ReadCase{"Full", R"({"ip":"h","port":9000,"duration":5,"protocol":2})", ConfigStatus::Ok, "h", 9000, 5, 2},
        ReadCase{"ZeroDurationIsOne", R"({"ip":"h","port":9000,"duration":0,"protocol":0})", ConfigStatus::Ok, "h", 9000, 1, 0},
        ReadCase{"Missing", nullptr, ConfigStatus::Missing, "keep", 1, 2, 3},
        ReadCase{"Unreadable", "/", ConfigStatus::Unreadable, "keep", 1, 2, 3},
        ReadCase{"Empty", "", ConfigStatus::Empty, "keep", 1, 2, 3},
        ReadCase{"Broken", "{\"ip\": ", ConfigStatus::NotJson, "keep", 1, 2, 3},
        ReadCase{"NotAnObject", "[1,2,3]", ConfigStatus::NotJson, "keep", 1, 2, 3},
        // A number no double holds: the parser cannot keep it, whatever
        // member it is in.
        ReadCase{"NumberTooLarge", R"({"ip":"h","port":1e999})", ConfigStatus::NotJson, "keep", 1, 2, 3},
        ReadCase{"NumberTooLargeInAMemberNotRead", R"({"ip":"h","x":1e400})", ConfigStatus::NotJson, "keep", 1, 2, 3},
        ReadCase{"NestedTooDeep", kDeep.c_str(), ConfigStatus::NotJson, "keep", 1, 2, 3},
        // Read member by member: a byte that is no UTF-8 in a member the
        // program never uses changes nothing; in the address it is named,
        // with the value used.
        ReadCase{"StrayNonUtf8Member", "{\"note\":\"GBK \xD6\xD0\xCE\xC4\",\"ip\":\"h\",\"port\":9,\"duration\":1000,\"protocol\":1}",
                 ConfigStatus::Ok, "h", 9, 1000, 1},
        ReadCase{"NotUtf8Address", "{\"ip\":\"caf\xE9\",\"port\":9000}", ConfigStatus::Ok, "keep", 9000, 2, 3,
                 "地址 \"caf\xEF\xBF\xBD\" 不是UTF-8编码, 已使用 keep"},
        // The first JSON value is read; what follows it is ignored, and
        // noted: the file will not be saved (a save would drop it).
        ReadCase{"NotUtf8AfterTheObject", "{\"ip\":\"h\"} \xE9", ConfigStatus::Ok, "h", 1, 2, 3,
                 "第1行起JSON值之后还有内容, 已忽略, 不会保存此文件"},
        ReadCase{"NoteAfterTheObject", "{\"ip\":\"h\",\"port\":9000}\n// the test platform\n", ConfigStatus::Ok, "h", 9000, 2, 3,
                 "第2行起JSON值之后还有内容, 已忽略, 不会保存此文件"},
        ReadCase{"TrailingComma", "{\"ip\":\"h\"},", ConfigStatus::Ok, "h", 1, 2, 3,
                 "第1行起JSON值之后还有内容, 已忽略, 不会保存此文件"},
        ReadCase{"FormFeedAfterTheObject", "{\"ip\":\"h\"}\f", ConfigStatus::Ok, "h", 1, 2, 3,
                 "第1行起JSON值之后还有内容, 已忽略, 不会保存此文件"},
        // A byte-order mark is no part of the text.
        ReadCase{"ByteOrderMark", "\xEF\xBB\xBF{\"ip\":\"h\",\"port\":9000}", ConfigStatus::Ok, "h", 9000, 2, 3},
        ReadCase{"ByteOrderMarkCrLfNoFinalLineFeed", "\xEF\xBB\xBF{\r\n\"ip\": \"h\",\r\n\"duration\": 5\r\n}", ConfigStatus::Ok,
                 "h", 1, 5, 3},
        // Members of another type keep their values, named with them as the
        // file writes them; the others are read.
        ReadCase{"IllTyped", R"({"ip":7,"port":"9000","duration":1.5,"protocol":true})", ConfigStatus::Ok, "keep", 1, 2, 3,
                 "地址 7 应为字符串, 已使用 keep; 端口 \"9000\" 应为整数, 已使用 1; 时间间隔 1.5 应为整数, 已使用 2; "
                 "流程序号 true 应为整数, 已使用 3"},
        ReadCase{"NumbersThatAreNoInteger", R"({"ip":"h","port":1e3,"duration":1e20,"protocol":8080.50})", ConfigStatus::Ok, "h", 1, 2, 3,
                 "端口 1e3 应为整数, 已使用 1; 时间间隔 1e20 应为整数, 已使用 2; 流程序号 8080.50 应为整数, 已使用 3"},
        ReadCase{"PastSigned64Bits", R"({"port":9223372036854775808})", ConfigStatus::Ok, "keep", 1, 2, 3,
                 "端口 9223372036854775808 应为整数, 已使用 1"},
        ReadCase{"LongValueIsCut", R"({"ip":["0123456789","0123456789","0123456789","0123456789"]})", ConfigStatus::Ok, "keep", 1, 2, 3,
                 "地址 [\"0123456789\",\"0123456789\",\"0123456789\",… 应为字符串, 已使用 keep"},
        ReadCase{"ValueOverLines", "{\"ip\": [1,\r\n\t2]}", ConfigStatus::Ok, "keep", 1, 2, 3, "地址 [1,  2] 应为字符串, 已使用 keep"},
        // The port is cut to 32 bits, then goes through the port box's
        // range: a value outside it becomes the nearer end. Each change is
        // named with the value as written and the value used.
        ReadCase{"PortBounds", R"({"port":65535,"duration":1})", ConfigStatus::Ok, "keep", 65535, 1, 3},
        ReadCase{"PortLowest", R"({"port":1})", ConfigStatus::Ok, "keep", 1, 2, 3},
        ReadCase{"PortAbove", R"({"port":65536})", ConfigStatus::Ok, "keep", 65535, 2, 3,
                 "端口 65536 不在 1 到 65535 之间, 已使用 65535"},
        ReadCase{"PortZero", R"({"port":0})", ConfigStatus::Ok, "keep", 1, 2, 3, "端口 0 不在 1 到 65535 之间, 已使用 1"},
        ReadCase{"PortNegative", R"({"port":-1})", ConfigStatus::Ok, "keep", 65535, 2, 3,
                 "端口 -1 超出32位, 取低32位为 4294967295, 不在 1 到 65535 之间, 已使用 65535"},
        ReadCase{"PortLargest32Bits", R"({"port":4294967295})", ConfigStatus::Ok, "keep", 65535, 2, 3,
                 "端口 4294967295 不在 1 到 65535 之间, 已使用 65535"},
        ReadCase{"PortAt32Bits", R"({"port":4294967296})", ConfigStatus::Ok, "keep", 1, 2, 3,
                 "端口 4294967296 超出32位, 取低32位为 0, 不在 1 到 65535 之间, 已使用 1"},
        ReadCase{"PortPast32Bits", R"({"port":4294967297})", ConfigStatus::Ok, "keep", 1, 2, 3, "端口 4294967297 超出32位, 已使用 1"},
        ReadCase{"PortPast32BitsInRange", R"({"port":4294975296})", ConfigStatus::Ok, "keep", 8000, 2, 3,
                 "端口 4294975296 超出32位, 已使用 8000"},
        ReadCase{"PortSmallest64Bits", R"({"port":-9223372036854775808})", ConfigStatus::Ok, "keep", 1, 2, 3,
                 "端口 -9223372036854775808 超出32位, 取低32位为 0, 不在 1 到 65535 之间, 已使用 1"},
        // The duration is cut to 32 bits; only a value whose 32 bits are 0
        // is read as 1.
        ReadCase{"DurationOfTwoHours", R"({"duration":7200000})", ConfigStatus::Ok, "keep", 1, 7200000, 3},
        ReadCase{"DurationLargest", R"({"duration":4294967295})", ConfigStatus::Ok, "keep", 1, 4294967295u, 3},
        ReadCase{"DurationAt32Bits", R"({"duration":4294967296})", ConfigStatus::Ok, "keep", 1, 1, 3,
                 "时间间隔 4294967296 超出32位, 已使用 1"},
        ReadCase{"DurationPast32Bits", R"({"duration":4294967298})", ConfigStatus::Ok, "keep", 1, 2, 3,
                 "时间间隔 4294967298 超出32位, 已使用 2"},
        ReadCase{"DurationNegative", R"({"duration":-1})", ConfigStatus::Ok, "keep", 1, 4294967295u, 3,
                 "时间间隔 -1 超出32位, 已使用 4294967295"},
        // A flow index is any 32-bit value, signed or not ("no flow" is
        // written 4294967295); past that it is cut too.
        ReadCase{"FlowIndexIs32Bits", R"({"protocol":-5})", ConfigStatus::Ok, "keep", 1, 2, -5},
        ReadCase{"FlowIndexNoFlow", R"({"protocol":4294967295})", ConfigStatus::Ok, "keep", 1, 2, -1},
        ReadCase{"FlowIndexLowest", R"({"protocol":-2147483648})", ConfigStatus::Ok, "keep", 1, 2, INT32_MIN},
        ReadCase{"FlowIndexBelow32Bits", R"({"protocol":-2147483649})", ConfigStatus::Ok, "keep", 1, 2, INT32_MAX,
                 "流程序号 -2147483649 超出32位, 已使用 2147483647"},
        ReadCase{"FlowIndexPast32Bits", R"({"protocol":4294967297})", ConfigStatus::Ok, "keep", 1, 2, 1,
                 "流程序号 4294967297 超出32位, 已使用 1"}),
    [](const ::testing::TestParamInfo<ReadCase>& i) { return std::string(i.param.name); });

// A conf.json that is there but could not be read is never saved over: it
// stays byte for byte (a FIFO a FIFO, a link the link it was), and the
// result says why. What was read, or nothing at all, is written.
TEST(Settings, SaveNeverWritesOverAFileItCouldNotRead) {
    enum Kind { Bytes, LinkToText, LinkToFifo, Nothing };
    const QByteArray userText = "my shopping list\n";
    const QByteArray stray = "{\"note\":\"GBK \xD6\xD0\xCE\xC4\",\"ip\":\"h\",\"port\":9,\"duration\":1000,\"protocol\":0}";
    const struct {
        const char* name;
        Kind kind;
        QByteArray bytes;
        Zuno::ConfigStatus status;
        const char* reason; // "" when written
    } rows[] = {
        {"a link to a text file", LinkToText, userText, Zuno::ConfigStatus::NotJson, "不是有效的JSON (第1行)"},
        {"a link to a FIFO", LinkToFifo, {}, Zuno::ConfigStatus::Unreadable, "不是普通文件"},
        {"not JSON", Bytes, "{\"ip\": \"10.0.0.1\",", Zuno::ConfigStatus::NotJson, "不是有效的JSON (第1行)"},
        {"a number no double holds", Bytes, "{\"ip\": \"10.0.0.1\",\n\"x\": 1e400}", Zuno::ConfigStatus::NotJson,
         "不是有效的JSON (第2行: 数值超出范围)"},
        {"not an object", Bytes, "[1]", Zuno::ConfigStatus::NotJson, "不是JSON对象"},
        // Read, but a save would drop what follows the object.
        {"a note after the object", Bytes, "{\"ip\": \"10.0.0.1\"}\n// platform B\n", Zuno::ConfigStatus::NotWritten,
         "第2行起JSON值之后还有内容, 保存会丢失它"},
        {"a trailing comma", Bytes, "{\"ip\": \"10.0.0.1\"},", Zuno::ConfigStatus::NotWritten,
         "第1行起JSON值之后还有内容, 保存会丢失它"},
        {"nothing but NUL bytes", Bytes, QByteArray(3, '\0'), Zuno::ConfigStatus::NotJson,
         "不是有效的JSON (第1行); 第1行在NUL字节处被截断"},
        {"over 4 MB", Bytes, "{\"ip\":\"10.0.0.9\"}" + QByteArray(4 * 1024 * 1024, ' '), Zuno::ConfigStatus::Unreadable,
         "文件超过4 MB"},
        {"a stray member that is no UTF-8", Bytes, stray, Zuno::ConfigStatus::Ok, ""},
        // Written without it, which loses nothing.
        {"a byte-order mark", Bytes, "\xEF\xBB\xBF{\"ip\":\"10.0.0.2\"}\r\n", Zuno::ConfigStatus::Ok, ""},
        {"empty", Bytes, "", Zuno::ConfigStatus::Ok, ""},
        {"missing", Nothing, {}, Zuno::ConfigStatus::Ok, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        zt::ConfigTree t;
        const QString file = t.path("conf/conf.json");
        t.mkdir("conf");
        switch (row.kind) {
        case Bytes: t.write("conf/conf.json", row.bytes); break;
        case LinkToText:
            t.write("home/list.txt", row.bytes);
            ASSERT_TRUE(QFile::link(t.path("home/list.txt"), file));
            break;
        case LinkToFifo:
            ASSERT_TRUE(zt::makeFifo(t.path("fifo").toStdString()));
            ASSERT_TRUE(QFile::link(t.path("fifo"), file));
            break;
        case Nothing: break;
        }
        // What the window would save: its values as read, or its defaults.
        ConnectionSettings s;
        Zuno::readSettings(file, s);
        const zt::Deadline deadline(std::string("saving over ") + row.name);
        const Zuno::ConfigResult saved = Zuno::writeSettings(file, s);
        EXPECT_EQ(saved.status, row.status);
        EXPECT_EQ(saved.reason.toStdString(), row.reason);
        switch (row.kind) {
        case Bytes:
            if (row.status == Zuno::ConfigStatus::Ok)
                EXPECT_EQ(t.read("conf/conf.json").toStdString(), Zuno::settingsText(s));
            else
                EXPECT_EQ(t.read("conf/conf.json"), row.bytes);
            break;
        case LinkToText:
            EXPECT_TRUE(QFileInfo(file).isSymLink());
            EXPECT_EQ(t.read("home/list.txt"), userText);
            break;
        case LinkToFifo: {
            EXPECT_TRUE(QFileInfo(file).isSymLink());
            struct stat info {};
            ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &info), 0);
            EXPECT_TRUE(S_ISFIFO(info.st_mode));
            break;
        }
        case Nothing: EXPECT_EQ(t.read("conf/conf.json").toStdString(), Zuno::settingsText(s)); break;
        }
        EXPECT_EQ(QDir(t.path("conf")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                  QStringList{"conf.json"});
    }
    // The stray member's neighbours were read and written back as read.
    zt::ConfigTree t;
    t.write("conf.json", stray);
    ConnectionSettings s;
    ASSERT_TRUE(Zuno::readSettings(t.path("conf.json"), s).ok());
    ASSERT_TRUE(Zuno::writeSettings(t.path("conf.json"), s).ok());
    EXPECT_EQ(t.read("conf.json"), "{\n  \"duration\": 1000,\n  \"ip\": \"h\",\n  \"port\": 9,\n  \"protocol\": 0\n}\n");
}

TEST(Settings, FullDiskKeepsTheOldFileAndSaysWhy) {
    zt::ConfigTree t;
    const ConnectionSettings old;
    ASSERT_TRUE(Zuno::writeSettings(t.path("conf.json"), old).ok());
    const QByteArray before = t.read("conf.json");
    zt::FullDisk full;
    ConnectionSettings s;
    s.ip = "10.1.1.1";
    const Zuno::ConfigResult written = Zuno::writeSettings(t.path("conf.json"), s);
    EXPECT_EQ(written.status, Zuno::ConfigStatus::NotWritten);
    EXPECT_EQ(written.reason, zt::FullDisk::kReason);
    EXPECT_EQ(t.read("conf.json"), before);
}

} // namespace
