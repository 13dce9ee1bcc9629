#pragma once
// The four sample frames that the input box shows at start-up, as its lines
// read. The window's test checks that the form shows exactly these.

namespace zt {

inline const char* const kSampleFrames[] = {
    "78 78 22 22 0F 0C 1D 02 33 05 C9 02 7A C8 18 0C 46 58 60 00 14 00 01 CC 00 28 7D 00 1F 71 00 00 01 00 08 20 86 0D 0A",
    "78 78 0B 23 C0 01 22 04 00 01 00 08 18 72 0D 0A",
    "78 78 11 01 07 52 53 36 78 90 02 42 70 00 32 01 00 05 12 79 0D 0A",
    "78 78 3B 28 10 01 0D 02 02 02 01 CC 00 28 7D 00 1F 71 3E 28 7D 00 1F 72 31 28 7D 00 1E 23 2D 28 7D 00 1F 40 18 "
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 FF 00 02 00 05 B1 4B 0D 0A",
};

} // namespace zt
