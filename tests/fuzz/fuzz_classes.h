#pragma once
// Every message class the fuzzer drives. The first
// byte of a fuzz input selects the class (modulo the count); the rest is the
// frame handed to decode.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/alarm.h"
#include "protocol/alarm_cell.h"
#include "protocol/bike.h"
#include "protocol/gps.h"
#include "protocol/lbs.h"
#include "protocol/login.h"
#include "protocol/time_sync.h"
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

inline const std::vector<FuzzClass>& classes() {
    static const std::vector<FuzzClass> list{
        {"ZunoMSG", &makeOne<Zuno::ZunoMSG>},
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
        {"ZunoWifiLoc2C", &makeOne<Zuno::ZunoWifiLoc2C>},
        {"ZunoWifiInfoA2", &makeOne<Zuno::ZunoWifiInfoA2>},
        {"ZunoWifiLocC3", &makeOne<Zuno::ZunoWifiLocC3>},
    };
    return list;
}

} // namespace fuzz
