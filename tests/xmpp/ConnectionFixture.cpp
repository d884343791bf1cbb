#include "ConnectionFixture.h"

#include "platform/SecureSocket.h"

#include <cstdlib>

using Ixa::Net::Sockets::SecureSocket;

ConnectionFixture::ConnectionFixture() : connection_(std::make_unique<Connection>(&controller_)) {}

ConnectionFixture::~ConnectionFixture() = default;

void ConnectionFixture::SetUp()
{
    setenv("VELOIM_CA_FILE", certificates_.CaFile().c_str(), 1);
    SecureSocket::SetConnectTimeout(CONNECT_TIMEOUT);
    SecureSocket::SetHandshakeTimeout(HANDSHAKE_TIMEOUT);
}

void ConnectionFixture::TearDown()
{
    connection_.reset();
    unsetenv("VELOIM_CA_FILE");
    SecureSocket::SetConnectTimeout(SecureSocket::DEFAULT_TIMEOUT);
    SecureSocket::SetHandshakeTimeout(SecureSocket::DEFAULT_TIMEOUT);
}

void ConnectionFixture::login(unsigned short port, const std::string& user)
{
    connection_->setServerAddress(IMString("localhost"), port);
    IMString name(user.c_str());
    IMString password(ScriptedSignIn::PASSWORD.c_str());
    connection_->login(&name, &password);
}

bool ConnectionFixture::signIn(unsigned short port, size_t count)
{
    login(port);
    return controller_.WaitFor("signin", count);
}

void ConnectionFixture::closeAfterError() { connection_->closeConnection(); }
