// The service's shared status ("google:shared-status", version 2): the current show text
// ("default" or "dnd") and status message, the recent status messages of each kind and the
// invisibility flag; as read from the server, also its limits: the longest status text
// ("status-max") and the most texts in a list ("status-list-contents-max"), 0 when not given. A query (any type but set) writes an empty query; a set writes it all.
// Status texts are written as stored: the presence manager keeps them escaped already.
//
// Ownership: the message owns its status message and show text. The two lists (IMVector of
// IMString*) stay with whoever set them unless setOwnsStatusLists(true) hands them, with
// their strings, to the message, as the reader does. Thread-safety: as Packet.
#pragma once

#include "foundation/IMVector.h"
#include "xmpp/IQ.h"

class SharedStatusMessage : public IQ {
public:
    static constexpr const char* STATUS_DEFAULT = "default";
    static constexpr const char* STATUS_DND = "dnd";

    SharedStatusMessage();
    ~SharedStatusMessage() override;

    IMString* getDerivedXML() override;

    IMString* getCurrentStatus();
    void setCurrentStatus(IMString* status);
    IMString* getCurrentStatusMessage();
    void setCurrentStatusMessage(IMString* message);
    IMVector* getDefaultStatusMessages();
    void setDefaultStatusMessages(IMVector* messages);
    IMVector* getDndStatusMessages();
    void setDndStatusMessages(IMVector* messages);
    bool isInvisible() const;
    void setInvisible(bool invisible);
    // With `owns`, the message deletes both lists and their strings, and a list replaced by
    // a setter.
    void setOwnsStatusLists(bool owns);
    int getStatusMax() const;
    void setStatusMax(int max);
    int getStatusListContentsMax() const;
    void setStatusListContentsMax(int max);

private:
    void replaceList(IMVector*& list, IMVector* messages);
    void deleteList(IMVector* list);
    static void appendStatusList(IMString& xml, const char* opening, IMVector* messages);

    IMString* currentStatus_ = nullptr;
    IMString* currentStatusMessage_ = nullptr;
    IMVector* defaultStatusMessages_ = nullptr;
    IMVector* dndStatusMessages_ = nullptr;
    bool invisible_ = false;
    bool ownsLists_ = false;
    int statusMax_ = 0;
    int statusListContentsMax_ = 0;
};
