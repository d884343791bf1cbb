#include "store/QuickTextDatabase.h"

using Ixa::Base::Collection::ArrayList;

namespace {

constexpr const char* CREATE_TABLE = "CREATE TABLE IF NOT EXISTS QuickTextTable1(id INTEGER,qtext NTEXT)";
constexpr const char* CREATE_INDEX = "CREATE INDEX IF NOT EXISTS QuickTextTable1_id ON QuickTextTable1(id)";
constexpr const char* INSERT_TEXT = "INSERT INTO QuickTextTable1(id,qtext) VALUES(?,?)";
constexpr const char* SELECT_BY_ID = "SELECT qtext FROM QuickTextTable1 WHERE rowid=?";
constexpr const char* COUNT_TEXT = "SELECT COUNT(*) FROM QuickTextTable1 WHERE id=? AND qtext=?";
constexpr const char* SELECT_ALL = "SELECT ALL qtext FROM QuickTextTable1 ORDER BY rowid";
constexpr const char* SELECT_ALL_WITH_IDS = "SELECT rowid,qtext FROM QuickTextTable1 ORDER BY rowid";
constexpr const char* DELETE_BY_ID = "DELETE FROM QuickTextTable1 WHERE rowid=?";
constexpr const char* DELETE_ALL = "DELETE FROM QuickTextTable1";

}  // namespace

const char* const QuickTextDatabase::dbLocation = "/Home/gtalkquicktext.db";

IMString QuickTextDatabase::getDBLocation() { return IMString(dbLocation); }

QuickTextDatabase::QuickTextDatabase()
    : StoreTable(dbLocation, {CREATE_TABLE, CREATE_INDEX})
{
}

QuickTextDatabase::~QuickTextDatabase() = default;

Ixa::Base::String* QuickTextDatabase::CreateTextObject(const Ixa::Io::DbEnumerator& row)
{
    return new Ixa::Base::String(TextAt(row, 0));
}

bool QuickTextDatabase::DeleteDatabase() { return DeleteAll(); }

bool QuickTextDatabase::DeleteAll() { return Execute(DELETE_ALL); }

bool QuickTextDatabase::DeleteAllTexts() { return DeleteAll(); }

ArrayList* QuickTextDatabase::GetAllTexts()
{
    ArrayList* texts = QueryList(SELECT_ALL, SqlParameters(), CreateTextObject);
    if (texts != nullptr && texts->GetCount() == 0) {
        delete texts;
        return nullptr;
    }
    return texts;
}

std::vector<QuickTextDatabase::Entry> QuickTextDatabase::GetAllEntries()
{
    std::vector<Entry> entries;
    bool failed = false;
    std::unique_ptr<Ixa::Io::DbEnumerator> rows = Query(SELECT_ALL_WITH_IDS, SqlParameters(), failed);
    while (rows != nullptr && Ixa::IsSucceeded(rows->MoveNext())) {
        entries.push_back(Entry{Int64At(*rows, 0), TextAt(*rows, 1)});
    }
    return entries;
}

Ixa::Base::String* QuickTextDatabase::GetTextById(long long id)
{
    return QueryFirst(SELECT_BY_ID, SqlParameters().Int64(id), CreateTextObject);
}

bool QuickTextDatabase::FindTextById(long long id)
{
    std::unique_ptr<Ixa::Base::String> text(GetTextById(id));
    return text != nullptr;
}

// Two different phrases may share a hash; each is still stored, and only an identical phrase
// is refused.
bool QuickTextDatabase::AddNewText(const Ixa::Base::String& text)
{
    int id = text.GetHashCode();
    if (!IsOpened()) {
        return false;
    }
    if (QueryInt(COUNT_TEXT, SqlParameters().Int(id).Text(text)) > 0) {
        return true;
    }
    return Execute(INSERT_TEXT, SqlParameters().Int(id).Text(text));
}

bool QuickTextDatabase::DeleteTextById(long long id)
{
    return ExecuteInTransaction(DELETE_BY_ID, SqlParameters().Int64(id)) && GetChangedRowCount() > 0;
}
