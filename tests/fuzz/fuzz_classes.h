#pragma once
// Every message class the fuzzer drives. The first
// byte of a fuzz input selects the class (modulo the count); the rest is the
// frame handed to decode.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/login.h"
#include "protocol/message.h"
#include "protocol/time_sync.h"

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
    };
    return list;
}

} // namespace fuzz
