// Form URL encoding (application/x-www-form-urlencoded): letters, digits and "-_.*" stay,
// a space becomes "+", every other byte of the UTF-8 form becomes "%XX". UTF-8 is the only
// encoding scheme offered. Thread-safety: stateless; safe from any thread.
#pragma once

#include "platform/String.h"

namespace Ixa::Base::Utility {

class UrlEncoder {
public:
    static result Encode(const String& text, const String& encodingScheme, String& encoded);
};

}  // namespace Ixa::Base::Utility
