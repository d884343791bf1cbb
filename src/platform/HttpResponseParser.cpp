#include "platform/HttpResponseParser.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace Ixa::Net::Http {

namespace {

std::string Trimmed(const std::string& text)
{
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return "";
    return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// A non-negative decimal or hexadecimal number of at most 15 digits, so it cannot overflow.
bool ParseNumber(const std::string& text, int base, long long& value)
{
    if (text.empty() || text.size() > 15)
        return false;
    value = 0;
    for (char c : text) {
        const int digit = std::isdigit(static_cast<unsigned char>(c))
            ? c - '0'
            : (base == 16 && std::isxdigit(static_cast<unsigned char>(c))
                    ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                    : -1);
        if (digit < 0)
            return false;
        value = value * base + digit;
    }
    return true;
}

}  // namespace

HttpResponseParser::HttpResponseParser(bool headRequest, long long bodyLimit)
    : headRequest_(headRequest), bodyLimit_(bodyLimit)
{
}

result HttpResponseParser::Feed(const char* data, size_t length, std::string& body)
{
    const char* end = data + length;
    while (data < end && phase_ != Phase::Done && phase_ != Phase::Failed) {
        if (phase_ == Phase::LengthBody || phase_ == Phase::ChunkData || phase_ == Phase::UntilClose) {
            if (IsFailed(TakeBody(data, end, body)))
                break;
            continue;
        }
        std::string line;
        if (TakeLine(data, end, line) && IsFailed(OnLine(line)))
            break;
    }
    return failure_;
}

result HttpResponseParser::Finish()
{
    if (phase_ == Phase::UntilClose)
        phase_ = Phase::Done;
    if (phase_ != Phase::Done)
        return Fail(E_UNDERFLOW);
    return E_SUCCESS;
}

bool HttpResponseParser::IsHeaderComplete() const { return headerComplete_; }

bool HttpResponseParser::IsComplete() const { return phase_ == Phase::Done; }

bool HttpResponseParser::TakeLine(const char*& data, const char* end, std::string& line)
{
    const char* newline = std::find(data, end, '\n');
    const bool whole = newline != end;
    line_.append(data, whole ? newline : end);
    data = whole ? newline + 1 : end;
    const bool inHeader = phase_ == Phase::StatusLine || phase_ == Phase::Fields;
    const size_t headerBytes = inHeader ? headerBytes_ + line_.size() + (whole ? 1 : 0) : 0;
    if (line_.size() > MAX_LINE || headerBytes > MAX_HEADER) {
        Fail(E_OVERFLOW);
        return false;
    }
    if (!whole)
        return false;
    if (inHeader)
        headerBytes_ = headerBytes;
    if (!line_.empty() && line_.back() == '\r')
        line_.pop_back();
    line.swap(line_);
    line_.clear();
    return true;
}

result HttpResponseParser::OnLine(const std::string& line)
{
    switch (phase_) {
    case Phase::StatusLine:
        return OnStatusLine(line);
    case Phase::Fields:
        return line.empty() ? StartBody() : OnFieldLine(line);
    case Phase::ChunkSize:
        return OnChunkSize(line);
    case Phase::ChunkEnd:
        if (!line.empty())
            return Fail(E_INVALID_FORMAT);
        phase_ = Phase::ChunkSize;
        return E_SUCCESS;
    case Phase::Trailers:
        if (line.empty())
            phase_ = Phase::Done;
        return E_SUCCESS;
    default:
        return Fail(E_INVALID_FORMAT);
    }
}

result HttpResponseParser::OnStatusLine(const std::string& line)
{
    // "HTTP/1.x 200 OK": the reason phrase may be empty, even without its space.
    if (line.size() < 12 || line.compare(0, 7, "HTTP/1.") != 0 || line[8] != ' '
        || (line.size() > 12 && line[12] != ' '))
        return Fail(E_INVALID_FORMAT);
    long long code = 0;
    if (!ParseNumber(line.substr(9, 3), 10, code) || code < 100 || code > 999)
        return Fail(E_INVALID_FORMAT);
    statusCode_ = static_cast<int>(code);
    phase_ = Phase::Fields;
    return E_SUCCESS;
}

result HttpResponseParser::OnFieldLine(const std::string& line)
{
    if (line[0] == ' ' || line[0] == '\t') {
        // An obsolete folded line continues the field before it.
        if (fields_.empty())
            return Fail(E_INVALID_FORMAT);
        fields_.back().second += " " + Trimmed(line);
        return E_SUCCESS;
    }
    const size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0 || Trimmed(line.substr(0, colon)).size() != colon)
        return Fail(E_INVALID_FORMAT);
    fields_.emplace_back(line.substr(0, colon), Trimmed(line.substr(colon + 1)));
    return E_SUCCESS;
}

result HttpResponseParser::StartBody()
{
    if (statusCode_ < 200 && statusCode_ != 101) {
        // An interim response: the real one follows.
        fields_.clear();
        statusCode_ = 0;
        phase_ = Phase::StatusLine;
        return E_SUCCESS;
    }
    headerComplete_ = true;
    if (headRequest_ || statusCode_ == 204 || statusCode_ == 304) {
        phase_ = Phase::Done;
        return E_SUCCESS;
    }
    if (IsChunked()) {
        phase_ = Phase::ChunkSize;
        return E_SUCCESS;
    }
    const std::string* length = FieldValue("Content-Length");
    if (length == nullptr) {
        phase_ = Phase::UntilClose;
        return E_SUCCESS;
    }
    for (const Field& field : fields_) {
        if (EqualsIgnoringCase(field.first, "Content-Length") && field.second != *length)
            return Fail(E_INVALID_FORMAT);
    }
    if (!ParseNumber(*length, 10, remaining_))
        return Fail(E_INVALID_FORMAT);
    if (remaining_ > bodyLimit_)
        return Fail(E_OVERFLOW);
    phase_ = remaining_ == 0 ? Phase::Done : Phase::LengthBody;
    return E_SUCCESS;
}

result HttpResponseParser::OnChunkSize(const std::string& line)
{
    const std::string size = Trimmed(line.substr(0, line.find(';')));
    if (!ParseNumber(size, 16, remaining_))
        return Fail(E_INVALID_FORMAT);
    if (remaining_ > bodyLimit_ - bodyRead_)
        return Fail(E_OVERFLOW);
    phase_ = remaining_ == 0 ? Phase::Trailers : Phase::ChunkData;
    return E_SUCCESS;
}

result HttpResponseParser::TakeBody(const char*& data, const char* end, std::string& body)
{
    long long count = end - data;
    if (phase_ == Phase::UntilClose) {
        if (count > bodyLimit_ - bodyRead_)
            return Fail(E_OVERFLOW);
    } else {
        count = std::min(count, remaining_);
        remaining_ -= count;
    }
    body.append(data, static_cast<size_t>(count));
    data += count;
    bodyRead_ += count;
    if (remaining_ == 0 && phase_ == Phase::LengthBody)
        phase_ = Phase::Done;
    else if (remaining_ == 0 && phase_ == Phase::ChunkData)
        phase_ = Phase::ChunkEnd;
    return E_SUCCESS;
}

result HttpResponseParser::Fail(result failure)
{
    if (phase_ != Phase::Failed) {
        phase_ = Phase::Failed;
        failure_ = failure;
    }
    return failure_;
}

const std::string* HttpResponseParser::FieldValue(const std::string& name) const
{
    for (const Field& field : fields_) {
        if (EqualsIgnoringCase(field.first, name))
            return &field.second;
    }
    return nullptr;
}

bool HttpResponseParser::IsChunked() const
{
    // Transfer codings are listed in the order applied; chunked, when present, comes last.
    std::string last;
    for (const Field& field : fields_) {
        if (EqualsIgnoringCase(field.first, "Transfer-Encoding"))
            last = Trimmed(field.second.substr(field.second.rfind(',') + 1));
    }
    return EqualsIgnoringCase(last, "chunked");
}

}  // namespace Ixa::Net::Http
