#pragma once
// "MSG" blocks of the multi-cell LBS reports and the 0x2E reply, and the
// cell list lines that the WiFi and bike dumps write the same way.

#include <array>
#include <cstddef>
#include <cstdint>
#include <ostream>

#include "protocol/lbs.h"

namespace Zuno {

// "lists" array: one block per cell, the last closed without a comma.
void writeCellListLines(std::ostream& os, const CellRecord* cells, size_t count);
template <size_t N>
void writeCellListLines(std::ostream& os, const std::array<CellRecord, N>& cells) {
    writeCellListLines(os, cells.data(), N);
}

// The "time", "MCC", "MNC" and "lists" lines of the LBS and WiFi cell
// reports; `wideMncText` gives the MNC four hexadecimal digits.
void writeCellReportLines(std::ostream& os, uint64_t time, uint16_t MCC, uint16_t MNC, bool wideMncText,
                          const CellList& lists);
template <class M>
void writeCellReportLinesOf(std::ostream& os, const M& m, MncWidth rule) {
    writeCellReportLines(os, m.time, m.MCC, m.MNC, wideMnc(m.MCC, rule), m.lists);
}

void writeTimeOffsetLine(std::ostream& os, uint8_t timeOffset);

std::ostream& operator<<(std::ostream& os, const ZunoLbsInfo18& m);
std::ostream& operator<<(std::ostream& os, const ZunoLbsInfo28& m);
std::ostream& operator<<(std::ostream& os, const ZunoLbsInfo2E& m);
std::ostream& operator<<(std::ostream& os, const ZunoLbsInfoA1& m);
std::ostream& operator<<(std::ostream& os, const ZunoLbsInfoResp& m);

} // namespace Zuno
