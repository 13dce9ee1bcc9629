// Asio is configured once for the whole program: a file sees the same Asio
// whatever it includes first. (Files that disagree on how handler memory is
// allocated free it the wrong way once the compiler inlines Asio, which only
// an optimised build shows.)
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include <asio.hpp>

#include "connection/asio_config_probe.h"

namespace {

TEST(AsioConfiguration, SameWhateverAFileIncludesFirst) {
    EXPECT_EQ(zt::asioHandlerMemoryAsioFirst(), asioHandlerMemory());
}

} // namespace
