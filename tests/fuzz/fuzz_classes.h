#pragma once
// Every message class the fuzzer drives. The first
// byte of a fuzz input selects the class and whether the CRC is put right
// before decoding (so that mutations reach the content decoders); the rest is
// the frame handed to decode.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/address.h"
#include "protocol/alarm.h"
#include "protocol/alarm_cell.h"
#include "protocol/bike.h"
#include "protocol/command.h"
#include "protocol/gps.h"
#include "protocol/lbs.h"
#include "protocol/login.h"
#include "protocol/time_sync.h"
#include "protocol/trans_info.h"
#include "protocol/wifi.h"
#include "protocol/message.h"

namespace fuzz {

struct FuzzClass {
    const char* name;
    std::unique_ptr<Zuno::ZunoMSG> (*make)();
};

template <class T>
std::unique_ptr<Zuno::ZunoMSG> makeOne() {
    return std::unique_ptr<Zuno::ZunoMSG>(new T());
}

// A 0x94 message carries one module, which its decode needs before it runs.
template <class Module>
std::unique_ptr<Zuno::ZunoMSG> makeCarrying() {
    return std::unique_ptr<Zuno::ZunoMSG>(new Zuno::ZunoTransInfo94(std::make_shared<Module>()));
}

inline const std::vector<FuzzClass>& classes() {
    static const std::vector<FuzzClass> list{
        {"ZunoMSG", &makeOne<Zuno::ZunoMSG>},
        {"ZunoGeocoding17", &makeOne<Zuno::ZunoGeocoding17>},
        {"ZunoGeocodingA7", &makeOne<Zuno::ZunoGeocodingA7>},
        {"ZunoGeocoding1A", &makeOne<Zuno::ZunoGeocoding1A>},
        {"ZunoGeocoding2A", &makeOne<Zuno::ZunoGeocoding2A>},
        {"ZunoGeocoding17Resp", &makeOne<Zuno::ZunoGeocoding17Resp>},
        {"ZunoGeocoding97Resp", &makeOne<Zuno::ZunoGeocoding97Resp>},
        {"ZunoAlert16", &makeOne<Zuno::ZunoAlert16>},
        {"ZunoAlert26", &makeOne<Zuno::ZunoAlert26>},
        {"ZunoAlert27", &makeOne<Zuno::ZunoAlert27>},
        {"ZunoAlertA3", &makeOne<Zuno::ZunoAlertA3>},
        {"ZunoAlertA4", &makeOne<Zuno::ZunoAlertA4>},
        {"ZunoAlertResp", &makeOne<Zuno::ZunoAlertResp>},
        {"ZunoAlert19", &makeOne<Zuno::ZunoAlert19>},
        {"ZunoAlertA5", &makeOne<Zuno::ZunoAlertA5>},
        {"ZunoAlert95", &makeOne<Zuno::ZunoAlert95>},
        {"ZunoBikeLoc32", &makeOne<Zuno::ZunoBikeLoc32>},
        {"ZunoBikeAlert33", &makeOne<Zuno::ZunoBikeAlert33>},
        {"ZunoBikeLoc32Resp", &makeOne<Zuno::ZunoBikeLoc32Resp>},
        {"ZunoBikeAlert33Resp", &makeOne<Zuno::ZunoBikeAlert33Resp>},
        {"ZunoAction21", &makeOne<Zuno::ZunoAction21>},
        {"ZunoAction80", &makeOne<Zuno::ZunoAction80>},
        {"ZunoAction81", &makeOne<Zuno::ZunoAction81>},
        {"ZunoAction80Resp", &makeOne<Zuno::ZunoAction80Resp>},
        {"ZunoGpsLoc10", &makeOne<Zuno::ZunoGpsLoc10>},
        {"ZunoGpsLoc12", &makeOne<Zuno::ZunoGpsLoc12>},
        {"ZunoGpsLoc22", &makeOne<Zuno::ZunoGpsLoc22>},
        {"ZunoGpsLoc2D", &makeOne<Zuno::ZunoGpsLoc2D>},
        {"ZunoGpsLocA0", &makeOne<Zuno::ZunoGpsLocA0>},
        {"ZunoGpsLoc24", &makeOne<Zuno::ZunoGpsLoc24>},
        {"ZunoGpsLocResp", &makeOne<Zuno::ZunoGpsLocResp>},
        {"ZunoGpsLoc70", &makeOne<Zuno::ZunoGpsLoc70>},
        {"ZunoLbsInfo18", &makeOne<Zuno::ZunoLbsInfo18>},
        {"ZunoLbsInfo28", &makeOne<Zuno::ZunoLbsInfo28>},
        {"ZunoLbsInfo2E", &makeOne<Zuno::ZunoLbsInfo2E>},
        {"ZunoLbsInfoA1", &makeOne<Zuno::ZunoLbsInfoA1>},
        {"ZunoLbsInfoResp", &makeOne<Zuno::ZunoLbsInfoResp>},
        {"ZunoLogin", &makeOne<Zuno::ZunoLogin>},
        {"ZunoLoginResp", &makeOne<Zuno::ZunoLoginResp>},
        {"ZunoPing13", &makeOne<Zuno::ZunoPing13>},
        {"ZunoPong13", &makeOne<Zuno::ZunoPong13>},
        {"ZunoPing23", &makeOne<Zuno::ZunoPing23>},
        {"ZunoPong23", &makeOne<Zuno::ZunoPong23>},
        {"ZunoSyncTime", &makeOne<Zuno::ZunoSyncTime>},
        {"ZunoSyncTimeResp", &makeOne<Zuno::ZunoSyncTimeResp>},
        {"ZunoSyncTime1F", &makeOne<Zuno::ZunoSyncTime1F>},
        {"ZunoSyncTime1FResp", &makeOne<Zuno::ZunoSyncTime1FResp>},
        {"ZunoTransInfo94", &makeOne<Zuno::ZunoTransInfo94>},
        {"ZunoWifiLoc2C", &makeOne<Zuno::ZunoWifiLoc2C>},
        {"ZunoWifiInfoA2", &makeOne<Zuno::ZunoWifiInfoA2>},
        {"ZunoWifiLocC3", &makeOne<Zuno::ZunoWifiLocC3>},
        {"ZunoTransInfo94_ModulePowerVolt", &makeCarrying<Zuno::ModulePowerVolt>},
        {"ZunoTransInfo94_ModuleDoorStat", &makeCarrying<Zuno::ModuleDoorStat>},
        {"ZunoTransInfo94_ModuleShakeCount", &makeCarrying<Zuno::ModuleShakeCount>},
        {"ZunoTransInfo94_ModuleCountCarlorie", &makeCarrying<Zuno::ModuleCountCarlorie>},
        {"ZunoTransInfo94_ModuleEnvInfo", &makeCarrying<Zuno::ModuleEnvInfo>},
        {"ZunoTransInfo94_ModuleBTData2", &makeCarrying<Zuno::ModuleBTData2>},
        {"ZunoTransInfo94_ModuleGuideMachine", &makeCarrying<Zuno::ModuleGuideMachine>},
        {"ZunoTransInfo94_ModuleAdminPostFlag", &makeCarrying<Zuno::ModuleAdminPostFlag>},
        {"ZunoTransInfo94_ModuleSafeAreaFlag", &makeCarrying<Zuno::ModuleSafeAreaFlag>},
        {"ZunoTransInfo94_ModuleTerminalStat", &makeCarrying<Zuno::ModuleTerminalStat>},
        {"ZunoTransInfo94_ModuleCheckPara", &makeCarrying<Zuno::ModuleCheckPara>},
        {"ZunoTransInfo94_ModuleVin", &makeCarrying<Zuno::ModuleVin>},
        {"ZunoTransInfo94_ModuleUUID", &makeCarrying<Zuno::ModuleUUID>},
        {"ZunoTransInfo94_ModuleRFID", &makeCarrying<Zuno::ModuleRFID>},
        {"ZunoTransInfo94_ModuleICCID", &makeCarrying<Zuno::ModuleICCID>},
    };
    return list;
}

} // namespace fuzz
