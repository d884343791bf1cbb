// What every sub-manager of the XMPP manager shares: the connection it sends through, which
// clean() forgets. A cleaned sub-manager is inert: what it is asked to send afterwards is
// deleted unsent, so a thread that fetched it just before a logout or close does no harm.
// Threading: send and clean from any thread; the connection pointer is atomic. Ownership:
// the connection is borrowed; a packet handed to send belongs to the connection's writer.
#pragma once

#include "xmpp/Packet.h"
#include "xmpp/ServiceSupport.h"

#include <atomic>

class Connection;

class SubManager {
public:
    explicit SubManager(Connection* connection);
    virtual ~SubManager();

    SubManager(const SubManager&) = delete;
    SubManager& operator=(const SubManager&) = delete;

    virtual void clean();

protected:
    // Null once cleaned.
    Connection* connection() const;
    void send(Packet* packet);
    void send(Packet* packet, unsigned long* result);
    // Sends a query for one of the service's extensions, noting its id, unless the server has
    // refused that extension (then the query is deleted unsent); answers whether it went.
    bool askService(ServiceSupport::Extension extension, Packet* query);
    bool isRefused(ServiceSupport::Extension extension) const;
    bool isSupported(ServiceSupport::Extension extension) const;

private:
    std::atomic<Connection*> connection_;
};
