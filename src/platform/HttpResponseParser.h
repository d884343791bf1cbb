// Reads one HTTP/1.x response from the bytes of a connection, as they come, in pieces of any
// size: the status line, the header fields, then the body framed by chunked transfer coding,
// by Content-Length, or by the end of the connection (none for a HEAD request and for 204
// and 304). Interim 1xx responses are skipped. The body comes out decoded; chunk extensions
// and trailer fields are read and dropped.
//
// Memory is bounded: a line may hold at most MAX_LINE bytes, the whole header MAX_HEADER,
// and the body at most the limit given; going beyond any of them is E_OVERFLOW, decided as
// soon as it is known (a Content-Length over the limit fails before any of the body is
// read). A response that is not HTTP/1.x fails with E_INVALID_FORMAT; one that the end of
// the connection cuts short fails with E_UNDERFLOW. Failures are final.
// Thread-safety: none; one connection's reader.
#pragma once

#include "platform/Result.h"

#include <string>
#include <utility>
#include <vector>

namespace Ixa::Net::Http {

class HttpResponseParser {
public:
    static constexpr size_t MAX_LINE = 8 * 1024;
    static constexpr size_t MAX_HEADER = 64 * 1024;

    using Field = std::pair<std::string, std::string>;

    HttpResponseParser(bool headRequest, long long bodyLimit);

    // Reads the bytes; decoded body bytes are appended to `body`. E_SUCCESS, or the failure.
    result Feed(const char* data, size_t length, std::string& body);
    // The connection has ended: completes a body that runs to the end of the connection.
    result Finish();

    bool IsHeaderComplete() const;
    bool IsComplete() const;
    int StatusCode() const { return statusCode_; }
    // The bytes of the status line and the header fields, line breaks included.
    size_t HeaderLength() const { return headerBytes_; }
    const std::vector<Field>& Fields() const { return fields_; }

private:
    enum class Phase {
        StatusLine, Fields, LengthBody, ChunkSize, ChunkData, ChunkEnd, Trailers, UntilClose,
        Done, Failed
    };

    // Reads bytes into the current line; true with the line (without its CR LF) once whole.
    bool TakeLine(const char*& data, const char* end, std::string& line);
    result OnLine(const std::string& line);
    result OnStatusLine(const std::string& line);
    result OnFieldLine(const std::string& line);
    result StartBody();
    result OnChunkSize(const std::string& line);
    result TakeBody(const char*& data, const char* end, std::string& body);
    result Fail(result failure);
    const std::string* FieldValue(const std::string& name) const;
    bool IsChunked() const;

    bool headRequest_;
    long long bodyLimit_;
    Phase phase_ = Phase::StatusLine;
    result failure_ = E_SUCCESS;
    std::string line_;
    size_t headerBytes_ = 0;
    bool headerComplete_ = false;
    int statusCode_ = 0;
    std::vector<Field> fields_;
    long long bodyRead_ = 0;
    // Bytes still to come in the known-length body or in the current chunk.
    long long remaining_ = 0;
};

}  // namespace Ixa::Net::Http
