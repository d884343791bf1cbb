// The response of one transaction: status code, header fields, and the body bytes received
// and not yet read. It exists once the header has arrived.
// Threading and ownership: made and filled by its transaction on the session's thread; the
// program reads it there, or on another thread once the transaction has ended (ordered by
// the program). Owned by its transaction; it owns its header and body bytes.
#pragma once

#include "platform/ByteBuffer.h"
#include "platform/HttpHeader.h"

#include <string>
#include <utility>
#include <vector>

namespace Ixa::Net::Http {

class HttpResponse : public Base::Object {
public:
    HttpResponse(int statusCode, const std::vector<std::pair<std::string, std::string>>& fields);
    ~HttpResponse() override;

    HttpResponse(const HttpResponse&) = delete;
    HttpResponse& operator=(const HttpResponse&) = delete;

    int GetHttpStatusCode() const;
    HttpHeader* GetHeader();
    int GetAvailableBodyLength() const;
    // Every body byte waiting, taken (position 0, limit at the end); null with E_UNDERFLOW in
    // the last-result slot when none waits.
    Base::ByteBuffer* ReadBodyN();

    void AppendBody(const std::string& bytes);

private:
    int statusCode_;
    HttpHeader header_;
    std::string body_;
};

}  // namespace Ixa::Net::Http
