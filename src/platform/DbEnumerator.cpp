#include "platform/DbEnumerator.h"

#include "platform/Utf8Codec.h"

#include <sqlite3.h>

#include <string>
#include <utility>

namespace Ixa::Io {

DbEnumerator::DbEnumerator(std::shared_ptr<DbStatementHandle> handle, unsigned long execution)
    : handle_(std::move(handle))
    , execution_(execution)
{
}

DbEnumerator::~DbEnumerator() { handle_->Finish(execution_); }

result DbEnumerator::MoveNext()
{
    if (!handle_->IsCurrent(execution_)) {
        return E_INVALID_STATE;
    }
    if (firstRowPending_) {
        firstRowPending_ = false;
        onRow_ = true;
        return E_SUCCESS;
    }
    if (!onRow_) {
        return E_OUT_OF_RANGE;
    }
    int step = sqlite3_step(handle_->Get());
    onRow_ = step == SQLITE_ROW;
    if (onRow_) {
        return E_SUCCESS;
    }
    return step == SQLITE_DONE ? E_OUT_OF_RANGE : E_FAILURE;
}

int DbEnumerator::GetColumnCount() const { return sqlite3_column_count(handle_->Get()); }

result DbEnumerator::CheckColumn(int column) const
{
    if (!handle_->IsCurrent(execution_) || !onRow_ || firstRowPending_) {
        return E_INVALID_STATE;
    }
    return column >= 0 && column < GetColumnCount() ? E_SUCCESS : E_OUT_OF_RANGE;
}

result DbEnumerator::GetIntAt(int column, int& value) const
{
    result r = CheckColumn(column);
    if (IsSucceeded(r)) {
        value = sqlite3_column_int(handle_->Get(), column);
    }
    return r;
}

result DbEnumerator::GetInt64At(int column, long long& value) const
{
    result r = CheckColumn(column);
    if (IsSucceeded(r)) {
        value = sqlite3_column_int64(handle_->Get(), column);
    }
    return r;
}

result DbEnumerator::GetStringAt(int column, Base::String& value) const
{
    result r = CheckColumn(column);
    if (IsFailed(r)) {
        return r;
    }
    auto bytes = reinterpret_cast<const char*>(sqlite3_column_text(handle_->Get(), column));
    std::size_t length = static_cast<std::size_t>(sqlite3_column_bytes(handle_->Get(), column));
    std::u16string units;
    if (bytes != nullptr) {
        Utf8Codec::AppendUtf8ToUtf16(bytes, length, units);
    }
    value = Base::String(units.data(), static_cast<int>(units.size()));
    return E_SUCCESS;
}

result DbEnumerator::GetDateTimeAt(int column, Base::DateTime& value) const
{
    Base::String text;
    result r = GetStringAt(column, text);
    return IsFailed(r) ? r : Base::DateTime::Parse(text, value);
}

result DbEnumerator::GetBlobAt(int column, Base::ByteBuffer& buffer) const
{
    result r = CheckColumn(column);
    if (IsFailed(r)) {
        return r;
    }
    auto bytes = static_cast<const byte*>(sqlite3_column_blob(handle_->Get(), column));
    int size = sqlite3_column_bytes(handle_->Get(), column);
    if (size > buffer.GetRemaining()) {
        return E_OVERFLOW;
    }
    return size == 0 ? E_SUCCESS : buffer.SetArray(bytes, 0, size);
}

int DbEnumerator::GetColumnSize(int column) const
{
    result r = CheckColumn(column);
    SetLastResult(r);
    return IsSucceeded(r) ? sqlite3_column_bytes(handle_->Get(), column) : 0;
}

}  // namespace Ixa::Io
