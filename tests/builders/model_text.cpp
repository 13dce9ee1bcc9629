#include "model_text.h"

#include <picojson.h>

namespace bt {

std::string modelText(const Pairs& pairs) {
    picojson::array components;
    for (const auto& p : pairs) {
        picojson::object c;
        c["label"] = picojson::value(p.first);
        c["component"] = picojson::value("textEdit");
        c["readOnly"] = picojson::value(false);
        c["value"] = picojson::value(p.second);
        components.emplace_back(c);
    }
    picojson::object doc;
    doc["cmd"] = picojson::value("TEST");
    doc["protocol"] = picojson::value("test");
    doc["components"] = picojson::value(components);
    return picojson::value(doc).serialize();
}

Pairs join(std::initializer_list<Pairs> parts) {
    Pairs all;
    for (const Pairs& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

const Pairs& cellReportRequired() {
    static const Pairs pairs = {{"日期时间", "2019-01-02 03:04:05"}, {"MCC", "460"},
                                {"LAC0", "10173"}, {"小区ID0", "3959"}, {"RSSI0", "60"}};
    return pairs;
}

} // namespace bt
