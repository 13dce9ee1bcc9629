#pragma once
// Every message class the fuzzer drives, and seed frames for them. The first
// byte of a fuzz input selects the class (modulo the count); the rest is the
// frame handed to decode.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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
    };
    return list;
}

struct Seed {
    const char* className;
    const char* frameHex;
};

inline const std::vector<Seed>& seeds() {
    static const std::vector<Seed> list{
        {"ZunoMSG", "787805010001D9DC0D0A"},
    };
    return list;
}

} // namespace fuzz
