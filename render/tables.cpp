// The code-to-text tables of the dumps: alarms, device types, voltage and
// signal levels, upload modes, the real-time / re-upload flag and the battery
// curve of the measured-voltage heartbeat.
//
// Every table is a function-local constant, built once (thread-safe) on its
// first use and only read afterwards; lookups use find and never insert.
#include "render/tables.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

#include "protocol/message.h"

namespace Zuno {

namespace {

template <class Map>
std::string lookup(const Map& table, typename Map::key_type code) {
    const auto it = table.find(code);
    return it == table.end() ? std::string() : it->second;
}

const AlarmNameMap& alarmTable() {
    static const AlarmNameMap table{
        {0x00, "正常"},
        {0x01, "SOS求救"},
        {0x02, "断电报警"},
        {0x03, "震动报警"},
        {0x04, "进围栏报警"},
        {0x05, "出围栏报警"},
        {0x06, "超速报警"},
        {0x09, "位移报警"},
        {0x0A, "进GPS盲区报警"},
        {0x0B, "出GPS盲区报警"},
        {0x0C, "开机报警"},
        {0x0D, "GPS第一次定位报警"},
        {0x0E, "外电低电报警"},
        {0x0F, "外电低电保护报警"},
        {0x10, "换卡报警"},
        {0x11, "关机报警"},
        {0x12, "外电低电保护后飞行模式报警"},
        {0x13, "拆卸报警"},
        {0x14, "门报警"},
        {0x15, "低电关机报警"},
        {0x16, "声控报警"},
        {0x17, "伪基站报警"},
        {0x18, "开盖报警"},
        {0x19, "内部电池低电报警"},
        {0x1A, "退出运输模式报警"},
        {0x1B, "疑似离群报警(Vesk)"},
        {0x20, "进入深度休眠报警"},
        {0x21, "预留1"},
        {0x22, "预留2"},
        {0x23, "跌倒报警"},
        {0x24, "插入充电器报警"},
        {0x25, "光感报警"},
        {0x26, "远离蓝牙报警"},
        {0x27, "剪线报警"},
        {0x28, "主动离线（关机）报警"},
        {0x29, "急加速"},
        {0x2A, "左急转弯报警"},
        {0x2B, "右急转弯报警"},
        {0x2C, "车辆翻转报警"},
        {0x30, "急减速"},
        {0x31, "离群报警"},
        {0x32, "拔除翻转报警(Vesk)"},
        {0x33, "上锁报警(Vesk)"},
        {0x34, "开锁报警(Vesk)"},
        {0x35, "异常开锁报警(Vesk)"},
        {0x36, "开锁失败报警(Vesk)"},
        {0x37, "敲击报警(Vesk)"},
        {0x38, "超距报警(Vesk)"},
        {0x39, "超距消警(Vesk)"},
        {0x3A, "腕带恢复(Vesk)"},
        {0x3B, "静止报警"},
        {0x3C, "盗车报警(Vesk)"},
        {0x3D, "非法启动报警(Vesk)"},
        {0x3E, "按键事件上报(Vesk)"},
        {0x48, "宠物走失报警"},
        {0x49, "电池充满报警"},
        {0x4A, "电池异常报警"},
        {0x80, "后视镜震动报警"},
        {0x81, "超流量告警"},
        {0x82, "设备重启"},
        {0x83, "碰撞告警"},
        {0x84, "1号摄象头不正常"},
        {0x85, "2号摄象头不正常"},
        {0x86, "SD卡无法识别"},
        {0x87, "后视镜超速报警"},
        {0x88, "断电报警"},
        {0x89, "无USB摄象头"},
        {0x8A, "断油电告警恢复"},
        {0x8B, "断油电告警断开"},
        {0x93, "撞车报警"},
        {0xA0, "上锁上报"},
        {0xA1, "开锁上报"},
        {0xA2, "内部低电报警"},
        {0xA3, "内部低电报警"},
        {0xA4, "异常报警"},
        {0xA5, "异常开锁报警"},
        {0xA6, "开锁失败报警"},
        {0xFE, "ACC开"},
        {0xFF, "ACC关"},
    };
    return table;
}

const DeviceTypeNameMap& deviceTypeTable() {
    static const DeviceTypeNameMap table{
        {0x1004, "LM11 LBS版本"},
        {0x1005, "LM11 GPS版本"},
        {0x1006, "HX7 GPS+不带消息+单基站"},
        {0x1009, "HX7 LBS+不带消息+单基站"},
        {0x100A, "KR15"},
        {0x100B, "KR16"},
        {0x100C, "HX7 GPS+消息下发+单基站"},
        {0x100D, "HX7 LBS+消息下发+单基站"},
        {0x100F, "HX7 GPS+消息下发+多基站"},
        {0x1010, "HX7 LBS+消息下发+多基站"},
        {0x1300, "VS12带断电功能"},
        {0x1301, "VS12不带断电功能"},
        {0x1302, "KR19透传（Ketravo）"},
        {0x2000, "KR11带断油电功能"},
        {0x2001, "KR11不带断油电功能"},
        {0x2002, "PD14"},
        {0x2003, "PD15"},
        {0x2004, "PD16"},
        {0x2005, "PD18"},
        {0x2006, "PD19"},
        {0x2007, "UO11"},
        {0x2008, "PD20"},
        {0x2010, "VS11电动车锁电机功能"},
        {0x2011, "KR18带断油电功能"},
        {0x2012, "VS11不带断油电及锁电机功能"},
        {0x2013, "PD11"},
        {0x2014, "PD13"},
        {0x2015, "TQ11"},
        {0x2016, "SE11"},
        {0x2020, "KR17"},
        {0x2100, "HB11 LBS版本"},
        {0x2101, "HB11 GPS版本"},
        {0x2102, "HB12 GPS版本"},
        {0x2120, "KR21"},
        {0x2200, "VS13带断电功能"},
        {0x2201, "VS13不带断电功能"},
        {0x2202, "VS14"},
        {0x2203, "VS16"},
        {0x2204, "VS17"},
        {0x2205, "CU11"},
        {0x2206, "VS18"},
        {0x2207, "VS19"},
        {0x2208, "PD12"},
        {0x2210, "Y11断油电版本"},
        {0x2211, "Y11不断油电版本"},
        {0x2300, "KR20"},
        {0x3000, "KR24"},
        {0x3001, "KR13"},
        {0x3002, "KR25(PD22)"},
        {0x3004, "PD17（KR43 KR29 PD17）"},
        {0x3005, "KR23"},
        {0x3006, "KR22"},
        {0x3007, "TQ12Tarnu"},
        {0x3370, "KR28"},
        {0x3600, "KR27"},
        {0x3605, "RA11"},
        {0x3606, "WX11外贸版"},
        {0x5000, "KR30无OBD版本"},
        {0x5001, "KR30 OBD版本（即KR32）"},
        {0x5002, "KR30蓝牙版本"},
        {0x5003, "KR31"},
        {0x5004, "PD21"},
        {0x7000, "KR33"},
        {0x7001, "KR34"},
        {0x7002, "KR35"},
        {0x7003, "KR37"},
        {0x7004, "KR38"},
        {0x7005, "KR39"},
        {0x7006, "KR40"},
        {0x7007, "KR41"},
        {0x7008, "TQ14"},
        {0x7201, "KR36"},
        {0x8000, "KR42"},
        {0x8004, "VS20"},
        {0xFFFF, "未知"},
    };
    return table;
}

const std::map<uint8_t, std::string>& powerLevelTable() {
    static const std::map<uint8_t, std::string> table{
        {0x00, "无电(关机)"},
        {0x01, "电量极低(不足以打电话发短信)"},
        {0x02, "电量很低(低电报警)"},
        {0x03, "电量低(可正常使用)"},
        {0x04, "电量中"},
        {0x05, "电量高"},
        {0x06, "电量极高"},
        {0xFF, "未知状态"},
    };
    return table;
}

const std::map<uint8_t, std::string>& signalLevelTable() {
    static const std::map<uint8_t, std::string> table{
        {0x00, "无信号"},
        {0x01, "信号极弱"},
        {0x02, "信号较弱"},
        {0x03, "信号良好"},
        {0x04, "信号强"},
        {0xFF, "未知状态"},
    };
    return table;
}

const std::map<uint8_t, std::string>& postModelTable() {
    static const std::map<uint8_t, std::string> table{
        {0x00, "定时上报"},
        {0x01, "定距上报"},
        {0x02, "拐点上传"},
        {0x03, "ACC状态改变上传"},
        {0x04, "从运动变为静止状态后，补传最后一个定位点"},
        {0x05, "网络断开重连后，上报之前最后一个有效上传点"},
        {0x06, "上报模式：星历更新强制上传GPS点"},
        {0x07, "上报模式：按键上传定位点"},
        {0x08, "上报模式：开机上报位置信息"},
        {0x09, "上报模式：未使用"},
        {0x0A, "上报模式：设备静止后上报最后的经纬度，但时间更新"},
        {0x0B, "WIFI解析经纬度上传包"},
        {0x0C, "上报模式：LJDW（立即定位）指令上报"},
        {0x0D, "上报模式：设备静止后上报最后的经纬度"},
        {0x0E, "上报模式：GPSDUP上传（下静止状态定时上传）"},
        {0x0F, "上报模式：退出追踪模式"},
        {0x10, "开门"},
        {0x11, "关门"},
        {0x12, "拆除"},
        {0x13, "安装"},
        {0x14, "进围栏"},
        {0x15, "出围栏"},
        {0x16, "环境异常"},
        {0x17, "切换为海运模式"},
        {0x18, "切换为陆运模式"},
        {0x19, "切换为静置模式"},
        {0x1A, "电池低电"},
        {0x1B, "超速"},
        {0x1C, "惯性导航"},
        {0xFF, "未知"},
    };
    return table;
}

const std::map<uint8_t, std::string>& postStatusTable() {
    static const std::map<uint8_t, std::string> table{
        {0x00, "实时上传"},
        {0x01, "补传"},
        {0x02, "不定位且LBS禁用的上一次定位包"},
        {0x03, "GPS与LBS均无上传的最后一个定位包"},
        {0x04, "补传02"},
        {0x05, "补传03"},
        {0xFF, "未知"},
    };
    return table;
}

// Battery percent by voltage in 0.01 V, ascending; 377, 418 and 419 have no
// row of their own.
using VoltagePercent = std::pair<uint16_t, uint8_t>;
const std::array<VoltagePercent, 53>& voltagePercentTable() {
    static const std::array<VoltagePercent, 53> table{{
        {365, 0},  {366, 2},  {367, 5},  {368, 7},  {369, 10}, {370, 12}, {371, 15}, {372, 17}, {373, 20},
        {374, 25}, {375, 30}, {376, 35}, {378, 40}, {379, 45}, {380, 48}, {381, 50}, {382, 52}, {383, 54},
        {384, 55}, {385, 57}, {386, 59}, {387, 60}, {388, 62}, {389, 64}, {390, 68}, {391, 70}, {392, 71},
        {393, 72}, {394, 73}, {395, 74}, {396, 75}, {397, 77}, {398, 78}, {399, 79}, {400, 80}, {401, 81},
        {402, 83}, {403, 84}, {404, 85}, {405, 87}, {406, 88}, {407, 89}, {408, 90}, {409, 91}, {410, 92},
        {411, 93}, {412, 94}, {413, 95}, {414, 96}, {415, 97}, {416, 98}, {417, 99}, {420, 100},
    }};
    return table;
}

} // namespace

std::string alarmName(uint8_t code) { return lookup(alarmTable(), code); }
std::string deviceTypeName(uint16_t code) { return lookup(deviceTypeTable(), code); }
std::string powerLevelName(uint8_t code) { return lookup(powerLevelTable(), code); }
std::string signalLevelName(uint8_t code) { return lookup(signalLevelTable(), code); }
std::string postModelName(uint8_t code) { return lookup(postModelTable(), code); }
std::string postStatusName(uint8_t code) { return lookup(postStatusTable(), code); }

AlarmNameMap alarmNameMap() { return alarmTable(); }
DeviceTypeNameMap deviceTypeNameMap() { return deviceTypeTable(); }

unsigned batteryPercent(uint16_t voltage) {
    const auto& table = voltagePercentTable();
    if (voltage < table.front().first) return table.front().second;
    if (voltage >= table.back().first) return table.back().second;
    // The last row whose voltage is not above the given one.
    const auto above = std::upper_bound(table.begin(), table.end(), voltage,
                                        [](uint16_t v, const VoltagePercent& row) { return v < row.first; });
    return std::prev(above)->second;
}

// The message's own accessors read no field of it.
std::string ZunoMSG::alarmName(const uint8_t& code) const { return Zuno::alarmName(code); }
std::string ZunoMSG::deviceTypeName(const uint16_t& code) const { return Zuno::deviceTypeName(code); }
std::string ZunoMSG::powerLevelName(const uint8_t& code) const { return Zuno::powerLevelName(code); }
std::string ZunoMSG::signalLevelName(const uint8_t& code) const { return Zuno::signalLevelName(code); }
std::string ZunoMSG::postModelName(const uint8_t& code) const { return Zuno::postModelName(code); }
std::string ZunoMSG::postStatusName(const uint8_t& code) const { return Zuno::postStatusName(code); }
std::map<uint8_t, std::string> ZunoMSG::alarmNameMap() { return Zuno::alarmNameMap(); }
std::map<uint16_t, std::string> ZunoMSG::deviceTypeNameMap() { return Zuno::deviceTypeNameMap(); }

} // namespace Zuno
