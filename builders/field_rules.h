#pragma once
// The mechanics every packet builder shares: the label test, the loop over a
// model's label/value map and the conversion of value texts into field
// values. A conversion that cannot read its value fails the whole model;
// nothing here throws.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "builders/model_file.h"

// True exactly when `text` begins with `prefix`.
bool startsWith(const std::string& text, const std::string& prefix);

namespace Zuno {

// "%d-%d-%d %d:%d:%d" read as sscanf reads it (fields not reached stay 0),
// packed as YY MM DD hh mm ss in the low 48 bits, YY = year - 2000, each
// byte the low 8 bits of its number. Digits beyond what an int holds wrap
// instead of invoking undefined behaviour; the low bits are kept exactly.
uint64_t stringToDateTime(const std::string& s);

// Decimal integer as std::stoi reads it (leading white space, optional sign,
// digits up to the first other character), without throwing: false when no
// digit follows or the number does not fit a signed 32-bit integer.
bool parseInt32(const std::string& value, int32_t& n);
// As parseInt32, but 2147483648 to 4294967295 are accepted as well; a
// negative number gives its 32-bit two's complement.
bool parseUInt32(const std::string& value, uint32_t& n);

// One label of a builder and what a non-empty value does to its working
// value; `apply` returns false when the model must fail.
struct FieldLabel {
    std::string label;
    std::function<bool(const std::string& value)> apply;
};
using LabelTable = std::vector<FieldLabel>;

// Why a builder refused a model: the field it could not use.
enum class FieldFault {
    Missing,    // required, and absent, empty or of a value that stands for none
    Unreadable, // a value its rule cannot read, or one the message cannot carry
    NotText,    // a "value" that is no JSON string
};
struct RefusedField {
    std::string label; // the model's label where it has one, else the builder's
    FieldFault fault = FieldFault::Missing;
};

// While one lives (the innermost, when they nest), the first field that a
// builder of this thread refuses is kept in it; with none, nothing is kept.
class RefusalRecord {
public:
    RefusalRecord();
    ~RefusalRecord();
    RefusalRecord(const RefusalRecord&) = delete;
    RefusalRecord& operator=(const RefusalRecord&) = delete;
    const std::optional<RefusedField>& field() const { return first; }

private:
    friend void refuseField(const std::string& label, FieldFault fault);
    std::optional<RefusedField> first;
    RefusalRecord* outer;
};

// Tells the record that `label` could not be used; only the first counts.
void refuseField(const std::string& label, FieldFault fault);

// A required field and whether its working value is given.
struct Required {
    std::string label;
    bool given;
};
// True when every field is given; otherwise the first that is not is refused
// as missing.
bool requireFields(std::initializer_list<Required> fields);

// The builder loop: every entry of `fields` in key order is taken by the
// first label of `labels` that its non-empty key begins with; a non-empty
// value is converted into the working value. False at the first failed
// conversion, whose key is refused as unreadable.
bool readFields(const LabelValueMap& fields, const LabelTable& labels);

// The conversion rules, each binding a label to a working value.
namespace rule {
FieldLabel number8(const char* label, uint8_t& field);       // N & 0xFF
FieldLabel number16(const char* label, uint16_t& field);     // N & 0xFFFF
FieldLabel number32(const char* label, uint32_t& field);     // whole unsigned range
FieldLabel lowByte(const char* label, uint16_t& field);      // N & 0xFF in 16 bits
FieldLabel flag(const char* label, uint8_t& field);          // 1 when N & 0xFF is 1
FieldLabel dateTime(const char* label, uint64_t& field);     // stringToDateTime
FieldLabel satellites(const char* label, uint8_t& field);    // (N - 0x40) & 0xFF
FieldLabel coordinate(const char* label, uint32_t& field);   // millionths -> 1/1,800,000
FieldLabel courseStatus(const char* label, uint16_t& word);  // N & 0x3FFF
FieldLabel cellId(const char* label, uint32_t& field);       // whole unsigned range
FieldLabel terminalInfo(const char* label, uint8_t& byte);   // N & 0xFF
FieldLabel alarmLanguage(const char* label, uint8_t& alarm, uint8_t& language);
FieldLabel text(const char* label, std::string& field);
FieldLabel trimmedText(const char* label, std::string& field);
FieldLabel utf16Text(const char* label, std::u16string& field);
// "-" removed, hexadecimal into the leading bytes of a 48-bit address. A text
// of more than six bytes fails the model; one that gives no bytes leaves the
// address as it was.
FieldLabel macAddress(const char* label, uint64_t& address);
} // namespace rule

} // namespace Zuno
