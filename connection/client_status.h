#pragma once
// Connection status of the terminal and the controls each status enables
// (controlsFor, the window's one rule for them, the auto-send check box
// included).

#include <chrono>
#include <cstdint>
#include <string>

#include <QMetaType>

// In the order a connection goes through them: within one connection the
// status only moves forward (movesForward).
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

// Whether a connection that shows `shown` may go on to `next`: the same step
// again (the login, offered then written) or a later one. A connection is
// begun only by the user's Connect, never by a step of the worker.
inline bool movesForward(CLIENT_STATUS shown, CLIENT_STATUS next) { return next >= shown; }

// Why a connection ended, as the network client saw it.
struct ConnectionEnd {
    enum Kind : uint8_t {
        Stopped,       // the owner closed it (Disconnect, a settings dialog, the window closing)
        Refused,       // the platform refused the connection
        ConnectFailed, // the connect failed otherwise; `detail` holds the error text
        LoginTimeout,  // no login reply within `loginTimeout`
        PeerClosed,    // the platform closed the connection
        Failed,        // a read or a write failed; `detail` holds the error text
        BadFrame,      // a frame's start or length cannot be read; `detail` holds its first bytes
        Unresolved,    // the platform's address was not found; `detail` names it and says why
    };
    Kind kind = Stopped;
    std::string detail;
    std::chrono::milliseconds loginTimeout{0};
};

// The status bar's text (UTF-8) while a connection is in `status`; `host` and
// `port` name the platform. Empty for CLIENT_DISCONNECTED, which
// connectionEndText tells.
std::string connectionStateText(CLIENT_STATUS status, const std::string& host, uint32_t port);

// The status bar's text (UTF-8) before the first connection.
std::string notConnectedText();

// The status bar's text (UTF-8) while the login has been offered to the
// client and is not yet written; connectionStateText's CLIENT_LOGGING_IN
// says it was sent.
std::string loginOfferedText();

// Whether pressing Connect in `status` ends the connection (the button then
// reads "断开"): while it is being made, made, logging in or logged in.
inline bool connectEnds(CLIENT_STATUS status) {
    return status != CLIENT_DISCONNECTED && status != CLIENT_DISCONNECTING;
}

// The status bar's text (UTF-8) once a connection has ended.
std::string connectionEndText(const ConnectionEnd& end);

} // namespace Zuno
