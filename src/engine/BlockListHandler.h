// "blockList": the server's blocked list (the answer to the client's query) or a block or
// unblock it pushed, from the standard blocking command. It brings the connection's blocked
// ids up to date (the roster merge consults them), then the contact store: each id blocked is
// stored blocked and off the buddy list (a contact not stored yet, such as a stranger blocked
// from the conversations, is created); each id no longer blocked is stored unblocked. The
// delegate hears of every contact changed, as after a roster merge, once the store's
// transaction has ended. When any id was unblocked, the roster is asked for again, so that
// the merge puts the contacts of the roster among them back on the buddy list.
// Ids without an at sign (whole domains) or with a resource are kept among the blocked ids but
// name no contact.
// Threading: the response thread. Ownership: disposes of the list; contacts pass to the
// delegate.
#pragma once

#include "engine/PayloadHandler.h"
#include "xmpp/BlockList.h"

#include <vector>

class Contact;
class ContactDAO;

class BlockListHandler : public PayloadHandler<BlockList> {
public:
    BlockListHandler();
    ~BlockListHandler() override;

protected:
    void handlePayload(BlockList& list) override;

private:
    // Stores each contact named among `ids` with the blocked state; answers the contacts.
    static std::vector<Contact*> store(const std::vector<IMString>& ids, bool blocked, ContactDAO& contacts);
    void report(const std::vector<Contact*>& changed);
};
