#include "connection/client_status.h"

#include <string>

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
    case CLIENT_CONNECTING:
    case CLIENT_CONNECTED:
    case CLIENT_LOGGING_IN:
        // Always a way out: the attempt can be ended at any moment.
        c.connect = true;
        c.connectText = "断开";
        break;
    case CLIENT_DISCONNECTING:
        break;
    }
    return c;
}

namespace {

// "60", "0.25": seconds with no more decimals than the value has.
std::string secondsText(std::chrono::milliseconds timeout) {
    const long long ms = timeout.count() < 0 ? 0 : static_cast<long long>(timeout.count());
    std::string text = std::to_string(ms / 1000);
    if (ms % 1000 != 0) {
        std::string fraction = std::to_string(1000 + ms % 1000).substr(1);
        fraction.erase(fraction.find_last_not_of('0') + 1);
        text += "." + fraction;
    }
    return text;
}

// "host:port"; an IPv6 address in brackets.
std::string addressText(const std::string& host, uint32_t port) {
    const bool v6 = host.find(':') != std::string::npos;
    return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

} // namespace

std::string connectionStateText(CLIENT_STATUS status, const std::string& host, uint32_t port) {
    switch (status) {
    case CLIENT_CONNECTING:
        return "正在连接 " + addressText(host, port) + "…";
    case CLIENT_CONNECTED:
        return "已连接 " + addressText(host, port);
    case CLIENT_LOGGING_IN:
        return "已发送登录, 等待回复…";
    case CLIENT_LOGGED_IN:
        return "已登录";
    case CLIENT_DISCONNECTING:
        return "正在断开…";
    case CLIENT_DISCONNECTED:
        break;
    }
    return std::string();
}

std::string notConnectedText() { return "未连接"; }

std::string loginOfferedText() { return "正在登录…"; }

std::string connectionEndText(const ConnectionEnd& end) {
    switch (end.kind) {
    case ConnectionEnd::Stopped:
        return "已断开";
    case ConnectionEnd::Unresolved:
        return "无法解析服务器地址: " + end.detail;
    case ConnectionEnd::Refused:
        return "连接被拒绝";
    case ConnectionEnd::ConnectFailed:
        return "连接失败: " + end.detail;
    case ConnectionEnd::LoginTimeout:
        return secondsText(end.loginTimeout) + " 秒内未收到登录回复";
    case ConnectionEnd::PeerClosed:
        return "平台关闭了连接";
    case ConnectionEnd::Failed:
        return "连接出错: " + end.detail;
    case ConnectionEnd::BadFrame:
        return "收到无法识别的帧, 已断开: " + end.detail;
    }
    return "已断开";
}

} // namespace Zuno
