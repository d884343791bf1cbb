#include "platform/Database.h"
#include "platform/DataDirectory.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

using namespace Ixa;
using namespace Ixa::Base;
using namespace Ixa::Io;

namespace {

std::unique_ptr<Database> OpenDatabase(const char* path)
{
    auto database = std::make_unique<Database>();
    EXPECT_EQ(database->Construct(String(path), true), E_SUCCESS);
    return database;
}

String TextOfFirstRow(Database& database, const char* sql)
{
    std::unique_ptr<DbEnumerator> rows(database.QueryN(String(sql)));
    String text;
    if (rows != nullptr && IsSucceeded(rows->MoveNext())) {
        rows->GetStringAt(0, text);
    }
    return text;
}

int CountRows(Database& database, const char* table)
{
    String sql("SELECT COUNT(*) FROM ");
    sql.Append(String(table));
    std::unique_ptr<DbEnumerator> rows(database.QueryN(sql));
    int count = -1;
    if (rows != nullptr && IsSucceeded(rows->MoveNext())) {
        rows->GetIntAt(0, count);
    }
    return count;
}

// While it lives, every file SQLite opens goes through this shim over the default file
// system, which counts the flushes asked of the disk (a folder's flush happens inside a
// file's, so it counts with it).
class FlushCounter {
public:
    FlushCounter()
    {
        real_ = sqlite3_vfs_find(nullptr);
        counting_ = *real_;
        counting_.zName = "flush-counter";
        counting_.szOsFile = static_cast<int>(sizeof(File)) + real_->szOsFile;
        counting_.pAppData = this;
        counting_.xOpen = &Open;
        sqlite3_vfs_register(&counting_, 1);
    }
    ~FlushCounter()
    {
        sqlite3_vfs_unregister(&counting_);
        sqlite3_vfs_register(real_, 1);
    }
    FlushCounter(const FlushCounter&) = delete;
    FlushCounter& operator=(const FlushCounter&) = delete;

    int Flushes() const { return flushes_; }

private:
    struct File {
        sqlite3_file base;
        FlushCounter* counter;
        sqlite3_file* real;
    };
    static sqlite3_file* Real(sqlite3_file* file) { return reinterpret_cast<File*>(file)->real; }

    static int Open(sqlite3_vfs* vfs, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
    {
        auto* counter = static_cast<FlushCounter*>(vfs->pAppData);
        auto* shim = reinterpret_cast<File*>(file);
        shim->counter = counter;
        shim->real = reinterpret_cast<sqlite3_file*>(shim + 1);
        shim->base.pMethods = nullptr;
        const int code = counter->real_->xOpen(counter->real_, name, shim->real, flags, outFlags);
        if (shim->real->pMethods != nullptr) {
            counter->methods_ = *shim->real->pMethods;
            counter->methods_.xSync = &Sync;
            Forward(counter->methods_);
            shim->base.pMethods = &counter->methods_;
        }
        return code;
    }

    static int Sync(sqlite3_file* file, int flags)
    {
        auto* shim = reinterpret_cast<File*>(file);
        ++shim->counter->flushes_;
        return shim->real->pMethods->xSync(shim->real, flags);
    }

    // Every other method runs on the real file.
    static void Forward(sqlite3_io_methods& methods)
    {
        methods.xClose = [](sqlite3_file* f) { return Real(f)->pMethods->xClose(Real(f)); };
        methods.xRead = [](sqlite3_file* f, void* b, int n, sqlite3_int64 o) { return Real(f)->pMethods->xRead(Real(f), b, n, o); };
        methods.xWrite = [](sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
            return Real(f)->pMethods->xWrite(Real(f), b, n, o);
        };
        methods.xTruncate = [](sqlite3_file* f, sqlite3_int64 n) { return Real(f)->pMethods->xTruncate(Real(f), n); };
        methods.xFileSize = [](sqlite3_file* f, sqlite3_int64* n) { return Real(f)->pMethods->xFileSize(Real(f), n); };
        methods.xLock = [](sqlite3_file* f, int l) { return Real(f)->pMethods->xLock(Real(f), l); };
        methods.xUnlock = [](sqlite3_file* f, int l) { return Real(f)->pMethods->xUnlock(Real(f), l); };
        methods.xCheckReservedLock = [](sqlite3_file* f, int* r) { return Real(f)->pMethods->xCheckReservedLock(Real(f), r); };
        methods.xFileControl = [](sqlite3_file* f, int o, void* a) { return Real(f)->pMethods->xFileControl(Real(f), o, a); };
        methods.xSectorSize = [](sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); };
        methods.xDeviceCharacteristics = [](sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); };
        methods.xShmMap = [](sqlite3_file* f, int r, int s, int e, void volatile** p) {
            return Real(f)->pMethods->xShmMap(Real(f), r, s, e, p);
        };
        methods.xShmLock = [](sqlite3_file* f, int o, int n, int l) { return Real(f)->pMethods->xShmLock(Real(f), o, n, l); };
        methods.xShmBarrier = [](sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); };
        methods.xShmUnmap = [](sqlite3_file* f, int d) { return Real(f)->pMethods->xShmUnmap(Real(f), d); };
        methods.xFetch = [](sqlite3_file* f, sqlite3_int64 o, int n, void** p) { return Real(f)->pMethods->xFetch(Real(f), o, n, p); };
        methods.xUnfetch = [](sqlite3_file* f, sqlite3_int64 o, void* p) { return Real(f)->pMethods->xUnfetch(Real(f), o, p); };
    }

    sqlite3_vfs* real_ = nullptr;
    sqlite3_vfs counting_{};
    sqlite3_io_methods methods_{};
    int flushes_ = 0;
};

}  // namespace

TEST(DateTimeTextTest, IsoTextRoundTripsAndSortsInTimeOrder)
{
    DateTime early;
    ASSERT_EQ(early.SetValue(999, 1, 2, 3, 4, 5, 6), E_SUCCESS);
    EXPECT_EQ(early.ToString(), String("0999-01-02T03:04:05.006Z"));
    DateTime late;
    ASSERT_EQ(late.SetValue(2024, 12, 31, 23, 59, 59, 999), E_SUCCESS);
    EXPECT_EQ(late.ToString(), String("2024-12-31T23:59:59.999Z"));
    EXPECT_LT(early.ToString().CompareTo(late.ToString()), 0);

    DateTime parsed;
    ASSERT_EQ(DateTime::Parse(late.ToString(), parsed), E_SUCCESS);
    EXPECT_EQ(parsed, late);
    EXPECT_EQ(DateTime::Parse(String("2024-02-30T00:00:00.000Z"), parsed), E_INVALID_FORMAT);
    EXPECT_EQ(DateTime::Parse(String("2024-01-01 00:00:00.000Z"), parsed), E_INVALID_FORMAT);
    EXPECT_EQ(DateTime::Parse(String("2024-01-01T00:00:00Z"), parsed), E_INVALID_FORMAT);
    EXPECT_EQ(parsed, late) << "a failed parse leaves the value alone";
}

TEST(DatabaseTest, HomePathsLiveInThePrivateDataDirectory)
{
    TempDataDir dir;
    std::string native;
    ASSERT_EQ(DataDirectory::ToNativePath(String("/Home/a.db"), native), E_SUCCESS);
    EXPECT_EQ(native, dir.File("a.db"));
    EXPECT_FALSE(Database::Exists(String("/Home/a.db")));

    std::unique_ptr<Database> database = OpenDatabase("/Home/sub/a.db");
    EXPECT_TRUE(Database::Exists(String("/Home/sub/a.db")));
    ASSERT_EQ(database->ExecuteSql(String("CREATE TABLE t(x INTEGER)"), true), E_SUCCESS);
    ASSERT_EQ(database->ExecuteSql(String("INSERT INTO t VALUES(1)"), true), E_SUCCESS);
    EXPECT_EQ(TextOfFirstRow(*database, "PRAGMA journal_mode"), String("wal"));
    EXPECT_EQ(TextOfFirstRow(*database, "PRAGMA synchronous"), String("1")) << "NORMAL";

    for (const char* file : {"sub/a.db", "sub/a.db-wal", "sub/a.db-shm"}) {
        struct stat status {};
        ASSERT_EQ(stat(dir.File(file).c_str(), &status), 0) << file;
        EXPECT_EQ(status.st_mode & 0777, 0600u) << file;
    }

    Database missing;
    EXPECT_EQ(missing.Construct(String("/Home/none.db"), false), E_OBJ_NOT_FOUND);
    EXPECT_FALSE(Database::Exists(String("/Home/none.db")));
}

// A new file and its tables cost no flush; what is written after them is flushed as usual,
// and the tables made in that first transaction are all there for the next connection.
TEST(DatabaseTest, ANewFileIsMadeWithoutFlushesAndLaterCommitsAreSafe)
{
    TempDataDir dir;
    FlushCounter counter;
    {
        Database made;
        ASSERT_EQ(made.Construct(String("/Home/new.db"), true), E_SUCCESS);
        ASSERT_EQ(made.BeginTransaction(), E_SUCCESS);
        ASSERT_EQ(made.ExecuteSql(String("CREATE TABLE t(x INTEGER)"), false), E_SUCCESS);
        ASSERT_EQ(made.ExecuteSql(String("CREATE INDEX t_x ON t(x)"), false), E_SUCCESS);
        ASSERT_EQ(made.CommitTransaction(), E_SUCCESS);
        EXPECT_EQ(counter.Flushes(), 0) << "making the file and its tables";
        EXPECT_EQ(TextOfFirstRow(made, "PRAGMA synchronous"), String("1")) << "NORMAL once the tables are made";

        Database other;
        ASSERT_EQ(other.Construct(String("/Home/new.db"), false), E_SUCCESS);
        EXPECT_EQ(CountRows(other, "sqlite_master"), 2);
        EXPECT_EQ(TextOfFirstRow(other, "PRAGMA synchronous"), String("1"));

        ASSERT_EQ(made.ExecuteSql(String("INSERT INTO t VALUES(1)"), true), E_SUCCESS);
        delete made.QueryN(String("PRAGMA wal_checkpoint(TRUNCATE)"));
        EXPECT_GE(counter.Flushes(), 2) << "the log, then the file, before the log is emptied";
    }
    const int flushes = counter.Flushes();
    {
        Database reopened;
        ASSERT_EQ(reopened.Construct(String("/Home/new.db"), false), E_SUCCESS);
        EXPECT_EQ(CountRows(reopened, "t"), 1);
        ASSERT_EQ(reopened.BeginTransaction(), E_SUCCESS);
        ASSERT_EQ(reopened.ExecuteSql(String("INSERT INTO t VALUES(2)"), false), E_SUCCESS);
        ASSERT_EQ(reopened.CommitTransaction(), E_SUCCESS);
        delete reopened.QueryN(String("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    EXPECT_GE(counter.Flushes() - flushes, 2) << "a file that existed is never written without flushes";
}

// Reading a file four times the size of a connection's cache through it leaves no more than
// the cache (and a little bookkeeping) in memory.
TEST(DatabaseTest, AConnectionKeepsABoundedPartOfItsFileInMemory)
{
    TempDataDir dir;
    constexpr int Rows = 4 * Database::CACHE_KIB;
    {
        std::unique_ptr<Database> filled = OpenDatabase("/Home/big.db");
        ASSERT_EQ(filled->ExecuteSql(String("CREATE TABLE t(b BLOB)"), true), E_SUCCESS);
        ASSERT_EQ(filled->BeginTransaction(), E_SUCCESS);
        std::unique_ptr<DbStatement> insert(filled->CreateStatementN(String("INSERT INTO t VALUES(zeroblob(1000))")));
        ASSERT_NE(insert, nullptr);
        for (int i = 0; i < Rows; ++i) {
            delete filled->ExecuteStatementN(*insert);
        }
        ASSERT_EQ(filled->CommitTransaction(), E_SUCCESS);
    }
    Database reader;
    ASSERT_EQ(reader.Construct(String("/Home/big.db"), false), E_SUCCESS);
    const sqlite3_int64 before = sqlite3_memory_used();
    EXPECT_EQ(TextOfFirstRow(reader, "SELECT sum(length(b)) FROM t"), String(std::to_string(Rows * 1000).c_str()));
    const sqlite3_int64 held = sqlite3_memory_used() - before;
    EXPECT_GT(held, Database::CACHE_KIB * 1024 / 2) << "the cache is used";
    EXPECT_LT(held, Database::CACHE_KIB * 1024 * 3 / 2) << "and bounded";
}

TEST(DatabaseTest, FilesThatAreNoDatabaseOrCannotBeMadeFail)
{
    TempDataDir dir;
    {
        std::ofstream garbage(dir.File("bad.db"), std::ios::binary);
        garbage << std::string(8192, '\x5a');
    }
    Database corrupt;
    EXPECT_TRUE(IsFailed(corrupt.Construct(String("/Home/bad.db"), true)));
    EXPECT_EQ(std::filesystem::file_size(dir.File("bad.db")), 8192u) << "the file is left as it was";
    EXPECT_EQ(corrupt.QueryN(String("SELECT 1")), nullptr);
    EXPECT_EQ(GetLastResult(), E_INVALID_STATE);

    std::filesystem::create_directory(dir.File("folder.db"));
    Database folder;
    EXPECT_TRUE(IsFailed(folder.Construct(String("/Home/folder.db"), true)));

    Database belowAFile;
    EXPECT_TRUE(IsFailed(belowAFile.Construct(String("/Home/bad.db/inner.db"), true)));
}

TEST(DatabaseTest, StatementsBindFromZeroAndEnumeratorsReadEveryType)
{
    TempDataDir dir;
    std::unique_ptr<Database> database = OpenDatabase("/Home/types.db");
    ASSERT_EQ(database->ExecuteSql(String("CREATE TABLE t(n INTEGER,s NTEXT,d DATETIME,b BLOB)"), true), E_SUCCESS);

    std::unique_ptr<DbStatement> insert(database->CreateStatementN(String("INSERT INTO t VALUES(?,?,?,?)")));
    ASSERT_NE(insert, nullptr);
    String text(u"it's \"quoted\" \\ %_ \U0001F600 \u05E9\u05DC\u05D5\u05DD");
    DateTime when;
    when.SetValue(2021, 6, 7, 8, 9, 10, 11);
    ByteBuffer blob;
    blob.Construct(4);
    const byte bytes[] = {0, 255, 0, 7};
    blob.SetArray(bytes, 0, 4);
    blob.Flip();
    EXPECT_EQ(insert->BindInt(0, -42), E_SUCCESS);
    EXPECT_EQ(insert->BindString(1, text), E_SUCCESS);
    EXPECT_EQ(insert->BindDateTime(2, when), E_SUCCESS);
    EXPECT_EQ(insert->BindBlob(3, blob), E_SUCCESS);
    EXPECT_EQ(insert->BindInt(4, 1), E_OUT_OF_RANGE);
    EXPECT_EQ(database->ExecuteStatementN(*insert), nullptr);
    EXPECT_EQ(GetLastResult(), E_SUCCESS);

    std::unique_ptr<DbEnumerator> rows(database->QueryN(String("SELECT n,s,d,b FROM t")));
    ASSERT_NE(rows, nullptr);
    int number = 0;
    EXPECT_EQ(rows->GetIntAt(0, number), E_INVALID_STATE) << "no row before the first MoveNext";
    ASSERT_EQ(rows->MoveNext(), E_SUCCESS);
    String readText;
    DateTime readWhen;
    EXPECT_EQ(rows->GetIntAt(0, number), E_SUCCESS);
    EXPECT_EQ(number, -42);
    EXPECT_EQ(rows->GetStringAt(1, readText), E_SUCCESS);
    EXPECT_EQ(readText, text);
    EXPECT_EQ(rows->GetDateTimeAt(2, readWhen), E_SUCCESS);
    EXPECT_EQ(readWhen, when);
    ASSERT_EQ(rows->GetColumnSize(3), 4);
    ByteBuffer readBlob;
    readBlob.Construct(3);
    EXPECT_EQ(rows->GetBlobAt(3, readBlob), E_OVERFLOW);
    readBlob.Construct(4);
    EXPECT_EQ(rows->GetBlobAt(3, readBlob), E_SUCCESS);
    EXPECT_TRUE(std::equal(bytes, bytes + 4, readBlob.GetPointer()));
    EXPECT_EQ(rows->GetIntAt(4, number), E_OUT_OF_RANGE);
    EXPECT_NE(rows->MoveNext(), E_SUCCESS);
    EXPECT_EQ(TextOfFirstRow(*database, "SELECT d FROM t"), String("2021-06-07T08:09:10.011Z"));

    EXPECT_EQ(database->QueryN(String("SELECT * FROM t WHERE n=0")), nullptr);
    EXPECT_EQ(GetLastResult(), E_SUCCESS) << "no row is not a failure";
    EXPECT_EQ(database->QueryN(String("SELECT * FROM missing")), nullptr);
    EXPECT_TRUE(IsFailed(GetLastResult()));
    EXPECT_EQ(database->CreateStatementN(String("NOT SQL")), nullptr);
    EXPECT_TRUE(IsFailed(GetLastResult()));
}

// Texts and date-times bound one after another each keep their own value, also when the
// statement runs again with others; an empty text is stored as text, not as NULL; and a
// result read after its statement was deleted still matches the text bound.
TEST(DatabaseTest, ValuesBoundInTurnKeepTheirOwnTexts)
{
    TempDataDir dir;
    std::unique_ptr<Database> database = OpenDatabase("/Home/texts.db");
    ASSERT_EQ(database->ExecuteSql(String("CREATE TABLE t(a NTEXT,b NTEXT,c NTEXT,d DATETIME)"), true), E_SUCCESS);
    std::unique_ptr<DbStatement> insert(database->CreateStatementN(String("INSERT INTO t VALUES(?,?,?,?)")));
    ASSERT_NE(insert, nullptr);
    DateTime when;
    when.SetValue(2021, 6, 7, 8, 9, 10, 11);
    const String firsts[] = {String("a longer ascii text"), String()};
    for (const String& first : firsts) {
        ASSERT_EQ(insert->BindString(0, first), E_SUCCESS);
        ASSERT_EQ(insert->BindString(1, String(u"\u00e9t\u00e9")), E_SUCCESS);
        ASSERT_EQ(insert->BindString(2, String("x")), E_SUCCESS);
        ASSERT_EQ(insert->BindDateTime(3, when), E_SUCCESS);
        EXPECT_EQ(database->ExecuteStatementN(*insert), nullptr);
        ASSERT_EQ(GetLastResult(), E_SUCCESS);
        when.AddSeconds(1);
    }
    EXPECT_EQ(TextOfFirstRow(*database, "SELECT group_concat(typeof(a)||':'||a||'|'||b||'|'||c||'|'||d,';') FROM t").ToUtf8(),
        String(u"text:a longer ascii text|\u00e9t\u00e9|x|2021-06-07T08:09:10.011Z;text:|\u00e9t\u00e9|x|2021-06-07T08:09:11.011Z")
            .ToUtf8());

    std::unique_ptr<DbStatement> select(database->CreateStatementN(String("SELECT d FROM t WHERE b=? ORDER BY d DESC")));
    ASSERT_NE(select, nullptr);
    ASSERT_EQ(select->BindString(0, String(u"\u00e9t\u00e9")), E_SUCCESS);
    std::unique_ptr<DbEnumerator> rows(database->ExecuteStatementN(*select));
    select.reset();
    ASSERT_NE(rows, nullptr);
    ASSERT_EQ(rows->MoveNext(), E_SUCCESS);
    ASSERT_EQ(rows->MoveNext(), E_SUCCESS);
    String earlier;
    EXPECT_EQ(rows->GetStringAt(0, earlier), E_SUCCESS);
    EXPECT_EQ(earlier, String("2021-06-07T08:09:10.011Z"));
}

TEST(DatabaseTest, AReexecutedStatementLeavesItsOldEnumeratorStale)
{
    TempDataDir dir;
    std::unique_ptr<Database> database = OpenDatabase("/Home/stale.db");
    ASSERT_EQ(database->ExecuteSql(String("CREATE TABLE t(n INTEGER)"), true), E_SUCCESS);
    ASSERT_EQ(database->ExecuteSql(String("INSERT INTO t VALUES(1),(2),(3)"), true), E_SUCCESS);
    std::unique_ptr<DbStatement> select(database->CreateStatementN(String("SELECT n FROM t WHERE n>=? ORDER BY n")));
    ASSERT_EQ(select->BindInt(0, 1), E_SUCCESS);
    std::unique_ptr<DbEnumerator> first(database->ExecuteStatementN(*select));
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(first->MoveNext(), E_SUCCESS);

    ASSERT_EQ(select->BindInt(0, 3), E_SUCCESS);
    std::unique_ptr<DbEnumerator> second(database->ExecuteStatementN(*select));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->MoveNext(), E_INVALID_STATE);
    int value = 0;
    ASSERT_EQ(second->MoveNext(), E_SUCCESS);
    second->GetIntAt(0, value);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(second->MoveNext(), E_OUT_OF_RANGE);

    select.reset();
    database.reset();
    EXPECT_EQ(second->MoveNext(), E_OUT_OF_RANGE) << "an enumerator outlives its statement and database";
}

TEST(DatabaseTest, TransactionsNestAsSavepoints)
{
    TempDataDir dir;
    std::unique_ptr<Database> database = OpenDatabase("/Home/nest.db");
    ASSERT_EQ(database->ExecuteSql(String("CREATE TABLE t(n INTEGER)"), true), E_SUCCESS);
    EXPECT_EQ(database->ExecuteSql(String("INSERT INTO t VALUES(0)"), false), E_INVALID_STATE);
    EXPECT_EQ(database->CommitTransaction(), E_INVALID_STATE);

    ASSERT_EQ(database->BeginTransaction(), E_SUCCESS);
    ASSERT_EQ(database->ExecuteSql(String("INSERT INTO t VALUES(1)"), false), E_SUCCESS);
    ASSERT_EQ(database->BeginTransaction(), E_SUCCESS);
    ASSERT_EQ(database->ExecuteSql(String("INSERT INTO t VALUES(2)"), false), E_SUCCESS);
    ASSERT_EQ(database->RollbackTransaction(), E_SUCCESS);
    ASSERT_EQ(database->BeginTransaction(), E_SUCCESS);
    ASSERT_EQ(database->ExecuteSql(String("INSERT INTO t VALUES(3)"), false), E_SUCCESS);
    ASSERT_EQ(database->CommitTransaction(), E_SUCCESS);
    EXPECT_TRUE(database->IsInTransaction());
    ASSERT_EQ(database->CommitTransaction(), E_SUCCESS);
    EXPECT_FALSE(database->IsInTransaction());
    EXPECT_EQ(TextOfFirstRow(*database, "SELECT group_concat(n) FROM (SELECT n FROM t ORDER BY n)"), String("1,3"));

    ASSERT_EQ(database->BeginTransaction(), E_SUCCESS);
    ASSERT_EQ(database->ExecuteSql(String("DELETE FROM t"), false), E_SUCCESS);
    ASSERT_EQ(database->RollbackTransaction(), E_SUCCESS);
    EXPECT_EQ(CountRows(*database, "t"), 2);

    database.reset();
    std::unique_ptr<Database> reopened = OpenDatabase("/Home/nest.db");
    EXPECT_EQ(CountRows(*reopened, "t"), 2);
}

TEST(DatabaseTest, LikeFoldsCaseOverUnicodeAndHonoursEscapes)
{
    TempDataDir dir;
    std::unique_ptr<Database> database = OpenDatabase("/Home/like.db");
    std::unique_ptr<DbStatement> like(database->CreateStatementN(String("SELECT ?1 LIKE ?2 ESCAPE '\\'")));
    auto matches = [&](const String& text, const String& pattern) {
        like->BindString(0, text);
        like->BindString(1, pattern);
        std::unique_ptr<DbEnumerator> row(database->ExecuteStatementN(*like));
        int value = -1;
        if (row != nullptr && IsSucceeded(row->MoveNext())) {
            row->GetIntAt(0, value);
        }
        return value == 1;
    };
    EXPECT_TRUE(matches(String(u"Ärger"), String(u"%ärg%")));
    EXPECT_TRUE(matches(String(u"ΩMEGA"), String(u"ωmega")));
    EXPECT_TRUE(matches(String(u"a\U0001F600b"), String(u"a_b"))) << "an emoji is one character";
    EXPECT_FALSE(matches(String(u"ab"), String(u"a_b")));
    EXPECT_TRUE(matches(String(u"100%"), String(u"100\\%")));
    EXPECT_FALSE(matches(String(u"1000"), String(u"100\\%")));
    EXPECT_FALSE(matches(String(u"a-b"), String(u"a\\_b")));
    EXPECT_TRUE(matches(String(u"a_b"), String(u"a\\_b")));
    EXPECT_TRUE(matches(String(u"mississippi"), String(u"%iss%ipp%")));
    EXPECT_FALSE(matches(String(u"mississippi"), String(u"%iss%ipq%")));
    EXPECT_TRUE(matches(String(u""), String(u"%")));
}
