#include "store/ContactModel.h"
#include "store/MessageModel.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using Ixa::Base::String;
using Ixa::Base::Collection::ArrayList;

namespace {

struct ContactListDeleter {
    void operator()(ArrayList* list) const
    {
        list->RemoveAll(true);
        delete list;
    }
};
using ContactList = std::unique_ptr<ArrayList, ContactListDeleter>;

Contact* MakeContact(ContactModel& model, const char* id, const char* nick, int presence, const char* group = "Friends")
{
    Contact* contact = model.CreateContact();
    contact->SetContactId(IMString(id));
    contact->SetUserName(IMString(id));
    contact->SetNickName(IMString(nick));
    contact->SetGroupName(IMString(group));
    contact->SetPresenceType(presence);
    contact->SetIsBusy(presence == Contact::PRESENCE_BUSY);
    contact->SetOnBuddyList(true);
    return contact;
}

void Save(ContactModel& model, const char* id, const char* nick, int presence, const char* group = "Friends")
{
    std::unique_ptr<Contact> contact(MakeContact(model, id, nick, presence, group));
    model.SaveOrUpdate(contact.get());
}

// The display names of a list, joined by ",".
std::string Names(ArrayList* list)
{
    std::string names;
    for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
        names += (i > 0 ? "," : "") + static_cast<Contact*>(list->GetAt(i))->GetNickName().ToUtf8();
    }
    return names;
}

class ContactStoreTest : public testing::Test {
protected:
    TempDataDir dir_;
    std::unique_ptr<ContactModel> model_{ContactModel::GetInstance()};
};

}  // namespace

TEST_F(ContactStoreTest, BuddyListIsOrderedByPresenceThenDisplayNameAndFiltersOffline)
{
    ContactModel& model = *model_;
    Save(model, "e@x", "eve", Contact::PRESENCE_AWAY);
    Save(model, "b@x", "Bob", Contact::PRESENCE_AVAILABLE);
    Save(model, "n@x", "Nina", Contact::PRESENCE_NEVER_SEEN);
    Save(model, "a@x", "alice", Contact::PRESENCE_AVAILABLE);
    Save(model, "o@x", "Oscar", Contact::PRESENCE_OFFLINE);
    Save(model, "d@x", "Dan", Contact::PRESENCE_BUSY);
    Save(model, "c@x", "carl", Contact::PRESENCE_BUSY);
    Save(model, "m@x", "Mo", Contact::PRESENCE_OFFLINE);
    Save(model, "w@x", "Walt", Contact::PRESENCE_AVAILABLE, "Work");
    std::unique_ptr<Contact> pending(MakeContact(model, "z@x", "Zed", Contact::PRESENCE_AVAILABLE));
    pending->SetOnBuddyList(false);
    model.SaveOrUpdate(pending.get());

    String friends("Friends");
    EXPECT_EQ(Names(ContactList(model.GetAllSortedContactsInGroup(friends, false)).get()), "alice,Bob,carl,Dan,eve");
    EXPECT_EQ(Names(ContactList(model.GetAllSortedContactsInGroup(friends, true)).get()),
        "alice,Bob,carl,Dan,eve,Mo,Oscar,Nina");
    EXPECT_EQ(Names(ContactList(model.GetSortedContactsByPresenceInGroup(Contact::PRESENCE_BUSY, friends)).get()),
        "carl,Dan");
    EXPECT_EQ(Names(ContactList(model.GetAllSortedContactsInGroup(String("Work"), true)).get()), "Walt");
    EXPECT_EQ(Names(ContactList(model.GetAllSortedContactsInGroup(String("None"), true)).get()), "");

    EXPECT_EQ(model.GetNumContacts(), 9);
    EXPECT_EQ(model.GetNumOfContactsInGroup(friends), 8);
    EXPECT_EQ(model.GetNumOfOnlineContactsInGroup(friends), 5);
    EXPECT_EQ(model.GetNumOfOnlineContactsInGroup(String("Work")), 1);
    EXPECT_EQ(ContactList(model.GetAllContacts())->GetCount(), 9);
    String work("Work");
    EXPECT_EQ(Names(ContactList(model.GetContactsByGroupName(work)).get()), "Walt");
    String empty;
    EXPECT_EQ(model.GetContactsByGroupName(empty), nullptr);
}

TEST_F(ContactStoreTest, SavesUpdateOneRowAndReadBackWhatWasStored)
{
    ContactModel& model = *model_;
    std::unique_ptr<Contact> contact(MakeContact(model, "joe@x", "", Contact::PRESENCE_AVAILABLE));
    contact->SetDeviceType(7);
    contact->SetCustomMessage(IMString("at lunch"));
    contact->SetIsHavingAvatar(true);
    model.SaveOrUpdate(contact.get());

    std::unique_ptr<Contact> stored(model.GetContactById(IMString("joe@x")));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetNickName(), IMString("joe@x")) << "the user name stands in for an empty nick name";
    EXPECT_EQ(stored->GetDeviceType(), 1);
    EXPECT_TRUE(stored->IsHavingAvatar());
    EXPECT_EQ(stored->GetCustomMessage(), IMString("at lunch"));
    EXPECT_TRUE(stored->GetOnBuddyList());
    EXPECT_FALSE(stored->GetIsBlocked());

    contact->SetUserName(IMString("Joe Renamed"));
    contact->SetIsBlocked(true);
    contact->SetPresenceType(Contact::PRESENCE_BUSY);
    contact->SetIsBusy(true);
    contact->SetDeviceType(0);
    model.SaveOrUpdate(contact.get());
    EXPECT_EQ(model.GetNumContacts(), 1) << "a second save of one id updates its row";
    stored.reset(model.GetContactByUsername(IMString("Joe Renamed")));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetNickName(), IMString("Joe Renamed"));
    EXPECT_TRUE(stored->GetIsBlocked());
    EXPECT_TRUE(stored->GetIsBusy());
    EXPECT_EQ(stored->GetPresenceType(), Contact::PRESENCE_BUSY);
    EXPECT_EQ(stored->GetDeviceType(), 0);

    std::unique_ptr<Contact> copy(model.CreateContact(stored.get()));
    EXPECT_EQ(copy->GetContactId(), IMString("joe@x"));
    EXPECT_TRUE(copy->GetIsBlocked());
    EXPECT_FALSE(copy->IsHavingAvatar()) << "the copy leaves out the avatar flag";

    std::unique_ptr<Contact> unnamed(model.CreateContact());
    model.SaveOrUpdate(unnamed.get());
    model.SaveOrUpdate(nullptr);
    EXPECT_EQ(model.GetNumContacts(), 1);
    EXPECT_EQ(model.GetContactById(IMString()), nullptr);
    EXPECT_EQ(model.GetContactById(IMString("nobody@x")), nullptr);
}

TEST_F(ContactStoreTest, BlockedListPresenceSweepAndRefreshSweep)
{
    ContactModel& model = *model_;
    Save(model, "a@x", "A", Contact::PRESENCE_AVAILABLE);
    Save(model, "b@x", "B", Contact::PRESENCE_BUSY);
    Save(model, "c@x", "C", Contact::PRESENCE_AWAY);
    Save(model, "n@x", "N", Contact::PRESENCE_NEVER_SEEN);
    std::unique_ptr<Contact> blocked(MakeContact(model, "z@x", "zz", Contact::PRESENCE_OFFLINE));
    blocked->SetIsBlocked(true);
    model.SaveOrUpdate(blocked.get());
    blocked.reset(MakeContact(model, "y@x", "Yy", Contact::PRESENCE_OFFLINE));
    blocked->SetIsBlocked(true);
    model.SaveOrUpdate(blocked.get());
    EXPECT_EQ(Names(ContactList(model.GetAllBlockedContacts()).get()), "Yy,zz");
    EXPECT_EQ(model.GetNumBlockedContacts(), 2);

    ASSERT_TRUE(model.ClearPresenceInfoForAllUsers());
    ContactList everyone(model.GetAllContacts());
    for (int i = 0; i < everyone->GetCount(); ++i) {
        auto contact = static_cast<Contact*>(everyone->GetAt(i));
        int expected =
            contact->GetContactId() == IMString("n@x") ? Contact::PRESENCE_NEVER_SEEN : Contact::PRESENCE_OFFLINE;
        EXPECT_EQ(contact->GetPresenceType(), expected) << contact->GetContactId().ToUtf8();
        EXPECT_FALSE(contact->GetIsBusy());
    }

    ASSERT_TRUE(model.ReSetColumn(false, 0));
    EXPECT_EQ(model.GetNumBlockedContacts(), 0);

    model.BeginContactListRefresh();
    EXPECT_TRUE(model.GetContactListRefreshing());
    ASSERT_TRUE(model.ReSetColumn(true, 1));
    Save(model, "a@x", "A", Contact::PRESENCE_OFFLINE);
    model.OnContactListRefreshed();
    EXPECT_FALSE(model.GetContactListRefreshing());
    ContactList remaining(model.GetAllContacts());
    ASSERT_EQ(remaining->GetCount(), 1);
    EXPECT_EQ(static_cast<Contact*>(remaining->GetAt(0))->GetContactId(), IMString("a@x"));

    std::unique_ptr<Contact> a(model.GetContactById(IMString("a@x")));
    EXPECT_TRUE(model.DeleteContactCascading(a.get()));
    EXPECT_FALSE(model.DeleteContactCascading(nullptr));
    EXPECT_EQ(model.GetNumContacts(), 0);
}

TEST_F(ContactStoreTest, SearchMatchesAnywhereIgnoringCaseWithWildcardsTakenLiterally)
{
    ContactModel& model = *model_;
    Save(model, "anna@x", "Anna Berg", Contact::PRESENCE_AVAILABLE);
    Save(model, "jo@x", "Jörg Ärger", Contact::PRESENCE_OFFLINE);
    Save(model, "pct@x", "100% sure", Contact::PRESENCE_AWAY);
    Save(model, "us@x", "snake_case", Contact::PRESENCE_AVAILABLE);
    Save(model, "other@x", "snakeXcase 1000", Contact::PRESENCE_AVAILABLE);

    EXPECT_EQ(Names(ContactList(model.GetAllContactsStartingWith(String("berg"), true)).get()), "Anna Berg");
    EXPECT_EQ(Names(ContactList(model.GetAllContactsStartingWith(String(u"ärger"), true)).get()), "Jörg Ärger");
    EXPECT_EQ(Names(ContactList(model.GetAllContactsStartingWith(String(u"ärger"), false)).get()), "");
    EXPECT_EQ(Names(ContactList(model.GetAllContactsStartingWith(String("e_c"), true)).get()), "snake_case");
    EXPECT_EQ(Names(ContactList(model.GetAllContactsStartingWith(String("0%"), true)).get()), "100% sure");
    EXPECT_EQ(Names(ContactList(model.GetAllContactsStartingWith(String("x"), true)).get()),
        "Anna Berg,snake_case,snakeXcase 1000,100% sure,Jörg Ärger")
        << "user names match too; blocks keep presence order";
}

TEST_F(ContactStoreTest, AwkwardTextSurvivesCloseAndReopen)
{
    const String texts[] = {
        String(u"O'Brien \"the\" 100% _x_ back\\slash"),
        String(u"\U0001F600\U0001F44D emoji"),
        String(u"\u05E9\u05DC\u05D5\u05DD \u0645\u0631\u062D\u0628\u0627"),
        String(std::string(100 * 1024, 'q').c_str()),
    };
    int index = 0;
    for (const String& text : texts) {
        std::unique_ptr<Contact> contact(model_->CreateContact());
        contact->SetContactId(IMString(text));
        contact->SetNickName(IMString(text));
        contact->SetGroupName(IMString(text));
        contact->SetCustomMessage(IMString(text));
        contact->SetPresenceType(index++);
        contact->SetOnBuddyList(true);
        model_->SaveOrUpdate(contact.get());
    }
    model_.reset();
    model_.reset(ContactModel::GetInstance());
    EXPECT_EQ(model_->GetNumContacts(), 4);
    for (const String& text : texts) {
        std::unique_ptr<Contact> stored(model_->GetContactById(IMString(text)));
        ASSERT_NE(stored, nullptr) << text.GetLength();
        EXPECT_EQ(stored->GetNickName(), text);
        EXPECT_EQ(stored->GetGroupName(), text);
        EXPECT_EQ(stored->GetCustomMessage(), text);
        EXPECT_EQ(model_->GetNumOfContactsInGroup(text), 1);
    }
}

TEST_F(ContactStoreTest, ARosterMergedAsOneBatchIsStoredWhole)
{
    ASSERT_TRUE(model_->BeginBatch());
    for (int i = 0; i < 300; ++i) {
        std::string id = "user" + std::to_string(i) + "@x";
        Save(*model_, id.c_str(), id.c_str(), Contact::PRESENCE_OFFLINE);
    }
    EXPECT_EQ(model_->GetNumContacts(), 300) << "the batch's own thread sees its writes";
    ASSERT_TRUE(model_->EndBatch());
    model_.reset();
    model_.reset(ContactModel::GetInstance());
    EXPECT_EQ(model_->GetNumContacts(), 300);
}

TEST_F(ContactStoreTest, ThreeThreadsWritingOneModelStayConsistent)
{
    constexpr int PER_THREAD = 60;
    std::vector<std::thread> writers;
    for (int t = 0; t < 3; ++t) {
        writers.emplace_back([this, t] {
            ContactModel* model = ContactModel::GetInstance();
            for (int i = 0; i < PER_THREAD; ++i) {
                std::string id = "t" + std::to_string(t) + "-" + std::to_string(i);
                Save(*model, id.c_str(), id.c_str(),
                    i % 2 == 0 ? Contact::PRESENCE_AVAILABLE : Contact::PRESENCE_OFFLINE);
                if (i % 10 == 9) {
                    model->BeginBatch();
                    Save(*model, id.c_str(), (id + "!").c_str(), Contact::PRESENCE_AWAY);
                    model->EndBatch();
                }
                ContactList seen(model->GetAllContactsStartingWith(String("t"), true));
                EXPECT_NE(seen, nullptr);
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    EXPECT_EQ(model_->GetNumContacts(), 3 * PER_THREAD);
    EXPECT_EQ(model_->GetNumOfOnlineContactsInGroup(String("Friends")), 3 * (PER_THREAD / 2 + PER_THREAD / 10));
    std::unique_ptr<Contact> updated(model_->GetContactById(IMString("t2-59")));
    ASSERT_NE(updated, nullptr);
    EXPECT_EQ(updated->GetNickName(), IMString("t2-59!"));
}

TEST(ContactStoreFaultTest, ACorruptFileFailsThatStoreAloneAndIsLeftInPlace)
{
    TempDataDir dir;
    {
        std::ofstream garbage(dir.File("gtalkcontacts.db"), std::ios::binary);
        garbage << std::string(4096, '\x7f');
    }
    std::unique_ptr<ContactModel> contacts(ContactModel::GetInstance());
    std::unique_ptr<MessageModel> messages(MessageModel::GetInstance());
    EXPECT_FALSE(contacts->CheckOpenDB());
    EXPECT_EQ(contacts->GetNumContacts(), -1);
    EXPECT_EQ(contacts->GetAllSortedContactsInGroup(String("Friends"), true), nullptr);
    EXPECT_EQ(contacts->GetContactById(IMString("a@x")), nullptr);
    EXPECT_FALSE(contacts->ClearPresenceInfoForAllUsers());
    Save(*contacts, "a@x", "A", 0);
    EXPECT_FALSE(contacts->BeginBatch());

    EXPECT_TRUE(messages->CheckOpenDB());
    std::unique_ptr<Message> message(messages->CreateMessage());
    message->SetOtherUserId(IMString("a@x"));
    EXPECT_TRUE(messages->SaveOrUpdate(message.get()));
    EXPECT_EQ(messages->GetTotalUnreadMessages(), 1);
    EXPECT_EQ(std::filesystem::file_size(dir.File("gtalkcontacts.db")), 4096u);
}

TEST(ContactStoreFaultTest, AnUncreatableDataDirectoryFailsTheStore)
{
    TempDataDir dir;
    std::ofstream(dir.File("file")) << "x";
    setenv("VELOIM_HOME", dir.File("file/inside").c_str(), 1);
    std::unique_ptr<ContactModel> contacts(ContactModel::GetInstance());
    EXPECT_FALSE(contacts->CheckOpenDB());
    EXPECT_EQ(contacts->GetNumContacts(), -1);
}

TEST(ContactStoreFileTest, TheFileIsReadableByTheUserAlone)
{
    TempDataDir dir;
    std::unique_ptr<ContactModel> contacts(ContactModel::GetInstance());
    Save(*contacts, "a@x", "A", 0);
    struct stat status {};
    ASSERT_EQ(stat(dir.File("gtalkcontacts.db").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    ContactDatabase table;
    EXPECT_TRUE(table.IsExist());
    EXPECT_EQ(ContactDatabase::getDBLocation(), IMString("/Home/gtalkcontacts.db"));
}
