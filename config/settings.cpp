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

// Reads the members of conf.json, each into its field or, when it cannot
// be used as written, into a note that names it with its value as the file
// writes it and the value used.
class MemberReader {
public:
    MemberReader(const picojson::object& obj, const std::string& text, const JsonMemberSpans& spans,
                 QStringList* notes)
        : obj_(obj), text_(text), spans_(spans), notes_(notes) {}

    void text(const char* key, const QString& name, std::string& field) {
        const picojson::value* value = find(key);
        if (!value)
            return;
        if (!value->is<std::string>())
            changed(key, name, QStringLiteral("应为字符串"), QString::fromStdString(field));
        else if (!isValidUtf8(QByteArray::fromStdString(value->get<std::string>())))
            changed(key, name, QStringLiteral("不是UTF-8编码"), QString::fromStdString(field));
        else
            field = value->get<std::string>();
    }

    // The integer `key` (a number written without fraction or exponent that
    // a signed 64-bit value holds); false when it is missing, or no such
    // integer (noted, with `kept` as the value used).
    bool integer(const char* key, const QString& name, const QString& kept, int64_t& out) {
        const picojson::value* value = find(key);
        if (!value)
            return false;
        if (!value->is<int64_t>()) {
            changed(key, name, QStringLiteral("应为整数"), kept);
            return false;
        }
        out = value->get<int64_t>();
        return true;
    }

    // `key`, named as the file writes it, was not used as written: `how`,
    // and `used` in its place.
    void changed(const char* key, const QString& name, const QString& how, const QString& used) {
        const QString what = name + " " + written(key) + " " + how;
        qDebug() << "conf.json:" << key << "not used as written:" << what;
        if (notes_)
            notes_->append(what + QStringLiteral(", 已使用 ") + used);
    }

private:
    const picojson::value* find(const char* key) const {
        const auto it = obj_.find(key);
        return it == obj_.end() ? nullptr : &it->second;
    }
    // The member's value with its own characters, cut when long (a UTF-8
    // character has 4 bytes at most: no more is decoded than can be shown).
    QString written(const char* key) const {
        const auto it = spans_.find(key);
        if (it == spans_.end())
            return QString();
        const std::size_t size = it->second.second - it->second.first;
        const std::size_t taken = std::min<std::size_t>(size, 4 * (kShownValueChars + 1));
        QString shown = QString::fromUtf8(text_.data() + it->second.first, static_cast<int>(taken));
        for (QChar& c : shown)
            if (c == '\n' || c == '\r' || c == '\t')
                c = ' ';
        if (shown.size() <= kShownValueChars && taken == size)
            return shown;
        int cut = std::min(kShownValueChars, static_cast<int>(shown.size()));
        if (shown.at(cut - 1).isHighSurrogate())
            --cut;
        return shown.left(cut) + QStringLiteral("…");
    }

    const picojson::object& obj_;
    const std::string& text_;
    const JsonMemberSpans& spans_;
    QStringList* notes_;
};

// The file at `path` as one JSON object, or why not (nothing logged): its
// text (as the file writes it), how it read and where each member is.
struct SettingsObject {
    ConfigResult result;
    std::string text;
    JsonRead read;
    picojson::value root;
    JsonMemberSpans spans;
};

SettingsObject readSettingsObject(const QString& path) {
    SettingsObject out;
    // Read as the file has it: each member used is judged on its own bytes,
    // so a member the program never reads cannot spoil the others.
    const ConfigText file = readConfigText(path);
    out.result = file.result;
    if (!file.result.ok())
        return out;
    out.text = file.asWritten();
    if (out.text.empty() && QFileInfo(path).size() == 0) {
        out.result = {ConfigStatus::Empty, QStringLiteral("文件为空")};
        return out;
    }
    out.read = parseJsonText(out.text, out.root, &out.spans);
    if (!out.read)
        out.result = {ConfigStatus::NotJson, file.problem(out.read)};
    else if (!out.root.is<picojson::object>())
        out.result = {ConfigStatus::NotJson, QStringLiteral("不是JSON对象")};
    return out;
}

// A note when the cut of `value` to a field's 32 bits changes it.
QString cutTo32Bits() { return QStringLiteral("超出32位"); }

} // namespace

ConfigResult readSettings(const QString& path, ConnectionSettings& settings, QStringList* replaced) {
    if (replaced)
        replaced->clear();
    const SettingsObject file = readSettingsObject(path);
    if (!file.result.ok()) {
        if (file.result.status == ConfigStatus::NotJson)
            logConfigProblem(path, file.result.reason);
        return file.result;
    }

    QStringList notes;
    if (file.read.kind == JsonRead::ValueThenText)
        notes << ignoredTextNote(file.read);
    MemberReader member(file.root.get<picojson::object>(), file.text, file.spans, &notes);
    ConnectionSettings read = settings;
    member.text("ip", QStringLiteral("地址"), read.ip);
    int64_t value = 0;
    // Cut to 32 bits, then shown in the port box, whose range makes it one
    // of its ends.
    if (member.integer("port", QStringLiteral("端口"), QString::number(read.port), value)) {
        const uint32_t cut = static_cast<uint32_t>(value);
        const int64_t port = std::clamp<int64_t>(cut, kPortMin, kPortMax);
        QStringList how;
        if (cut != value)
            how << cutTo32Bits() + (port != cut ? QStringLiteral(", 取低32位为 ") + QString::number(cut) : QString());
        if (port != cut)
            how << QStringLiteral("不在 %1 到 %2 之间").arg(kPortMin).arg(kPortMax);
        if (!how.isEmpty())
            member.changed("port", QStringLiteral("端口"), how.join(", "), QString::number(port));
        read.port = static_cast<uint32_t>(port);
    }
    // Cut to 32 bits; 0 stands for the shortest tick.
    if (member.integer("duration", QStringLiteral("时间间隔"), QString::number(read.duration), value)) {
        const uint32_t cut = static_cast<uint32_t>(value);
        read.duration = cut == 0 ? 1u : cut;
        if (cut != value)
            member.changed("duration", QStringLiteral("时间间隔"), cutTo32Bits(), QString::number(read.duration));
    }
    // Cut to 32 bits, signed or not: one past the list, or 4294967295 for
    // "no flow", selects the first flow.
    if (member.integer("protocol", QStringLiteral("流程序号"), QString::number(read.protocolIndex), value)) {
        read.protocolIndex = static_cast<int>(static_cast<uint32_t>(value));
        if (value < INT32_MIN || value > UINT32_MAX)
            member.changed("protocol", QStringLiteral("流程序号"), cutTo32Bits(), QString::number(read.protocolIndex));
    }
    settings = read;
    if (replaced)
        *replaced = notes;
    return {};
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
    switch (file.result.status) {
    case ConfigStatus::Unreadable:
    case ConfigStatus::NotJson:
    case ConfigStatus::NotWritten: return file.result;
    case ConfigStatus::Ok:
        if (file.read.kind == JsonRead::ValueThenText)
            return {ConfigStatus::NotWritten, ignoredTextRefusal(file.read)};
        break;
    case ConfigStatus::Missing:
    case ConfigStatus::Empty: break;
    }
    return writeConfigFile(path, settingsText(settings));
}

} // namespace Zuno
