// write_fuzz_seeds <seed list> <corpus dir>: one corpus file per line
// "ClassName FRAMEHEX" of the list; the file's first byte selects the class
// (shifted left by one; the low bit is the fuzzer's put-the-CRC-right flag).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "protocol/helpers.h"
#include "tests/fuzz/fuzz_classes.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <seed list> <corpus dir>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const auto& list = fuzz::classes();
    int written = 0, unknown = 0;
    std::string name, hex;
    while (in >> name >> hex) {
        size_t index = 0;
        while (index < list.size() && name != list[index].name) ++index;
        if (index == list.size()) {
            std::fprintf(stderr, "no fuzz class for %s\n", name.c_str());
            ++unknown;
            continue;
        }
        auto frame = Zuno::hexToBytes(hex);
        const std::string path = std::string(argv[2]) + "/seed_" + std::to_string(written);
        std::ofstream out(path, std::ios::binary);
        out.put(static_cast<char>(index << 1));
        out.write(reinterpret_cast<const char*>(frame->data()), static_cast<std::streamsize>(frame->size()));
        ++written;
    }
    std::printf("%d seeds written, %d rows of classes the fuzzer does not know\n", written, unknown);
    return unknown ? 1 : 0;
}
