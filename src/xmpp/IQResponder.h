// Answers the iq requests (get and set) addressed to the client, since a request left
// unanswered makes servers and contacts' clients give up on it: a ping gets an empty result,
// a disco#info query the client's identity and the features it handles, a push the client
// accepted an empty result, and everything else a service-unavailable error.
// Threading: from the reader thread, under the connection lock. Ownership: as SubManager; the
// request stays with the caller.
#pragma once

#include "xmpp/IQ.h"
#include "xmpp/SubManager.h"

class IQResponder : public SubManager {
public:
    static constexpr const char* PING_NAMESPACE = "urn:xmpp:ping";
    static constexpr const char* DISCO_INFO_NAMESPACE = "http://jabber.org/protocol/disco#info";

    explicit IQResponder(Connection* connection);
    ~IQResponder() override;

    static bool isRequest(IQ& iq);
    // A request the reader has no payload class for; its xmlns is its child's namespace.
    void answer(IQ& request);
    // An empty result for a push the client took.
    void acknowledge(IQ& request);
    // A service-unavailable error, for requests the client does not serve or refuses.
    void refuse(IQ& request);

private:
    void reply(IQ& request, IQ::Type type, const char* payload);
    static bool isNamespace(IQ& request, const char* name);
};
