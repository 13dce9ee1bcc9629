// write_fuzz_seeds <seed list> <conf folder> <corpus folder>
//
// One seed file per line "Name HEX" of the seed list, in the sub-folder of
// each target that reads it:
//   decode/  a message class or 0x94 module row: the class byte, the frame
//   user_path/ every frame row, typed as plain hexadecimal
//   module/  a 0x94 module row: the module byte, the module's position, the frame
//   mqtt/    an MQTT packet row: the class byte, the packet
//   model/   every model file of the conf folder: its protocol number, its text
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/model_file.h"
#include "connection/send_flow.h"
#include "protocol/helpers.h"
#include "tests/fuzz/fuzz_classes.h"
#include "tests/fuzz/mqtt_classes.h"

namespace fs = std::filesystem;

namespace {

int written = 0;

void writeSeed(const fs::path& folder, uint8_t first, const std::vector<uint8_t>& prefix, const std::string& rest) {
    fs::create_directories(folder);
    std::ofstream out(folder / ("seed_" + std::to_string(written++)), std::ios::binary);
    out.put(static_cast<char>(first));
    out.write(reinterpret_cast<const char*>(prefix.data()), static_cast<std::streamsize>(prefix.size()));
    out << rest;
}

template <class List>
int indexOf(const List& list, const std::string& name) {
    for (size_t i = 0; i < list.size(); ++i)
        if (name == list[i].name) return static_cast<int>(i);
    return -1;
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <seed list> <conf folder> <corpus folder>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const fs::path corpus(argv[3]);
    const std::string modulePrefix = "ZunoTransInfo94_";
    int unknown = 0;
    std::string name, hex;
    while (in >> name >> hex) {
        const auto bytes = Zuno::hexToBytes(hex);
        const std::string frame(bytes->begin(), bytes->end());
        const int message = indexOf(fuzz::classes(), name);
        const int packet = indexOf(fuzz::packetClasses(), name);
        if (message >= 0) {
            writeSeed(corpus / "decode", static_cast<uint8_t>(message << 1), {}, frame);
            writeSeed(corpus / "user_path", 0, {}, frame);
            const int module = name.rfind(modulePrefix, 0) == 0
                                   ? indexOf(fuzz::moduleKinds(), name.substr(modulePrefix.size()))
                                   : -1;
            if (module >= 0) {
                // Header, protocol number and information type come before the module.
                const uint8_t at = static_cast<uint8_t>(Zuno::FrameHeader::read(*bytes).contentPos() + 1);
                writeSeed(corpus / "module", static_cast<uint8_t>(module << 1), {0, at}, frame);
            }
        } else if (packet >= 0) {
            writeSeed(corpus / "mqtt", static_cast<uint8_t>(packet), {}, frame);
        } else {
            std::fprintf(stderr, "no fuzz class for %s\n", name.c_str());
            ++unknown;
        }
    }
    for (const char* folder : {"model", "cmd"}) {
        for (const auto& e : fs::recursive_directory_iterator(fs::path(argv[2]) / folder)) {
            if (e.path().extension() != ".json") continue;
            const std::string text = readFile(e.path());
            Zuno::ModelHeader header;
            Zuno::readModelHeader(text, header);
            writeSeed(corpus / "model", Zuno::protocolNumber(header.cmd), {}, text);
        }
    }
    std::printf("%d seeds written, %d rows of classes the fuzzer does not know\n", written, unknown);
    return unknown ? 1 : 0;
}
