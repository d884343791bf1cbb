// One local Prosody for all the tests of a suite, with the set-up those tests share: the
// server starts before the suite's first test and ends after its last; each test signs peers
// in on it and makes them the friends of a user.
//
// The server stands in for the service only when the service domain is "localhost", the name
// its certificate carries; for any other domain no server starts and every test of the suite
// is skipped. A suite derives its fixture from ProsodySuite; a SetUp of its own calls
// ProsodySuite::SetUp first and returns when IsSkipped(), and a SetUpTestSuite of its own
// (to register accounts for the whole suite, say) calls ProsodySuite::SetUpTestSuite first.
// Suites run one after the other, so the one server_ serves whichever suite is running.
// Threading: the test thread only.
#pragma once

#include "LocalProsody.h"
#include "LocalService.h"
#include "PeerClient.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace TestSupport {

class ProsodySuite : public testing::Test {
protected:
    static void SetUpTestSuite();
    // The same with a server that runs Prosody's stock modules alone: a suite that tests the
    // client against an ordinary server calls it from its own SetUpTestSuite instead.
    static void SetUpStockSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    // A peer signed in as user@domain with the resource on the server.
    static std::unique_ptr<PeerClient> SignInPeer(const LocalProsody& server,
        const std::string& user, const std::string& password, const std::string& resource);

    // Runs the command and expects it done.
    static void ExpectDone(PeerClient& peer, const std::string& command);

    // Gives the user the contacts, each named and in the group "Work", with subscriptions both
    // ways, through `own`, a client of the user's own, which then signs out. The contacts'
    // peers answer subscriptions from then on.
    using Friend = LocalService::Friend;
    static void MakeFriends(PeerClient& own, const std::vector<Friend>& friends);

    // Null while no suite of a "localhost" service is running.
    static LocalProsody* server_;
};

}  // namespace TestSupport
