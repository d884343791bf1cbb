// An SQL database file. Paths are the program's ("/Home/gtalkcontacts.db"; see
// DataDirectory). A database created here is readable and writable by the user alone, runs
// with a write-ahead log and synchronous=NORMAL (a commit costs no flush; a power cut may lose
// the latest commits but never corrupts the file), and waits up to five seconds for another
// connection's write lock. LIKE is case-insensitive over all of Unicode (DbLikeFunction).
// Each connection keeps at most CACHE_KIB of the file's pages in memory.
//
// A file that Construct creates is made without waiting for the disk: until the first
// statement or transaction that ends outside any other has run (normally the one that makes
// its tables), nothing is flushed. A power cut in that moment can only lose what the new file
// held, which its owner makes again when it next opens it; from then on every commit is as
// safe as described above. Making an empty file costs no flush at all.
//
// Transactions nest: a BeginTransaction inside an open transaction opens a savepoint, and its
// Commit or Rollback ends that savepoint alone, so an operation that guards its own writes
// with a transaction can run inside a caller's larger batch.
//
// Failures are result codes; the N operations answer null and leave the code in the
// last-result slot (QueryN and ExecuteStatementN also answer null with E_SUCCESS when the
// statement produced no row).
// Threading and ownership: one thread at a time (the owner serialises); the owner deletes
// it, and statements and enumerators it handed out stay safe to delete afterwards.
#pragma once

#include "platform/DbEnumerator.h"
#include "platform/DbStatement.h"

#include <string>

struct sqlite3;

namespace Ixa::Io {

class Database : public Base::Object {
public:
    Database();
    ~Database() override;

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    static constexpr int CACHE_KIB = 512;

    static bool Exists(const Base::String& path);

    // Opens the file; with `createIfNotExist` a missing file (and its directory) is created.
    // A file that is not a database, cannot be written or cannot be created fails.
    result Construct(const Base::String& path, bool createIfNotExist);

    // Runs one statement. With `autoCommit` false it must run inside an open transaction.
    result ExecuteSql(const Base::String& sql, bool autoCommit);
    DbEnumerator* QueryN(const Base::String& sql);
    DbStatement* CreateStatementN(const Base::String& sql);
    DbEnumerator* ExecuteStatementN(const DbStatement& statement);
    // Rows changed by the latest INSERT, UPDATE or DELETE.
    int GetChangedRowCount() const;

    result BeginTransaction();
    result CommitTransaction();
    result RollbackTransaction();
    bool IsInTransaction() const;

private:
    result Configure(bool created);
    // Ends the flush-free making of a new file once nothing is open around the last write.
    void EndCreation();
    result Run(const char* sql);
    DbEnumerator* Step(const std::shared_ptr<DbStatementHandle>& handle);

    sqlite3* connection_ = nullptr;
    int transactionDepth_ = 0;
    bool creating_ = false;
};

}  // namespace Ixa::Io
