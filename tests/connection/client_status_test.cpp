#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "connection/client_status.h"

namespace {

using Zuno::ConnectionEnd;
using namespace std::chrono_literals;

TEST(ConnectionText, WhileAConnectionLasts) {
    const struct {
        CLIENT_STATUS status;
        const char* host;
        std::string text;
    } cases[] = {
        {CLIENT_CONNECTING, "10.0.0.5", "正在连接 10.0.0.5:7018…"},
        {CLIENT_CONNECTING, "::1", "正在连接 [::1]:7018…"},
        {CLIENT_CONNECTING, "", "正在连接 :7018…"},
        {CLIENT_CONNECTED, "platform.example", "已连接 platform.example:7018"},
        {CLIENT_LOGGING_IN, "10.0.0.5", "已发送登录, 等待回复…"},
        {CLIENT_LOGGED_IN, "10.0.0.5", "已登录"},
        {CLIENT_DISCONNECTING, "10.0.0.5", "正在断开…"},
        {CLIENT_DISCONNECTED, "10.0.0.5", ""}, // the end's own text tells
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Zuno::connectionStateText(c.status, c.host, 7018), c.text);
    }
}

TEST(ConnectionText, WhyAConnectionEnded) {
    const struct {
        ConnectionEnd end;
        std::string text;
    } cases[] = {
        {{ConnectionEnd::Stopped, "", 0ms}, "已断开"},
        {{ConnectionEnd::Unresolved, "platform.example (Host not found)", 0ms},
         "无法解析服务器地址: platform.example (Host not found)"},
        {{ConnectionEnd::Refused, "", 0ms}, "连接被拒绝"},
        {{ConnectionEnd::ConnectFailed, "Network is unreachable", 0ms}, "连接失败: Network is unreachable"},
        {{ConnectionEnd::LoginTimeout, "", 60s}, "60 秒内未收到登录回复"},
        {{ConnectionEnd::LoginTimeout, "", 200ms}, "0.2 秒内未收到登录回复"},
        {{ConnectionEnd::LoginTimeout, "", 1250ms}, "1.25 秒内未收到登录回复"},
        {{ConnectionEnd::PeerClosed, "", 0ms}, "平台关闭了连接"},
        {{ConnectionEnd::Failed, "Connection reset by peer", 0ms}, "连接出错: Connection reset by peer"},
        {{ConnectionEnd::BadFrame, "12 34", 0ms}, "收到无法识别的帧, 已断开: 12 34"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Zuno::connectionEndText(c.end), c.text);
    }
}


} // namespace
