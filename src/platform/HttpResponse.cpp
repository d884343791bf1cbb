#include "platform/HttpResponse.h"

namespace Ixa::Net::Http {

HttpResponse::HttpResponse(
    int statusCode, const std::vector<std::pair<std::string, std::string>>& fields)
    : statusCode_(statusCode)
{
    // A field the header refuses (a name that is not a token) is one the program could not
    // have asked for by name either.
    for (const auto& field : fields)
        header_.AddField(Base::String(field.first.c_str()), Base::String(field.second.c_str()));
}

HttpResponse::~HttpResponse() = default;

int HttpResponse::GetHttpStatusCode() const { return statusCode_; }

HttpHeader* HttpResponse::GetHeader() { return &header_; }

int HttpResponse::GetAvailableBodyLength() const { return static_cast<int>(body_.size()); }

Base::ByteBuffer* HttpResponse::ReadBodyN()
{
    if (body_.empty()) {
        SetLastResult(E_UNDERFLOW);
        return nullptr;
    }
    auto* buffer = new Base::ByteBuffer();
    buffer->Construct(static_cast<int>(body_.size()));
    buffer->SetArray(reinterpret_cast<const byte*>(body_.data()), 0, static_cast<int>(body_.size()));
    buffer->Flip();
    body_.clear();
    SetLastResult(E_SUCCESS);
    return buffer;
}

void HttpResponse::AppendBody(const std::string& bytes) { body_ += bytes; }

}  // namespace Ixa::Net::Http
