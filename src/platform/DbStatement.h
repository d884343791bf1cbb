// A prepared SQL statement with "?" placeholders, counted from 0 by the Bind operations.
// Bindings stay in place across executions until bound again; binding rewinds a statement
// that is still being read. A date-time is stored as the text DateTime::ToString writes, so
// stored date-times sort in time order; a blob is the bytes between the buffer's position
// and its limit.
// Threading and ownership: created by Database::CreateStatementN for the caller, who deletes
// it; used on the thread that serialises its Database.
#pragma once

#include "platform/ByteBuffer.h"
#include "platform/DateTime.h"
#include "platform/DbStatementHandle.h"

#include <memory>
#include <string>

struct sqlite3;

namespace Ixa::Io {

class DbStatement : public Base::Object {
public:
    DbStatement(sqlite3* connection, std::shared_ptr<DbStatementHandle> handle);
    ~DbStatement() override;

    DbStatement(const DbStatement&) = delete;
    DbStatement& operator=(const DbStatement&) = delete;

    result BindInt(int index, int value);
    result BindInt64(int index, long long value);
    result BindString(int index, const Base::String& value);
    result BindDateTime(int index, const Base::DateTime& value);
    result BindBlob(int index, const Base::ByteBuffer& value);

    sqlite3* GetConnection() const;
    const std::shared_ptr<DbStatementHandle>& GetHandle() const;

private:
    result Bound(int code) const;
    // Rewinds the statement and lends the text the handle keeps for the parameter.
    std::string& PrepareText(int index);
    // Binds `text`, which the handle keeps, to the parameter.
    result BindText(int index, const std::string& text);

    sqlite3* connection_;
    std::shared_ptr<DbStatementHandle> handle_;
};

}  // namespace Ixa::Io
