#pragma once
// Code-to-text tables of the dumps. A code without a row has the empty text;
// no lookup changes a table, and the tables may be read from any thread.

#include <cstdint>
#include <map>
#include <string>

namespace Zuno {

using AlarmNameMap = std::map<uint8_t, std::string>;
using DeviceTypeNameMap = std::map<uint16_t, std::string>;

std::string alarmName(uint8_t code);
std::string deviceTypeName(uint16_t code);
std::string powerLevelName(uint8_t code);  // voltage grade 0 to 6, 0xFF
std::string signalLevelName(uint8_t code); // GSM level 0 to 4, 0xFF
std::string postModelName(uint8_t code);   // data upload mode
std::string postStatusName(uint8_t code);  // real-time / re-upload flag

// Whole copies, in ascending code order, for the selection lists of the
// settings dialogs.
AlarmNameMap alarmNameMap();
DeviceTypeNameMap deviceTypeNameMap();

// Battery percent of a measured voltage in 0.01 V: 0 below 3.65 V, 100 from
// 4.20 V, else the row of the largest tabled voltage not above it.
unsigned batteryPercent(uint16_t voltage);

} // namespace Zuno
