// The information-transfer packet 0x94 and its fifteen modules: layouts,
// lengths, the identifier modules' text rules, bounded module reads and the
// module blocks.
#include <gtest/gtest.h>

#include <typeinfo>

#include "protocol/catalogue.h"
#include "protocol/crc.h"
#include "protocol/trans_info.h"
#include "render/trans_info_dump.h"
#include "support/test_util.h"

using zt::bytes;
using zt::hex;

namespace {

using namespace Zuno;

template <class M>
std::function<std::unique_ptr<ZunoMSG>()> carrying() {
    return [] { return std::unique_ptr<ZunoMSG>(new ZunoTransInfo94(std::make_shared<M>())); };
}

std::vector<CatalogueRow> transInfoRows() {
    return {
        {"TransInfoPowerVolt", carrying<ModulePowerVolt>(), "78 78 08 94 00 04 E2 00 20 EA D5 0D 0A", ""},
        {"TransInfoDoorStat", carrying<ModuleDoorStat>(), "78 78 07 94 05 05 00 21 9F 3A 0D 0A", "trans_info_door.txt"},
        {"TransInfoShakeCount", carrying<ModuleShakeCount>(), "78 78 08 94 11 01 2C 00 22 02 15 0D 0A", ""},
        {"TransInfoCountCarlorie", carrying<ModuleCountCarlorie>(), "78 78 0A 94 16 00 01 E2 40 00 23 AD C0 0D 0A", ""},
        {"TransInfoEnvInfo", carrying<ModuleEnvInfo>(),
         "78 78 12 94 17 00 01 8B CD 00 00 00 19 00 00 00 3C 00 24 61 FB 0D 0A", "trans_info_env.txt"},
        {"TransInfoBTData2", carrying<ModuleBTData2>(), "78 78 0C 94 27 10 04 14 50 01 5E 00 25 D9 54 0D 0A", ""},
        {"TransInfoGuideMachine", carrying<ModuleGuideMachine>(),
         "78 78 14 94 0F 13 01 0F 08 1E 00 00 00 00 0C 00 00 00 1E 00 26 90 91 0D 0A", ""},
        {"TransInfoAdminPostFlag", carrying<ModuleAdminPostFlag>(),
         "78 78 0C 94 25 14 03 01 08 05 09 00 27 B4 05 0D 0A", ""},
        {"TransInfoSafeAreaFlag", carrying<ModuleSafeAreaFlag>(), "78 78 0C 94 26 14 03 01 08 05 09 00 28 9A F5 0D 0A",
         ""},
        {"TransInfoTerminalStat", carrying<ModuleTerminalStat>(),
         "78 78 0D 94 04 4F 4E 01 02 00 00 00 00 29 E9 71 0D 0A", ""},
        {"TransInfoCheckPara", carrying<ModuleCheckPara>(), "78 78 0D 94 08 56 31 2E 32 2E 33 41 00 2A 7F 2C 0D 0A", ""},
        {"TransInfoVin", carrying<ModuleVin>(), "78 78 0D 94 20 4C 53 56 31 32 33 34 00 2B D1 3B 0D 0A", ""},
        {"TransInfoUUID", carrying<ModuleUUID>(), "78 78 0D 94 07 55 55 00 00 00 00 00 00 2C BA 86 0D 0A", ""},
        {"TransInfoRFID", carrying<ModuleRFID>(), "78 78 0E 94 1B 01 23 45 67 89 AB CD EF 00 2D 6A 65 0D 0A", ""},
        {"TransInfoICCID", carrying<ModuleICCID>(),
         "78 78 20 94 0A 03 58 51 10 20 00 12 34 04 60 00 12 34 56 78 90 89 86 00 12 34 56 78 90 12 34 00 2E 8E 75 0D "
         "0A",
         ""},
    };
}

// A module of the test's own: two fixed bytes, and where its decode was asked
// to read.
class TwoByteModule : public ZunoPPGenarelModule {
public:
    size_t readAt = 0;

    int encode(std::vector<uint8_t>& out) override {
        out.insert(out.end(), {0xAB, 0xCD});
        return 2;
    }
    size_t decode(const std::vector<uint8_t>&, size_t& pos) override {
        readAt = pos;
        pos += 2;
        return pos;
    }
    std::unique_ptr<ZunoPPGenarelModule> clone() const override { return std::make_unique<TwoByteModule>(*this); }
    std::string toString() override { return "two"; }
};

// Module bytes and the value its encode returns.
std::string moduleBytes(ZunoPPGenarelModule& m, int& rc) {
    std::vector<uint8_t> out;
    rc = m.encode(out);
    return hex(out);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(TransInfo, CatalogueTest, ::testing::ValuesIn(transInfoRows()), catalogueName);

TEST(TransInfo94, LengthIsSixPlusTheModule) {
    auto door = std::make_shared<ModuleDoorStat>();
    door->doorStatus.door = 1;
    ZunoTransInfo94 m(door);
    m.infoType = 0x05;
    std::vector<uint8_t> out;
    ASSERT_EQ(m.encode(out), 0);
    EXPECT_EQ(m.len, 7);
    EXPECT_EQ(hex(out).substr(0, 18), "78 78 07 94 05 01 ");

    ZunoTransInfo94 env(std::make_shared<ModuleEnvInfo>());
    out.clear();
    ASSERT_EQ(env.encode(out), 0);
    EXPECT_EQ(env.len, 18);
}

TEST(TransInfo94, ModuleThatWritesNothingOrIsMissing) {
    // A raw-text module with no text and an RFID without digits write nothing.
    std::shared_ptr<ZunoPPGenarelModule> failing[] = {std::make_shared<ModuleTerminalStat>(),
                                                      std::make_shared<ModuleRFID>(), nullptr};
    for (const auto& module : failing) {
        ZunoTransInfo94 m(module);
        m.len = 3;
        std::vector<uint8_t> out;
        EXPECT_EQ(m.encode(out), kErrTransInfoModule);
        EXPECT_TRUE(out.empty());
        EXPECT_EQ(m.len, 3);
    }

    ZunoTransInfo94 none;
    EXPECT_EQ(none.decode(bytes("78 78 07 94 05 05 00 21 9F 3A 0D 0A")), kErrTransInfoModule);
    const std::string text = none.toString();
    EXPECT_EQ(text.find("module"), std::string::npos);
    EXPECT_NE(text.find("\"command\" : \"信息传输通用包 (0x94)\",\n    \"seq\""), std::string::npos) << text;
    EXPECT_FALSE(none.clone()->toString().empty());
}

TEST(TransInfo94, CloneSharesTheModule) {
    ZunoTransInfo94 m(std::make_shared<ModulePowerVolt>());
    auto copy = m.clone();
    auto* same = dynamic_cast<ZunoTransInfo94*>(copy.get());
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(same->module.get(), m.module.get());
}

TEST(Modules, DoorStatByte) {
    ModuleDoorStat open;
    open.doorStatus.door = 1;
    int rc = 0;
    EXPECT_EQ(moduleBytes(open, rc), "01");
    EXPECT_EQ(rc, 1);

    ModuleDoorStat d;
    size_t pos = 0;
    EXPECT_EQ(d.decode(bytes("06"), pos), 1u);
    EXPECT_EQ(d.doorStatus.door, 0);
    EXPECT_EQ(d.doorStatus.triggerLevel, 1);
    EXPECT_EQ(d.doorStatus.ioLevel, 1);
}

TEST(Modules, RfidDigits) {
    struct Case {
        const char* rfid;
        int rc;
        const char* written;
    };
    const Case cases[] = {
        {"0123456789abcdef", 8, "01 23 45 67 89 AB CD EF"},
        {"123456789ABCDEF", 8, "01 23 45 67 89 AB CD EF"}, // 15 digits: the first alone
        {"0123456789ABCD", kErrModuleText1, ""},
        {"0123456789ABCDEF01", kErrModuleText1, ""},
        {"", kErrModuleText1, ""},
    };
    for (const Case& c : cases) {
        ModuleRFID m;
        m.RFID = c.rfid;
        int rc = 0;
        EXPECT_EQ(moduleBytes(m, rc), c.written) << c.rfid;
        EXPECT_EQ(rc, c.rc) << c.rfid;
    }
    ModuleRFID back;
    size_t pos = 1;
    EXPECT_EQ(back.decode(bytes("FF 01 23 45 67 89 AB CD EF"), pos), 9u);
    EXPECT_EQ(back.RFID, "0123456789ABCDEF");
}

TEST(Modules, IccidFailsAtTheFirstBadField) {
    ModuleICCID m;
    m.imei = "0358511020001234";
    m.imsi = "04600012345678"; // 7 bytes
    m.iccid = "89860012345678901234";
    int rc = 0;
    EXPECT_EQ(moduleBytes(m, rc), "03 58 51 10 20 00 12 34");
    EXPECT_EQ(rc, kErrModuleText2);
    m.imsi = "0460001234567890";
    m.iccid = "898600123456789012";
    moduleBytes(m, rc);
    EXPECT_EQ(rc, kErrModuleText3);
    m.imei = "";
    EXPECT_EQ(moduleBytes(m, rc), "");
    EXPECT_EQ(rc, kErrModuleText1);
}

TEST(Modules, RawTextIsWrittenWholeAndReadAsSevenBytes) {
    ModuleVin m;
    m.content = "LSVAB1234567";
    int rc = 0;
    moduleBytes(m, rc);
    EXPECT_EQ(rc, 12);
    std::vector<uint8_t> out;
    m.encode(out);
    ModuleVin back;
    size_t pos = 0;
    EXPECT_EQ(back.decode(out, pos), 7u);
    EXPECT_EQ(back.content, "LSVAB12");
}

// Reads that would pass the end of the data read nothing: the fields become
// 0 or empty and the position still moves on by the module's size.
TEST(Modules, DecodeNeverReadsPastTheData) {
    const std::vector<uint8_t> data = bytes("01 02 03");
    struct Case {
        std::unique_ptr<ZunoPPGenarelModule> module;
        size_t size;
    };
    std::vector<Case> cases;
    cases.push_back({std::make_unique<ModulePowerVolt>(), 2});
    cases.push_back({std::make_unique<ModuleEnvInfo>(), 12});
    cases.push_back({std::make_unique<ModuleGuideMachine>(), 14});
    cases.push_back({std::make_unique<ModuleTerminalStat>(), 7});
    cases.push_back({std::make_unique<ModuleRFID>(), 8});
    cases.push_back({std::make_unique<ModuleICCID>(), 26});
    for (auto& c : cases) {
        for (size_t start : {size_t{2}, size_t{3}, size_t{40}}) {
            const std::vector<uint8_t> exact(data);
            size_t pos = start;
            EXPECT_EQ(c.module->decode(exact, pos), start + c.size) << typeid(*c.module).name() << " at " << start;
            EXPECT_EQ(pos, start + c.size);
        }
    }
    ModuleICCID iccid;
    iccid.imei = "x";
    size_t pos = 1;
    iccid.decode(bytes("00 01 02 03 04 05 06 07"), pos);
    EXPECT_EQ(iccid.imei, "");
    EXPECT_EQ(iccid.imsi, "");
    EXPECT_EQ(iccid.iccid, "");
    EXPECT_EQ(pos, 27u);

    ModuleEnvInfo env;
    env.humidity = 5;
    pos = 0;
    env.decode(bytes("00 00 00 01 00 00 00 02"), pos);
    EXPECT_EQ(env.atmosphericPressure, 1u);
    EXPECT_EQ(env.temperature, 2u);
    EXPECT_EQ(env.humidity, 0u);
}

// The packet reads its module through the module's own decode, from the
// byte after the information type, and the serial where that decode left
// the position; the base module reads nothing, returns 0 and leaves it.
TEST(Modules, PacketUsesTheModulesVirtualOperations) {
    ZunoPPGenarelModule base;
    size_t pos = 5;
    EXPECT_EQ(base.decode(bytes("01 02 03 04 05 06 07"), pos), 0u);
    EXPECT_EQ(pos, 5u);

    for (const uint16_t begin : {kBeginShort, kBeginLong}) {
        auto module = std::make_shared<TwoByteModule>();
        ZunoTransInfo94 m(module);
        m.begin = begin;
        m.infoType = 0x33;
        m.seq = 0x0102;
        std::vector<uint8_t> out;
        ASSERT_EQ(m.encode(out), 0);
        EXPECT_EQ(m.len, 8);
        ZunoTransInfo94 back(module);
        ASSERT_EQ(back.decode(out), 0);
        EXPECT_EQ(module->readAt, begin == kBeginLong ? 6u : 5u);
        EXPECT_EQ(back.infoType, 0x33);
        EXPECT_EQ(back.seq, 0x0102);
    }
}

// A 0x94 frame whose length field leaves less room than the module needs.
TEST(TransInfo94, ModuleMustFitBeforeTheSerial) {
    ZunoTransInfo94 m(std::make_shared<ModuleEnvInfo>());
    // infoType and 4 module bytes, then serial, CRC and stop.
    auto frame = bytes("78 78 0A 94 17 00 01 8B CD 00 24 00 00 0D 0A");
    const uint16_t c = Zuno::crcItu(frame, 2, 9);
    frame[11] = static_cast<uint8_t>(c >> 8);
    frame[12] = static_cast<uint8_t>(c);
    EXPECT_EQ(m.decode(frame), kErrContentShort);
    EXPECT_EQ(dynamic_cast<ModuleEnvInfo&>(*m.module).atmosphericPressure, 0u) << "the module is left alone";
}

TEST(Modules, ClonesKeepClassAndFields) {
    ModuleICCID m;
    m.moduleType = 0x42;
    m.imei = "1";
    m.imsi = "2";
    m.iccid = "3";
    auto copy = m.clone();
    const ZunoPPGenarelModule& c = *copy;
    EXPECT_EQ(typeid(c), typeid(ModuleICCID));
    EXPECT_EQ(copy->moduleType, 0x42);
    EXPECT_EQ(copy->toString(), m.toString());

    ModuleSafeAreaFlag safe;
    const auto safeCopy = safe.clone();
    const ZunoPPGenarelModule& s = *safeCopy;
    EXPECT_EQ(typeid(s), typeid(ModuleSafeAreaFlag));
}

TEST(Modules, ModuleNames) {
    EXPECT_EQ(moduleNameCount(), 31u);
    EXPECT_EQ(ZunoPPGenarelModule::moduleName(0xFF), "");
    EXPECT_EQ(ZunoPPGenarelModule::moduleName(0x06), "");
    EXPECT_EQ(ZunoPPGenarelModule::moduleName(0x24), "蓝牙透传 计步、温度、电池、太阳能(Tarnu二代)");
    EXPECT_EQ(ZunoPPGenarelModule::moduleName(0xA3), "定位耳标设备信息包");
    EXPECT_EQ(moduleNameCount(), 31u);
}
