// Every MQTT control packet's decoder, with the faithful round trip: a packet
// that decodes and encodes to E gives, decoded from E into a fresh object,
// the same fields, and encodes to E again. A packet that does not decode
// leaves the object as it was. The first byte selects the class.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/fuzz/mqtt_classes.h"
#include "tests/fuzz/oracle.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto& cls = fuzz::packetClasses()[data[0] % fuzz::packetClasses().size()];
    const std::vector<uint8_t> packet(data + 1, data + size);

    auto m = cls.make();
    const std::string untouched = fuzz::fields(*m);
    const int rc = m->decode(packet);
    if (rc < 0) {
        if (fuzz::fields(*m) != untouched) fuzz::fail("%s: a failed decode changed the object", cls.name);
        return 0;
    }
    if (rc != static_cast<int>(packet.size())) fuzz::fail("%s: decode returned %d for %zu bytes", cls.name, rc, packet.size());
    const std::string read = fuzz::fields(*m);

    std::vector<uint8_t> e;
    if (m->encode(e) != 0) return 0;
    auto again = cls.make();
    const int rc2 = again->decode(e);
    if (rc2 != static_cast<int>(e.size()))
        fuzz::fail("%s: the encoded packet does not decode (%d)\nread: %s\npacket: %s", cls.name, rc2, read.c_str(),
                   fuzz::hex(e).c_str());
    if (fuzz::fields(*again) != fuzz::fields(*m))
        fuzz::fail("%s: the encoded packet decodes into other fields\nsent: %s\nread back: %s", cls.name,
                   fuzz::fields(*m).c_str(), fuzz::fields(*again).c_str());
    std::vector<uint8_t> e2;
    if (again->encode(e2) != 0 || e2 != e)
        fuzz::fail("%s: encoding the decoded packet gives other bytes\nfirst: %s\nagain: %s", cls.name,
                   fuzz::hex(e).c_str(), fuzz::hex(e2).c_str());
    return 0;
}
