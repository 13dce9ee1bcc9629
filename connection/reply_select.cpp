#include "connection/reply_select.h"

#include "protocol/address.h"
#include "protocol/alarm.h"
#include "protocol/bike.h"
#include "protocol/command.h"
#include "protocol/gps.h"
#include "protocol/lbs.h"
#include "protocol/login.h"
#include "protocol/time_sync.h"

namespace {

template <class T>
std::unique_ptr<Zuno::ZunoMSG> make() {
    return std::make_unique<T>();
}

} // namespace

std::unique_ptr<Zuno::ZunoMSG> makePlatformMessage(uint8_t protocolNumber, uint16_t length) {
    // Replies of five bytes' length carry nothing but the serial number.
    switch (protocolNumber) {
    case 0x01: return length == 5 ? make<Zuno::ZunoLoginResp>() : nullptr;
    case 0x13: return length == 5 ? make<Zuno::ZunoPong13>() : nullptr;
    case 0x17: return length >= 37 ? make<Zuno::ZunoGeocoding17Resp>() : nullptr;
    case 0x1F: return length == 11 ? make<Zuno::ZunoSyncTime1FResp>() : nullptr;
    case 0x23: return length == 5 ? make<Zuno::ZunoPong23>() : nullptr;
    case 0x26: return length == 5 ? make<Zuno::ZunoAlertResp>() : nullptr;
    case 0x2D: return length == 5 ? make<Zuno::ZunoGpsLocResp>() : nullptr;
    case 0x2E: return length == 5 ? make<Zuno::ZunoLbsInfoResp>() : nullptr;
    case 0x32: return length == 5 ? make<Zuno::ZunoBikeLoc32Resp>() : nullptr;
    case 0x33: return length == 5 ? make<Zuno::ZunoBikeAlert33Resp>() : nullptr;
    case 0x80: return make<Zuno::ZunoAction80>();
    case 0x8A: return length == 11 ? make<Zuno::ZunoSyncTimeResp>() : nullptr;
    case 0x97: return length >= 46 ? make<Zuno::ZunoGeocoding97Resp>() : nullptr;
    default: return nullptr;
    }
}
