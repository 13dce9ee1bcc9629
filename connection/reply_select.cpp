#include "connection/reply_select.h"

std::unique_ptr<Zuno::ZunoMSG> makePlatformMessage(uint8_t protocolNumber, uint16_t length) {
    (void)length;
    switch (protocolNumber) {
    default:
        return nullptr;
    }
}
