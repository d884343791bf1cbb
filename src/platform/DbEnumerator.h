// The rows of one query result, read forward. MoveNext steps onto the next row and answers
// E_SUCCESS, or a non-zero result when no row is left (E_OUT_OF_RANGE) or the engine failed;
// the getters then read the current row's columns, counted from 0. Texts come back exactly as
// bound (only a lone surrogate, which is no text, becomes U+FFFD), date-times from the text
// form DbStatement::BindDateTime writes.
// An enumerator from DbStatement execution stays readable until that statement is executed or
// bound again; after that every call answers E_INVALID_STATE.
// Threading and ownership: the caller owns it (the N of QueryN and ExecuteStatementN); use it
// on the thread that serialises its Database. It may outlive its statement and database.
#pragma once

#include "platform/ByteBuffer.h"
#include "platform/DateTime.h"
#include "platform/DbStatementHandle.h"

#include <memory>

namespace Ixa::Io {

class DbEnumerator : public Base::Object {
public:
    // `handle` has just been stepped onto the first row of execution `execution`.
    DbEnumerator(std::shared_ptr<DbStatementHandle> handle, unsigned long execution);
    ~DbEnumerator() override;

    DbEnumerator(const DbEnumerator&) = delete;
    DbEnumerator& operator=(const DbEnumerator&) = delete;

    result MoveNext();

    int GetColumnCount() const;
    result GetIntAt(int column, int& value) const;
    result GetInt64At(int column, long long& value) const;
    result GetStringAt(int column, Base::String& value) const;
    result GetDateTimeAt(int column, Base::DateTime& value) const;
    // Copies the column's bytes into `buffer` at its position and advances the position;
    // E_OVERFLOW, copying nothing, when fewer bytes remain before the limit.
    result GetBlobAt(int column, Base::ByteBuffer& buffer) const;
    // The size of the column's value in bytes (UTF-8 for text); 0 with the last result set
    // when there is no current row or no such column.
    int GetColumnSize(int column) const;

private:
    result CheckColumn(int column) const;

    std::shared_ptr<DbStatementHandle> handle_;
    unsigned long execution_;
    bool firstRowPending_ = true;
    bool onRow_ = false;
};

}  // namespace Ixa::Io
