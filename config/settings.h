#pragma once
// The connection settings file conf/conf.json: server address and port, the
// tick interval and the index of the selected protocol flow.

#include <cstdint>
#include <string>

#include <QString>
#include <QStringList>

#include "config/config_file.h"

namespace Zuno {

// The ports the window takes (its port box's range).
constexpr int64_t kPortMin = 1;
constexpr int64_t kPortMax = 65535;

struct ConnectionSettings {
    std::string ip = "127.0.0.1";
    uint32_t port = 8000;
    uint32_t duration = 1; // milliseconds between two ticks; never 0
    int protocolIndex = 0;
};

// Reads `path` into `settings`. Missing, Unreadable, Empty (the file holds no
// bytes) or NotJson (no JSON, or no JSON object): `settings` is unchanged and
// the reason says why, for the user. Ok: read; see `replaced` for the members
// that could not be used. The first JSON value is
// read, what follows it is ignored (and noted). Members are read one by one:
// what the program does not read may hold any JSON value (a number beyond a
// double's range, 1e400, is none: the file is then no JSON). An integer is a
// number written without fraction or exponent that a signed 64-bit value
// holds, cut to its field's 32 bits (a duration whose 32 bits are 0 is read
// as 1); the port then goes through the port box's range, 1 to 65535, and
// becomes the nearer end. An address of another JSON type or that is no
// UTF-8, and an integer member that is no such integer, keep the value
// `settings` had (the window passes the program's defaults). `replaced`
// (when given) names each member not used as written, with its value as the
// file writes it and the value used, for the user.
ConfigResult readSettings(const QString& path, ConnectionSettings& settings, QStringList* replaced = nullptr);

// The file's text: picojson's indented form with its final line feed.
std::string settingsText(const ConnectionSettings& settings);

// Writes the file through the one writer of conf/ (config_file.h): on
// failure the old file stays as it was and the result says why. A file that
// is there but cannot be read as settings is never written over: the result
// is then Unreadable or NotJson, with the reason it could not be read; nor
// is one with more than white space after its object (NotWritten), which
// the save would drop.
ConfigResult writeSettings(const QString& path, const ConnectionSettings& settings);

} // namespace Zuno
