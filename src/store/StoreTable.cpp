#include "store/StoreTable.h"

StoreTable::StoreTable(const char* location, std::initializer_list<SchemaStep> schema)
    : location_(location)
    , schema_(schema)
{
    Open();
}

StoreTable::~StoreTable() { Close(); }

bool StoreTable::Open()
{
    if (database_ != nullptr) {
        return true;
    }
    database_ = new Ixa::Io::Database();
    if (Ixa::IsFailed(database_->Construct(location_, true)) || !CreateTable()) {
        Close();
        return false;
    }
    return true;
}

// The statements go before the connection they were prepared on.
void StoreTable::Close()
{
    statements_.clear();
    delete database_;
    database_ = nullptr;
}

bool StoreTable::IsOpened() const { return database_ != nullptr; }

bool StoreTable::IsExist() const { return Ixa::Io::Database::Exists(location_); }

bool StoreTable::CreateTable()
{
    if (!BeginTransaction()) {
        return false;
    }
    for (const SchemaStep& step : schema_) {
        if (!RunSchemaStep(step)) {
            RollbackTransaction();
            return false;
        }
    }
    return CommitTransaction();
}

namespace {

constexpr const char* COUNT_COLUMN = "SELECT count(*) FROM pragma_table_info(?) WHERE name=?";
constexpr const char* COUNT_TABLE = "SELECT count(*) FROM sqlite_master WHERE type='table' AND name=?";

}  // namespace

bool StoreTable::RunSchemaStep(const SchemaStep& step)
{
    if (step.fill != nullptr) {
        return RunDerivedTableStep(step);
    }
    if (step.column != nullptr) {
        SqlParameters names;
        names.Text(Ixa::Base::String(step.table)).Text(Ixa::Base::String(step.column));
        if (QueryInt(COUNT_COLUMN, names) > 0) {
            return true;
        }
    }
    return Execute(step.sql);
}

bool StoreTable::RunDerivedTableStep(const SchemaStep& step)
{
    if (QueryInt(COUNT_TABLE, SqlParameters().Text(Ixa::Base::String(step.table))) > 0) {
        return true;
    }
    return Execute(step.sql) && Execute(step.fill);
}

bool StoreTable::BeginTransaction() { return database_ != nullptr && Ixa::IsSucceeded(database_->BeginTransaction()); }

bool StoreTable::CommitTransaction()
{
    if (database_ == nullptr) {
        return false;
    }
    if (Ixa::IsSucceeded(database_->CommitTransaction())) {
        return true;
    }
    database_->RollbackTransaction();
    return false;
}

void StoreTable::RollbackTransaction()
{
    if (database_ != nullptr) {
        database_->RollbackTransaction();
    }
}

Ixa::Io::DbStatement* StoreTable::Prepared(const char* sql)
{
    auto found = statements_.find(sql);
    if (found != statements_.end()) {
        return found->second.get();
    }
    Ixa::Io::DbStatement* statement = database_->CreateStatementN(Ixa::Base::String(sql));
    if (statement != nullptr) {
        statements_.emplace(sql, statement);
    }
    return statement;
}

std::unique_ptr<Ixa::Io::DbEnumerator> StoreTable::Query(const char* sql, const SqlParameters& values, bool& failed)
{
    failed = true;
    if (database_ == nullptr) {
        return nullptr;
    }
    Ixa::Io::DbStatement* statement = Prepared(sql);
    if (statement == nullptr || Ixa::IsFailed(values.BindTo(*statement))) {
        return nullptr;
    }
    std::unique_ptr<Ixa::Io::DbEnumerator> rows(database_->ExecuteStatementN(*statement));
    failed = Ixa::IsFailed(Ixa::GetLastResult());
    return rows;
}

bool StoreTable::Execute(const char* sql, const SqlParameters& values)
{
    bool failed = false;
    Query(sql, values, failed);
    return !failed;
}

bool StoreTable::ExecuteInTransaction(const char* sql, const SqlParameters& values)
{
    if (!BeginTransaction()) {
        return false;
    }
    if (!Execute(sql, values)) {
        RollbackTransaction();
        return false;
    }
    return CommitTransaction();
}

int StoreTable::QueryInt(const char* sql, const SqlParameters& values)
{
    return static_cast<int>(QueryInt64(sql, values));
}

long long StoreTable::QueryInt64(const char* sql, const SqlParameters& values)
{
    bool failed = false;
    std::unique_ptr<Ixa::Io::DbEnumerator> rows = Query(sql, values, failed);
    long long value = 0;
    while (rows != nullptr && Ixa::IsSucceeded(rows->MoveNext())) {
        value = Int64At(*rows, 0);
    }
    return value;
}

int StoreTable::GetChangedRowCount() const { return database_ == nullptr ? 0 : database_->GetChangedRowCount(); }

IMString StoreTable::TextAt(const Ixa::Io::DbEnumerator& row, int column)
{
    Ixa::Base::String text;
    row.GetStringAt(column, text);
    return IMString(text);
}

int StoreTable::IntAt(const Ixa::Io::DbEnumerator& row, int column)
{
    int value = 0;
    row.GetIntAt(column, value);
    return value;
}

long long StoreTable::Int64At(const Ixa::Io::DbEnumerator& row, int column)
{
    long long value = 0;
    row.GetInt64At(column, value);
    return value;
}

bool StoreTable::FlagAt(const Ixa::Io::DbEnumerator& row, int column) { return IntAt(row, column) != 0; }

IMDateTime StoreTable::TimeAt(const Ixa::Io::DbEnumerator& row, int column)
{
    IMDateTime time;
    row.GetDateTimeAt(column, time);
    return time;
}
