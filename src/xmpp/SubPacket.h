// A child element carried in a packet's sub-packet list (roster items, no-save items).
// Ownership: the packet that holds it deletes it. Thread-safety: none.
#pragma once

#include "foundation/IMString.h"

class SubPacket : public Ixa::Base::Object {
public:
    SubPacket();
    ~SubPacket() override;

    // A new string holding the element, owned by the caller.
    virtual IMString* getXML() = 0;
};
