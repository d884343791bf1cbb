// The one receiver of what the reader thread reads: the XMPP manager. Each call carries an
// event code and, for most codes, a new protocol object that the listener owns from then on.
// Thread-safety: onEvent runs on the reader thread.
#pragma once

#include "platform/Object.h"

class XMPPListener {
public:
    static constexpr int PRESENCE = 0;           // a Presence
    static constexpr int ROSTER = 1;             // a Roster
    static constexpr int USER_SETTINGS = 2;      // a UserSettings
    static constexpr int VCARD = 3;              // a VCard
    static constexpr int MESSAGE = 4;            // a MessagePacket not of type error
    static constexpr int SHARED_STATUS = 8;      // a SharedStatusMessage
    static constexpr int BIND_FEATURE = 9;       // no object
    static constexpr int SESSION_FEATURE = 10;   // no object
    static constexpr int BOUND_JID = 11;         // the bound full id as an IMString, or null
    static constexpr int AUTH_SUCCESS = 12;      // no object
    static constexpr int AUTH_FAILURE = 13;      // no object
    static constexpr int MESSAGE_ERROR = 16;     // a MessagePacket of type error
    static constexpr int CONNECTION_ERROR = 18;  // no object: the stream cannot be read on
    static constexpr int IQ_REQUEST = 19;        // a NewIQ: a get or set without a payload class
    static constexpr int SM_FEATURE = 20;        // no object: the server offers stream management
    static constexpr int FEATURES_END = 21;      // no object: the end of the stream's features
    static constexpr int SM_ANSWER = 22;         // a StreamAnswer
    static constexpr int ARCHIVE_RESULT = 26;    // an ArchivedMessage: one result of an archive query
    static constexpr int ARCHIVE_END = 27;       // an ArchiveFin: the fin ending a page
    static constexpr int IQ_REFUSED = 28;        // a NewIQ: the id, sender and error of an iq of type error
    static constexpr int SESSION_REPLACED = 29;  // no object: a stream error says another sign-in took the session
    static constexpr int BLOCK_LIST = 30;        // a BlockList: the blocked list, or a block or unblock

    virtual ~XMPPListener() = default;

    virtual void onEvent(Ixa::Base::Object* object, int event) = 0;
};
