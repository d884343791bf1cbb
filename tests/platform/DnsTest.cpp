#include "platform/Dns.h"

#include "support/TestEventThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace Ixa;
using namespace Ixa::Net;
using namespace std::chrono_literals;
using TestSupport::TestEventThread;

namespace {

// Collects the answers of its lookups, with the thread each arrived on.
class Resolver : public IDnsEventListener {
public:
    struct Answer {
        std::vector<std::string> addresses;
        result outcome;
        bool hadEntry;
        std::thread::id thread;
    };

    void OnDnsResolutionCompletedN(IpHostEntry* entry, result r) override
    {
        Answer answer{{}, r, entry != nullptr, std::this_thread::get_id()};
        if (entry != nullptr) {
            const Base::Collection::IList* list = entry->GetAddressList();
            for (int i = 0; i < list->GetCount(); ++i) {
                const auto* address = static_cast<const IpAddress*>(list->GetAt(i));
                answer.addresses.push_back(address->ToString().ToUtf8());
            }
            delete entry;
        }
        std::lock_guard lock(mutex_);
        answers_.push_back(answer);
        changed_.notify_all();
    }

    bool WaitForAnswers(size_t count)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 20s, [&] { return answers_.size() >= count; });
    }

    std::vector<Answer> Answers()
    {
        std::lock_guard lock(mutex_);
        return answers_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Answer> answers_;
};

TEST(DnsTest, AnswersEachLookupOnceOnItsOwnThreadWithIpv4AddressesOnly)
{
    Resolver resolver;
    std::unique_ptr<Dns> dns;
    TestEventThread thread;
    std::thread::id dnsThread;
    thread.Run([&] {
        dnsThread = std::this_thread::get_id();
        dns = std::make_unique<Dns>();
        ASSERT_EQ(dns->Construct(resolver), E_SUCCESS);
        EXPECT_EQ(dns->Construct(resolver), E_INVALID_STATE);
        EXPECT_EQ(dns->GetHostByName(Base::String("localhost")), E_SUCCESS);
        // Reserved never to exist.
        EXPECT_EQ(dns->GetHostByName(Base::String("no-such-host.invalid")), E_SUCCESS);
        EXPECT_EQ(dns->GetHostByName(Base::String("192.0.2.7")), E_SUCCESS);
        EXPECT_EQ(dns->GetHostByName(Base::String()), E_INVALID_ARG);
    });
    EXPECT_EQ(dns->GetHostByName(Base::String("localhost")), E_INVALID_STATE);
    ASSERT_TRUE(resolver.WaitForAnswers(3));
    std::this_thread::sleep_for(100ms);

    const std::vector<Resolver::Answer> answers = resolver.Answers();
    ASSERT_EQ(answers.size(), 3u);
    bool sawLocalhost = false, sawInvalid = false, sawLiteral = false;
    for (const Resolver::Answer& answer : answers) {
        EXPECT_EQ(answer.thread, dnsThread);
        if (!answer.hadEntry) {
            sawInvalid = true;
            EXPECT_EQ(answer.outcome, E_OBJ_NOT_FOUND);
        } else if (answer.addresses == std::vector<std::string>{"192.0.2.7"}) {
            sawLiteral = true;
            EXPECT_EQ(answer.outcome, E_SUCCESS);
        } else {
            sawLocalhost = true;
            EXPECT_EQ(answer.outcome, E_SUCCESS);
            ASSERT_FALSE(answer.addresses.empty());
            EXPECT_EQ(answer.addresses[0], "127.0.0.1");
            for (const std::string& address : answer.addresses)
                EXPECT_EQ(address.find(':'), std::string::npos) << address;
        }
    }
    EXPECT_TRUE(sawLocalhost && sawInvalid && sawLiteral);
}

TEST(DnsTest, DropsTheAnswersOfADestroyedResolverAndNeedsAnEventLoop)
{
    Dns withoutLoop;
    Resolver resolver;
    EXPECT_EQ(withoutLoop.Construct(resolver), E_INVALID_STATE);
    EXPECT_EQ(withoutLoop.GetHostByName(Base::String("localhost")), E_INVALID_STATE);

    Resolver dropped;
    Resolver elsewhere;
    Resolver kept;
    std::unique_ptr<Dns> survivor;
    std::unique_ptr<Dns> destroyedElsewhere;
    TestEventThread thread;
    thread.Run([&] {
        Dns doomed;
        ASSERT_EQ(doomed.Construct(dropped), E_SUCCESS);
        ASSERT_EQ(doomed.GetHostByName(Base::String("localhost")), E_SUCCESS);
        destroyedElsewhere = std::make_unique<Dns>();
        ASSERT_EQ(destroyedElsewhere->Construct(elsewhere), E_SUCCESS);
        ASSERT_EQ(destroyedElsewhere->GetHostByName(Base::String("localhost")), E_SUCCESS);
        survivor = std::make_unique<Dns>();
        ASSERT_EQ(survivor->Construct(kept), E_SUCCESS);
        ASSERT_EQ(survivor->GetHostByName(Base::String("localhost")), E_SUCCESS);
    });
    // Its answer may or may not have come already; either way the object goes safely while
    // its thread runs on.
    destroyedElsewhere.reset();
    ASSERT_TRUE(kept.WaitForAnswers(1));
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(dropped.Answers().empty());
    EXPECT_LE(elsewhere.Answers().size(), 1u);
}

}  // namespace
