// The standard blocking command's payloads: the query for the blocked list (LIST, sent as a
// get and read back from its result), and a block or an unblock of some ids (sent as a set by
// the client, pushed by the server to every resource of the account). An unblock without ids
// means every id. Ids are kept as given; the reader lower-cases those it reads.
// Ownership and threading as Packet; the ids are values.
#pragma once

#include "xmpp/IQ.h"

#include <vector>

class BlockList : public IQ {
public:
    static constexpr const char* NAMESPACE = "urn:xmpp:blocking";

    enum class Kind { LIST, BLOCK, UNBLOCK };

    explicit BlockList(Kind kind);
    ~BlockList() override;

    IMString* getDerivedXML() override;

    Kind getKind() const;
    const std::vector<IMString>& getIds() const;
    void addId(const IMString& id);

private:
    Kind kind_;
    std::vector<IMString> ids_;
};
