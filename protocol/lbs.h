#pragma once
// Multi-cell LBS reports of the terminal and the platform's 0x2E reply.
//
// Content layouts (bytes between the protocol number and the serial):
//   0x18        date-time, MCC, MNC (1), cell list, language            53 bytes
//   0x28, 0x2E  date-time, MCC, MNC (1), cell list, timing advance,
//               language                                                54 bytes
//   0xA1        as 0x28, MNC two bytes when bit 15 of MCC is set        54/55 bytes
//   0x2E reply  no content
// The cell list is seven cells of six bytes each (LAC 2, cell id 3, RSSI 1),
// always all seven, without a count. The WiFi reports carry the same list.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/blocks.h"
#include "protocol/message.h"

namespace Zuno {

// One cell of a cell list; CellID holds the 24-bit cell id in its low bits.
struct CellRecord {
    uint16_t LAC = 0;
    uint32_t CellID = 0;
    uint8_t RSSI = 0;
};

inline bool operator==(const CellRecord& a, const CellRecord& b) {
    return a.LAC == b.LAC && a.CellID == b.CellID && a.RSSI == b.RSSI;
}
inline bool operator!=(const CellRecord& a, const CellRecord& b) { return !(a == b); }

constexpr size_t kCellListCells = 7;
constexpr size_t kCellRecordBytes = 6;
// The cell list of the LBS and WiFi reports: cell 1 is lists[0].
using CellList = std::array<CellRecord, kCellListCells>;

template <size_t N>
void encodeCellList(ByteWriter& w, const std::array<CellRecord, N>& cells) {
    for (const CellRecord& c : cells) {
        encodeLacCell(w, c.LAC, c.CellID);
        w.u8(c.RSSI);
    }
}

template <size_t N>
void decodeCellList(ByteReader& r, std::array<CellRecord, N>& cells) {
    for (CellRecord& c : cells) {
        decodeLacCell(r, c.LAC, c.CellID);
        c.RSSI = r.u8();
    }
}

// The head that the LBS and the WiFi cell reports share: date-time `time`,
// MCC, MNC and the cell list `lists`.
constexpr size_t kCellReportMccOffset = kDateTimeBytes;
inline size_t cellReportBytes(bool wideMnc) {
    return kDateTimeBytes + 2 + (wideMnc ? 2 : 1) + kCellListCells * kCellRecordBytes;
}

template <class M>
void encodeCellReport(ByteWriter& w, const M& m, MncWidth rule) {
    encodeDateTime(w, m.time);
    encodeMccMnc(w, m.MCC, m.MNC, rule);
    encodeCellList(w, m.lists);
}

template <class M>
void decodeCellReport(ByteReader& r, M& m, MncWidth rule) {
    m.time = decodeDateTime(r);
    decodeMccMnc(r, m.MCC, m.MNC, rule);
    decodeCellList(r, m.lists);
}

class ZunoLbsInfo18 : public ZunoMSG {
public:
    uint64_t time = 0;
    uint16_t MCC = 0;
    uint16_t MNC = 0;
    CellList lists{};
    uint16_t language = 0;

    static constexpr uint8_t kProtocol = 0x18;

    ZunoLbsInfo18() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;

protected:
    explicit ZunoLbsInfo18(uint8_t protocolNumber) : ZunoMSG(protocolNumber) {}
};

class ZunoLbsInfo28 : public ZunoLbsInfo18 {
public:
    uint8_t timeOffset = 0;

    static constexpr uint8_t kProtocol = 0x28;

    ZunoLbsInfo28() : ZunoLbsInfo18(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;

protected:
    explicit ZunoLbsInfo28(uint8_t protocolNumber) : ZunoLbsInfo18(protocolNumber) {}
    int encodeWith(std::vector<uint8_t>& out, MncWidth rule);
    int decodeWith(const std::vector<uint8_t>& frame, MncWidth rule);
};

// Content of 0x28 under its own number; encodes and decodes through 0x28.
class ZunoLbsInfo2E : public ZunoLbsInfo28 {
public:
    static constexpr uint8_t kProtocol = 0x2E;

    ZunoLbsInfo2E() : ZunoLbsInfo28(kProtocol) {}
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

class ZunoLbsInfoA1 : public ZunoLbsInfo28 {
public:
    static constexpr uint8_t kProtocol = 0xA1;

    ZunoLbsInfoA1() : ZunoLbsInfo28(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

// The platform's reply to a 0x2E report: no content.
class ZunoLbsInfoResp : public ZunoMSG {
public:
    static constexpr uint8_t kProtocol = 0x2E;

    ZunoLbsInfoResp() : ZunoMSG(kProtocol) {}
    int encode(std::vector<uint8_t>& out) override;
    int decode(const std::vector<uint8_t>& frame) override;
    std::unique_ptr<ZunoMSG> clone() const override;
    std::string toString() override;
};

} // namespace Zuno
