#include "render/exception.h"

#include <locale>
#include <map>
#include <sstream>

#include "protocol/message.h"

namespace Zuno {

namespace {

const std::map<int, std::string>& messages() {
    static const std::map<int, std::string> table{
        {0, "正常"},
        {1, "Hex String error"},
        {2, "Data length error"},
        {3, "Data Pack Header error"},
        {5, "Unknow Protocol"},
        {-1, "数据包为空"},
        {-2, "停止位错误"},
        {-3, "校验码错误"},
        {-4, "地址数据包长度错误"},
        {-5, "GPS长度错误"},
        {-6, "主基站长度错误"},
        {-7, "从基站长度错误"},
        {-8, "WiFi信息长度错误"},
        {-9, "预留扩展位长度错误"},
        {kErrLengthOverflow, "数据长度超出长度字段范围"},
        {kErrContentShort, "数据内容短于格式所需长度"},
        {kErrFrameShort, "数据包短于长度字段所示长度"},
        {static_cast<int>(0xF0000001u), "未知错误"},
    };
    return table;
}

} // namespace

ZunoException::ZunoException(const ZunoException& other)
    : std::exception(other), code(other.code), message(other.message) {}

ZunoException& ZunoException::operator=(const ZunoException& other) {
    if (this != &other) {
        std::exception::operator=(other);
        code = other.code;
        message = other.message;
    }
    return *this;
}

ZunoException::~ZunoException() = default;

// The text is built anew and kept only when it differs from the one kept, so
// a text handed out earlier stays valid until the code or the message change.
const char* ZunoException::what() const noexcept {
    std::lock_guard<std::mutex> lock(whatMutex_);
    try {
        std::string text = toString();
        if (text != whatText_) whatText_ = std::move(text);
    } catch (...) {
        // Out of memory: the text kept last is the best there is.
    }
    return whatText_.c_str();
}

std::string ZunoException::toString() const {
    std::stringstream ss;
    ss.imbue(std::locale::classic());
    ss << "\"exception\" : { \n";
    ss << "     \"code\" : " << std::dec << code << ",\n";
    ss << "     \"message\" : \"" << message << "\"\n";
    ss << "}";
    return ss.str();
}

std::string ZunoException::messageOf(const int& code) {
    const auto& table = messages();
    const auto it = table.find(code);
    return it == table.end() ? std::string() : it->second;
}

std::size_t ZunoException::messageCount() { return messages().size(); }

} // namespace Zuno
