// One compiled SQL statement, shared by the DbStatement that prepared it and by the
// enumerators over its results, so that either may be deleted first. Each execution gets a
// number; an enumerator reads only while its execution is the statement's latest one.
// It also keeps the text bound to each parameter, which the engine reads in place, for as long
// as the statement lives.
// Threading and ownership: used under its Database's owner's serialisation; finalizes the
// statement when the last sharer lets go.
#pragma once

#include <string>
#include <vector>

struct sqlite3_stmt;

namespace Ixa::Io {

class DbStatementHandle {
public:
    explicit DbStatementHandle(sqlite3_stmt* statement);
    ~DbStatementHandle();

    DbStatementHandle(const DbStatementHandle&) = delete;
    DbStatementHandle& operator=(const DbStatementHandle&) = delete;

    sqlite3_stmt* Get() const;
    // Rewinds a statement that is being read (its bindings stay) and answers the number of the
    // new execution; readers of earlier executions go stale.
    unsigned long Restart();
    bool IsCurrent(unsigned long execution) const;
    // Rewinds the statement when `execution` is still the latest one, so that a finished
    // reader holds no read snapshot open.
    void Finish(unsigned long execution);
    // The text kept for the parameter at `index` (from 0); only binding it again may change it.
    // An index with no parameter gets a spare text (the engine refuses to bind it).
    std::string& BoundText(int index);

private:
    sqlite3_stmt* statement_;
    unsigned long execution_ = 0;
    // One per parameter, made with the statement: texts never move while bound.
    std::vector<std::string> boundTexts_;
    std::string unbound_;
};

}  // namespace Ixa::Io
