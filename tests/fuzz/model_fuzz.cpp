// Message model texts through `buildMessage`: the first byte is the protocol
// number, the rest the model text. Building never throws; a built message is
// of the protocol number's class, and when it encodes, its frame decodes and
// encodes again to itself, byte for byte, with the faithful round trip.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "builders/message_builder.h"
#include "tests/fuzz/fuzz_classes.h"
#include "tests/fuzz/oracle.h"

namespace {

bool heldSectionLength(const Zuno::ZunoMSG& built, int refusal) {
    const auto* bike = dynamic_cast<const Zuno::BikeReportFields*>(&built);
    if (!bike) return false;
    switch (refusal) {
    case Zuno::kErrBikeGpsSize: return bike->gpsSize != 0 && bike->gpsSize != Zuno::kBikeGpsSize;
    case Zuno::kErrBikeMasterSize: return bike->lbsMasterSize != 0 && bike->lbsMasterSize != Zuno::kBikeMasterSize;
    case Zuno::kErrBikeSlaveSize: return bike->lbsSlaveSize != 0 && bike->lbsSlaveSize != Zuno::kBikeSlaveSize;
    case Zuno::kErrBikeExtSize: return !Zuno::bikeExtSizeKnown(bike->extSize);
    default: return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t protocol = data[0];
    const std::string json(reinterpret_cast<const char*>(data) + 1, size - 1);
    auto built = fuzz::noThrow("buildMessage", [&] { return buildMessage(protocol, json); });
    if (!built) return 0;
    if (built->command != protocol)
        fuzz::fail("the model of protocol 0x%02X built a message of 0x%02X", protocol, built->command);
    const fuzz::FuzzClass* cls = fuzz::classOf(*built);
    if (!cls) fuzz::fail("the model of protocol 0x%02X built a message of no known class", protocol);
    const auto fresh = cls->make;

    std::vector<uint8_t> frame;
    const int rc = fuzz::noThrow("encode", [&] { return built->encode(frame); });
    if (rc != 0) {
        if (!frame.empty()) fuzz::fail("a failed encode (%d) wrote %zu bytes", rc, frame.size());
        return 0;
    }
    built->toString();
    // The frame a builder makes is written back unchanged.
    auto decoded = fresh();
    const int read = decoded->decode(frame);
    if (read != 0) {
        // The bike reports write their section length bytes as the model holds
        // them, also those the layout does not know; the decoder refuses those.
        if (heldSectionLength(*built, read)) return 0;
        fuzz::fail("the built frame does not decode (%d): %s", read, fuzz::hex(frame).c_str());
    }
    const auto again = fuzz::checkFaithful(*decoded, fresh);
    if (!again || *again != frame)
        fuzz::fail("the built frame changes when decoded and encoded again\nbuilt: %s\nagain: %s",
                   fuzz::hex(frame).c_str(), again ? fuzz::hex(*again).c_str() : "(no encode)");
    return 0;
}
