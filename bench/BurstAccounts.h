// One side of a burst comparison on a local Prosody: a receiving account with a roster of
// invitations and a sending account whose slixmpp peer sends the burst. Each side has accounts
// of its own: the server archives every message for both ends, and a second burst between the
// same two accounts goes far slower in the server than the first (between two slixmpp peers,
// with no VeloIM involved, about 80 messages/s against several hundred, even with the
// archive's item limit raised), while fresh accounts on the same server go as fast as the first.
// Failures throw std::runtime_error.
// Threading: the benchmark's main thread. Ownership: borrows the service, owns the sender's
// peer.
#pragma once

#include "support/LocalService.h"
#include "support/PeerClient.h"

#include <memory>
#include <string>
#include <utility>

class BurstAccounts {
public:
    // Registers both accounts and gives the receiver `roster` invitations.
    BurstAccounts(TestSupport::LocalService& service, std::string receiver, std::string sender, int roster)
        : service_(service), receiver_(std::move(receiver)), sender_(std::move(sender))
    {
        service_.Register(receiver_);
        service_.Register(sender_);
        if (roster > 0) {
            service_.FileInvitations(receiver_, roster);
        }
    }

    const std::string& Receiver() const { return receiver_; }
    std::string SenderJid() const { return service_.Jid(sender_); }

    // `size` chat messages "m0", "m1", ... from the sender to the receiver's `resource`.
    void Send(const std::string& resource, int size)
    {
        if (peer_ == nullptr) {
            peer_ = service_.Online(sender_, "burst");
        }
        peer_->Send("burst " + service_.Jid(receiver_) + "/" + resource + " " + std::to_string(size) + " m");
    }

    void Quit()
    {
        if (peer_ != nullptr) {
            peer_->Quit();
            peer_.reset();
        }
    }

private:
    TestSupport::LocalService& service_;
    std::string receiver_;
    std::string sender_;
    std::unique_ptr<TestSupport::PeerClient> peer_;
};
