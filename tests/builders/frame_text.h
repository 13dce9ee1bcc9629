#pragma once
// The frame of a built message as upper-case hexadecimal, or "no message".

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "protocol/message.h"
#include "support/test_util.h"

namespace bt {

inline std::string frameOf(const std::shared_ptr<Zuno::ZunoMSG>& m) {
    if (!m) return "no message";
    std::vector<uint8_t> out;
    EXPECT_EQ(m->encode(out), 0);
    return zt::hex(out);
}

} // namespace bt
