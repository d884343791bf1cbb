// The engine under test (EngineUnderTest: a started request controller over real stores in
// a fresh data directory, with a recording listener behind both halves of its response
// delegate), with known texts for the resource identifiers. Notifications can be delivered through the real
// response thread (deliver waits until it has handled them), requests run on the real
// request thread (settleRequests waits for them), and signIn brings the connection up
// against a scripted TLS server on 127.0.0.1 whose recorded bytes show what the commands
// and handlers sent.
// Threading: the test's thread drives it; the engine's threads call the recorder.
#pragma once

#include "ScriptedSignIn.h"
#include "support/EngineUnderTest.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedTlsServer.h"
#include "support/TestCertificates.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class EngineFixture : public testing::Test {
protected:
    static constexpr const char* CHECK_PASSWORD_TEXT = "Check your user name and password";
    static constexpr const char* SIGNIN_ERROR_TEXT = "Sign-in error";
    static constexpr const char* NO_NETWORK_TEXT = "Network not available";
    static constexpr const char* INVITED_TEXT = "Invited";

    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Posts the notification to the controller's response queue and waits until the response
    // thread has handled it (and everything posted before).
    void deliver(const char* name, Ixa::Base::Object* object);
    // Waits until the request thread has run every command queued so far.
    void settleRequests();
    // Signs in as ScriptedSignIn::USER against a scripted server playing `script` (which
    // starts with ScriptedSignIn::signIn()), and waits for OnSignInSuccess.
    void signIn(TestSupport::TlsScript script = ScriptedSignIn::signIn());
    // What the client sent after its sign-in, ids normalised, once its raw bytes contain
    // `marker`.
    std::string sentAfterSignIn(const std::string& marker);

    // A user id in the service's default domain.
    static std::string idOf(const std::string& user);
    std::unique_ptr<Contact> storedContact(const std::string& id) { return engine_.ContactById(id); }
    std::unique_ptr<ContactIcon> storedAvatar(const std::string& id) { return engine_.AvatarOf(id); }
    // Saves a contact on the buddy list with the given presence.
    void storeContact(const std::string& id, int presence);

    static TestSupport::TestCertificates* certificates_;
    std::unique_ptr<TestSupport::ScriptedTlsServer> server_;
    // Set before the engine's threads start, and put back after they have stopped.
    TestSupport::ScopedEnvironment caFile_{"VELOIM_CA_FILE", certificates_->CaFile()};
    // Declared after the server, so it stops (and its connection closes) first.
    TestSupport::EngineUnderTest engine_;
    GtalkRequestController& controller_ = engine_.Controller();
    TestSupport::RecordingDelegate& delegate_ = engine_.Delegate();
    ContactModel* contacts_ = &engine_.Contacts();
    ContactIconModel* icons_ = &engine_.Icons();
    GroupModel* groups_ = &engine_.Groups();
    MessageModel* messages_ = &engine_.Messages();
    PropertiesModel* properties_ = &engine_.Properties();
};
