// The roster merge ("buddylist") through the real response thread into real stores: which
// items are stored and how, what the delegate hears and in which order, and what only the
// first roster after a sign-in does.
#include "EngineFixture.h"

#include "engine/RosterGroups.h"
#include "xmpp/Roster.h"
#include "xmpp/RosterItem.h"

#include <atomic>
#include <future>

using Names = std::vector<std::string>;
using Type = RosterItem::Type;
using Description = RosterItem::Description;
using Status = RosterItem::Status;

namespace {

RosterItem* item(const std::string& jid, Type type, Description description = Description::NORMAL,
    const char* nick = nullptr, Status status = Status::NONE)
{
    auto item = new RosterItem();
    item->setUserJID(new IMString(jid.c_str()));
    item->setItemType(type);
    item->setDescription(description);
    item->setItemStatus(status);
    item->setNickName(nick != nullptr ? new IMString(nick) : nullptr);
    return item;
}

RosterItem* filed(RosterItem* item, std::initializer_list<const char*> groups)
{
    for (const char* group : groups) {
        item->addGroup(IMString(group));
    }
    return item;
}

Roster* roster(std::initializer_list<RosterItem*> items, IQ::Type type = IQ::Type::RESULT)
{
    auto roster = new Roster();
    roster->setType(type);
    for (RosterItem* each : items) {
        roster->addSubPacket(each);
    }
    return roster;
}

std::string groupOf(const std::unique_ptr<Contact>& contact)
{
    return contact != nullptr ? contact->GetGroupName().ToUtf8() : "(no contact)";
}

std::vector<std::string> updatedIds(TestSupport::RecordingDelegate& delegate, const char* callback)
{
    std::vector<std::string> ids;
    for (const auto& call : delegate.CallsOf(callback)) {
        ids.push_back(call.contact->GetContactId().ToUtf8());
    }
    return ids;
}

class RosterHandlerTest : public EngineFixture {
protected:
    // The stored group ids in the buddy list's order.
    std::string groupIds()
    {
        std::unique_ptr<Ixa::Base::Collection::ArrayList> all(groups_->GetAllSortedGroups());
        std::string ids;
        for (int i = 0; all != nullptr && i < all->GetCount(); ++i) {
            ids += (i > 0 ? "," : "") + static_cast<Group*>(all->GetAt(i))->GetGroupId().ToUtf8();
        }
        if (all != nullptr) {
            all->RemoveAll(true);
        }
        return ids;
    }
};

// A model side that, like the screens, reads the contact store from another thread while it
// handles a callback, and waits for that read.
class CrossThreadReader : public TestSupport::RecordingDelegate {
public:
    explicit CrossThreadReader(ContactModel& contacts) : contacts_(contacts) {}

    void OnContactUpdated(Contact* contact) override
    {
        auto read = std::async(std::launch::async, [this] { return contacts_.GetNumContacts(); });
        if (read.wait_for(std::chrono::seconds(5)) == std::future_status::ready) {
            ++readsDone;
        }
        RecordingDelegate::OnContactUpdated(contact);
    }

    std::atomic<int> readsDone{0};

private:
    ContactModel& contacts_;
};

}  // namespace

TEST_F(RosterHandlerTest, TheFirstRosterStoresEachKindOfItemInTheDefaultGroupThenReportsAllPresence)
{
    deliver("buddylist", roster({item(idOf("bob"), Type::BOTH, Description::NORMAL, "Bobby"),
                             item("Carol@Elsewhere.ORG", Type::BOTH),
                             item(idOf("dave"), Type::NONE, Description::NORMAL, nullptr, Status::SUBSCRIBE),
                             item(idOf("eve"), Type::TO), item(idOf("frank"), Type::FROM),
                             item(idOf("gina"), Type::NONE)}));

    std::unique_ptr<Contact> bob = storedContact(idOf("bob"));
    ASSERT_NE(bob, nullptr);
    EXPECT_EQ(bob->GetUserName().ToUtf8(), "bob");
    EXPECT_EQ(bob->GetNickName().ToUtf8(), "Bobby");
    EXPECT_EQ(bob->GetGroupName().ToUtf8(), RosterGroups::DEFAULT_GROUP);
    EXPECT_EQ(bob->GetPresenceType(), Contact::PRESENCE_OFFLINE);
    EXPECT_TRUE(bob->GetOnBuddyList());
    EXPECT_FALSE(bob->GetIsBlocked());

    // An id outside the default domain is its own user name; ids are stored in lower case.
    std::unique_ptr<Contact> carol = storedContact("carol@elsewhere.org");
    ASSERT_NE(carol, nullptr);
    EXPECT_EQ(carol->GetUserName().ToUtf8(), "carol@elsewhere.org");

    std::unique_ptr<Contact> dave = storedContact(idOf("dave"));
    ASSERT_NE(dave, nullptr);
    EXPECT_EQ(dave->GetPresenceType(), Contact::PRESENCE_NEVER_SEEN);
    EXPECT_EQ(dave->GetCustomMessage().ToUtf8(), INVITED_TEXT);
    EXPECT_TRUE(dave->GetOnBuddyList());

    for (const char* left : {"eve", "frank", "gina"}) {
        EXPECT_EQ(storedContact(idOf(left)), nullptr) << left;
    }
    std::unique_ptr<Group> friends(groups_->FindByGroupId(IMString(RosterGroups::DEFAULT_GROUP)));
    ASSERT_NE(friends, nullptr);
    EXPECT_EQ(friends->GetGroupName().ToUtf8(), RosterGroups::DEFAULT_GROUP);
    EXPECT_TRUE(friends->GetHasContacts());

    EXPECT_EQ(delegate_.Names(), (Names{"OnContactUpdated", "OnContactUpdated", "OnContactUpdated",
                                     "OnAllPresenceReceived"}));
    EXPECT_EQ(updatedIds(delegate_, "OnContactUpdated"), (Names{idOf("bob"), "carol@elsewhere.org", idOf("dave")}));
    EXPECT_TRUE(controller_.IsInitialListReceived());
    EXPECT_FALSE(contacts_->GetContactListRefreshing());
}

TEST_F(RosterHandlerTest, ABlockedItemIsStoredBlockedAndOffTheBuddyListWhateverItsSubscription)
{
    deliver("buddylist", roster({item(idOf("bob"), Type::BOTH, Description::BLOCKED),
                             item(idOf("carol"), Type::NONE, Description::BLOCKED)}));

    for (const char* user : {"bob", "carol"}) {
        std::unique_ptr<Contact> blocked = storedContact(idOf(user));
        ASSERT_NE(blocked, nullptr) << user;
        EXPECT_TRUE(blocked->GetIsBlocked()) << user;
        EXPECT_FALSE(blocked->GetOnBuddyList()) << user;
        EXPECT_FALSE(blocked->GetIsDeleted()) << user;
    }
    EXPECT_EQ(delegate_.Count("OnContactUpdated"), 2u);
}

TEST_F(RosterHandlerTest, OnlyTheFirstRosterSweepsDeletedContactsAndLaterOnesKeepPresence)
{
    storeContact(idOf("gone"), Contact::PRESENCE_AVAILABLE);
    std::unique_ptr<Contact> gone = storedContact(idOf("gone"));
    gone->SetIsDeleted(true);
    contacts_->SaveOrUpdate(gone.get());
    deliver("buddylist", roster({item(idOf("bob"), Type::BOTH)}));
    EXPECT_EQ(storedContact(idOf("gone")), nullptr);

    std::unique_ptr<Contact> bob = storedContact(idOf("bob"));
    bob->SetPresenceType(Contact::PRESENCE_BUSY);
    bob->SetIsDeleted(true);
    contacts_->SaveOrUpdate(bob.get());
    storeContact(idOf("marked"), Contact::PRESENCE_AVAILABLE);
    std::unique_ptr<Contact> marked = storedContact(idOf("marked"));
    marked->SetIsDeleted(true);
    contacts_->SaveOrUpdate(marked.get());
    delegate_.Clear();

    deliver("buddylist", roster({item(idOf("bob"), Type::BOTH, Description::NORMAL, "Robert")}));
    bob = storedContact(idOf("bob"));
    EXPECT_EQ(bob->GetPresenceType(), Contact::PRESENCE_BUSY);
    EXPECT_EQ(bob->GetNickName().ToUtf8(), "Robert");
    EXPECT_FALSE(bob->GetIsDeleted());
    EXPECT_NE(storedContact(idOf("marked")), nullptr);
    EXPECT_EQ(delegate_.Names(), Names{"OnContactUpdated"});
}

TEST_F(RosterHandlerTest, RemovedAndHiddenItemsAreReportedDeletedAndNotStored)
{
    storeContact(idOf("bob"), Contact::PRESENCE_AVAILABLE);
    deliver("buddylist", roster({item(idOf("bob"), Type::REMOVE), item(idOf("carol"), Type::BOTH, Description::HIDDEN),
                             item(idOf("dave"), Type::REMOVE, Description::BLOCKED)}));

    EXPECT_EQ(updatedIds(delegate_, "onContactDeletedFromServer"), (Names{idOf("bob"), idOf("carol"), idOf("dave")}));
    EXPECT_EQ(delegate_.Count("OnContactUpdated"), 0u);
    EXPECT_EQ(storedContact(idOf("carol")), nullptr);
    EXPECT_EQ(storedContact(idOf("dave")), nullptr);
    std::unique_ptr<Contact> bob = storedContact(idOf("bob"));
    ASSERT_NE(bob, nullptr) << "removing the row is the model side's business";
    EXPECT_EQ(bob->GetPresenceType(), Contact::PRESENCE_AVAILABLE);
}

TEST_F(RosterHandlerTest, ItemsWithoutAnIdOrAnAtSignAreSkippedAndTheGroupIsMadeOnce)
{
    auto noId = new RosterItem();
    noId->setItemType(Type::BOTH);
    deliver("buddylist", roster({noId, item("localonly", Type::BOTH), item(idOf("bob"), Type::BOTH)}));
    deliver("buddylist", roster({item(idOf("carol"), Type::BOTH)}));

    EXPECT_EQ(storedContact("localonly"), nullptr);
    EXPECT_EQ(contacts_->GetNumContacts(), 2);
    EXPECT_EQ(groups_->GetNumGroups(), 1);
    EXPECT_EQ(updatedIds(delegate_, "OnContactUpdated"), (Names{idOf("bob"), idOf("carol")}));
    EXPECT_EQ(delegate_.Count("OnAllPresenceReceived"), 1u);
}

TEST_F(RosterHandlerTest, ALargeRosterIsMergedWhole)
{
    constexpr int COUNT = 1000;
    auto big = new Roster();
    big->setType(IQ::Type::RESULT);
    for (int i = 0; i < COUNT; ++i) {
        big->addSubPacket(item(idOf("user" + std::to_string(i)), Type::BOTH));
    }
    deliver("buddylist", big);

    EXPECT_EQ(contacts_->GetNumContacts(), COUNT);
    std::vector<std::string> ids = updatedIds(delegate_, "OnContactUpdated");
    ASSERT_EQ(ids.size(), static_cast<size_t>(COUNT));
    EXPECT_EQ(ids.back(), idOf("user" + std::to_string(COUNT - 1)));
}

// The merge holds the store's lock for its whole batch; the callbacks come only after it, so
// a receiver whose callback waits for another thread's read of the store is not stuck.
TEST_F(RosterHandlerTest, CallbacksComeAfterTheBatchSoOtherThreadsCanReadTheStore)
{
    CrossThreadReader reader(*contacts_);
    controller_.SetModelResponseDelegate(&reader);
    deliver("buddylist", roster({item(idOf("bob"), Type::BOTH), item(idOf("carol"), Type::BOTH)}));
    EXPECT_EQ(reader.readsDone.load(), 2);
    controller_.SetModelResponseDelegate(&delegate_);
}

// Each contact is filed under the first group of its item; groups are one per lower-case id
// and keep their first spelling and their folded state; a push only adds groups, and the
// next full roster drops those it no longer lists (the default one stays).
TEST_F(RosterHandlerTest, ContactsAreFiledUnderTheFirstGroupOfTheirItemWhateverItsCase)
{
    deliver("buddylist", roster({filed(item(idOf("bob"), Type::BOTH), {"Team"}),
                             filed(item(idOf("carol"), Type::BOTH), {"team", "Work"}),
                             filed(item(idOf("dave"), Type::NONE, Description::NORMAL, nullptr, Status::SUBSCRIBE),
                                 {"  Work "}),
                             filed(item(idOf("eve"), Type::BOTH), {" "}), item(idOf("fay"), Type::BOTH),
                             filed(item(idOf("gus"), Type::BOTH, Description::BLOCKED), {"Secret"}),
                             filed(item(idOf("hal"), Type::TO), {"Other"})}));

    EXPECT_EQ(groupOf(storedContact(idOf("bob"))), "Team");
    EXPECT_EQ(groupOf(storedContact(idOf("carol"))), "Team");
    EXPECT_EQ(groupOf(storedContact(idOf("dave"))), "Work");
    EXPECT_EQ(groupOf(storedContact(idOf("eve"))), "Friends");
    EXPECT_EQ(groupOf(storedContact(idOf("fay"))), "Friends");
    EXPECT_EQ(groupOf(storedContact(idOf("gus"))), "Secret") << "a blocked contact keeps its group for later";
    EXPECT_EQ(groupIds(), "friends,team,work") << "only groups of buddies are made";
    std::unique_ptr<Group> team(groups_->FindByGroupId(IMString("TEAM")));
    ASSERT_NE(team, nullptr);
    EXPECT_EQ(team->GetGroupName().ToUtf8(), "Team");
    EXPECT_TRUE(team->GetHasContacts());
    ASSERT_TRUE(groups_->UpdateGroupStateById(IMString("work"), false));

    // A push moves both Team buddies to "Family": Team is empty but stays until the next
    // full roster.
    deliver("buddylist", roster({filed(item(idOf("bob"), Type::BOTH), {"Family"}),
                             filed(item(idOf("carol"), Type::BOTH), {"Family"})},
                             IQ::Type::SET));
    EXPECT_EQ(groupOf(storedContact(idOf("bob"))), "Family");
    EXPECT_EQ(groupIds(), "family,friends,team,work");

    deliver("buddylist", roster({filed(item(idOf("bob"), Type::BOTH), {"FAMILY"}),
                             filed(item(idOf("carol"), Type::BOTH), {"Family"}),
                             filed(item(idOf("dave"), Type::BOTH), {"work"})}));
    EXPECT_EQ(groupIds(), "family,friends,work");
    EXPECT_EQ(groupOf(storedContact(idOf("bob"))), "Family") << "the stored spelling wins";
    EXPECT_EQ(groupOf(storedContact(idOf("dave"))), "Work");
    std::unique_ptr<Group> work(groups_->FindByGroupId(IMString("Work")));
    ASSERT_NE(work, nullptr);
    EXPECT_FALSE(work->GetIsExpanded()) << "a group the server still lists keeps its folded state";
}
