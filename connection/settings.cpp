#include "connection/settings.h"

#include <QDebug>
#include <QFileInfo>
#include <QSaveFile>

#include <picojson.h>

#include "builders/model_file.h"

#include "protocol/text_file.h"

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

SettingsRead readSettings(const QString& path, ConnectionSettings& settings) {
    if (!QFileInfo::exists(path))
        return SettingsRead::Missing;
    const std::string text = readTextFile(path).toUtf8().toStdString();
    if (text.empty())
        return SettingsRead::Empty;
    picojson::value root;
    if (!parseJsonText(text, root)) {
        qDebug() << path << " , Json error";
        return SettingsRead::Broken;
    }
    if (!root.is<picojson::object>()) {
        qDebug() << "conf.json: not a JSON object";
        return SettingsRead::Broken;
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
    return picojson::value(obj).serialize(true);
}

bool writeSettings(const QString& path, const ConnectionSettings& settings, QString* error) {
    QSaveFile file(path);
    const std::string text = settingsText(settings);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(text.data(), static_cast<qint64>(text.size())) !=
        static_cast<qint64>(text.size())) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace Zuno
