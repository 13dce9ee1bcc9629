#include "connection/client_status.h"

namespace Zuno {

ControlStates controlsFor(CLIENT_STATUS status, bool autoChecked) {
    ControlStates c;
    switch (status) {
    case CLIENT_LOGGED_IN:
        c.connect = true;
        c.connectText = "断开";
        c.autoSend = true;
        c.send = !autoChecked;
        break;
    case CLIENT_DISCONNECTED:
        c.parse = true;
        c.connect = true;
        c.connectText = "连接";
        break;
    default: // connecting, connected, login sent, disconnecting
        break;
    }
    return c;
}

} // namespace Zuno
