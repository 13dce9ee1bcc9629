// Packet names by protocol number, as shown in the "command" line of a dump.
#include <map>

#include "protocol/message.h"

namespace Zuno {

namespace {

const std::map<uint8_t, std::string>& commandNames() {
    // Built once (thread-safe local static) and only read afterwards.
    static const std::map<uint8_t, std::string> table{
        {0x00, "IP请求包, IP回复包"},
        {0x01, "登录"},
        {0x10, "GPS定位包 KR26"},
        {0x12, "GPS定位包12"},
        {0x13, "心跳包13"},
        {0x15, "终端在线指令回复(旧版)"},
        {0x16, "报警包16"},
        {0x17, "中文地址回复包"},
        {0x18, "LBS扩展信息包(0x18)"},
        {0x19, "报警包（LBS）"},
        {0x1A, "GPS地址请求包1A,与2A协议完全相同"},
        {0x1F, "KR26 时间同步信息包"},
        {0x21, "终端在线指令回复"},
        {0x22, "GPS定位包22"},
        {0x23, "心跳包23"},
        {0x24, "GPS定位包24"},
        {0x26, "报警数据（单围栏）"},
        {0x27, "报警数据（多围栏）"},
        {0x28, "LBS多基站扩展信息包"},
        {0x2A, "GPS地址请求包（UTC）"},
        {0x2C, "WIFI定位包"},
        {0x2D, "GPS定位包2D 需要回复"},
        {0x2E, "LBS定位包2E 需要回复"},
        {0x30, "图片成功后上报平台[TCP] （GPS定位服务器）"},
        {0x31, "定位数据（FZ11专用）"},
        {0x32, "自行车定位包"},
        {0x33, "自行车告警包"},
        {0x34, "GPSQD36定位包"},
        {0x37, "GPS定位包37"},
        {0x70, "GPS定位包70"},
        {0x80, "在线指令"},
        {0x81, "KR14系列，指令回复包"},
        {0x84, "传感器数据回复包(0x84)"},
        {0x88, "APP客户端与服务器通讯，发OBD控制指令"},
        {0x89, "接受WEB发过来的【控制指令包】"},
        {0x8A, "校时包"},
        {0x8C, "KR32 OBD包(待废弃)"},
        {0x8D, "大文件传输"},
        {0x8E, "Y12 OBD包(待废弃)"},
        {0x8F, "Y12 OBD控制包(待废弃)"},
        {0x93, "Y12 OBD包(定时) 定时上报OBD状态(待废弃)"},
        {0x94, "信息传输通用包"},
        {0x95, "报警数据包（0X95，后视镜终端）"},
        {0x97, "英文地址回复包"},
        {0x98, "自行车信息包"},
        {0x9B, "外挂模块透传协议（服务器发送）"},
        {0x9C, "外挂模块透传协议（模块发送）"},
        {0xA0, "LBS定位包A0"},
        {0xA1, "LBS信息包A1"},
        {0xA2, "WIFI息包（KR24）"},
        {0xA3, "报警数据4G（单围栏）"},
        {0xA4, "报警数据4G（UTC）（多围栏）"},
        {0xA5, "报警包4G(LBS)"},
        {0xA7, "LBS地址请求包"},
        {0xA8, "GPS定位包A8"},
        {0xAA, "终端流量统计（0XAA，后视镜终端）"},
        {0xAB, "DVR OBD信息"},
        {0xAC, "驾驶习惯"},
        {0xAD, "本次行程统计"},
        {0xAE, "OBD数据包（0XAE，套线模块接口协议）"},
        {0xC3, "后视镜WIFI信息采集包"},
        {0xFF, "UNKNOW"},
    };
    return table;
}

} // namespace

std::string ZunoMSG::commandName(const uint8_t& protocolNumber) {
    const auto& table = commandNames();
    const auto it = table.find(protocolNumber);
    return it == table.end() ? std::string() : it->second;
}

std::size_t commandNameCount() { return commandNames().size(); }

} // namespace Zuno
