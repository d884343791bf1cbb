// What the stores cost at sign-in and while chatting:
//  - a 5,000-contact roster merged by SaveOrUpdate in one batch, into an empty store and into
//    a full one, against the floor: the same 5,000 rows inserted with raw SQLite into the same
//    table in one transaction with one prepared statement (goal: at most 3 times the floor);
//  - 10,000 received messages stored one by one, each in its own commit (messages per second).
// Each figure is the median of nine runs on fresh files in a temporary directory.
// Not part of the test run.
#include "store/ContactModel.h"
#include "store/MessageModel.h"

#include "BenchFigure.h"
#include "BenchFigures.h"
#include "ScratchHome.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int CONTACTS = 5000;
constexpr int MESSAGES = 10000;
constexpr int RUNS = 9;

struct RosterItem {
    std::string id;
    std::string nick;
    int presence;
};

std::vector<RosterItem> MakeRoster()
{
    std::vector<RosterItem> roster;
    const int presences[] = {0, 2, 999, -1, -2};
    for (int i = 0; i < CONTACTS; ++i) {
        roster.push_back(
            {"contact" + std::to_string(i) + "@example.com", "Contact Number " + std::to_string(i), presences[i % 5]});
    }
    return roster;
}

// The roster as the protocol layer hands it over: contact records, built before the clock
// starts, as they are for the raw floor.
std::vector<std::unique_ptr<Contact>> MakeContacts(ContactModel& model, const std::vector<RosterItem>& roster)
{
    std::vector<std::unique_ptr<Contact>> contacts;
    for (const RosterItem& item : roster) {
        std::unique_ptr<Contact> contact(model.CreateContact());
        contact->SetContactId(IMString(item.id.c_str()));
        contact->SetUserName(IMString(item.id.c_str()));
        contact->SetNickName(IMString(item.nick.c_str()));
        contact->SetGroupName(IMString("Friends"));
        contact->SetPresenceType(item.presence);
        contact->SetOnBuddyList(true);
        contacts.push_back(std::move(contact));
    }
    return contacts;
}

void Merge(ContactModel& model, const std::vector<std::unique_ptr<Contact>>& contacts)
{
    model.BeginBatch();
    for (const std::unique_ptr<Contact>& contact : contacts) {
        model.SaveOrUpdate(contact.get());
    }
    model.EndBatch();
}

// The floor: the same rows into the same table, with nothing around the SQLite calls.
double RawInsertMilliseconds(const std::vector<RosterItem>& roster)
{
    ScratchHome home;
    sqlite3* db = nullptr;
    sqlite3_open((home.Path() + "/raw.db").c_str(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db,
        "CREATE TABLE ContactTable1(userid NTEXT,username NTEXT,displayname NTEXT,groupname NTEXT,"
        "isblocked INTEGER,presencetype INTEGER,isbusy INTEGER,custommessage NTEXT,isinvisible INTEGER,"
        "isonbuddylist INTEGER,isdeleted INTEGER,hasAvatar INTEGER,isMobile INTEGER)",
        nullptr, nullptr, nullptr);
    double milliseconds = MillisecondsOf([&] {
        sqlite3_stmt* insert = nullptr;
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_prepare_v2(db, "INSERT INTO ContactTable1 VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?)", -1, &insert, nullptr);
        for (const RosterItem& item : roster) {
            sqlite3_bind_text(insert, 1, item.id.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 2, item.id.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 3, item.nick.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 4, "Friends", -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(insert, 5, 0);
            sqlite3_bind_int(insert, 6, item.presence);
            sqlite3_bind_int(insert, 7, 0);
            sqlite3_bind_text(insert, 8, "", -1, SQLITE_TRANSIENT);
            for (int column = 9; column <= 13; ++column) {
                sqlite3_bind_int(insert, column, column == 10 ? 1 : 0);
            }
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
    sqlite3_close(db);
    return milliseconds;
}

struct MergeFigures {
    double empty;
    double full;
    int stored;
};

MergeFigures MergeMilliseconds(const std::vector<RosterItem>& roster)
{
    ScratchHome home;
    std::unique_ptr<ContactModel> model(ContactModel::GetInstance());
    std::vector<std::unique_ptr<Contact>> contacts = MakeContacts(*model, roster);
    MergeFigures figures{};
    figures.empty = MillisecondsOf([&] { Merge(*model, contacts); });
    for (const std::unique_ptr<Contact>& contact : contacts) {
        contact->SetPresenceType(Contact::PRESENCE_OFFLINE);
    }
    figures.full = MillisecondsOf([&] { Merge(*model, contacts); });
    figures.stored = model->GetNumContacts();
    return figures;
}

double MessagesPerSecond()
{
    ScratchHome home;
    std::unique_ptr<MessageModel> model(MessageModel::GetInstance());
    IMDateTime time;
    time.SetValue(2024, 1, 1);
    double milliseconds = MillisecondsOf([&] {
        for (int i = 0; i < MESSAGES; ++i) {
            std::unique_ptr<Message> message(model->CreateMessage());
            message->SetOtherUserId(IMString(i % 2 == 0 ? "ann@example.com" : "bob@example.com"));
            message->SetMessage(IMString("a received message of ordinary length, with a link or two"));
            message->SetTimeStamp(time);
            time.AddMilliseconds(1);
            model->SaveOrUpdate(message.get());
        }
    });
    return model->GetTotalUnreadMessages() == MESSAGES ? MESSAGES / (milliseconds / 1000.0) : -1.0;
}

}  // namespace

int main()
{
    std::vector<RosterItem> roster = MakeRoster();
    std::vector<double> raw;
    std::vector<double> empty;
    std::vector<double> full;
    std::vector<double> messages;
    int stored = 0;
    for (int run = 0; run < RUNS; ++run) {
        raw.push_back(RawInsertMilliseconds(roster));
        MergeFigures merge = MergeMilliseconds(roster);
        empty.push_back(merge.empty);
        full.push_back(merge.full);
        stored = merge.stored;
        messages.push_back(MessagesPerSecond());
    }
    double floor = Median(raw);
    std::printf("raw SQLite insert of %d contacts, one transaction (floor): %8.1f ms\n", CONTACTS, floor);
    std::printf("roster merge of %d contacts into an empty store:          %8.1f ms (%.2f x floor)\n", CONTACTS,
        Median(empty), Median(empty) / floor);
    std::printf("roster merge of %d contacts into a full store:            %8.1f ms (%.2f x floor)\n", CONTACTS,
        Median(full), Median(full) / floor);
    std::printf("contacts stored after both merges:                             %8d\n", stored);
    std::printf("%d received messages stored one by one:              %8.0f messages/s\n", MESSAGES, Median(messages));
    BenchFigure merge;
    merge.name = "roster merge of 5,000 contacts into an empty store";
    merge.value = Median(empty);
    merge.unit = "ms";
    merge.better = BenchFigure::Better::LOWER;
    merge.yardstick = "raw SQLite insert, one transaction";
    merge.yardstickValue = floor;
    merge.low = *std::min_element(empty.begin(), empty.end());
    merge.high = *std::max_element(empty.begin(), empty.end());
    merge.Print();
    return stored == CONTACTS ? 0 : 1;
}
