#include "config/settings.h"

#include <algorithm>
#include <cstdint>

#include <QDebug>
#include <QFileInfo>

#include "config/model_file.h"

namespace Zuno {

namespace {

// The longest value a note shows whole.
constexpr int kShownValueChars = 40;

// A member's value as the file has it, for a note. A number written with a
// fraction or an exponent keeps a fraction: 1e3 is shown 1000.0, not as the
// integer it is not.
QString shownValue(const picojson::value& value) {
    QString text = QString::fromStdString(value.serialize());
    if (value.is<double>() && !value.is<int64_t>() && !text.contains('.') && !text.contains('e'))
        text += QStringLiteral(".0");
    return text.size() <= kShownValueChars ? text : text.left(kShownValueChars) + QStringLiteral("…");
}

// Reads the members of conf.json, each into its field or, when it cannot
// be used as written, into a note that names it with the value used.
class MemberReader {
public:
    MemberReader(const picojson::object& obj, QStringList* notes) : obj_(obj), notes_(notes) {}

    void text(const char* key, const QString& name, std::string& field) {
        const picojson::value* value = find(key);
        if (!value)
            return;
        if (!value->is<std::string>())
            note(key, name + " " + shownValue(*value) + QStringLiteral(" 应为字符串"), QString::fromStdString(field));
        else if (!isValidUtf8(QByteArray::fromStdString(value->get<std::string>())))
            note(key, name + " " + shownValue(*value) + QStringLiteral(" 不是UTF-8编码"), QString::fromStdString(field));
        else
            field = value->get<std::string>();
    }

    // The integer `key`; false when it is missing, or no integer (noted,
    // with `kept` as the value used).
    bool integer(const char* key, const QString& name, const QString& kept, int64_t& out) {
        const picojson::value* value = find(key);
        if (!value)
            return false;
        if (!value->is<int64_t>()) {
            note(key, name + " " + shownValue(*value) + QStringLiteral(" 应为整数"), kept);
            return false;
        }
        out = value->get<int64_t>();
        return true;
    }

    // `value` of `key` lies outside what it may hold (`range`); `used` is used.
    void outOfRange(const char* key, const QString& name, int64_t value, const QString& range, const QString& used) {
        note(key, name + " " + QString::number(value) + " " + range, used);
    }

private:
    const picojson::value* find(const char* key) const {
        const auto it = obj_.find(key);
        return it == obj_.end() ? nullptr : &it->second;
    }
    void note(const char* key, const QString& what, const QString& used) {
        qDebug() << "conf.json:" << key << "not used as written:" << what;
        if (notes_)
            notes_->append(what + QStringLiteral(", 已使用 ") + used);
    }

    const picojson::object& obj_;
    QStringList* notes_;
};

// The file at `path` as one JSON object, or why not (nothing logged): its
// text (as the file writes it) and how it read.
struct SettingsObject {
    SettingsRead status = SettingsRead::Ok;
    QString why;
    std::string text;
    JsonRead read;
    picojson::value root;
};

SettingsObject readSettingsObject(const QString& path) {
    SettingsObject out;
    // Read as the file has it: each member used is judged on its own bytes,
    // so a member the program never reads cannot spoil the others.
    const ConfigText file = readConfigText(path);
    out.why = file.result.reason;
    if (file.result.status == ConfigStatus::Missing) {
        out.status = SettingsRead::Missing;
        return out;
    }
    if (!file.result.ok()) {
        out.status = SettingsRead::Unreadable;
        return out;
    }
    out.text = file.asWritten();
    if (out.text.empty() && QFileInfo(path).size() == 0) {
        out.status = SettingsRead::Empty;
        out.why = QStringLiteral("文件为空");
        return out;
    }
    out.read = parseJsonText(out.text, out.root);
    if (!out.read) {
        out.status = SettingsRead::Broken;
        out.why = file.problem(out.read);
    } else if (!out.root.is<picojson::object>()) {
        out.status = SettingsRead::Broken;
        out.why = QStringLiteral("不是JSON对象");
    }
    return out;
}

} // namespace

SettingsRead readSettings(const QString& path, ConnectionSettings& settings, QString* reason,
                          QStringList* replaced) {
    if (replaced)
        replaced->clear();
    const SettingsObject file = readSettingsObject(path);
    if (file.status != SettingsRead::Ok) {
        if (file.status == SettingsRead::Broken)
            logConfigProblem(path, file.why);
        if (reason)
            *reason = file.why;
        return file.status;
    }

    QStringList notes;
    if (file.read.kind == JsonRead::ValueThenText)
        notes << ignoredTextNote(file.read);
    MemberReader member(file.root.get<picojson::object>(), &notes);
    ConnectionSettings read = settings;
    member.text("ip", QStringLiteral("地址"), read.ip);
    int64_t value = 0;
    // Shown in the port box, whose range makes it one of its ends.
    if (member.integer("port", QStringLiteral("端口"), QString::number(read.port), value)) {
        const int64_t port = std::clamp(value, kPortMin, kPortMax);
        if (port != value)
            member.outOfRange("port", QStringLiteral("端口"), value,
                              QStringLiteral("不在 %1 到 %2 之间").arg(kPortMin).arg(kPortMax), QString::number(port));
        read.port = static_cast<uint32_t>(port);
    }
    // Any 32-bit value as written; 0 stands for the shortest tick.
    if (member.integer("duration", QStringLiteral("时间间隔"), QString::number(read.duration), value)) {
        if (value < 0 || value > UINT32_MAX)
            member.outOfRange("duration", QStringLiteral("时间间隔"), value,
                              QStringLiteral("不在 0 到 %1 毫秒之间").arg(UINT32_MAX), QString::number(read.duration));
        else
            read.duration = value == 0 ? 1u : static_cast<uint32_t>(value);
    }
    // Any 32-bit value, signed or not: one past the list, or 4294967295 for
    // "no flow", selects the first flow.
    if (member.integer("protocol", QStringLiteral("流程序号"), QString::number(read.protocolIndex), value)) {
        if (value < INT32_MIN || value > UINT32_MAX)
            member.outOfRange("protocol", QStringLiteral("流程序号"), value, QStringLiteral("超出32位"),
                              QString::number(read.protocolIndex));
        else
            read.protocolIndex = static_cast<int>(static_cast<uint32_t>(value));
    }
    settings = read;
    if (replaced)
        *replaced = notes;
    return SettingsRead::Ok;
}

std::string settingsText(const ConnectionSettings& settings) {
    picojson::object obj;
    obj["ip"] = picojson::value(settings.ip);
    obj["port"] = picojson::value(static_cast<int64_t>(settings.port));
    obj["duration"] = picojson::value(static_cast<int64_t>(settings.duration));
    obj["protocol"] =
        picojson::value(static_cast<int64_t>(static_cast<uint32_t>(settings.protocolIndex)));
    return serializeConfig(picojson::value(obj));
}

ConfigResult writeSettings(const QString& path, const ConnectionSettings& settings) {
    // Only what was read, or nothing, is written over: a file that cannot be
    // read stays as it is, whatever it holds, and so does one with more
    // after its object than the save would write.
    const SettingsObject file = readSettingsObject(path);
    switch (file.status) {
    case SettingsRead::Unreadable: return {ConfigStatus::Unreadable, file.why};
    case SettingsRead::Broken: return {ConfigStatus::NotJson, file.why};
    case SettingsRead::Ok:
        if (file.read.kind == JsonRead::ValueThenText)
            return {ConfigStatus::NotWritten, ignoredTextRefusal(file.read)};
        break;
    case SettingsRead::Missing:
    case SettingsRead::Empty: break;
    }
    return writeConfigFile(path, settingsText(settings));
}

} // namespace Zuno
