#pragma once
// Every MQTT 3.1.1 control packet class, CONNECT to DISCONNECT.

#include "mqtt/connect.h"
#include "mqtt/mqtt_message.h"
#include "mqtt/publish.h"
#include "mqtt/simple_packets.h"
#include "mqtt/subscribe.h"
