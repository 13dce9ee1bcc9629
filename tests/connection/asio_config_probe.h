#pragma once
// How Asio allocates its handlers' memory, as the file that includes this
// after <asio.hpp> sees it. Each file has its own copy (internal linkage), so
// two files that see Asio differently give different texts.

#include <string>

namespace {

std::string asioHandlerMemory() {
    std::string config;
#if defined(ASIO_HAS_STD_ALIGNED_ALLOC)
    config += "std::aligned_alloc ";
#endif
#if defined(ASIO_HAS_BOOST_ALIGN)
    config += "boost align ";
#endif
#if defined(ASIO_HAS_ALIGNOF)
    config += "alignof ";
#endif
    return config + "operator new";
}

} // namespace

namespace zt {
// The text above in a file that includes <asio.hpp> before anything else.
std::string asioHandlerMemoryAsioFirst();
} // namespace zt
