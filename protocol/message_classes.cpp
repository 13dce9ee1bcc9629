#include "protocol/message_classes.h"

#include <algorithm>
#include <cctype>

#include "protocol/address.h"
#include "protocol/alarm.h"
#include "protocol/alarm_cell.h"
#include "protocol/bike.h"
#include "protocol/command.h"
#include "protocol/gps.h"
#include "protocol/helpers.h"
#include "protocol/lbs.h"
#include "protocol/login.h"
#include "protocol/time_sync.h"
#include "protocol/trans_info.h"
#include "protocol/wifi.h"

namespace Zuno {

namespace {

constexpr LengthRule never{LengthRule::Never, 0};
constexpr LengthRule any{LengthRule::Any, 0};
constexpr LengthRule equal(uint16_t n) { return {LengthRule::Equal, n}; }
constexpr LengthRule atLeast(uint16_t n) { return {LengthRule::AtLeast, n}; }

template <class T>
std::unique_ptr<ZunoMSG> make() {
    return std::make_unique<T>();
}

// A class of the terminal, named by its keyword (or by none).
template <class T>
MessageClass terminal(const char* name, const char* keyword, LengthRule typed = any) {
    return {name, T::kProtocol, Sender::Terminal, keyword, typed, never, &make<T>};
}

// A class of the platform.
template <class T>
MessageClass platform(const char* name, LengthRule typed, LengthRule received) {
    return {name, T::kProtocol, Sender::Platform, nullptr, typed, received, &make<T>};
}

template <class T>
MessageClass unused(const char* name) {
    return {name, T::kProtocol, Sender::Nobody, nullptr, never, never, &make<T>};
}

// The first of `rows` whose `rule` matches, an exact rule before one that
// takes any length.
const MessageClass* select(uint8_t protocol, uint16_t length, LengthRule MessageClass::*rule) {
    const MessageClass* loose = nullptr;
    for (const MessageClass& c : messageClasses()) {
        const LengthRule& r = c.*rule;
        if (c.protocol != protocol || !r.matches(length)) continue;
        if (r.kind != LengthRule::Any) return &c;
        if (!loose) loose = &c;
    }
    return loose;
}

} // namespace

bool LengthRule::matches(uint16_t length) const {
    switch (kind) {
    case Any: return true;
    case Equal: return length == value;
    case AtLeast: return length >= value;
    case Never: break;
    }
    return false;
}

const std::vector<MessageClass>& messageClasses() {
    // Replies of five bytes' length carry nothing but the serial number.
    static const std::vector<MessageClass> rows{
        terminal<ZunoGeocoding17>("ZunoGeocoding17", "GEO17", equal(36)),
        terminal<ZunoGeocodingA7>("ZunoGeocodingA7", "GEOA7"),
        terminal<ZunoGeocoding1A>("ZunoGeocoding1A", "GEO1A"),
        terminal<ZunoGeocoding2A>("ZunoGeocoding2A", "GEO2A"),
        platform<ZunoGeocoding17Resp>("ZunoGeocoding17Resp", any, atLeast(37)),
        platform<ZunoGeocoding97Resp>("ZunoGeocoding97Resp", any, atLeast(46)),
        terminal<ZunoAlert16>("ZunoAlert16", "ALERT16"),
        terminal<ZunoAlert26>("ZunoAlert26", "ALERT26"),
        terminal<ZunoAlert27>("ZunoAlert27", "ALERT27"),
        terminal<ZunoAlertA3>("ZunoAlertA3", "ALERTA3"),
        terminal<ZunoAlertA4>("ZunoAlertA4", "ALERTA4"),
        platform<ZunoAlertResp>("ZunoAlertResp", equal(5), equal(5)),
        terminal<ZunoAlert19>("ZunoAlert19", "ALERT19"),
        terminal<ZunoAlertA5>("ZunoAlertA5", "ALERTA5"),
        terminal<ZunoAlert95>("ZunoAlert95", "ALERT95"),
        terminal<ZunoBikeLoc32>("ZunoBikeLoc32", "GPSBIKE32"),
        terminal<ZunoBikeAlert33>("ZunoBikeAlert33", "ALERTBIKE33"),
        // A typed 0x32 or 0x33 frame is always the terminal's report.
        platform<ZunoBikeLoc32Resp>("ZunoBikeLoc32Resp", never, equal(5)),
        platform<ZunoBikeAlert33Resp>("ZunoBikeAlert33Resp", never, equal(5)),
        terminal<ZunoAction21>("ZunoAction21", "CMD21"),
        platform<ZunoAction80>("ZunoAction80", any, any),
        terminal<ZunoAction81>("ZunoAction81", "CMD81"),
        terminal<ZunoAction80Resp>("ZunoAction80Resp", "CMD80RESP", equal(42)),
        terminal<ZunoGpsLoc10>("ZunoGpsLoc10", "GPS10"),
        terminal<ZunoGpsLoc12>("ZunoGpsLoc12", "GPS12"),
        terminal<ZunoGpsLoc22>("ZunoGpsLoc22", "GPS22"),
        terminal<ZunoGpsLoc2D>("ZunoGpsLoc2D", "GPS2D"),
        terminal<ZunoGpsLocA0>("ZunoGpsLocA0", "GPSA0"),
        terminal<ZunoGpsLoc24>("ZunoGpsLoc24", "GPS24"),
        platform<ZunoGpsLocResp>("ZunoGpsLocResp", equal(5), equal(5)),
        unused<ZunoGpsLoc70>("ZunoGpsLoc70"),
        terminal<ZunoLbsInfo18>("ZunoLbsInfo18", "LBS18"),
        terminal<ZunoLbsInfo28>("ZunoLbsInfo28", "LBS28"),
        terminal<ZunoLbsInfo2E>("ZunoLbsInfo2E", "LBS2E"),
        terminal<ZunoLbsInfoA1>("ZunoLbsInfoA1", "LBSA1"),
        platform<ZunoLbsInfoResp>("ZunoLbsInfoResp", equal(5), equal(5)),
        terminal<ZunoLogin>("ZunoLogin", "LOGIN"),
        platform<ZunoLoginResp>("ZunoLoginResp", equal(5), equal(5)),
        terminal<ZunoPing13>("ZunoPing13", "PING13"),
        platform<ZunoPong13>("ZunoPong13", equal(5), equal(5)),
        terminal<ZunoPing23>("ZunoPing23", "PING23"),
        platform<ZunoPong23>("ZunoPong23", equal(5), equal(5)),
        terminal<ZunoSyncTime>("ZunoSyncTime", "TIME8A", equal(5)),
        platform<ZunoSyncTimeResp>("ZunoSyncTimeResp", any, equal(11)),
        terminal<ZunoSyncTime1F>("ZunoSyncTime1F", "TIME1F", equal(13)),
        platform<ZunoSyncTime1FResp>("ZunoSyncTime1FResp", any, equal(11)),
        // Neither typed nor built: its module is chosen by code.
        terminal<ZunoTransInfo94>("ZunoTransInfo94", nullptr, never),
        terminal<ZunoWifiLoc2C>("ZunoWifiLoc2C", "WIFI2C"),
        terminal<ZunoWifiInfoA2>("ZunoWifiInfoA2", "WIFIA2"),
        terminal<ZunoWifiLocC3>("ZunoWifiLocC3", "WIFIC3"),
    };
    return rows;
}

const MessageClass* typedClass(uint8_t protocol, uint16_t length) {
    return select(protocol, length, &MessageClass::typed);
}

const MessageClass* receivedClass(uint8_t protocol, uint16_t length) {
    return select(protocol, length, &MessageClass::received);
}

const std::vector<CommandKeyword>& commandKeywords() {
    static const std::vector<CommandKeyword> table = [] {
        std::vector<CommandKeyword> rows;
        for (const MessageClass& c : messageClasses())
            if (c.keyword) rows.push_back({c.keyword, c.protocol});
        return rows;
    }();
    return table;
}

uint8_t protocolNumber(const std::string& cmd) {
    std::string name = trim(cmd);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const CommandKeyword& row : commandKeywords())
        if (name == row.keyword)
            return row.number;
    return kNoKeyword;
}

} // namespace Zuno
