#pragma once
// Connection status of the terminal and the controls each status enables.
// The window applies the table below in one place; nothing else decides which
// connection controls are usable.

#include <cstdint>

#include <QMetaType>

enum CLIENT_STATUS : uint8_t {
    CLIENT_CONNECTING = 0,
    CLIENT_CONNECTED = 1,
    CLIENT_LOGGING_IN = 2,
    CLIENT_LOGGED_IN = 3,
    CLIENT_DISCONNECTING = 4,
    CLIENT_DISCONNECTED = 5,
};

Q_DECLARE_METATYPE(CLIENT_STATUS)

namespace Zuno {

// Which connection controls a status enables.
struct ControlStates {
    bool parse = false;
    bool connect = false;
    bool autoSend = false;
    bool send = false;
    // Text of the Connect button; nullptr leaves the text as it stands.
    const char* connectText = nullptr;
};

// `autoChecked`: whether the auto-send check box is checked.
ControlStates controlsFor(CLIENT_STATUS status, bool autoChecked);

} // namespace Zuno
