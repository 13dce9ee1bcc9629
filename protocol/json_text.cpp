#include "protocol/json_text.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace Zuno {

namespace {

constexpr const char kNotJson[] = "不是有效的JSON";

using Iter = std::string::const_iterator;

// What the contexts of one reading share.
struct ReadState {
    Iter begin;
    picojson::input<Iter>& in;
    bool tooDeep = false;
    bool tooLarge = false;
    Iter tooLargeEnd; // where the first number no double holds ends
};

// picojson's default context, with one bound on objects and arrays alike
// (its own bounds arrays only), numbers that no double holds refused instead
// of thrown, and the spans of a root object's members.
class ReadContext {
public:
    ReadContext(picojson::value* out, ReadState& state, std::size_t depth, JsonMemberSpans* spans)
        : out_(out), state_(state), depth_(depth), spans_(spans) {}
    ReadContext(const ReadContext&) = delete;
    ReadContext& operator=(const ReadContext&) = delete;

    bool set_null() { return take(picojson::value()); }
    bool set_bool(bool b) { return take(picojson::value(b)); }
    bool set_int64(int64_t i) { return take(picojson::value(i)); }
    bool set_number(double f) {
        // picojson's value throws on what no double holds, and the parser
        // goes on whatever this returns: the first such number is kept.
        if (!std::isfinite(f)) {
            if (!state_.tooLarge)
                state_.tooLargeEnd = state_.in.cur();
            state_.tooLarge = true;
            return take(picojson::value());
        }
        return take(picojson::value(f));
    }
    bool parse_string(picojson::input<Iter>& in) {
        *out_ = picojson::value(picojson::string_type, false);
        return picojson::_parse_string(out_->get<std::string>(), in);
    }
    bool parse_array_start() { return open(picojson::array_type); }
    bool parse_array_item(picojson::input<Iter>& in, std::size_t) {
        picojson::array& items = out_->get<picojson::array>();
        items.emplace_back();
        ReadContext item(&items.back(), state_, depth_ + 1, nullptr);
        return picojson::_parse(item, in);
    }
    bool parse_array_stop(std::size_t) { return true; }
    bool parse_object_start() { return open(picojson::object_type); }
    bool parse_object_item(picojson::input<Iter>& in, const std::string& key) {
        ReadContext member(&out_->get<picojson::object>()[key], state_, depth_ + 1, nullptr);
        in.skip_ws();
        const Iter first = in.cur();
        if (!picojson::_parse(member, in))
            return false;
        if (spans_)
            (*spans_)[key] = {static_cast<std::size_t>(first - state_.begin),
                              static_cast<std::size_t>(in.cur() - state_.begin)};
        return true;
    }
    bool parse_object_stop() { return true; }

private:
    bool take(picojson::value value) {
        *out_ = std::move(value);
        return true;
    }
    // An object or array one level below this context's value.
    bool open(int type) {
        if (depth_ >= kMaxJsonDepth) {
            state_.tooDeep = true;
            return false;
        }
        *out_ = picojson::value(type, false);
        return true;
    }

    picojson::value* out_;
    ReadState& state_;
    std::size_t depth_; // objects and arrays around this context's value
    JsonMemberSpans* spans_;
};

bool isJsonSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

} // namespace

JsonRead parseJsonText(const std::string& text, picojson::value& out, JsonMemberSpans* spans) {
    out = picojson::value();
    if (spans)
        spans->clear();
    picojson::input<Iter> in(text.begin(), text.end());
    ReadState state{text.begin(), in, false, false, text.end()};
    bool parsed = false;
    try {
        ReadContext root(&out, state, 0, spans);
        parsed = picojson::_parse(root, in);
    } catch (const std::exception&) {
        parsed = false; // memory, say: no value
    }
    JsonRead read;
    Iter stop = in.cur();
    if (!parsed || state.tooLarge) {
        out = picojson::value();
        if (spans)
            spans->clear();
        // The first problem in the text's order.
        read.kind = state.tooLarge ? JsonRead::NumberTooLarge : state.tooDeep ? JsonRead::TooDeep : JsonRead::NotJson;
        if (state.tooLarge)
            stop = state.tooLargeEnd;
    } else {
        // What follows the value is not read: neither a note nor a second value.
        stop = std::find_if_not(stop, text.end(), isJsonSpace);
        read.kind = stop == text.end() ? JsonRead::Value : JsonRead::ValueThenText;
    }
    read.at = static_cast<std::size_t>(stop - text.begin());
    read.line = 1 + static_cast<std::size_t>(std::count(text.begin(), stop, '\n'));
    return read;
}

std::string jsonReadProblem(const JsonRead& read) {
    const std::string line = "第" + std::to_string(read.line) + "行";
    switch (read.kind) {
    case JsonRead::Value: return std::string();
    case JsonRead::ValueThenText: return line + "起JSON值之后还有内容";
    case JsonRead::NotJson: return std::string(kNotJson) + " (" + line + ")";
    case JsonRead::NumberTooLarge: return std::string(kNotJson) + " (" + line + ": 数值超出范围)";
    case JsonRead::TooDeep: return "JSON嵌套超过" + std::to_string(kMaxJsonDepth) + "层";
    }
    return kNotJson;
}

} // namespace Zuno
