// Form URL encoding of a text in the named encoding scheme. Thread-safety: stateless.
#pragma once

#include "foundation/IMString.h"

class IMUrlEncode {
public:
    static Ixa::result Encode(IMString& text, IMString& encodingScheme, IMString& encoded);
};
