// The SQL LIKE operator of every Database, case-insensitive over all of Unicode rather than
// over ASCII alone, so that a search typed in lower case finds "Ärger" or "Ωmega" as it finds
// "Alice". "%" matches any run of characters, "_" exactly one character (a code point, so an
// emoji counts once), and LIKE ... ESCAPE 'c' makes c take the next pattern character
// literally. Thread-safety: stateless; SQLite calls it on the thread running the statement.
#pragma once

struct sqlite3;

namespace Ixa::Io {

class DbLikeFunction {
public:
    // Replaces LIKE on `connection`; answers the SQLite result code.
    static int Register(sqlite3* connection);
};

}  // namespace Ixa::Io
