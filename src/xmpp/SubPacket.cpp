#include "xmpp/SubPacket.h"

SubPacket::SubPacket() = default;

SubPacket::~SubPacket() = default;
