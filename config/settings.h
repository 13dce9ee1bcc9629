#pragma once
// The connection settings file conf/conf.json: server address and port, the
// tick interval and the index of the selected protocol flow.

#include <cstdint>
#include <string>

#include <QString>

#include "config/config_file.h"

namespace Zuno {

struct ConnectionSettings {
    std::string ip = "127.0.0.1";
    uint32_t port = 8000;
    uint32_t duration = 1; // milliseconds between two ticks; never 0
    int protocolIndex = 0;
};

enum class SettingsRead {
    Missing,    // no such file
    Unreadable, // there, but it cannot be opened or read
    Empty,      // the file reads as empty text
    Broken,     // no JSON, or no JSON object
    Ok,         // read; members of another type keep their values (logged)
};

// Reads `path` into `settings`; on anything but Ok `settings` is unchanged
// and `reason` (when given) says why, for the user.
SettingsRead readSettings(const QString& path, ConnectionSettings& settings, QString* reason = nullptr);

// The file's text: picojson's indented form with its final line feed.
std::string settingsText(const ConnectionSettings& settings);

// Writes the file through the one writer of conf/ (config_file.h): on
// failure the old file stays as it was and the result says why.
ConfigResult writeSettings(const QString& path, const ConnectionSettings& settings);

} // namespace Zuno
