#include "foundation/Base64.h"

#include "platform/StringUtil.h"

using Ixa::Base::Utility::StringUtil;

IMString* Base64::encode(IMByteBuffer* data)
{
    auto text = new IMString();
    StringUtil::EncodeToBase64String(*data, *text);
    return text;
}

Ixa::Base::ByteBuffer* Base64::decode(IMString* text)
{
    Ixa::Base::ByteBuffer* bytes = StringUtil::DecodeBase64StringN(*text);
    if (Ixa::IsFailed(Ixa::GetLastResult())) {
        delete bytes;
        return nullptr;
    }
    return bytes;
}
