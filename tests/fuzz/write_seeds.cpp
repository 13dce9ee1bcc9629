// write_fuzz_seeds <dir>: one seed file per known frame.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "protocol/helpers.h"
#include "tests/fuzz/fuzz_classes.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus dir>\n", argv[0]);
        return 2;
    }
    const auto& list = fuzz::classes();
    int written = 0;
    for (const auto& seed : fuzz::seeds()) {
        size_t index = 0;
        while (index < list.size() && std::strcmp(list[index].name, seed.className) != 0) ++index;
        if (index == list.size()) {
            std::fprintf(stderr, "seed for unknown class %s\n", seed.className);
            return 1;
        }
        auto frame = Zuno::hexToBytes(seed.frameHex);
        const std::string path = std::string(argv[1]) + "/seed_" + std::to_string(written);
        std::ofstream out(path, std::ios::binary);
        out.put(static_cast<char>(index));
        out.write(reinterpret_cast<const char*>(frame->data()), static_cast<std::streamsize>(frame->size()));
        ++written;
    }
    std::printf("%d seeds written\n", written);
    return 0;
}
