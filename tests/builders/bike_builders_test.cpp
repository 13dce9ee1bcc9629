// Bike builders: model texts into the frames worked out by hand, the section
// lengths taken as given and the starting value of the type byte.

#include <gtest/gtest.h>

#include <string>

#include "frame_text.h"
#include "model_text.h"
#include "protocol/bike.h"

using bt::Pairs;

namespace {

Pairs fullBikeModel() {
    Pairs p = {{"日期时间", "2019-01-15 08:30:00"}, {"GPS长度", "12"}, {"卫星数", "12"}, {"纬度", "22500000"},
               {"经度", "114000000"}, {"速度", "25"}, {"航向/状态", "11354"}, {"主基站长度", "9"},
               {"MCC", "33228"}, {"MNC", "300"}, {"LAC0", "10365"}, {"小区ID0", "8049"}, {"RSSI0", "70"},
               {"从基站长度", "36"}};
    for (int i = 1; i <= 6; ++i) {
        const std::string n = std::to_string(i);
        p.push_back({"LAC" + n, std::to_string(0x1000 + i)});
        p.push_back({"小区ID" + n, std::to_string(0x0A0AFF + i)});
        p.push_back({"RSSI" + n, std::to_string(0x2F + i)});
    }
    // Slot 1 empty: the list closes the gap.
    p.insert(p.end(), {{"WiFiMAC地址0", "0A-1B-2C-3D-4E-5F"}, {"Wifi强度0", "255"},
                       {"WiFiMAC地址2", "00-00-00-00-12-34"}, {"Wifi强度2", "65"}, {"Wifi强度1", "9"},
                       {"告警类型", "1"}, {"扩展长度", "8"}, {"标志位", "258"}, {"实时/补传", "1"},
                       {"UserID", "258"}, {"里程", "66536"}});
    return p;
}

} // namespace

TEST(BikeBuilders, ModelsBuildTheFramesWorkedOutByHand) {
    struct Case {
        const char* what;
        uint8_t protocol;
        Pairs model;
        const char* frame;
    };
    const Case cases[] = {
        // Every section; MNC 300 is held whole but sent as its low byte, the
        // mileage keeps its low 16 bits (1000).
        {"0x33 every section", 0x33, fullBikeModel(),
         "78 78 60 33 13 01 0F 08 1E 00 0C 0C 02 69 FB 20 0C 3B 1A 80 19 2C 5A 09 81 CC 2C 28 7D 00 1F 71 46 24 10 "
         "01 0A 0B 00 30 10 02 0A 0B 01 31 10 03 0A 0B 02 32 10 04 0A 0B 03 33 10 05 0A 0B 04 34 10 06 0A 0B 05 35 "
         "0E 0A 1B 2C 3D 4E 5F FF 00 00 00 00 12 34 41 01 08 01 02 01 00 01 02 03 E8 00 00 0B 76 0D 0A"},
        {"0x32 date-time only", 0x32, {{"日期时间", "2019-01-15 08:30:00"}},
         "78 78 11 32 13 01 0F 08 1E 00 00 00 00 00 FF 00 00 00 0D B9 0D 0A"},
        {"0x32 one access point", 0x32,
         {{"日期时间", "2019-01-15 08:30:00"}, {"WiFiMAC地址0", "112233445566"}, {"Wifi强度0", "80"},
          {"扩展长度", "3"}, {"标志位", "1"}},
         "78 78 1B 32 13 01 0F 08 1E 00 00 00 00 07 11 22 33 44 55 66 50 FF 03 00 01 00 00 00 D0 34 0D 0A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(bt::frameOf(buildMessage(c.protocol, bt::modelText(c.model))), c.frame);
    }
}

TEST(BikeBuilders, FieldsAsEntered) {
    auto full = bt::build<Zuno::ZunoBikeAlert33>(0x33, fullBikeModel());
    ASSERT_TRUE(full);
    EXPECT_EQ(full->satellites, 12) << "no GPS-length nibble";
    EXPECT_EQ(full->MNC, 300);
    EXPECT_EQ(full->userID, 258u);
    EXPECT_EQ(full->distance, 1000);
    EXPECT_EQ(full->bluetoothFlag, 0x0102);
    EXPECT_EQ(full->LAC, 10365) << "LAC1 to LAC6 never fill the serving cell";
    EXPECT_EQ(full->lists[0].LAC, 0x1001);
    EXPECT_EQ(full->lists[5].RSSI, 0x35);
    ASSERT_EQ(full->wifiArray.size(), 2u);
    EXPECT_EQ(full->wifiArray[1].first, 0x1234u);

    // Only the date-time is required; the lengths stay as given (here 0).
    auto cellOnly = bt::build<Zuno::ZunoBikeLoc32>(
        0x32, {{"日期时间", "2019-01-15 08:30:00"}, {"MCC", "460"}, {"LAC0", "1"}, {"小区ID0", "2"}, {"RSSI0", "3"}});
    ASSERT_TRUE(cellOnly);
    EXPECT_EQ(cellOnly->lbsMasterSize, 0);
    EXPECT_EQ(cellOnly->MCC, 460);
    EXPECT_EQ(cellOnly->postModel, 0xFF);
    EXPECT_EQ(bt::frameOf(cellOnly), "78 78 11 32 13 01 0F 08 1E 00 00 00 00 00 FF 00 00 00 0D B9 0D 0A")
        << "the serving cell is not sent without its length";

    auto alarm = bt::build<Zuno::ZunoBikeAlert33>(0x33, {{"日期时间", "2019-01-15 08:30:00"}, {"扩展长度", "4"}});
    ASSERT_TRUE(alarm);
    EXPECT_EQ(alarm->alertType, 0);
    EXPECT_EQ(alarm->extSize, 4);

    auto typed = bt::build<Zuno::ZunoBikeLoc32>(0x32, {{"日期时间", "2019-01-15 08:30:00"}, {"数据上报", "2"}});
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->postModel, 2);

    for (uint8_t protocol : {0x32, 0x33}) {
        EXPECT_EQ(buildMessage(protocol, bt::modelText({{"GPS长度", "12"}, {"纬度", "1"}})), nullptr);
        EXPECT_EQ(buildMessage(protocol, bt::modelText({{"日期时间", ""}})), nullptr);
        EXPECT_EQ(buildMessage(protocol, bt::modelText({{"日期时间", "2019-01-15 08:30:00"}, {"MCC", "x"}})), nullptr);
    }
}
