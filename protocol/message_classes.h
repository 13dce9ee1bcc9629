#pragma once
// Every message class of the protocol, in one table: its name, its protocol
// number (the class's kProtocol), who sends it, the command keyword that
// names it in model and flow files, and which length fields select it for a
// frame typed into the analyser and for a frame received from the platform.
// The analyser's and the client's choice of a class, the keyword lookup and
// the fuzz targets' class list are read from this table. A new packet kind is
// a class with its kProtocol and a row here, and, when models describe it, a
// builder; the class tables test names what is missing (a packet name, a
// builder without keyword).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/message.h"

namespace Zuno {

enum class Sender { Terminal, Platform, Nobody };

// The length fields that select a class among those of its protocol number.
struct LengthRule {
    enum Kind : uint8_t { Never, Any, Equal, AtLeast };
    Kind kind = Never;
    uint16_t value = 0;

    bool matches(uint16_t length) const;
};

struct MessageClass {
    const char* name;     // the class name, without the namespace
    uint8_t protocol;     // the class's kProtocol
    Sender sender;
    const char* keyword;  // the command keyword of model and flow files, or nullptr
    LengthRule typed;     // a frame typed into the analyser
    LengthRule received;  // a frame received from the platform
    std::unique_ptr<ZunoMSG> (*make)(); // a default-constructed object of the class
};

// Every message class. New rows go at the end: fuzz inputs select a class by
// its position in this table.
const std::vector<MessageClass>& messageClasses();

// The class that a frame of this protocol number and length field selects:
// a class whose rule names that exact length first, then one that takes the
// length as it comes. Null when none does.
const MessageClass* typedClass(uint8_t protocol, uint16_t length);
const MessageClass* receivedClass(uint8_t protocol, uint16_t length);

// The protocol number of a name that is no command keyword.
constexpr uint8_t kNoKeyword = 0xFF;

// Protocol number of a command keyword ("LOGIN", "GPS12", ...), compared after
// trimming and upper-casing; kNoKeyword for a name that is no keyword.
uint8_t protocolNumber(const std::string& cmd);

struct CommandKeyword {
    const char* keyword;
    uint8_t number;
};
// The command keywords and their protocol numbers, in the order of the table.
const std::vector<CommandKeyword>& commandKeywords();

} // namespace Zuno
