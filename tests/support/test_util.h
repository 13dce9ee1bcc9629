#pragma once
// Small helpers shared by the tests.

#include <cstdint>
#include <string>
#include <vector>

namespace zt {

// Bytes of a hexadecimal text; blanks are ignored. Aborts the test program on
// a malformed text, since that is a fault of the test itself.
std::vector<uint8_t> bytes(const std::string& hex);
// A frame of `protocolNumber` around `content`, built by hand (not by the
// codec) with its length field and CRC right; long form with `longFrame`. A
// short frame's length is written modulo 256, so tests can make lying frames.
std::vector<uint8_t> frameAround(uint8_t protocolNumber, const std::vector<uint8_t>& content, uint16_t seq,
                                 bool longFrame = false);

// The contents (from after the protocol number up to the serial number) of
// two of the input box's sample frames (sample_frames.h): the first, a GPS
// report (0x22), and the fourth, an LBS report with its neighbour cells
// (0x28), whose dump is the largest of the samples.
std::vector<uint8_t> sampleGpsContent();
std::vector<uint8_t> sampleLbsContent();

// Upper-case hexadecimal with one blank between bytes.
std::string hex(const std::vector<uint8_t>& data);

// Whole content of a file under tests/ (path relative to tests/), read as
// bytes. Aborts when it cannot be read.
std::string readTestFile(const std::string& relativePath);

// Writes `text` to build-dir file when ZUNO_WRITE_GOLDEN is set in the
// environment, so a new golden file can be reviewed and copied in by hand.
void offerGolden(const std::string& relativePath, const std::string& text);

} // namespace zt
