// The module blocks of the information-transfer packet, written from their
// literal line rules.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "protocol/trans_info.h"

namespace {

using namespace Zuno;

struct Case {
    const char* what;
    std::function<std::unique_ptr<ZunoPPGenarelModule>()> make;
    std::string block;
};

template <class M>
std::function<std::unique_ptr<ZunoPPGenarelModule>()> with(std::function<void(M&)> fill) {
    return [fill] {
        auto m = std::make_unique<M>();
        fill(*m);
        return std::unique_ptr<ZunoPPGenarelModule>(std::move(m));
    };
}

const std::string kOpen = "{ \n";

} // namespace

TEST(ModuleBlocks, EveryModuleClass) {
    const Case cases[] = {
        {"base without a named type", with<ZunoPPGenarelModule>([](auto& m) { m.moduleType = 0x99; }),
         kOpen + "        \"name\" : \" (0x99)\"\n    }"},
        {"power voltage 255", with<ModulePowerVolt>([](auto& m) { m.vol = 255; }),
         kOpen + "        \"name\" : \"外电电压 (0x00)\",\n        \"vol\":\"ff (0x00ff)\"\n    }"},
        {"door byte 0x05", with<ModuleDoorStat>([](auto& m) { m.doorStatus = {1, 0, 1}; }),
         kOpen + "        \"name\" : \"门状态 (0x05)\",\n"
                 "        \"doorStatus\" : \"门状态: 开, 触发状态: 低触发, IO口状态: 高 (0x05)\",\n    }"},
        {"door byte 0x02", with<ModuleDoorStat>([](auto& m) { m.doorStatus = {0, 1, 0}; }),
         kOpen + "        \"name\" : \"门状态 (0x05)\",\n"
                 "        \"doorStatus\" : \"门状态: 关, 触发状态: 高触发, IO口状态: 低 (0x02)\",\n    }"},
        {"shake count", with<ModuleShakeCount>([](auto& m) { m.shakeCount = 300; }),
         kOpen + "        \"name\" : \"震动次数(客户定制) (0x11)\",\n        \"shakeCount\":\"12c (0x012c)\"\n    }"},
        {"exercise count", with<ModuleCountCarlorie>([](auto& m) { m.shakeCount = 0x1E240; }),
         kOpen + "        \"name\" : \"运动量信息(TarnuTQ12,宠物TQ13) (0x16)\",\n"
                 "        \"shakeCount\":\"1e240 (0x0001e240)\"\n    }"},
        {"environment", with<ModuleEnvInfo>([](auto& m) {
             m.atmosphericPressure = 101325;
             m.temperature = 25;
             m.humidity = 60;
         }),
         "{\n        \"name\" : \"环境信息(TarnuTQ12) (0x17)\",\n"
         "        \"atmosphericPressure\" : \"18bcd (0x00018bcd)\", \n"
         "        \"temperature\" : \"19 (0x00000019)\", \n"
         "        \"humidity\" : \"3c (0x0000003c)\"\n    }"},
        {"bluetooth data", with<ModuleBTData2>([](auto& m) {
             m.bettaryVoltage = 4100;
             m.photovoltaicsVolt = 0;
             m.electricCurrent = 350;
         }),
         kOpen + "        \"name\" : \"透传太阳能充电信息(Tarnu二代) (0x27)\",\n"
                 "        \"bettaryVoltage\" : \"1004 (0x1004)\", \n"
                 "        \"photovoltaicsVolt\" : \"0 (0x0000)\", \n"
                 "        \"electricCurrent\" : \"15e (0x015e)\"\n    }"},
        {"guide machine", with<ModuleGuideMachine>([](auto& m) {
             m.timestamp = 0x13010F081E00ull;
             m.approved = 12;
             m.allowed = 30;
         }),
         "{\n        \"name\" : \"导游机 (0x0f)\",\n"
         "        \"timestamp\" : \"2019-01-15 08:30:00 (0x13010f081e00)\", \n"
         "        \"approved\" : \"c (0x0000000c)\", \n"
         "        \"allowed\" : \"1e (0x0000001e)\"\n    }"},
        {"admin list flag", with<ModuleAdminPostFlag>([](auto& m) { m.timestamp = 0x140301080509ull; }),
         kOpen + "        \"name\" : \"管理员列表更新标志(时间戳) (0x25)\",\n"
                 "        \"timestamp\" : \"2020-03-01 08:05:09 (0x140301080509)\"\n    }"},
        {"safe area flag", with<ModuleSafeAreaFlag>([](auto& m) { m.timestamp = 0; }),
         kOpen + "        \"name\" : \"安全区域更新标志(时间戳) (0x26)\",\n"
                 "        \"timestamp\" : \"2000-00-00 00:00:00 (0x000000000000)\"\n    }"},
        {"terminal state cut at NUL", with<ModuleTerminalStat>([](auto& m) { m.content = std::string("ON\0\0\0\0\0", 7); }),
         kOpen + "        \"name\" : \"终端状态同步 (0x04)\",\n        \"content\" : \"ON (0x4F4E0000000000)\"\n    }"},
        {"self-check empty", with<ModuleCheckPara>([](auto& m) { m.content.clear(); }),
         kOpen + "        \"name\" : \"自检参数 (0x08)\",\n        \"content\" : \" (0x)\"\n    }"},
        {"vin", with<ModuleVin>([](auto& m) { m.content = " LSV12 "; }),
         kOpen + "        \"name\" : \"车架号上传VIN码 (0x20)\",\n        \"vin\" : \"LSV12 (0x204C5356313220)\"\n    }"},
        {"uuid", with<ModuleUUID>([](auto& m) { m.content = "UU"; }),
         kOpen + "        \"name\" : \"后视镜UUID (0x07)\",\n        \"uuid\" : \"UU (0x5555)\"\n    }"},
        {"rfid", with<ModuleRFID>([](auto& m) { m.RFID = "0123456789ABCDEF"; }),
         kOpen + "        \"name\" : \"RFID (0x1b)\",\n        \"RFID\":\"0123456789ABCDEF (0x0123456789ABCDEF)\",\n    }"},
        {"iccid", with<ModuleICCID>([](auto& m) {
             m.imei = "1A";
             m.imsi = "";
             m.iccid = "8986";
         }),
         kOpen + "        \"name\" : \"ICCID (0x0a)\",\n"
                 "        \"imei\" : \"1A (0x31 41)\",\n"
                 "        \"imsi\" : \" (0x)\"\n"
                 "        \"iccid\" : \"8986 (0x8986)\",\n    }"},
    };
    for (const Case& c : cases) {
        auto m = c.make();
        EXPECT_EQ(m->toString(), c.block) << c.what;
    }
}
