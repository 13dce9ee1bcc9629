#include "render/trans_info_dump.h"

#include <iomanip>
#include <map>
#include <string>

#include "protocol/helpers.h"
#include "render/dump.h"
#include "render/fields.h"

namespace Zuno {

namespace {

const std::map<uint8_t, std::string>& moduleNames() {
    static const std::map<uint8_t, std::string> table{
        {0x00, "外电电压"},
        {0x01, "客户定制01"},
        {0x02, "客户定制02"},
        {0x03, "客户定制03"},
        {0x04, "终端状态同步"},
        {0x05, "门状态"},
        {0x07, "后视镜UUID"},
        {0x08, "自检参数"},
        {0x09, "定位卫星信息"},
        {0x0A, "ICCID"},
        {0x0C, "单片机M44的透传数据包"},
        {0x0D, "OX11设备的传感数据"},
        {0x0F, "导游机"},
        {0x11, "震动次数(客户定制)"},
        {0x12, "单车高精度亚米级定位"},
        {0x15, "周边同类蓝牙MAC(TarnuTQ12)"},
        {0x16, "运动量信息(TarnuTQ12,宠物TQ13)"},
        {0x17, "环境信息(TarnuTQ12)"},
        {0x1B, "RFID"},
        {0x20, "车架号上传VIN码"},
        {0x22, "设备状态信息(集装箱)"},
        {0x24, "蓝牙透传 计步、温度、电池、太阳能(Tarnu二代)"},
        {0x25, "管理员列表更新标志(时间戳)"},
        {0x26, "安全区域更新标志(时间戳)"},
        {0x27, "透传太阳能充电信息(Tarnu二代)"},
        {0x28, "GSM时间戳+透传蓝牙数据(Tarnu二代)"},
        {0x29, "当前即时运动量"},
        {0x2A, "Vesk定制数据"},
        {0xA1, "wifi信息(随身WiFi产品)"},
        {0xA2, "录音笔状态"},
        {0xA3, "定位耳标设备信息包"},
    };
    return table;
}

// `        "name" : "<name> (0x<type>)` and `lineEnd`. Leaves the stream in
// hexadecimal with fill '0': every later number of the block is hexadecimal.
void writeNameLine(std::ostream& os, uint8_t type, const char* lineEnd) {
    os << "        \"name\" : \"" << ZunoPPGenarelModule::moduleName(type) << " (0x" << std::hex << std::setfill('0')
       << std::setw(2) << static_cast<unsigned>(type) << ")" << lineEnd;
}

// Opening and name line of a module with field lines.
void openModule(std::ostream& os, const ZunoPPGenarelModule& m, const char* opening = "{ \n") {
    os << opening;
    writeNameLine(os, m.moduleType, "\",\n");
}

void closeModule(std::ostream& os) { os << "    }"; }

// A number as the module blocks show it: without leading zeros, then
// zero-filled to `digits`, both hexadecimal.
void writeHexLine(std::ostream& os, const char* opening, uint64_t value, int digits, const char* lineEnd) {
    os << opening << value << " (0x" << std::setw(digits) << value << ")" << lineEnd;
}

void writeTimestampLine(std::ostream& os, uint64_t timestamp, const char* lineEnd) {
    os << "        \"timestamp\" : \"" << dateTimeToString(timestamp) << " (0x" << std::setw(12) << timestamp << ")"
       << lineEnd;
}

// The four raw-text modules differ in their key only.
std::ostream& writeRawTextModule(std::ostream& os, const ModuleTerminalStat& m, const char* key) {
    openModule(os, m);
    os << "        \"" << key << "\" : \"" << trim(m.content) << " (0x" << toHex(m.content, "") << ")" << "\"\n";
    closeModule(os);
    return os;
}

std::ostream& writeTimestampModule(std::ostream& os, const ModuleAdminPostFlag& m) {
    openModule(os, m);
    writeTimestampLine(os, m.timestamp, "\"\n");
    closeModule(os);
    return os;
}

} // namespace

std::string ZunoPPGenarelModule::moduleName(const uint8_t& type) {
    const auto& table = moduleNames();
    const auto it = table.find(type);
    return it == table.end() ? std::string() : it->second;
}

std::size_t moduleNameCount() { return moduleNames().size(); }

std::ostream& operator<<(std::ostream& os, const ZunoTransInfo94& m) {
    writeHeader(os, m);
    if (m.module) {
        os << "    \"module\" : " << "{ \n";
        writeNameLine(os, m.module->moduleType, "\"\n");
        os << "    }" << "\",\n";
    }
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoPPGenarelModule& m) {
    os << "{ \n";
    writeNameLine(os, m.moduleType, "\"\n");
    closeModule(os);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ModulePowerVolt& m) {
    openModule(os, m);
    writeHexLine(os, "        \"vol\":\"", m.vol, 4, "\"\n");
    closeModule(os);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ModuleDoorStat& m) {
    const DoorStatus& d = m.doorStatus;
    openModule(os, m);
    os << "        \"doorStatus\" : \"" << "门状态: " << ((d.door & 1u) ? "开" : "关") << ", "
       << "触发状态: " << ((d.triggerLevel & 1u) ? "高触发" : "低触发") << ", "
       << "IO口状态: " << ((d.ioLevel & 1u) ? "高" : "低") << " (0x" << std::setw(2)
       << static_cast<unsigned>(m.wireByte()) << ")" << "\",\n";
    closeModule(os);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ModuleShakeCount& m) {
    openModule(os, m);
    writeHexLine(os, "        \"shakeCount\":\"", m.shakeCount, 4, "\"\n");
    closeModule(os);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ModuleCountCarlorie& m) {
    openModule(os, m);
    writeHexLine(os, "        \"shakeCount\":\"", m.shakeCount, 8, "\"\n");
    closeModule(os);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ModuleEnvInfo& m) {
    openModule(os, m, "{\n");
    writeHexLine(os, "        \"atmosphericPressure\" : \"", m.atmosphericPressure, 8, "\", \n");
    writeHexLine(os, "        \"temperature\" : \"", m.temperature, 8, "\", \n");
    writeHexLine(os, "        \"humidity\" : \"", m.humidity, 8, "\"\n");
    closeModule(os);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ModuleBTData2& m) {
    openModule(os, m);
    writeHexLine(os, "        \"bettaryVoltage\" : \"", m.bettaryVoltage, 4, "\", \n");
    writeHexLine(os, "        \"photovoltaicsVolt\" : \"", m.photovoltaicsVolt, 4, "\", \n");
    writeHexLine(os, "        \"electricCurrent\" : \"", m.electricCurrent, 4, "\"\n");
    closeModule(os);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ModuleGuideMachine& m) {
    openModule(os, m, "{\n");
    writeTimestampLine(os, m.timestamp, "\", \n");
    writeHexLine(os, "        \"approved\" : \"", m.approved, 8, "\", \n");
    writeHexLine(os, "        \"allowed\" : \"", m.allowed, 8, "\"\n");
    closeModule(os);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ModuleAdminPostFlag& m) { return writeTimestampModule(os, m); }
std::ostream& operator<<(std::ostream& os, const ModuleSafeAreaFlag& m) { return writeTimestampModule(os, m); }

std::ostream& operator<<(std::ostream& os, const ModuleTerminalStat& m) { return writeRawTextModule(os, m, "content"); }
std::ostream& operator<<(std::ostream& os, const ModuleCheckPara& m) { return writeRawTextModule(os, m, "content"); }
std::ostream& operator<<(std::ostream& os, const ModuleVin& m) { return writeRawTextModule(os, m, "vin"); }
std::ostream& operator<<(std::ostream& os, const ModuleUUID& m) { return writeRawTextModule(os, m, "uuid"); }

std::ostream& operator<<(std::ostream& os, const ModuleRFID& m) {
    openModule(os, m);
    os << "        \"RFID\":\"" << m.RFID << " (0x" << m.RFID << ")" << "\",\n";
    closeModule(os);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ModuleICCID& m) {
    openModule(os, m);
    os << "        \"imei\" : \"" << trim(m.imei) << " (0x" << toHex(m.imei, " ") << ")" << "\",\n";
    os << "        \"imsi\" : \"" << trim(m.imsi) << " (0x" << toHex(m.imsi, " ") << ")" << "\"\n";
    os << "        \"iccid\" : \"" << m.iccid << " (0x" << m.iccid << ")" << "\",\n";
    closeModule(os);
    return os;
}

std::string ZunoPPGenarelModule::toString() { return renderBlock(*this); }
std::string ModulePowerVolt::toString() { return renderBlock(*this); }
std::string ModuleDoorStat::toString() { return renderBlock(*this); }
std::string ModuleShakeCount::toString() { return renderBlock(*this); }
std::string ModuleCountCarlorie::toString() { return renderBlock(*this); }
std::string ModuleEnvInfo::toString() { return renderBlock(*this); }
std::string ModuleBTData2::toString() { return renderBlock(*this); }
std::string ModuleGuideMachine::toString() { return renderBlock(*this); }
std::string ModuleAdminPostFlag::toString() { return renderBlock(*this); }
std::string ModuleSafeAreaFlag::toString() { return renderBlock(*this); }
std::string ModuleTerminalStat::toString() { return renderBlock(*this); }
std::string ModuleCheckPara::toString() { return renderBlock(*this); }
std::string ModuleVin::toString() { return renderBlock(*this); }
std::string ModuleUUID::toString() { return renderBlock(*this); }
std::string ModuleRFID::toString() { return renderBlock(*this); }
std::string ModuleICCID::toString() { return renderBlock(*this); }
std::string ZunoTransInfo94::toString() { return renderBlock(*this); }

} // namespace Zuno
