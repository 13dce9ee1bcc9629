#pragma once
// The platform's message class of a received frame, chosen by its protocol
// number and length field.

#include <cstdint>
#include <memory>

#include "protocol/message.h"

// A default-constructed object of the class that the protocol number and the
// length field select, or null when they select none.
std::unique_ptr<Zuno::ZunoMSG> makePlatformMessage(uint8_t protocolNumber, uint16_t length);
