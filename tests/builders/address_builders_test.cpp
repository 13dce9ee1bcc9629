// Address-request builders: no required field by cell, the date-time by GPS
// fix, the phone number that must fit its field, and the pair word.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model_text.h"
#include "protocol/address.h"
#include "support/test_util.h"

using bt::Pairs;

namespace {

const Pairs kGps = {{"日期时间", "2019-01-02 03:04:05"}, {"卫星数", "12"}, {"纬度", "22543210"},
                    {"经度", "113943210"}, {"速度", "60"}, {"航向/状态", "5222"}};

// The content bytes of a short frame.
std::string contentOf(Zuno::ZunoMSG& m) {
    std::vector<uint8_t> out;
    EXPECT_EQ(m.encode(out), 0);
    if (out.size() < 10) return "";
    return zt::hex(std::vector<uint8_t>(out.begin() + 4, out.end() - 6));
}

const std::string kPhoneHex = "31 33 38 30 30 31 33 38 30 30 30 00 00 00 00 00 00 00 00 00 00";

} // namespace

TEST(CellAddressBuilders, EmptyOrUnmatchedModelGivesZeroFields) {
    for (const Pairs& model : {Pairs{}, Pairs{{"MCCX", ""}, {"其他", "5"}, {" MCC", "460"}}}) {
        for (uint8_t protocol : {0x17, 0xA7}) {
            auto m = bt::build<Zuno::ZunoGeocoding17>(protocol, model);
            ASSERT_NE(m, nullptr) << int(protocol);
            EXPECT_EQ(m->command, protocol);
            EXPECT_EQ(m->MCC, 0);
            EXPECT_EQ(m->MNC, 0);
            EXPECT_EQ(m->LAC, 0);
            EXPECT_EQ(m->CellID, 0u);
            EXPECT_TRUE(m->phone.empty());
            EXPECT_EQ(m->AlertAndLang.alert, 0);
            EXPECT_EQ(m->AlertAndLang.language, 0);
        }
    }
    EXPECT_NE(bt::build<Zuno::ZunoGeocodingA7>(0xA7, {}), nullptr) << "0xA7 makes its own class";
}

TEST(CellAddressBuilders, FieldsAndTheirRules) {
    const Pairs model = {{"MCC", "460"}, {"MNC", "300"},       {"LAC", "10173"},
                         {"小区ID", "12345"}, {"电话号码", " \t13800138000\r\n"}, {"告警语言", "257"}};
    auto cell = bt::build<Zuno::ZunoGeocoding17>(0x17, model);
    auto a7 = bt::build<Zuno::ZunoGeocodingA7>(0xA7, model);
    ASSERT_NE(cell, nullptr);
    ASSERT_NE(a7, nullptr);
    EXPECT_EQ(cell->MNC, 44) << "0x17 keeps the low byte";
    EXPECT_EQ(a7->MNC, 300);
    EXPECT_EQ(cell->CellID, 12345u);
    EXPECT_EQ(cell->phone, "13800138000");
    EXPECT_EQ(cell->AlertAndLang.alert, 1);
    EXPECT_EQ(cell->AlertAndLang.language, 1);
    EXPECT_EQ(contentOf(*cell), "01 CC 2C 27 BD 00 30 39 " + kPhoneHex + " 01 01");

    auto english = bt::build<Zuno::ZunoGeocoding17>(0x17, {{"告警语言", "2"}});
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(english->AlertAndLang.alert, 0);
    EXPECT_EQ(english->AlertAndLang.language, 2);
}

TEST(GpsAddressBuilders, DateTimeIsRequiredAndSatellitesIsTheWholeByte) {
    for (uint8_t protocol : {0x1A, 0x2A}) {
        Pairs noTime(kGps.begin() + 1, kGps.end());
        noTime.push_back({"电话号码", "138"});
        EXPECT_EQ(buildMessage(protocol, bt::modelText(noTime)), nullptr) << int(protocol);
        EXPECT_EQ(buildMessage(protocol, bt::modelText({})), nullptr) << int(protocol);

        Pairs model = kGps;
        model.push_back({"电话号码", "13800138000"});
        model.push_back({"告警语言", "1"});
        auto m = bt::build<Zuno::ZunoGeocoding1A>(protocol, model);
        ASSERT_NE(m, nullptr) << int(protocol);
        EXPECT_EQ(m->command, protocol);
        EXPECT_EQ(m->satellites, 12);
        EXPECT_EQ(m->directStatus.isLocated, 1);
        EXPECT_EQ(m->directStatus.latiDirection, 1);
        EXPECT_EQ(m->directStatus.direction, 102);
        // 2019-01-02 03:04:05 | satellites 12 | 40577778 | 205097778 | 60 | 0x1466 | phone | 00 01
        EXPECT_EQ(contentOf(*m), "13 01 02 03 04 05 0C 02 6B 2A F2 0C 39 8B 32 3C 14 66 " + kPhoneHex + " 00 01");
    }
    EXPECT_NE(bt::build<Zuno::ZunoGeocoding2A>(0x2A, kGps), nullptr) << "0x2A makes its own class";
}

// A phone number longer than its 21-byte field could never be sent: every
// sending would fail to encode. Such a model builds nothing.
TEST(AddressBuilders, PhoneNumberMustFitItsField) {
    const std::string fits(21, '9');
    const std::string tooLong(22, '9');
    for (uint8_t protocol : {0x17, 0xA7, 0x1A, 0x2A}) {
        Pairs model = kGps;
        model.push_back({"电话号码", fits});
        auto m = buildMessage(protocol, bt::modelText(model));
        ASSERT_NE(m, nullptr) << int(protocol);
        std::vector<uint8_t> out;
        EXPECT_EQ(m->encode(out), 0) << int(protocol);

        model.back().second = tooLong;
        EXPECT_EQ(buildMessage(protocol, bt::modelText(model)), nullptr) << int(protocol);
        // Blanks around the number are trimmed before the length counts.
        model.back().second = "  " + fits + "  ";
        EXPECT_NE(buildMessage(protocol, bt::modelText(model)), nullptr) << int(protocol);
    }
}
