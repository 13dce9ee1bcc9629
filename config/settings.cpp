#include "config/settings.h"

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
// be used as written, into a note that names it with the value kept.
class MemberReader {
public:
    MemberReader(const picojson::object& obj, QStringList* notes) : obj_(obj), notes_(notes) {}

    void text(const char* key, const QString& name, std::string& field) {
        const picojson::value* value = find(key);
        if (!value)
            return;
        if (value->is<std::string>())
            field = value->get<std::string>();
        else
            note(key, name + " " + shownValue(*value) + QStringLiteral(" 应为字符串"),
                 QString::fromStdString(field));
    }

    // The integer `key` when it lies from `min` to `max`; else the note,
    // whose range text (when given) says what the member may hold.
    bool integer(const char* key, const QString& name, int64_t min, int64_t max, const QString& range,
                 const QString& kept, int64_t& out) {
        const picojson::value* value = find(key);
        if (!value)
            return false;
        if (!value->is<int64_t>()) {
            note(key, name + " " + shownValue(*value) + QStringLiteral(" 应为整数"), kept);
            return false;
        }
        const int64_t v = value->get<int64_t>();
        if (v < min || v > max) {
            note(key, name + " " + QString::number(v) + " " + range, kept);
            return false;
        }
        out = v;
        return true;
    }

private:
    const picojson::value* find(const char* key) const {
        const auto it = obj_.find(key);
        return it == obj_.end() ? nullptr : &it->second;
    }
    void note(const char* key, const QString& what, const QString& kept) {
        qDebug() << "conf.json:" << key << "not used as written:" << what;
        if (notes_)
            notes_->append(what + QStringLiteral(", 已使用 ") + kept);
    }

    const picojson::object& obj_;
    QStringList* notes_;
};

} // namespace

SettingsRead readSettings(const QString& path, ConnectionSettings& settings, QString* reason,
                          QStringList* replaced) {
    const auto fail = [reason](SettingsRead status, const QString& why) {
        if (reason)
            *reason = why;
        return status;
    };
    if (replaced)
        replaced->clear();
    const ConfigText file = readConfigText(path);
    if (file.result.status == ConfigStatus::Missing)
        return fail(SettingsRead::Missing, file.result.reason);
    if (!file.result.ok())
        return fail(SettingsRead::Unreadable, file.result.reason);
    // Its text would be used, and written back, with the bytes replaced.
    if (!file.utf8)
        return fail(SettingsRead::Unreadable, QStringLiteral("文件不是UTF-8编码"));
    const std::string& text = file.text;
    if (text.empty())
        return fail(SettingsRead::Empty, QFileInfo(path).size() == 0 ? QStringLiteral("文件为空")
                                                                      : QStringLiteral("不是有效的JSON"));
    picojson::value root;
    std::string notJson;
    if (!parseJsonText(text, root, notJson)) {
        qDebug() << path << " , Json error";
        return fail(SettingsRead::Broken, QString::fromStdString(notJson));
    }
    if (!root.is<picojson::object>()) {
        qDebug() << "conf.json: not a JSON object";
        return fail(SettingsRead::Broken, QStringLiteral("不是JSON对象"));
    }

    QStringList notes;
    MemberReader member(root.get<picojson::object>(), &notes);
    ConnectionSettings read = settings;
    member.text("ip", QStringLiteral("地址"), read.ip);
    int64_t value = 0;
    if (member.integer("port", QStringLiteral("端口"), kPortMin, kPortMax,
                       QStringLiteral("不在 %1 到 %2 之间").arg(kPortMin).arg(kPortMax), QString::number(read.port),
                       value))
        read.port = static_cast<uint32_t>(value);
    // 0 stands for the shortest tick.
    if (member.integer("duration", QStringLiteral("时间间隔"), 0, kDurationMax,
                       QStringLiteral("不在 %1 到 %2 毫秒之间").arg(kDurationMin).arg(kDurationMax),
                       QString::number(read.duration), value))
        read.duration = value == 0 ? 1u : static_cast<uint32_t>(value);
    // Any 32-bit value, signed or not: one past the list, or 4294967295 for
    // "no flow", selects the first flow.
    if (member.integer("protocol", QStringLiteral("流程序号"), INT32_MIN, UINT32_MAX,
                       QStringLiteral("超出32位"), QString::number(read.protocolIndex), value))
        read.protocolIndex = static_cast<int>(static_cast<uint32_t>(value));
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
    return writeConfigFile(path, settingsText(settings));
}

} // namespace Zuno
