#pragma once
// The catalogue of message frames. Every message family adds rows in its own
// test file and instantiates CatalogueTest with them:
//
//   INSTANTIATE_TEST_SUITE_P(Login, CatalogueTest,
//                            ::testing::ValuesIn(loginRows()), catalogueName);
//
// Each row is checked for: decode gives 0; encode of the decoded object gives
// the same bytes; clone keeps the class and every field; toString equals the
// golden dump byte for byte; and the truncation sweep (every prefix, the
// length field raised and lowered) gives a negative result without reading
// outside the vector.

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "protocol/message.h"

struct CatalogueRow {
    std::string name;                                   // test name: letters, digits, '_'
    std::function<std::unique_ptr<Zuno::ZunoMSG>()> make; // fresh object of the class
    std::string frameHex;                               // the whole frame
    std::string golden;                                 // file under tests/golden/, "" for none
    bool reencodes = true; // false where encode legitimately differs from the frame
};

inline std::ostream& operator<<(std::ostream& os, const CatalogueRow& row) { return os << row.name; }

inline std::string catalogueName(const ::testing::TestParamInfo<CatalogueRow>& info) { return info.param.name; }

class CatalogueTest : public ::testing::TestWithParam<CatalogueRow> {};

template <class T>
std::function<std::unique_ptr<Zuno::ZunoMSG>()> makeOf() {
    return [] { return std::unique_ptr<Zuno::ZunoMSG>(new T()); };
}
