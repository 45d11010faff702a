// Every message of the zone in one include, and Parse, which reads a whole
// message of a known type: its code byte must be the type's, then Read
// cuts its fields (see SessionMessages.h and ClientMessages.h for how
// strictly).
#pragma once

#include <string_view>

#include "protocol/ClientMessages.h"
#include "protocol/DialogMessages.h"
#include "protocol/FieldReader.h"
#include "protocol/GameMessages.h"
#include "protocol/LobbyMessages.h"
#include "protocol/PreviewMessages.h"
#include "protocol/SessionMessages.h"

namespace protocol {

template <class TMessage>
bool Parse(std::string_view message, TMessage& out) {
    TFieldReader reader(message);
    uint8_t code = 0;
    if (!reader.ReadByte(code) || code != CodeByte(TMessage::kCode)) return false;
    return Read(reader, out);
}

}  // namespace protocol
