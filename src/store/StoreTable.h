// What the seven store tables share: the database file at a fixed location, opened at once
// and created with its table and indexes when missing; one prepared statement per SQL text,
// kept for the life of the connection; and the helpers that bind values, run statements and
// read rows. A file that cannot be opened (corrupt, not writable, not creatable) leaves this
// table closed: every operation of the table then answers its empty result, and no other
// store is affected.
//
// A table made by an earlier version gets the columns added since with ALTER TABLE, each only
// when it is missing (SQLite has no ADD COLUMN IF NOT EXISTS); a column step sits in the schema
// after its table's CREATE TABLE and before the indexes that use it.
//
// Transactions nest (Ixa::Io::Database), so each write that guards itself with a transaction
// can run inside a batch opened by the model.
//
// Threading and ownership: not locked; each model serialises its table behind its own lock.
// The table owns its database and statements; enumerators handed to callers are theirs.
#pragma once

#include "foundation/IMDateTime.h"
#include "foundation/IMString.h"
#include "platform/ArrayList.h"
#include "platform/Database.h"
#include "store/SearchQuery.h"
#include "store/SqlParameters.h"

#include <initializer_list>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

class StoreTable {
public:
    virtual ~StoreTable();

    // One schema statement, or a column added to an existing table: `alter` is the constant
    // ALTER TABLE ... ADD COLUMN text, run only when `table` has no column named `column`.
    struct SchemaStep {
        SchemaStep(const char* statement) : sql(statement) {}  // NOLINT(google-explicit-constructor)
        SchemaStep(const char* table, const char* column, const char* alter)
            : sql(alter), table(table), column(column) {}
        // A table derived from others (a search index): only when `table` is missing, `create`
        // makes it and `fill` fills it from what is already stored.
        static SchemaStep DerivedTable(const char* table, const char* create, const char* fill)
        {
            SchemaStep step(create);
            step.table = table;
            step.fill = fill;
            return step;
        }
        const char* sql;
        const char* table = nullptr;
        const char* column = nullptr;
        const char* fill = nullptr;
    };

    StoreTable(const StoreTable&) = delete;
    StoreTable& operator=(const StoreTable&) = delete;

    bool Open();
    void Close();
    bool IsOpened() const;
    bool IsExist() const;
    // Runs the schema statements in one transaction.
    bool CreateTable();

    bool BeginTransaction();
    bool CommitTransaction();
    void RollbackTransaction();

protected:
    // Opens the file at once. `schema`: the statements that prepare a connection to the file,
    // run on every opening: settings, and CREATE TABLE and CREATE INDEX, all IF NOT EXISTS.
    StoreTable(const char* location, std::initializer_list<SchemaStep> schema);

    bool Execute(const char* sql, const SqlParameters& values = SqlParameters());
    // Execute inside its own (possibly nested) transaction, rolled back on failure.
    bool ExecuteInTransaction(const char* sql, const SqlParameters& values = SqlParameters());
    // The rows of a query, or null when it produced none or failed (`failed` tells which).
    std::unique_ptr<Ixa::Io::DbEnumerator> Query(const char* sql, const SqlParameters& values, bool& failed);
    // The first column of the last row; 0 when there is no row or the query failed.
    int QueryInt(const char* sql, const SqlParameters& values);
    long long QueryInt64(const char* sql, const SqlParameters& values);
    int GetChangedRowCount() const;

    // A new list of `read(row)` for every row (capacity 10), empty when there is none; null
    // when the query failed.
    template <typename Reader>
    Ixa::Base::Collection::ArrayList* QueryList(const char* sql, const SqlParameters& values, Reader read)
    {
        bool failed = false;
        std::unique_ptr<Ixa::Io::DbEnumerator> rows = Query(sql, values, failed);
        if (failed) {
            return nullptr;
        }
        auto list = new Ixa::Base::Collection::ArrayList();
        list->Construct(10);
        while (rows != nullptr && Ixa::IsSucceeded(rows->MoveNext())) {
            list->Add(read(*rows));
        }
        return list;
    }

    // QueryList of a full-text search: `sql` takes the MATCH expression made of `typed`
    // (SearchQuery) and the most rows to answer. Nothing typed answers an empty list at once.
    template <typename Reader>
    Ixa::Base::Collection::ArrayList* QuerySearch(const char* sql, const IMString& typed, int limit, Reader read)
    {
        SearchQuery query(typed.ToUtf8());
        if (query.IsEmpty()) {
            auto none = new Ixa::Base::Collection::ArrayList();
            none->Construct(10);
            return none;
        }
        SqlParameters values;
        values.Text(IMString(query.GetExpression().c_str())).Int(limit);
        return QueryList(sql, values, read);
    }

    // `read(first row)`, or null when there is no row or the query failed.
    template <typename Reader>
    auto QueryFirst(const char* sql, const SqlParameters& values, Reader read)
        -> decltype(read(std::declval<const Ixa::Io::DbEnumerator&>()))
    {
        bool failed = false;
        std::unique_ptr<Ixa::Io::DbEnumerator> rows = Query(sql, values, failed);
        if (rows == nullptr || Ixa::IsFailed(rows->MoveNext())) {
            return nullptr;
        }
        return read(*rows);
    }

    static IMString TextAt(const Ixa::Io::DbEnumerator& row, int column);
    static int IntAt(const Ixa::Io::DbEnumerator& row, int column);
    static long long Int64At(const Ixa::Io::DbEnumerator& row, int column);
    // True for any non-zero value.
    static bool FlagAt(const Ixa::Io::DbEnumerator& row, int column);
    static IMDateTime TimeAt(const Ixa::Io::DbEnumerator& row, int column);

private:
    Ixa::Io::DbStatement* Prepared(const char* sql);
    bool RunSchemaStep(const SchemaStep& step);
    bool RunDerivedTableStep(const SchemaStep& step);

    Ixa::Base::String location_;
    std::vector<SchemaStep> schema_;
    Ixa::Io::Database* database_ = nullptr;
    // Keyed by the address of the SQL text: every statement of the stores is a constant.
    std::unordered_map<const char*, std::unique_ptr<Ixa::Io::DbStatement>> statements_;
};
