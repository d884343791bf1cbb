// The set-up of programs that run the engine against a local Prosody outside a test suite
// (benchmarks): the server on 127.0.0.1 with its authority as $VELOIM_CA_FILE, accounts that
// share one password, slixmpp peers signed in as those accounts, and contacts made friends
// with a user. MakeFriends on a client of the user's own is shared with the test suites.
// Failures throw std::runtime_error.
// Threading: one thread at a time. Ownership: owns the server; the peers go to the caller.
#pragma once

#include "LocalProsody.h"
#include "PeerClient.h"

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace TestSupport {

class LocalService {
public:
    using Friend = std::pair<PeerClient*, std::string>;  // the contact's peer, its name

    // Starts the server for the domain "localhost" and points $VELOIM_CA_FILE at it.
    explicit LocalService(std::string password);
    ~LocalService();

    LocalService(const LocalService&) = delete;
    LocalService& operator=(const LocalService&) = delete;

    LocalProsody& Server();
    const std::string& Password() const;
    std::string Jid(const std::string& user) const;
    void Register(const std::string& user);

    // A peer signed in as the user with the resource, living at most `lifetime`.
    std::unique_ptr<PeerClient> Online(const std::string& user, const std::string& resource,
        std::chrono::seconds lifetime = std::chrono::seconds(600));
    // Gives the user the contacts through a client of the user's own (MakeFriends below).
    void MakeFriends(const std::string& user, const std::vector<Friend>& friends);
    // Gives the user a roster of `count` contacts: invitations to addresses the loopback-only
    // server cannot reach (subscription none, request pending), which the server keeps without
    // a second account per contact, and which the engine stores as invited contacts. Returns
    // once the server has filed them all.
    void FileInvitations(const std::string& user, int count);

    // Runs the command and throws unless it is done.
    static void Expect(PeerClient& peer, const std::string& command);
    // Gives the user of `own` the contacts, each named and in the group "Work", with
    // subscriptions both ways; `own` then signs out. The contacts' peers answer subscriptions
    // from then on.
    static void MakeFriends(PeerClient& own, const std::vector<Friend>& friends);

private:
    std::string password_;
    LocalProsody server_;
};

}  // namespace TestSupport
