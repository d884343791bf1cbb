#include "net/HttpConnection.h"

#include "support/LocalHttpServer.h"
#include "support/LoopbackPort.h"
#include "support/ScopedEnvironment.h"
#include "support/TestCertificates.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

using TestSupport::LocalHttpServer;
using TestSupport::ScopedEnvironment;
using TestSupport::TestCertificates;

namespace {

constexpr unsigned long Failure = 0x80000000UL;

std::string Utf8(const IMString& text) { return text.ToUtf8(); }

std::string Pattern(size_t count)
{
    std::string bytes;
    while (bytes.size() < count)
        bytes += "0123456789abcdef";
    return bytes.substr(0, count);
}

// A constructed connection to `url` with the method set; each step must succeed.
std::unique_ptr<HttpConnection> Open(const std::string& url, const char* method = "get")
{
    auto connection = std::make_unique<HttpConnection>(IMString(url.c_str()));
    unsigned long error = Failure;
    connection->construct(&error);
    EXPECT_EQ(error, 0UL) << url;
    connection->setRequestMethod(IMString(method), &error);
    EXPECT_EQ(error, 0UL) << method;
    return connection;
}

// The status code (-1 on failure) and the whole body, read byte by byte until the end.
struct Answer {
    int status = 0;
    std::string body;
    bool failed = false;
};

Answer SubmitAndRead(HttpConnection& connection)
{
    Answer answer;
    unsigned long error = Failure;
    connection.submitRequest(&error);
    EXPECT_EQ(error, 0UL);
    answer.status = connection.getResponseCode(&error);
    answer.failed = error != 0;
    for (int byte = connection.read(&error); byte >= 0; byte = connection.read(&error)) {
        EXPECT_EQ(error, 0UL);
        answer.body += static_cast<char>(byte);
    }
    EXPECT_EQ(error, Failure) << "the end of the body reads as -1 with failure";
    return answer;
}

Answer Fetch(const std::string& url, long long limit = 0, int timeout = 0)
{
    std::unique_ptr<HttpConnection> connection = Open(url);
    unsigned long error = Failure;
    if (limit > 0) {
        connection->setResponseLimit(limit, &error);
        EXPECT_EQ(error, 0UL);
    }
    if (timeout > 0) {
        connection->setTimeout(timeout, &error);
        EXPECT_EQ(error, 0UL);
    }
    return SubmitAndRead(*connection);
}

class HttpConnectionTest : public testing::Test {
protected:
    static void SetUpTestSuite() { server = new LocalHttpServer(); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    static std::string Url(const std::string& path) { return server->Url(path); }

    static LocalHttpServer* server;
};

LocalHttpServer* HttpConnectionTest::server = nullptr;

TEST_F(HttpConnectionTest, GetGivesTheStatusTheHeaderFieldsAndTheBody)
{
    std::unique_ptr<HttpConnection> connection = Open(Url("/hello"));
    unsigned long error = Failure;
    connection->submitRequest(&error);
    ASSERT_EQ(error, 0UL);
    EXPECT_EQ(connection->getResponseCode(&error), 200);
    EXPECT_EQ(error, 0UL);

    std::unique_ptr<IMString> type(connection->getHeaderField(IMString("content-type"), &error));
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(Utf8(*type), "text/plain; charset=utf-8");
    std::unique_ptr<IMString> firstName(connection->getHeaderFieldKey(0, &error));
    std::unique_ptr<IMString> firstValue(connection->getHeaderField(0, &error));
    ASSERT_NE(firstName, nullptr);
    EXPECT_EQ(Utf8(*firstName), "Server");
    EXPECT_EQ(Utf8(*firstValue).rfind("BaseHTTP", 0), 0U);
    EXPECT_EQ(connection->getHeaderFieldKey(99, &error), nullptr);
    EXPECT_EQ(error, Failure);

    HttpHeaderFieldValues values;
    int count = 0;
    connection->getHeaderFields(IMString("X-MULTI"), count, values, &error);
    EXPECT_EQ(error, 0UL);
    ASSERT_EQ(count, 2);
    for (int pass = 0; pass < 2; ++pass) {
        std::string seen;
        while (values.MoveNext() == 0) {
            std::unique_ptr<IMString> value(values.GetCurrentString(&error));
            seen += Utf8(*value) + ";";
        }
        EXPECT_EQ(seen, "one;two;") << "pass " << pass;
        EXPECT_EQ(values.GetCurrentString(&error), nullptr);
        values.ReSet();
    }
    connection->getHeaderFields(IMString("X-None"), count, values, &error);
    EXPECT_EQ(error, Failure);
    EXPECT_EQ(count, 0);

    std::unique_ptr<IMString> text(connection->getResponseMessage(&error));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(Utf8(*text), "Hello, wörld");
    EXPECT_EQ(connection->getResponseMessage(&error), nullptr) << "the body is taken once";
    EXPECT_EQ(connection->read(&error), -1);

    // Other statuses are answers too, and HEAD has no body whatever its Content-Length says.
    Answer missing = Fetch(Url("/status?code=404"));
    EXPECT_EQ(missing.status, 404);
    EXPECT_EQ(missing.body, "status 404");
    std::unique_ptr<HttpConnection> head = Open(Url("/hello"), "HEAD");
    Answer headers = SubmitAndRead(*head);
    EXPECT_EQ(headers.status, 200);
    EXPECT_EQ(headers.body, "");
}

TEST_F(HttpConnectionTest, PostSendsItsBodyAsUtf8WithTheLengthInBytes)
{
    std::unique_ptr<HttpConnection> connection = Open(Url("/echo"), "POST");
    unsigned long error = Failure;
    const IMString body(L"h\u00e9llo w\u00f6rld \u20ac");  // 13 characters, 17 bytes
    connection->setRequestBody(body, &error);
    EXPECT_EQ(error, 0UL);
    connection->setRequestProperty(IMString("Content-Length"), IMString("13"), &error);
    EXPECT_EQ(error, 0UL);
    connection->setRequestProperty(IMString("Content-Type"), IMString("text/plain"), &error);
    EXPECT_EQ(error, 0UL);
    connection->setRequestProperty(IMString("Bad Name"), IMString("x"), &error);
    EXPECT_EQ(error, Failure);
    Answer answer = SubmitAndRead(*connection);
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(answer.body, "POST /echo\n17\ntext/plain\nh\xc3\xa9llo w\xc3\xb6rld \xe2\x82\xac");

    // Without a length of its own the request gets the byte count, a PUT without a body 0.
    std::unique_ptr<HttpConnection> put = Open(Url("/echo"), "put");
    put->setRequestBody(IMString(L"\u00e9t\u00e9"), &error);
    EXPECT_EQ(SubmitAndRead(*put).body, "PUT /echo\n5\n-\n\xc3\xa9t\xc3\xa9");
    std::unique_ptr<HttpConnection> empty = Open(Url("/echo"), "Put");
    EXPECT_EQ(SubmitAndRead(*empty).body, "PUT /echo\n0\n-\n");
    std::unique_ptr<HttpConnection> remove = Open(Url("/echo?id=7"), "DELETE");
    EXPECT_EQ(SubmitAndRead(*remove).body, "DELETE /echo?id=7\n-\n-\n");
}

TEST_F(HttpConnectionTest, RequestsAreRefusedWhereTheyDoNotFit)
{
    unsigned long error = 0;
    HttpConnection unconstructed(IMString(Url("/hello").c_str()));
    unconstructed.setRequestMethod(IMString("get"), &error);
    EXPECT_EQ(error, Failure) << "before construct";
    unconstructed.submitRequest(&error);
    EXPECT_EQ(error, Failure);

    std::unique_ptr<HttpConnection> connection = Open(Url("/hello"));
    for (const char* method : {"GET", "fetch", ""}) {
        connection->setRequestMethod(IMString(method), &error);
        EXPECT_EQ(error, Failure) << method;
    }
    EXPECT_EQ(connection->getResponseCode(&error), -1) << "nothing submitted: no wait";
    EXPECT_EQ(error, Failure);
    connection->submitRequest(&error);
    ASSERT_EQ(error, 0UL);
    connection->setRequestMethod(IMString("post"), &error);
    EXPECT_EQ(error, Failure) << "after submit";
    connection->submitRequest(&error);
    EXPECT_EQ(error, Failure) << "twice";
    EXPECT_EQ(connection->getResponseCode(&error), 200);
    connection->close();
    EXPECT_EQ(connection->getResponseCode(&error), -1) << "after close";
    EXPECT_EQ(connection->getResponseBuffer(&error), nullptr);
    connection->close();

    HttpConnection notHttp(IMString("ftp://127.0.0.1/file"));
    notHttp.construct(&error);
    EXPECT_EQ(error, Failure);
}

TEST_F(HttpConnectionTest, BodiesOfKnownLengthChunkedOrEndedByTheClose)
{
    EXPECT_EQ(Fetch(Url("/chunked")).body, "first,second;third");
    EXPECT_EQ(Fetch(Url("/until-close")).body, "until the end");
    EXPECT_EQ(Fetch(Url("/big?n=0")).body, "");
    Answer known = Fetch(Url("/big?n=100000"));
    EXPECT_EQ(known.status, 200);
    EXPECT_EQ(known.body, Pattern(100000));

    std::unique_ptr<HttpConnection> connection = Open(Url("/big-chunked?n=300001"));
    unsigned long error = Failure;
    connection->submitRequest(&error);
    EXPECT_EQ(connection->getResponseCode(&error), 200);
    std::unique_ptr<IMByteBuffer> whole(connection->getResponseBuffer(&error));
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(whole->GetPosition(), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(whole->GetPointer()), whole->GetLimit()), Pattern(300001));
}

TEST_F(HttpConnectionTest, AResponseCutShortFails)
{
    for (const char* path : {"/close-early", "/chunked-cut"}) {
        Answer answer = Fetch(Url(path));
        EXPECT_EQ(answer.status, -1) << path;
        EXPECT_TRUE(answer.failed) << path;
        EXPECT_EQ(answer.body, "") << path;
    }
    Answer refused = Fetch("http://127.0.0.1:" + std::to_string(TestSupport::UnusedPort()) + "/");
    EXPECT_TRUE(refused.failed);
}

TEST_F(HttpConnectionTest, ASlowServerIsWaitedForWhileItKeepsSending)
{
    // A hundred pieces arrive one by one, more than the body queue holds.
    std::string pieces;
    for (int index = 0; index < 100; ++index)
        pieces += "piece " + std::to_string(index) + "\n";
    EXPECT_EQ(Fetch(Url("/slow?pieces=100&gap=0.01")).body, pieces);

    // The time-out bounds each silence, not the whole exchange.
    Answer slow = Fetch(Url("/slow?pieces=5&gap=0.3"), 0, 1000);
    EXPECT_EQ(slow.status, 200);
    EXPECT_EQ(slow.body, "piece 0\npiece 1\npiece 2\npiece 3\npiece 4\n");
    Answer stalled = Fetch(Url("/stall"), 0, 300);
    EXPECT_EQ(stalled.status, -1);
    EXPECT_TRUE(stalled.failed);
}

TEST_F(HttpConnectionTest, AResponseOverTheLimitIsAnError)
{
    EXPECT_EQ(Fetch(Url("/big?n=200000"), 200000).body, Pattern(200000)) << "the limit itself fits";
    EXPECT_TRUE(Fetch(Url("/big?n=200001"), 200000).failed) << "known length";
    EXPECT_TRUE(Fetch(Url("/big-chunked?n=200001"), 200000).failed) << "chunked";
    // An endless body ends at the limit instead of filling the memory.
    Answer endless = Fetch(Url("/endless"), 1 << 20);
    EXPECT_TRUE(endless.failed);
    EXPECT_EQ(endless.body, "");
}

TEST_F(HttpConnectionTest, CancelAndCloseEndARequestStillUnderWay)
{
    std::unique_ptr<HttpConnection> cancelled = Open(Url("/stall"));
    unsigned long error = Failure;
    cancelled->submitRequest(&error);
    ASSERT_EQ(error, 0UL);
    std::thread canceller([&] { cancelled->CancelRequest(); });
    EXPECT_EQ(cancelled->getResponseCode(&error), -1);
    EXPECT_EQ(error, Failure);
    canceller.join();
    EXPECT_EQ(cancelled->read(&error), -1);

    std::unique_ptr<HttpConnection> closed = Open(Url("/stall"));
    closed->submitRequest(&error);
    ASSERT_EQ(error, 0UL);
    closed->close();
    EXPECT_EQ(closed->getResponseCode(&error), -1);
}

class HttpsConnectionTest : public testing::Test {
protected:
    static Answer FetchFrom(const TestCertificates& served, const TestCertificates& trusted,
        const std::string& host = "127.0.0.1")
    {
        ScopedEnvironment authority("VELOIM_CA_FILE", trusted.CaFile());
        LocalHttpServer server(LocalHttpServer::Tls{served.CertificateFile(), served.KeyFile()});
        return Fetch(server.Url("/hello", host), 0, 5000);
    }
};

TEST_F(HttpsConnectionTest, TheServerMustProveItsNameWithATrustedCertificate)
{
    TestCertificates address("127.0.0.1");
    Answer answer = FetchFrom(address, address);
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(answer.body, "Hello, wörld");
    TestCertificates name("localhost");
    EXPECT_EQ(FetchFrom(name, name, "localhost").body, "Hello, wörld");

    TestCertificates otherName("other.example");
    EXPECT_TRUE(FetchFrom(otherName, otherName).failed) << "a certificate for another name";
    EXPECT_TRUE(FetchFrom(address, name).failed) << "an authority not trusted";
}

}  // namespace
