#include "store/PropertiesDatabase.h"

#include "store/PropertiesImpl.h"

#include <memory>

namespace {

constexpr const char* CREATE_TABLE =
    "CREATE TABLE IF NOT EXISTS PropertiesTable1(username NTEXT,password NTEXT,isautosignin INTEGER,"
    "isinvisible INTEGER,issavepassword INTEGER,showpicsorcontacts INTEGER,alertsettings NTEXT,"
    "isresetrequired INTEGER,myprofilestate INTEGER,isavailablestate INTEGER,custommessage NTEXT)";
// A forgotten password must not linger on disk: deleted rows are overwritten, and after each
// write the log, which still holds the earlier pages, is folded into the file and emptied.
constexpr const char* SECURE_DELETE = "PRAGMA secure_delete=ON";
constexpr const char* EMPTY_LOG = "PRAGMA wal_checkpoint(TRUNCATE)";
constexpr const char* INSERT_PROPERTIES =
    "INSERT INTO PropertiesTable1(username,password,isautosignin,isinvisible,issavepassword,showpicsorcontacts,"
    "alertsettings,isresetrequired,myprofilestate,isavailablestate,custommessage) VALUES(?,?,?,?,?,?,?,?,?,?,?)";
constexpr const char* SELECT_ALL = "SELECT * FROM PropertiesTable1";
constexpr const char* DELETE_ALL = "DELETE FROM PropertiesTable1";
// The account whose data the other stores hold, kept apart from the user name, which is only
// what was last typed into the sign-in form.
constexpr const char* CREATE_HOLDER_TABLE = "CREATE TABLE IF NOT EXISTS StoresHolderTable(account NTEXT)";
constexpr const char* SELECT_HOLDER = "SELECT account FROM StoresHolderTable";
constexpr const char* DELETE_HOLDER = "DELETE FROM StoresHolderTable";
constexpr const char* INSERT_HOLDER = "INSERT INTO StoresHolderTable(account) VALUES(?)";
constexpr const char* CREATE_STREAM_TABLE =
    "CREATE TABLE IF NOT EXISTS StreamSessionTable(account NTEXT, sessionId NTEXT, handled INTEGER)";
constexpr const char* SELECT_STREAM = "SELECT sessionId, handled FROM StreamSessionTable WHERE account = ?";
constexpr const char* DELETE_STREAM = "DELETE FROM StreamSessionTable";
constexpr const char* INSERT_STREAM = "INSERT INTO StreamSessionTable(account, sessionId, handled) VALUES(?, ?, ?)";

}  // namespace

const char* const PropertiesDatabase::dbLocation = "/Home/gtalkprop.db";

IMString PropertiesDatabase::getDBLocation() { return IMString(dbLocation); }

PropertiesDatabase::PropertiesDatabase()
    : StoreTable(dbLocation, {SECURE_DELETE, CREATE_TABLE, CREATE_HOLDER_TABLE, CREATE_STREAM_TABLE})
{
}

PropertiesDatabase::~PropertiesDatabase() = default;

bool PropertiesDatabase::DeleteDatabase() { return DeleteAll(); }

bool PropertiesDatabase::DeleteAll()
{
    return Execute(DELETE_ALL) && Execute(DELETE_HOLDER) && Execute(DELETE_STREAM) && EmptyLog();
}

bool PropertiesDatabase::GetStreamSession(const Ixa::Base::String& account, Ixa::Base::String* id, long long* handled)
{
    std::unique_ptr<IMString> found(QueryFirst(SELECT_STREAM, SqlParameters().Text(account), [handled](const Ixa::Io::DbEnumerator& row) {
        *handled = Int64At(row, 1);
        return new IMString(TextAt(row, 0));
    }));
    if (found == nullptr) {
        return false;
    }
    *id = *found;
    return true;
}

bool PropertiesDatabase::SaveStreamSession(const Ixa::Base::String& account, const Ixa::Base::String& id, long long handled)
{
    if (!BeginTransaction()) {
        return false;
    }
    if (!Execute(DELETE_STREAM) ||
        (!id.IsEmpty() && !Execute(INSERT_STREAM, SqlParameters().Text(account).Text(id).Int64(handled)))) {
        RollbackTransaction();
        return false;
    }
    return CommitTransaction();
}

IMString* PropertiesDatabase::GetStoresHolder()
{
    return QueryFirst(SELECT_HOLDER, SqlParameters(), [](const Ixa::Io::DbEnumerator& row) { return new IMString(TextAt(row, 0)); });
}

bool PropertiesDatabase::SaveStoresHolder(const Ixa::Base::String& account)
{
    if (!BeginTransaction()) {
        return false;
    }
    if (!Execute(DELETE_HOLDER) || !Execute(INSERT_HOLDER, SqlParameters().Text(account))) {
        RollbackTransaction();
        return false;
    }
    return CommitTransaction();
}

bool PropertiesDatabase::SaveProperties(Properties* properties)
{
    if (properties == nullptr || !BeginTransaction()) {
        return false;
    }
    const Ixa::Base::String noPassword;
    SqlParameters values;
    values.Text(properties->GetUserName())
        .Text(properties->GetSavePassword() ? properties->GetPassword() : noPassword)
        .Flag(properties->GetAutoSignIn())
        .Flag(properties->GetIsInvisible())
        .Flag(properties->GetSavePassword())
        .Flag(properties->GetShowOfflineContactsOrPics())
        .Text(properties->GetAlertSettings())
        .Flag(properties->IsResetRequired())
        .Flag(properties->IsMyProfileExpanded())
        .Flag(properties->IsAvailableState())
        .Text(properties->GetLastStatusMessage());
    if (!Execute(DELETE_ALL) || !Execute(INSERT_PROPERTIES, values)) {
        RollbackTransaction();
        return false;
    }
    return CommitTransaction() && EmptyLog();
}

// Answers true: the set is stored whether or not the log could be emptied at once.
bool PropertiesDatabase::EmptyLog()
{
    Execute(EMPTY_LOG);
    return true;
}

Properties* PropertiesDatabase::CreatePropertiesObject(const Ixa::Io::DbEnumerator& row)
{
    Properties* properties = new PropertiesImpl();
    properties->SetUserName(TextAt(row, 0));
    properties->SetPassword(TextAt(row, 1));
    properties->SetAutoSignIn(FlagAt(row, 2));
    properties->SetIsInvisible(FlagAt(row, 3));
    properties->SetSavePassword(FlagAt(row, 4));
    properties->SetShowOfflineContactsOrPics(FlagAt(row, 5));
    properties->SetAlertSettings(TextAt(row, 6));
    properties->SetResetRequired(FlagAt(row, 7));
    properties->SetMyProfileExpanded(FlagAt(row, 8));
    properties->SetAvailableState(FlagAt(row, 9));
    properties->SetLastStatusMessage(TextAt(row, 10));
    return properties;
}

Properties* PropertiesDatabase::GetSavedProperties()
{
    Properties* stored = QueryFirst(SELECT_ALL, SqlParameters(), CreatePropertiesObject);
    return stored != nullptr ? stored : new PropertiesImpl();
}
