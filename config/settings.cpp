#include "config/settings.h"

#include <QDebug>
#include <QFileInfo>

#include "config/model_file.h"

namespace Zuno {

namespace {

// The integer member `key`, when it is there and an integer.
bool integerMember(const picojson::object& obj, const char* key, int64_t& out) {
    const auto it = obj.find(key);
    if (it == obj.end())
        return false;
    if (!it->second.is<int64_t>()) {
        qDebug() << "conf.json:" << key << "is not an integer";
        return false;
    }
    out = it->second.get<int64_t>();
    return true;
}

} // namespace

SettingsRead readSettings(const QString& path, ConnectionSettings& settings, QString* reason) {
    const auto fail = [reason](SettingsRead status, const QString& why) {
        if (reason)
            *reason = why;
        return status;
    };
    const ConfigText file = readConfigText(path);
    if (file.result.status == ConfigStatus::Missing)
        return fail(SettingsRead::Missing, file.result.reason);
    if (!file.result.ok())
        return fail(SettingsRead::Unreadable, file.result.reason);
    const std::string& text = file.text;
    if (text.empty())
        return fail(SettingsRead::Empty, QFileInfo(path).size() == 0 ? QStringLiteral("文件为空")
                                                                      : QStringLiteral("不是有效的JSON"));
    picojson::value root;
    if (!parseJsonText(text, root)) {
        qDebug() << path << " , Json error";
        return fail(SettingsRead::Broken, QStringLiteral("不是有效的JSON"));
    }
    if (!root.is<picojson::object>()) {
        qDebug() << "conf.json: not a JSON object";
        return fail(SettingsRead::Broken, QStringLiteral("不是JSON对象"));
    }
    const picojson::object& obj = root.get<picojson::object>();

    ConnectionSettings read = settings;
    const auto ip = obj.find("ip");
    if (ip != obj.end()) {
        if (ip->second.is<std::string>())
            read.ip = ip->second.get<std::string>();
        else
            qDebug() << "conf.json: ip is not a string";
    }
    int64_t value = 0;
    if (integerMember(obj, "port", value))
        read.port = static_cast<uint32_t>(value);
    if (integerMember(obj, "duration", value)) {
        read.duration = static_cast<uint32_t>(value);
        if (read.duration == 0)
            read.duration = 1;
    }
    if (integerMember(obj, "protocol", value))
        read.protocolIndex = static_cast<int>(static_cast<uint32_t>(value));
    settings = read;
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
