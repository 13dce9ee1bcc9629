#include "connection/reply_select.h"

#include "protocol/message_classes.h"

std::unique_ptr<Zuno::ZunoMSG> makePlatformMessage(uint8_t protocolNumber, uint16_t length) {
    const Zuno::MessageClass* c = Zuno::receivedClass(protocolNumber, length);
    return c ? c->make() : nullptr;
}
