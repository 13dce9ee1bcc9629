#include "builders/command_reply.h"

#include <string>

#include "builders/field_rules.h"
#include "protocol/command.h"

namespace {

using namespace Zuno;

// The most a short frame's one-byte length field holds.
constexpr size_t kShortFrameLength = 0xFF;
// Frame length beyond the text: protocol, serial, CRC and the fixed content.
constexpr size_t kAction21Overhead = 10;
constexpr size_t kAction81Overhead = 12;

bool fitsShortFrame(size_t textBytes, size_t overhead) { return textBytes + overhead <= kShortFrameLength; }

// Why a text of `textBytes` bytes on the wire cannot be sent, for the user.
std::string textTooLong(size_t textBytes, size_t overhead, bool utf16be) {
    return std::string("回复指令过长: ") + (utf16be ? "UTF-16BE" : "UTF-8") + " 编码 " + std::to_string(textBytes) +
           " 字节, 最多 " + std::to_string(kShortFrameLength - overhead) + " 字节";
}

} // namespace

namespace MessageBuilder {

std::shared_ptr<ZunoMSG> makeAction21(const LabelValueMap& fields) {
    std::string why;
    return makeAction21(fields, why);
}

std::shared_ptr<ZunoMSG> makeAction21(const LabelValueMap& fields, std::string& why) {
    uint32_t flag = 0;
    uint8_t coding = 0;
    std::u16string content;
    const LabelTable labels = {rule::number32("服务器标志", flag), rule::number8("字符编码", coding),
                               rule::utf16Text("回复指令", content)};
    if (!readFields(fields, labels)) return nullptr;
    // Only these two codings can be sent; the encoder refuses any other.
    if (coding != kCodingUtf8 && coding != kCodingUtf16) {
        why = "字符编码 " + std::to_string(coding) + " 无效, 只能是 1 (UTF-8) 或 2 (UTF-16BE)";
        return nullptr;
    }
    const size_t textBytes = commandTextBytes(content, coding == kCodingUtf16).size();
    if (!fitsShortFrame(textBytes, kAction21Overhead)) {
        why = textTooLong(textBytes, kAction21Overhead, coding == kCodingUtf16);
        return nullptr;
    }
    auto msg = std::make_shared<ZunoAction21>();
    msg->flag = flag;
    msg->coding = coding;
    msg->content = content;
    return msg;
}

std::shared_ptr<ZunoMSG> makeAction80Resp(const LabelValueMap& fields) {
    uint32_t flag = 0;
    uint8_t languageIncluded = 0;
    std::u16string content;
    AlertAndLang pair;
    const LabelTable labels = {rule::number32("服务器标志", flag), rule::flag("包含语言", languageIncluded),
                               rule::utf16Text("回复指令", content),
                               rule::alarmLanguage("告警语言", pair.alert, pair.language)};
    if (!readFields(fields, labels)) return nullptr;
    // The command length counts the text's bytes in its field (cut to the
    // field as the encoder cuts it), the flag and, without the language
    // included, two bytes more.
    const size_t textBytes = action80RespTextBytes(content, pair.language == 1).size();
    auto msg = std::make_shared<ZunoAction80Resp>();
    msg->dataLen = static_cast<uint8_t>(textBytes + 4 + (languageIncluded ? 0 : 2));
    msg->flag = flag;
    msg->content = content;
    msg->AlertAndLang = pair;
    return msg;
}

std::shared_ptr<ZunoMSG> makeAction81(const LabelValueMap& fields) {
    std::string why;
    return makeAction81(fields, why);
}

std::shared_ptr<ZunoMSG> makeAction81(const LabelValueMap& fields, std::string& why) {
    uint32_t flag = 0;
    std::u16string content;
    AlertAndLang pair;
    const LabelTable labels = {rule::number32("服务器标志", flag), rule::utf16Text("回复指令", content),
                               rule::alarmLanguage("字符编码", pair.alert, pair.language)};
    if (!readFields(fields, labels)) return nullptr;
    // The language byte picks the coding: 1 UTF-16BE, any other UTF-8.
    const bool utf16be = pair.language == 1;
    const size_t textBytes = commandTextBytes(content, utf16be).size();
    if (!fitsShortFrame(textBytes, kAction81Overhead)) {
        why = textTooLong(textBytes, kAction81Overhead, utf16be);
        return nullptr;
    }
    auto msg = std::make_shared<ZunoAction81>();
    msg->dataLen = static_cast<uint8_t>(textBytes + 6);
    msg->flag = flag;
    msg->content = content;
    msg->AlertAndLang = pair;
    return msg;
}

} // namespace MessageBuilder
