#include "platform/Database.h"

#include "platform/DataDirectory.h"
#include "platform/DbLikeFunction.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

namespace Ixa::Io {

namespace {

constexpr int BUSY_TIMEOUT_MS = 5000;

// SQLite gives its write-ahead log and index files the mode of the database file, so making
// the (empty) file first with mode 0600 keeps all three private.
result CreatePrivateFile(const std::string& native)
{
    result r = DataDirectory::CreateParentDirectory(native);
    if (IsFailed(r)) {
        return r;
    }
    int descriptor = ::open(native.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (descriptor < 0) {
        return E_SYSTEM;
    }
    ::close(descriptor);
    return E_SUCCESS;
}

std::string SavepointName(int depth) { return "level" + std::to_string(depth); }

}  // namespace

Database::Database() = default;

Database::~Database() { sqlite3_close_v2(connection_); }

bool Database::Exists(const Base::String& path)
{
    std::string native;
    std::error_code error;
    return IsSucceeded(DataDirectory::ToNativePath(path, native)) && std::filesystem::is_regular_file(native, error);
}

result Database::Construct(const Base::String& path, bool createIfNotExist)
{
    if (connection_ != nullptr) {
        return E_INVALID_STATE;
    }
    std::string native;
    result r = DataDirectory::ToNativePath(path, native);
    if (IsFailed(r)) {
        return r;
    }
    std::error_code error;
    const bool created = !std::filesystem::exists(native, error);
    if (created) {
        r = createIfNotExist ? CreatePrivateFile(native) : E_OBJ_NOT_FOUND;
        if (IsFailed(r)) {
            return r;
        }
    }
    sqlite3* connection = nullptr;
    int code = sqlite3_open_v2(native.c_str(), &connection, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    connection_ = connection;
    r = code == SQLITE_OK ? Configure(created) : E_SYSTEM;
    if (IsFailed(r)) {
        sqlite3_close_v2(connection_);
        connection_ = nullptr;
    }
    return r;
}

// Reading the journal mode is the first access to the file, so a file that is not a
// database fails here rather than at some later statement. On a new file, switching to the
// write-ahead log writes its first page through a rollback journal: with flushes that alone
// would cost four of them (journal, folder, journal, file), and the log's first write two more.
result Database::Configure(bool created)
{
    if (sqlite3_db_readonly(connection_, "main") != 0) {
        return E_SYSTEM;
    }
    sqlite3_busy_timeout(connection_, BUSY_TIMEOUT_MS);
    // SQLite's own default is some 2 MB a connection, and the program keeps seven open; the
    // pages a store works on (the ends of its tables and indexes) fit in far less.
    const std::string cache = "PRAGMA cache_size=-" + std::to_string(CACHE_KIB);
    if (IsFailed(Run(created ? "PRAGMA synchronous=OFF" : "PRAGMA synchronous=NORMAL")) || IsFailed(Run(cache.c_str()))) {
        return E_SYSTEM;
    }
    std::unique_ptr<DbEnumerator> mode(QueryN("PRAGMA journal_mode=WAL"));
    Base::String journal;
    if (mode == nullptr || IsFailed(mode->MoveNext()) || IsFailed(mode->GetStringAt(0, journal)) ||
        journal != Base::String("wal")) {
        return E_SYSTEM;
    }
    mode.reset();
    if (DbLikeFunction::Register(connection_) != SQLITE_OK) {
        return E_SYSTEM;
    }
    creating_ = created;
    return E_SUCCESS;
}

void Database::EndCreation()
{
    if (creating_ && transactionDepth_ == 0) {
        creating_ = false;
        Run("PRAGMA synchronous=NORMAL");
    }
}

result Database::ExecuteSql(const Base::String& sql, bool autoCommit)
{
    if (!autoCommit && transactionDepth_ == 0) {
        return E_INVALID_STATE;
    }
    std::unique_ptr<DbStatement> statement(CreateStatementN(sql));
    if (statement == nullptr) {
        return GetLastResult();
    }
    delete ExecuteStatementN(*statement);
    return GetLastResult();
}

result Database::Run(const char* sql)
{
    if (connection_ == nullptr) {
        return E_INVALID_STATE;
    }
    return sqlite3_exec(connection_, sql, nullptr, nullptr, nullptr) == SQLITE_OK ? E_SUCCESS : E_FAILURE;
}

DbEnumerator* Database::QueryN(const Base::String& sql)
{
    std::unique_ptr<DbStatement> statement(CreateStatementN(sql));
    return statement == nullptr ? nullptr : ExecuteStatementN(*statement);
}

DbStatement* Database::CreateStatementN(const Base::String& sql)
{
    if (connection_ == nullptr) {
        SetLastResult(E_INVALID_STATE);
        return nullptr;
    }
    sqlite3_stmt* prepared = nullptr;
    int bytes = sql.GetLength() * static_cast<int>(sizeof(char16_t));
    int code =
        sqlite3_prepare16_v3(connection_, sql.GetPointer(), bytes, SQLITE_PREPARE_PERSISTENT, &prepared, nullptr);
    if (code != SQLITE_OK || prepared == nullptr) {
        sqlite3_finalize(prepared);
        SetLastResult(E_INVALID_ARG);
        return nullptr;
    }
    SetLastResult(E_SUCCESS);
    return new DbStatement(connection_, std::make_shared<DbStatementHandle>(prepared));
}

DbEnumerator* Database::ExecuteStatementN(const DbStatement& statement)
{
    if (connection_ == nullptr || statement.GetConnection() != connection_) {
        SetLastResult(connection_ == nullptr ? E_INVALID_STATE : E_INVALID_ARG);
        return nullptr;
    }
    return Step(statement.GetHandle());
}

DbEnumerator* Database::Step(const std::shared_ptr<DbStatementHandle>& handle)
{
    unsigned long execution = handle->Restart();
    int code = sqlite3_step(handle->Get());
    if (code == SQLITE_ROW) {
        SetLastResult(E_SUCCESS);
        return new DbEnumerator(handle, execution);
    }
    handle->Finish(execution);
    const result outcome = code == SQLITE_DONE ? E_SUCCESS : E_FAILURE;
    EndCreation();
    SetLastResult(outcome);
    return nullptr;
}

int Database::GetChangedRowCount() const { return connection_ == nullptr ? 0 : sqlite3_changes(connection_); }

result Database::BeginTransaction()
{
    std::string sql = transactionDepth_ == 0 ? "BEGIN IMMEDIATE" : "SAVEPOINT " + SavepointName(transactionDepth_);
    result r = Run(sql.c_str());
    if (IsSucceeded(r)) {
        ++transactionDepth_;
    }
    return r;
}

result Database::CommitTransaction()
{
    if (transactionDepth_ == 0) {
        return E_INVALID_STATE;
    }
    std::string sql = transactionDepth_ == 1 ? "COMMIT" : "RELEASE " + SavepointName(transactionDepth_ - 1);
    result r = Run(sql.c_str());
    if (IsSucceeded(r)) {
        --transactionDepth_;
        EndCreation();
    }
    return r;
}

result Database::RollbackTransaction()
{
    if (transactionDepth_ == 0) {
        return E_INVALID_STATE;
    }
    std::string name = SavepointName(transactionDepth_ - 1);
    std::string sql = transactionDepth_ == 1 ? "ROLLBACK" : "ROLLBACK TO " + name + "; RELEASE " + name;
    result r = Run(sql.c_str());
    // The engine ends a transaction by itself after some errors; follow it rather than
    // trying to end a transaction that no longer exists.
    if (sqlite3_get_autocommit(connection_) != 0) {
        transactionDepth_ = 0;
    } else if (IsSucceeded(r)) {
        --transactionDepth_;
    }
    EndCreation();
    return r;
}

bool Database::IsInTransaction() const { return transactionDepth_ > 0; }

}  // namespace Ixa::Io
