// A connection under test, pointed at scripted TLS servers on 127.0.0.1 under the name
// "localhost" (whose certificate the fixture's authority issues and the test trusts), with a
// recording request controller and short connect and handshake time-outs.
// Threading: the test's thread drives it; the controller records from the connection's.
#pragma once

#include "ScriptedSignIn.h"
#include "support/RecordingController.h"
#include "support/ScriptedTlsServer.h"
#include "support/TestCertificates.h"
#include "xmpp/Connection.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

class ConnectionFixture : public testing::Test {
protected:
    static constexpr int CONNECT_TIMEOUT = 2000;
    static constexpr int HANDSHAKE_TIMEOUT = 1000;

    ConnectionFixture();
    ~ConnectionFixture() override;

    void SetUp() override;
    void TearDown() override;

    // Logs in as ScriptedSignIn::USER to localhost:port.
    void login(unsigned short port, const std::string& user = ScriptedSignIn::USER);
    // Logs in and waits for the count-th "signin" notification.
    bool signIn(unsigned short port, size_t count = 1);
    // What the connection-error handler would do: close the connection.
    void closeAfterError();

    TestSupport::TestCertificates certificates_{"localhost"};
    TestSupport::RecordingController controller_;
    // Declared after the controller, so it goes first.
    std::unique_ptr<Connection> connection_;
};
