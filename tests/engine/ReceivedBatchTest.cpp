// Received chat messages stored in batches through the real engine, read off a scripted
// server with stream management: each batch is committed before any of its messages is
// shown, batches stay bounded, the notifications keep the order of the stream, and the
// server's request for an acknowledgement is answered only with what is committed. A batch
// that breaks in the middle (the store rolls it back) loses nothing and stores nothing twice.
#include "EngineFixture.h"

#include "engine/ReceivedBatch.h"
#include "platform/Database.h"
#include "xmpp/MessagePacket.h"
#include "store/MessageDatabase.h"
#include "xmpp/Constants.h"

#include <algorithm>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <regex>
#include <string>
#include <vector>

using TestSupport::TlsScript;

namespace {

const std::string SM = " xmlns='urn:xmpp:sm:3'";
const std::string CLIENT_SM = " xmlns=\"urn:xmpp:sm:3\"";
const std::string POISON = "poison";

std::string acknowledgement(size_t handled) { return "<a" + CLIENT_SM + " h=\"" + std::to_string(handled) + "\"/>"; }

std::string ivan() { return "ivan@" + Constants::DOMAIN.ToUtf8(); }

// Each message with an id of its own, so that one delivered again is recognised.
std::string fromIvan(const std::vector<std::string>& bodies)
{
    std::string stanzas;
    for (size_t i = 0; i < bodies.size(); ++i) {
        stanzas += "<message from='" + ivan() + "/desk' type='chat' id='m" + std::to_string(i) + "'><body>" +
                   bodies[i] + "</body></message>";
    }
    return stanzas;
}

std::vector<std::string> numbered(size_t count)
{
    std::vector<std::string> bodies;
    for (size_t i = 0; i < count; ++i) {
        bodies.push_back("m" + std::to_string(i));
    }
    return bodies;
}

GtalkNotification* notification(const char* name, Ixa::Base::Object* object)
{
    auto notification = new GtalkNotification();
    notification->setNotificationName(new IMString(name));
    notification->setXMPPObject(object);
    return notification;
}

MessagePacket* chatFromIvan(const std::string& body, const std::string& id)
{
    auto message = new MessagePacket();
    message->setFrom(new IMString((ivan() + "/desk").c_str()));
    message->setPacketID(new IMString(id.c_str()));
    message->setBody(new IMString(body.c_str()), false);
    return message;
}

// Holds the response thread, where it is deleted, until the test opens it, so that what the
// test posts behind it waits in the queue and is handled in one go.
class Gate : public Ixa::Base::Object {
public:
    explicit Gate(std::shared_future<void> open) : open_(std::move(open)) {}
    ~Gate() override { open_.wait(); }

private:
    std::shared_future<void> open_;
};

// Signed in with stream management enabled as S1, the first acknowledgement answered.
TlsScript enabledSession()
{
    TlsScript script = ScriptedSignIn::authenticated(
        ScriptedSignIn::bindFeature() + ScriptedSignIn::sessionFeature() + "<sm" + SM + "/>");
    script.ExpectNext(ScriptedSignIn::clientBind())
        .ExpectNext(ScriptedSignIn::clientSession())
        .Send(ScriptedSignIn::bindAndSessionResults())
        .ExpectNext("<enable" + CLIENT_SM + " resume=\"true\"/>")
        .Send("<enabled" + SM + " id='S1' resume='true'/>")
        .ExpectNext(acknowledgement(0));
    return script;
}

class ReceivedBatchTest : public EngineFixture {
protected:
    // What the store and the recorder held at a commit, before its notifications.
    struct AtCommit {
        int stored;
        size_t shown;
        long acknowledged;
    };

    void TearDown() override
    {
        EngineFixture::TearDown();
        ReceivedBatch::setAfterCommit(nullptr);
    }

    int storedFromIvan() { return messages_->GetNumUnreadMessagesWithUser(IMString(ivan().c_str())); }

    std::vector<std::string> shownBodies()
    {
        std::vector<std::string> bodies;
        for (const auto& call : delegate_.CallsOf("OnMessageReceivedToChat")) {
            bodies.push_back(call.message->GetMessage().ToUtf8());
        }
        return bodies;
    }

    // Runs one statement on the message store's file through a connection of its own.
    // How many times each text is stored in the conversation with ivan.
    std::map<std::string, int> timesStored()
    {
        std::unique_ptr<Ixa::Base::Collection::ArrayList> stored(
            messages_->GetAllMessagesWithUser(IMString(ivan().c_str()), true));
        std::map<std::string, int> times;
        for (int i = 0; stored != nullptr && i < stored->GetCount(); ++i) {
            ++times[static_cast<Message*>(stored->GetAt(i))->GetMessage().ToUtf8()];
        }
        if (stored != nullptr) {
            stored->RemoveAll(true);
        }
        return times;
    }

    static std::map<std::string, int> onceEach(const std::vector<std::string>& bodies)
    {
        std::map<std::string, int> once;
        for (const std::string& body : bodies) {
            once[body] = 1;
        }
        return once;
    }

    static void executeOnMessageFile(const std::string& sql)
    {
        Ixa::Io::Database database;
        ASSERT_TRUE(Ixa::IsSucceeded(database.Construct(MessageDatabase::getDBLocation(), false)));
        ASSERT_TRUE(Ixa::IsSucceeded(database.ExecuteSql(Ixa::Base::String(sql.c_str()), true))) << sql;
    }

    // The largest count the client has acknowledged to the server so far; 0 for none.
    long lastAcknowledged()
    {
        static const std::regex acknowledgement("<a" + CLIENT_SM + " h=\"([0-9]+)\"/>");
        const std::string received = server_->Received();
        long largest = 0;
        for (auto match = std::sregex_iterator(received.begin(), received.end(), acknowledgement);
             match != std::sregex_iterator(); ++match) {
            largest = std::max(largest, std::stol((*match)[1].str()));
        }
        return largest;
    }

    std::string failures() { return testing::PrintToString(server_->Failures()); }

    std::mutex commitsLock_;
    std::vector<AtCommit> commits_;
};

}  // namespace

// The client asks itself for an acknowledgement every few dozen stanzas, and the server asks
// at the end; every count the server receives must already be committed. At each commit, the
// acknowledgements that have reached the server so far may cover at most what the commits
// before it stored: an acknowledgement of this batch goes out only after this point.
TEST_F(ReceivedBatchTest, ABurstIsCommittedBeforeItIsShownInBoundedBatchesAndAcknowledgedOnceStored)
{
    constexpr size_t Count = 3 * ReceivedBatch::MaxMessages + 1;
    ReceivedBatch::setAfterCommit([this] {
        AtCommit seen{storedFromIvan(), delegate_.Count("OnMessageReceivedToChat"), lastAcknowledged()};
        std::lock_guard<std::mutex> guard(commitsLock_);
        commits_.push_back(seen);
    });
    signIn(enabledSession().Send(fromIvan(numbered(Count)) + "<r" + SM + "/>").WaitFor(acknowledgement(Count)));

    ASSERT_TRUE(delegate_.WaitFor("OnMessageReceivedToChat", Count));
    ASSERT_TRUE(server_->WaitUntilScriptDone()) << failures();
    EXPECT_TRUE(server_->Failures().empty()) << failures();
    EXPECT_EQ(shownBodies(), numbered(Count)) << "shown once each, in the order they came";
    EXPECT_EQ(storedFromIvan(), static_cast<int>(Count));
    for (const auto& call : delegate_.CallsOf("OnMessageReceivedToChat")) {
        std::unique_ptr<Message> stored(messages_->FindMessageById(call.message->GetMessageId()));
        ASSERT_NE(stored, nullptr) << call.message->GetMessage().ToUtf8() << " was shown but is not stored";
    }
    std::lock_guard<std::mutex> guard(commitsLock_);
    ASSERT_GE(commits_.size(), Count / ReceivedBatch::MaxMessages + 1);
    int storedBefore = 0;
    for (const AtCommit& commit : commits_) {
        EXPECT_GT(commit.stored, static_cast<int>(commit.shown)) << "a batch is committed before any of it is shown";
        EXPECT_LE(commit.stored - static_cast<int>(commit.shown), static_cast<int>(ReceivedBatch::MaxMessages));
        EXPECT_LE(commit.acknowledged, storedBefore) << "acknowledged before it was committed";
        storedBefore = commit.stored;
    }
}

// The store rolls the whole open transaction back when the poisoned message is inserted: the
// messages before it in the batch are gone from the file, those after it are written outside
// any transaction, and the commit fails. Every message but the poisoned one is still stored
// once and shown once; the poisoned one is never shown, and nothing more is acknowledged, so
// the resumption asks for everything after the last acknowledgement. Delivered again, the
// poisoned message is stored and shown, and the others are recognised and skipped.
TEST_F(ReceivedBatchTest, AMessageThatCannotBeStoredIsNotAcknowledgedAndComesBackOnceOnResumption)
{
    std::vector<std::string> bodies = numbered(10);
    bodies[4] = POISON;
    std::vector<std::string> firstShown = bodies;
    firstShown.erase(firstShown.begin() + 4);
    executeOnMessageFile("CREATE TRIGGER poison BEFORE INSERT ON messagetable WHEN NEW.message='" + POISON +
                         "' BEGIN SELECT RAISE(ROLLBACK,'poisoned'); END");
    TlsScript first = enabledSession().Send(fromIvan(bodies) + "<r" + SM + "/>").WaitFor("drop</body>").Abort();
    TlsScript second = ScriptedSignIn::authenticated(
        ScriptedSignIn::bindFeature() + ScriptedSignIn::sessionFeature() + "<sm" + SM + "/>");
    second.ExpectNext("<resume" + CLIENT_SM + " h=\"0\" previd=\"S1\"/>")
        .Send("<resumed" + SM + " h='1' previd='S1'/>" + fromIvan(bodies) + "<r" + SM + "/>")
        .WaitFor(acknowledgement(bodies.size()));
    server_ = std::make_unique<TestSupport::ScriptedTlsServer>(
        *certificates_, std::vector<TlsScript>{std::move(first), std::move(second)});
    engine_.StartSignIn(server_->Port(), ScriptedSignIn::USER, ScriptedSignIn::PASSWORD);
    ASSERT_TRUE(delegate_.WaitFor("OnSignInSuccess")) << failures();

    ASSERT_TRUE(delegate_.WaitFor("OnMessageReceivedToChat", firstShown.size())) << failures();
    deliver("settle", nullptr);
    EXPECT_EQ(shownBodies(), firstShown);
    EXPECT_EQ(storedFromIvan(), static_cast<int>(firstShown.size()));
    executeOnMessageFile("DROP TRIGGER poison");
    engine_.SendChat("judy@" + Constants::DOMAIN.ToUtf8(), "drop");

    ASSERT_TRUE(delegate_.WaitFor("OnReconnected")) << failures();
    ASSERT_TRUE(server_->WaitUntilScriptDone(TestSupport::ScriptedTlsServer::DefaultWait, 1)) << failures();
    EXPECT_TRUE(server_->Failures().empty()) << failures();
    std::vector<std::string> allShown = firstShown;
    allShown.push_back(POISON);
    EXPECT_EQ(shownBodies(), allShown);
    EXPECT_EQ(timesStored(), onceEach(bodies));
}

// Messages queued together form one batch; the last one rolls the whole transaction back. The
// commit then fails, and the others are stored one by one: each is stored and shown once.
TEST_F(ReceivedBatchTest, AMessageThatRollsItsBatchBackTakesNoOtherMessageWithIt)
{
    executeOnMessageFile("CREATE TRIGGER poison BEFORE INSERT ON messagetable WHEN NEW.message='" + POISON +
                         "' BEGIN SELECT RAISE(ROLLBACK,'poisoned'); END");
    std::promise<void> open;
    controller_.addToResponseQueue(notification("hold", new Gate(open.get_future().share())));
    const std::vector<std::string> bodies = numbered(8);
    for (size_t i = 0; i < bodies.size(); ++i) {
        controller_.addToResponseQueue(notification("message", chatFromIvan(bodies[i], "m" + std::to_string(i))));
    }
    controller_.addToResponseQueue(notification("message", chatFromIvan(POISON, "poisoned")));
    open.set_value();
    deliver("settle", nullptr);

    EXPECT_EQ(shownBodies(), bodies);
    EXPECT_EQ(timesStored(), onceEach(bodies));
}
