// The program killed outright (SIGKILL) in the middle of a burst of messages loses none of
// them: what it had stored is committed, what it had read but not stored was never
// acknowledged to the server, and on its next start it resumes the session (or fetches from
// the archive) and stores the rest, none of it twice. Runs the built program against the local
// Prosody with a slixmpp peer sending the burst.
#include "ProgramUnderTest.h"

#include "store/Message.h"
#include "store/MessageModel.h"
#include "support/ProsodySuite.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <random>
#include <thread>

#include <signal.h>

namespace {

using namespace std::chrono_literals;
using TestSupport::PeerEvent;
using TestSupport::ProgramUnderTest;
using TestSupport::ProsodySuite;

const std::string Password = "a program is no excuse";

class KilledProgramTest : public ProsodySuite {
protected:
    void SetUp() override
    {
        ProsodySuite::SetUp();
        if (IsSkipped()) {
            return;
        }
        alice_ = "kill-alice";
        bob_ = "kill-bob";
        server_->Register(alice_, Password);
        server_->Register(bob_, Password);
        peer_ = SignInPeer(*server_, bob_, Password, "peer");
        MakeFriends(*SignInPeer(*server_, alice_, Password, "setup"), {{peer_.get(), "Bob"}});
    }

    static std::string Jid(const std::string& user) { return user + "@localhost"; }

    // Waits until the peer sees the program's presence come online.
    bool WaitUntilOnline()
    {
        return peer_->WaitFor("presence", 60s, [&](const PeerEvent& event) {
            return event["from"].rfind(Jid(alice_) + "/", 0) == 0 && event["type"] == "available";
        }).has_value();
    }

    // The texts stored in the conversation with the peer, oldest first.
    std::vector<std::string> StoredTexts(MessageModel& messages) const
    {
        std::vector<std::string> texts;
        Ixa::Base::Collection::ArrayList* stored = messages.GetAllMessagesWithUser(IMString(Jid(bob_).c_str()), true);
        if (stored == nullptr) {
            return texts;
        }
        for (int i = 0; i < stored->GetCount(); ++i) {
            texts.push_back(static_cast<Message*>(stored->GetAt(i))->GetMessage().ToUtf8());
        }
        stored->RemoveAll(true);
        delete stored;
        return texts;
    }

    // How many messages from the peer are stored: all of them are unread, as no chat is open.
    // A count, not the rows, so that polling it costs the program under test next to nothing.
    int Stored(MessageModel& messages) const
    {
        return messages.GetNumUnreadMessagesWithUser(IMString(Jid(bob_).c_str()));
    }

    // Polls until `enough` messages are stored or the limit passes; answers the count.
    int WaitForStored(MessageModel& messages, int enough, std::chrono::milliseconds limit) const
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        int count = Stored(messages);
        while (count < enough && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(10ms);
            count = Stored(messages);
        }
        return count;
    }

    // Waits until nothing new has been stored for a while, so a late duplicate would be seen.
    void WaitUntilQuiet(MessageModel& messages) const
    {
        int before = -1;
        int now = Stored(messages);
        for (int rounds = 0; rounds < 60 && now != before; ++rounds) {
            before = now;
            std::this_thread::sleep_for(2s);
            now = Stored(messages);
        }
    }

    std::string alice_;
    std::string bob_;
    std::unique_ptr<TestSupport::PeerClient> peer_;
};

TEST_F(KilledProgramTest, ABurstCutShortBySigkillIsStoredExactlyOnceAfterTheRestart)
{
    constexpr int Messages = 2000;
    TempDataDir data;
    ProgramUnderTest::StoreAccount(Jid(alice_), Password);
    ProgramUnderTest program(server_->Port(), server_->CaFile());
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(WaitUntilOnline()) << program.Log();
    std::unique_ptr<MessageModel> messages(MessageModel::GetInstance());

    std::mt19937 random(std::random_device{}());
    const int killAt = 600 + static_cast<int>(random() % 800);
    SCOPED_TRACE("killed after " + std::to_string(killAt) + " stored");
    ASSERT_TRUE(peer_->Send("burst " + Jid(alice_) + " " + std::to_string(Messages) + " burst-"));
    const int storedAtKill = WaitForStored(*messages, killAt, 90s);
    program.Signal(SIGKILL);
    std::chrono::milliseconds took{};
    ASSERT_EQ(program.WaitForExit(10s, took), 128 + SIGKILL);
    ASSERT_GE(storedAtKill, killAt) << program.Log();
    EXPECT_LT(Stored(*messages), Messages) << "the burst was over before the kill";

    ASSERT_TRUE(program.Start());
    WaitForStored(*messages, Messages, 90s);
    WaitUntilQuiet(*messages);
    program.Signal(SIGTERM);
    EXPECT_EQ(program.WaitForExit(30s, took), 0) << program.Log();

    std::vector<std::string> expected;
    for (int i = 0; i < Messages; ++i) {
        expected.push_back("burst-" + std::to_string(i));
    }
    const std::vector<std::string> stored = StoredTexts(*messages);
    std::map<std::string, int> counts;
    for (const std::string& text : stored) {
        ++counts[text];
    }
    std::string wrong;
    for (const std::string& text : expected) {
        if (counts[text] != 1) {
            wrong += " " + text + "x" + std::to_string(counts[text]);
        }
    }
    EXPECT_EQ(stored.size(), expected.size());
    EXPECT_EQ(wrong, "") << "texts not stored exactly once";
    EXPECT_EQ(stored, expected) << "the conversation is out of order";
}

}  // namespace
