// The reader thread: it reads the server's stream with its XMLParser, scans for the start
// tags the client cares about, reads those stanzas into new protocol objects and hands each
// to the listener with its event code (XMPPListener). It builds no tree and validates
// nothing; unknown elements are skipped. Each stanza reader reads up to its element's own end
// tag (found by depth) and takes only the children it knows: neither a text nor an element of
// the same name inside a stanza ends it early, and a stanza whose end tag does not match its
// start tag is not handed on.
//
// Only complete stanzas are handed on: when the input ends inside one (the end-of-stream
// marker, or a stanza or token beyond the parser's 8 MiB allowance) the partial object is
// deleted. A stanza cut short by close() still goes to the listener, which close() has
// removed by then, so it is deleted as well. An iq of type error is never read as roster,
// shared-status, settings or vCard data. A get or set that yields none of those goes to the
// listener as IQ_REQUEST, so that it can be answered. A message carrying an archive result
// ("urn:xmpp:mam:2") goes on as ARCHIVE_RESULT with the archived message inside it; an archive
// page's fin (in an iq result) as ARCHIVE_END; a blocked list, block or unblock
// ("urn:xmpp:blocking") as BLOCK_LIST. Which of those count is the listener's decision: the reader does not know the
// account or the queries asked. Exceeding the limits ends the reader with
// CONNECTION_ERROR, so a hostile server cannot make it hold more than a bounded amount of
// memory. The end of the connection comes as the input stream's loss marker behind the last
// bytes received; the reader reports it as CONNECTION_ERROR once it gets there, after every
// stanza that came before.
//
// Stream management: the offer among the features, the end of the features, and the
// server's answers and acknowledgements go to the listener as they come; every answer carries
// the number of stanzas read before it, which is what the server counts. Every 32 stanzas the
// reader also hands on a request for an acknowledgement of its own.
//
// Lifecycle: one reader per connection. The connection sets it running, starts the thread,
// and ends it with close() followed by waitUntilFinished(); the thread also ends by itself
// after a SASL failure, at the end of its input, and after CONNECTION_ERROR. close() makes a
// reader blocked in read() return by queueing the input stream's end-of-stream marker; it is
// queued whenever the loop has not finished, so a reader that was just about to block cannot
// miss it. Only the first close() touches the input stream: after a refused sign-in the
// connection closes the reader and deletes the socket on the reader thread itself, and a later
// close (the connection's teardown) must not reach that stream while the thread winds down.
// The destructor closes and joins a thread that has not finished.
//
// Threading and ownership: Run and every listener call execute on the reader thread;
// setReaderThreadStatus, close, isFinished and waitUntilFinished may be called from any
// thread. The reader borrows the input stream (which must outlive the reader's thread) and
// the listener, and owns its parser and doneMonitor. Objects whose listener is gone are
// deleted by the reader.
#pragma once

#include "foundation/IMMonitor.h"
#include "foundation/IMThread.h"
#include "xmpp/BlockList.h"
#include "xmpp/IQ.h"
#include "xmpp/StreamAnswer.h"
#include "xmpp/XMLParser.h"
#include "xmpp/XMPPListener.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

class ArchivedMessage;
class IMSocketInputStream;
class MessagePacket;
class Presence;
class Roster;
class SharedStatusMessage;
class UserSettings;
class VCard;
class XMPPError;

class XMLReader : public IMThread {
public:
    XMLReader(IMSocketInputStream* input, XMPPListener* listener);
    ~XMLReader() override;

    void setReaderThreadStatus(bool running);
    bool isReaderThreadRunning() const { return running_.load(std::memory_order_relaxed); }

    Ixa::Base::Object* Run() override;

    // Stops the loop, wakes a blocked read and forgets the listener; returns at once.
    void close();
    // True before the thread has started and once Run has ended.
    bool isFinished() const;
    // Notified (NotifyAll) when Run ends; finished is set inside it.
    IMMonitor* getDoneMonitor();
    // Waits until Run has ended; returns at once when it has, and on the reader thread itself.
    void waitUntilFinished();
    // Waits, at most `timeout`, until the server has closed its stream (its closing tag, or
    // the end of the input) while the reader goes on handing on what comes before; answers
    // whether it did. Not on the reader thread.
    bool waitForStreamEnd(std::chrono::milliseconds timeout);
    // The server's stanzas read so far; on the reader thread only (its listener's events).
    std::uint32_t stanzasRead() const;

private:
    template <typename ChildHandler>
    bool readChildren(const char* endName, ChildHandler handleChild);
    int nextEvent();
    IMString* childText();
    bool dispatch();
    void countStanza();
    void dispatchStreamManagement();
    StreamAnswer* newStreamAnswer(StreamAnswer::Kind kind);
    void reportLoss();
    void finish();
    void markStreamEnded();
    void deliver(Ixa::Base::Object* object, int event);
    void deliverStanza(Ixa::Base::Object* object, int event, bool complete);

    void parseIq();
    bool parseIqChild(IQ& header);
    bool blockListElement(const char** name, BlockList::Kind* kind);
    void parseBlockList(IQ& header, const char* name, BlockList::Kind kind);
    void parsePresence(Presence* presence);
    void parseMessage();
    // Reads the message whose start tag is current into a new packet. Only an outer message
    // (`outer`) takes stanza ids and an archive result (the first, into `archived`).
    MessagePacket* readMessage(bool outer, ArchivedMessage*& archived, bool& complete);
    ArchivedMessage* parseArchiveResult();
    void parseArchiveFin(IQ& header);
    XMPPError* parseError(const char* endName);
    void readStreamError();
    void parseRoster(Roster* roster);
    void parseRosterItem(Roster* roster);
    void parseVCard(VCard* vCard);
    void parseUserSettings(UserSettings* settings);
    void parseSharedStatus(SharedStatusMessage* message);
    void parseStatusList(SharedStatusMessage* message);
    Presence* newPresence();
    // Copies the id, type and addresses of the iq being read.
    void setAddressing(IQ* iq, IQ& header);

    IMSocketInputStream* input_;
    std::atomic<XMPPListener*> listener_;
    std::atomic<bool> running_{false};
    std::atomic<bool> finished_{true};
    std::atomic<bool> closed_{false};
    XMLParser* parser_;
    IMMonitor* doneMonitor_;
    // Set once the server's stream has ended or the loop is over.
    std::mutex endLock_;
    std::condition_variable endChanged_;
    bool streamEnded_ = false;
    // Set when a child's text was looked for and the event met was not a text: the stanza
    // loop takes that event next instead of reading on.
    bool replay_ = false;
    // The server's stanzas read so far, counted the way stream management counts them (every
    // message, presence and iq at the top of the stream); reader thread only.
    std::uint32_t stanzasRead_ = 0;
    static constexpr std::uint32_t ACKNOWLEDGE_EVERY = 32;
};
