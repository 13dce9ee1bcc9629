#pragma once
// Every message class and every module of the 0x94 message that the fuzz
// targets drive, by name (the names of the seed list). Inputs select a class
// by its position in these lists, so kept inputs stay valid only while new
// entries go at the end (of the codec's class table, too).

#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
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
#include "protocol/message_classes.h"

namespace fuzz {

struct FuzzClass {
    std::string name;
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

struct ModuleKind {
    const char* name;
    std::shared_ptr<Zuno::ZunoPPGenarelModule> (*make)();
    std::unique_ptr<Zuno::ZunoMSG> (*carrying)();
};

template <class M>
std::shared_ptr<Zuno::ZunoPPGenarelModule> makeModule() {
    return std::make_shared<M>();
}

template <class M>
ModuleKind moduleKind(const char* name) {
    return {name, &makeModule<M>, &makeCarrying<M>};
}

// Every module of the 0x94 message, in the order of the catalogue, and the
// module base, which has no bytes.
inline const std::vector<ModuleKind>& moduleKinds() {
    using namespace Zuno;
    static const std::vector<ModuleKind> list{
        moduleKind<ModulePowerVolt>("ModulePowerVolt"),       moduleKind<ModuleDoorStat>("ModuleDoorStat"),
        moduleKind<ModuleShakeCount>("ModuleShakeCount"),     moduleKind<ModuleCountCarlorie>("ModuleCountCarlorie"),
        moduleKind<ModuleEnvInfo>("ModuleEnvInfo"),           moduleKind<ModuleBTData2>("ModuleBTData2"),
        moduleKind<ModuleGuideMachine>("ModuleGuideMachine"), moduleKind<ModuleAdminPostFlag>("ModuleAdminPostFlag"),
        moduleKind<ModuleSafeAreaFlag>("ModuleSafeAreaFlag"), moduleKind<ModuleTerminalStat>("ModuleTerminalStat"),
        moduleKind<ModuleCheckPara>("ModuleCheckPara"),       moduleKind<ModuleVin>("ModuleVin"),
        moduleKind<ModuleUUID>("ModuleUUID"),                 moduleKind<ModuleRFID>("ModuleRFID"),
        moduleKind<ModuleICCID>("ModuleICCID"),         moduleKind<ZunoPPGenarelModule>("ZunoPPGenarelModule"),
    };
    return list;
}

// The message base, every message class of the codec's table (in its
// order), and a 0x94 message carrying each module.
inline const std::vector<FuzzClass>& classes() {
    static const std::vector<FuzzClass> withModules = [] {
        std::vector<FuzzClass> all{{"ZunoMSG", &makeOne<Zuno::ZunoMSG>}};
        for (const Zuno::MessageClass& c : Zuno::messageClasses()) all.push_back({c.name, c.make});
        for (const ModuleKind& k : moduleKinds()) all.push_back({std::string("ZunoTransInfo94_") + k.name, k.carrying});
        return all;
    }();
    return withModules;
}

} // namespace fuzz

namespace fuzz {

// The listed class that `msg` is an object of (a 0x94 message is matched
// with its module's class), or null when it is none of them.
inline const FuzzClass* classOf(const Zuno::ZunoMSG& msg) {
    const auto* info = dynamic_cast<const Zuno::ZunoTransInfo94*>(&msg);
    for (const auto& cls : classes()) {
        const auto made = cls.make();
        const Zuno::ZunoMSG& m = *made;
        if (typeid(m) != typeid(msg)) continue;
        if (info) {
            const auto* other = static_cast<const Zuno::ZunoTransInfo94*>(&m);
            const bool bothEmpty = !info->module && !other->module;
            if (!bothEmpty && (!info->module || !other->module)) continue;
            if (!bothEmpty) {
                const Zuno::ZunoPPGenarelModule& mine = *info->module;
                const Zuno::ZunoPPGenarelModule& theirs = *other->module;
                if (typeid(mine) != typeid(theirs)) continue;
            }
        }
        return &cls;
    }
    return nullptr;
}

} // namespace fuzz
