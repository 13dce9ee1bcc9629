#pragma once
// The connection settings file conf/conf.json: server address and port, the
// tick interval and the index of the selected protocol flow.

#include <cstdint>
#include <string>

#include <QString>
#include <QStringList>

#include "config/config_file.h"

namespace Zuno {

// The values a member must lie in to be used as written.
constexpr int64_t kPortMin = 1;
constexpr int64_t kPortMax = 65535;
constexpr int64_t kDurationMin = 1;       // milliseconds; 0 is read as 1
constexpr int64_t kDurationMax = 3600000; // one hour

struct ConnectionSettings {
    std::string ip = "127.0.0.1";
    uint32_t port = 8000;
    uint32_t duration = 1; // milliseconds between two ticks; never 0
    int protocolIndex = 0;
};

enum class SettingsRead {
    Missing,    // no such file
    Unreadable, // there, but it cannot be opened or read, or its bytes are no UTF-8
    Empty,      // the file reads as empty text
    Broken,     // no JSON, or no JSON object
    Ok,         // read; see `replaced` for the members that could not be used
};

// Reads `path` into `settings`; on anything but Ok `settings` is unchanged
// and `reason` (when given) says why, for the user. A member of another
// JSON type, a port outside 1 to 65535, a duration outside 1 ms to one hour
// or a flow index of more than 32 bits keeps the value `settings` had (the
// window passes the program's defaults), and `replaced` (when given) names
// each such member with its value and the value used, for the user.
SettingsRead readSettings(const QString& path, ConnectionSettings& settings, QString* reason = nullptr,
                          QStringList* replaced = nullptr);

// The file's text: picojson's indented form with its final line feed.
std::string settingsText(const ConnectionSettings& settings);

// Writes the file through the one writer of conf/ (config_file.h): on
// failure the old file stays as it was and the result says why.
ConfigResult writeSettings(const QString& path, const ConnectionSettings& settings);

} // namespace Zuno
