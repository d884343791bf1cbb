#include "platform/HttpResponseParser.h"

#include <gtest/gtest.h>

#include <string>

using Ixa::Net::Http::HttpResponseParser;

namespace {

constexpr long long NoLimit = 1LL << 40;

struct Parsed {
    Ixa::result fed = Ixa::E_SUCCESS;
    std::string body;
    bool complete = false;
};

// Feeds the bytes in pieces of `piece` bytes, as a connection might deliver them, and then
// the end of the connection when `closed`.
Parsed Parse(HttpResponseParser& parser, const std::string& bytes, size_t piece, bool closed = false)
{
    Parsed parsed;
    for (size_t at = 0; at < bytes.size() && !Ixa::IsFailed(parsed.fed); at += piece)
        parsed.fed = parser.Feed(bytes.data() + at, std::min(piece, bytes.size() - at), parsed.body);
    if (closed && !Ixa::IsFailed(parsed.fed))
        parsed.fed = parser.Finish();
    parsed.complete = parser.IsComplete();
    return parsed;
}

TEST(HttpResponseParserTest, EveryFramingReadsTheSameInPiecesOfAnySize)
{
    const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n"
                                "5;ext=\"a;b\"\r\nhello\r\n1B\r\n, the chunk size is in hex.\r\n"
                                "0\r\nTrailer: dropped\r\n\r\n";
    const std::string length = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 5\r\n\r\nhelloEXTRA";
    const std::string bare = "HTTP/1.0 200\nX-Folded: one\n two\n\nuntil the end";
    for (size_t piece : {size_t{1}, size_t{2}, size_t{7}, size_t{4096}}) {
        HttpResponseParser chunkedParser(false, NoLimit);
        Parsed parsed = Parse(chunkedParser, chunked, piece);
        EXPECT_EQ(parsed.fed, Ixa::E_SUCCESS) << piece;
        EXPECT_TRUE(parsed.complete) << piece;
        EXPECT_EQ(parsed.body, "hello, the chunk size is in hex.") << piece;

        HttpResponseParser lengthParser(false, NoLimit);
        parsed = Parse(lengthParser, length, piece);
        EXPECT_TRUE(parsed.complete) << piece;
        EXPECT_EQ(parsed.body, "hello") << "bytes behind the body are not the body";

        HttpResponseParser bareParser(false, NoLimit);
        parsed = Parse(bareParser, bare, piece);
        EXPECT_FALSE(parsed.complete) << "runs to the end of the connection";
        EXPECT_EQ(bareParser.StatusCode(), 200);
        ASSERT_EQ(bareParser.Fields().size(), 1U);
        EXPECT_EQ(bareParser.Fields()[0].second, "one two");
        EXPECT_EQ(bareParser.Finish(), Ixa::E_SUCCESS);
        EXPECT_EQ(parsed.body, "until the end");
    }
}

TEST(HttpResponseParserTest, InterimResponsesAndBodilessAnswersAreRecognised)
{
    HttpResponseParser continued(false, NoLimit);
    Parsed parsed = Parse(continued,
        "HTTP/1.1 100 Continue\r\nX-Interim: yes\r\n\r\nHTTP/1.1 201 Created\r\nContent-Length: 2\r\n\r\nok", 3);
    EXPECT_TRUE(parsed.complete);
    EXPECT_EQ(continued.StatusCode(), 201);
    EXPECT_EQ(continued.Fields().size(), 1U) << "the interim fields are dropped";
    EXPECT_EQ(parsed.body, "ok");

    for (const char* answer : {"HTTP/1.1 204 No Content\r\n\r\n", "HTTP/1.1 304 Not Modified\r\n\r\n"}) {
        HttpResponseParser parser(false, NoLimit);
        EXPECT_TRUE(Parse(parser, answer, 5).complete) << answer;
    }
    HttpResponseParser head(true, NoLimit);
    EXPECT_TRUE(Parse(head, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n", 64).complete);
}

TEST(HttpResponseParserTest, MalformedAndCutResponsesFail)
{
    const std::pair<const char*, Ixa::result> cases[] = {
        {"SMTP/1.1 200 OK\r\n\r\n", Ixa::E_INVALID_FORMAT},
        {"HTTP/1.1 2x0 OK\r\n\r\n", Ixa::E_INVALID_FORMAT},
        {"HTTP/1.1 200 OK\r\nno colon\r\n\r\n", Ixa::E_INVALID_FORMAT},
        {"HTTP/1.1 200 OK\r\nName : value\r\n\r\n", Ixa::E_INVALID_FORMAT},
        {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\n", Ixa::E_INVALID_FORMAT},
        {"HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\n", Ixa::E_INVALID_FORMAT},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", Ixa::E_INVALID_FORMAT},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nabX\r\n", Ixa::E_INVALID_FORMAT},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1000000000000000\r\n", Ixa::E_INVALID_FORMAT},
    };
    for (const auto& [bytes, failure] : cases) {
        HttpResponseParser parser(false, NoLimit);
        EXPECT_EQ(Parse(parser, bytes, 4).fed, failure) << bytes;
        std::string body;
        EXPECT_EQ(parser.Feed("HTTP/1.1 200 OK\r\n\r\n", 19, body), failure) << "failures are final";
    }
    for (const char* cut : {"", "HTTP/1.1 200 OK\r\nContent-Le", "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nshort",
             "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n"}) {
        HttpResponseParser parser(false, NoLimit);
        EXPECT_EQ(Parse(parser, cut, 8, true).fed, Ixa::E_UNDERFLOW) << cut;
    }
}

TEST(HttpResponseParserTest, LimitsFailAsSoonAsTheyAreKnown)
{
    HttpResponseParser announced(false, 10);
    Parsed parsed = Parse(announced, "HTTP/1.1 200 OK\r\nContent-Length: 11\r\n\r\n", 100);
    EXPECT_EQ(parsed.fed, Ixa::E_OVERFLOW) << "before any of the body";
    HttpResponseParser exact(false, 10);
    EXPECT_TRUE(Parse(exact, "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n0123456789", 100).complete);

    HttpResponseParser chunks(false, 10);
    parsed = Parse(chunks, "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n6\r\n012345\r\n5\r\n", 100);
    EXPECT_EQ(parsed.fed, Ixa::E_OVERFLOW) << "the chunk that would pass the limit";
    EXPECT_EQ(parsed.body, "012345");
    HttpResponseParser open(false, 10);
    EXPECT_EQ(Parse(open, "HTTP/1.1 200 OK\r\n\r\n0123456789A", 100).fed, Ixa::E_OVERFLOW);

    HttpResponseParser longLine(false, NoLimit);
    const std::string endlessLine = "HTTP/1.1 200 OK\r\nX: " + std::string(HttpResponseParser::MAX_LINE, 'a');
    EXPECT_EQ(Parse(longLine, endlessLine, 1000).fed, Ixa::E_OVERFLOW) << "a line without end";
    HttpResponseParser manyFields(false, NoLimit);
    std::string fields = "HTTP/1.1 200 OK\r\n";
    while (fields.size() <= HttpResponseParser::MAX_HEADER)
        fields += "X-Field: " + std::string(100, 'b') + "\r\n";
    EXPECT_EQ(Parse(manyFields, fields, 1000).fed, Ixa::E_OVERFLOW) << "a header without end";
}

}  // namespace
