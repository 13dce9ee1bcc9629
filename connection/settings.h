#pragma once
// The connection settings file conf/conf.json: server address and port, the
// tick interval and the index of the selected protocol flow.

#include <cstdint>
#include <string>

#include <QString>

namespace Zuno {

struct ConnectionSettings {
    std::string ip = "127.0.0.1";
    uint32_t port = 8000;
    uint32_t duration = 1; // milliseconds between two ticks; never 0
    int protocolIndex = 0;
};

enum class SettingsRead {
    Missing, // no such file
    Empty,   // the file reads as empty text
    Broken,  // no JSON, or no JSON object
    Ok,      // read; members of another type keep their values (logged)
};

// Reads `path` into `settings`; on anything but Ok `settings` is unchanged.
SettingsRead readSettings(const QString& path, ConnectionSettings& settings);

// The file's text: picojson's indented form with its final line feed.
std::string settingsText(const ConnectionSettings& settings);

// Writes the file atomically: a new file beside it replaces the old one only
// once it is complete. On failure the old file stays, `error` (when given)
// gets the reason and the result is false.
bool writeSettings(const QString& path, const ConnectionSettings& settings,
                   QString* error = nullptr);

} // namespace Zuno
