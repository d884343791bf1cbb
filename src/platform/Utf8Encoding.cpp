#include "platform/Utf8Encoding.h"

#include "platform/Utf8Codec.h"

namespace Ixa::Text {

Base::ByteBuffer* Utf8Encoding::GetBytesN(const Base::String& text) const
{
    std::string utf8 = text.ToUtf8();
    auto buffer = new Base::ByteBuffer();
    buffer->Construct(static_cast<int>(utf8.size()) + 1);
    buffer->SetArray(reinterpret_cast<const byte*>(utf8.data()), 0, static_cast<int>(utf8.size()));
    buffer->Flip();
    SetLastResult(E_SUCCESS);
    return buffer;
}

int Utf8Encoding::GetByteCount(const Base::String& text) const { return static_cast<int>(text.ToUtf8().size()); }

result Utf8Encoding::GetString(const Base::ByteBuffer& bytes, Base::String& text) const
{
    return GetString(bytes.GetPointer() + bytes.GetPosition(), bytes.GetRemaining(), text);
}

result Utf8Encoding::GetString(const byte* bytes, int length, Base::String& text) const
{
    if (length < 0 || (bytes == nullptr && length > 0)) {
        return E_INVALID_ARG;
    }
    std::u16string units;
    Utf8Codec::AppendUtf8ToUtf16(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length), units);
    text = Base::String(units.c_str(), static_cast<int>(units.size()));
    return E_SUCCESS;
}

}  // namespace Ixa::Text
