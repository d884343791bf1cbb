#include "store/ContactIconDatabase.h"

#include "store/ContactIconImpl.h"

namespace {

constexpr const char* CREATE_TABLE =
    "CREATE TABLE IF NOT EXISTS icontable1(emailid NTEXT,image BLOB,iconvalidity NTEXT)";
constexpr const char* CREATE_INDEX = "CREATE UNIQUE INDEX IF NOT EXISTS icontable1_id ON icontable1(emailid)";

// Inserts the row, or replaces picture and hash of the row that has the contact id.
constexpr const char* SAVE_ICON =
    "INSERT INTO icontable1(emailid,image,iconvalidity)VALUES(?,?,?) ON CONFLICT(emailid) "
    "DO UPDATE SET image=excluded.image,iconvalidity=excluded.iconvalidity";
constexpr const char* SELECT_BY_ID = "SELECT emailid,image,iconvalidity FROM icontable1 WHERE emailid=?";
constexpr const char* DELETE_BY_ID = "DELETE FROM icontable1 WHERE emailid=?";
constexpr const char* DELETE_ALL = "DELETE FROM icontable1";

}  // namespace

const char* const ContactIconDatabase::dbLocation = "/Home/gtalkicons.db";

IMString ContactIconDatabase::getDBLocation() { return IMString(dbLocation); }

ContactIconDatabase::ContactIconDatabase()
    : StoreTable(dbLocation, {CREATE_TABLE, CREATE_INDEX})
{
}

ContactIconDatabase::~ContactIconDatabase() = default;

ContactIcon* ContactIconDatabase::CreateIconObject(const Ixa::Io::DbEnumerator& row)
{
    IMByteBuffer image;
    image.Construct(row.GetColumnSize(1));
    row.GetBlobAt(1, image);
    image.Flip();
    ContactIcon* icon = new ContactIconImpl();
    icon->SetContactId(TextAt(row, 0));
    icon->SetImageByteBuffer(&image);
    icon->SetIconValidity(TextAt(row, 2));
    return icon;
}

// One statement, so the write is atomic without a transaction of its own.
bool ContactIconDatabase::SaveOrUpdate(ContactIcon* icon)
{
    if (icon == nullptr) {
        return false;
    }
    SqlParameters values;
    values.Text(icon->GetContactId()).Blob(*icon->GetImageByteBuffer()).Text(icon->GetIconValidity());
    return Execute(SAVE_ICON, values);
}

ContactIcon* ContactIconDatabase::GetImage(const Ixa::Base::String& contactId)
{
    return QueryFirst(SELECT_BY_ID, SqlParameters().Text(contactId), CreateIconObject);
}

bool ContactIconDatabase::deleteContactIcon(ContactIcon* icon)
{
    return icon != nullptr && Execute(DELETE_BY_ID, SqlParameters().Text(icon->GetContactId()));
}

bool ContactIconDatabase::DeleteAll() { return Execute(DELETE_ALL); }

bool ContactIconDatabase::DeleteDatabase() { return DeleteAll(); }
