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
        {static_cast<int>(0xF0000001u), "未知错误"},
    };
    return table;
}

} // namespace

ZunoException::~ZunoException() = default;

const char* ZunoException::what() const noexcept {
    try {
        whatText_ = toString();
    } catch (...) {
        whatText_.clear();
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
