#include "foundation/IMUrlEncode.h"

#include "platform/UrlEncoder.h"

Ixa::result IMUrlEncode::Encode(IMString& text, IMString& encodingScheme, IMString& encoded)
{
    return Ixa::Base::Utility::UrlEncoder::Encode(text, encodingScheme, encoded);
}
