#include "platform/DbStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <string>
#include <utility>

namespace Ixa::Io {

DbStatement::DbStatement(sqlite3* connection, std::shared_ptr<DbStatementHandle> handle)
    : connection_(connection)
    , handle_(std::move(handle))
{
}

DbStatement::~DbStatement() = default;

result DbStatement::Bound(int code) const
{
    switch (code) {
    case SQLITE_OK:
        return E_SUCCESS;
    case SQLITE_RANGE:
        return E_OUT_OF_RANGE;
    case SQLITE_NOMEM:
        return E_OUT_OF_MEMORY;
    default:
        return E_FAILURE;
    }
}

result DbStatement::BindInt(int index, int value)
{
    handle_->Restart();
    return Bound(sqlite3_bind_int(handle_->Get(), index + 1, value));
}

result DbStatement::BindInt64(int index, long long value)
{
    handle_->Restart();
    return Bound(sqlite3_bind_int64(handle_->Get(), index + 1, value));
}

result DbStatement::BindString(int index, const Base::String& value)
{
    // Files keep text as UTF-8. Ids and most names are ASCII, which narrows straight into the
    // text the handle keeps for the parameter, where the engine reads it without a copy: a
    // burst of inserts allocates nothing to bind. Anything else is converted first.
    const char16_t* units = value.GetPointer();
    std::size_t length = static_cast<std::size_t>(value.GetLength());
    std::string& text = PrepareText(index);
    if (!std::all_of(units, units + length, [](char16_t unit) { return unit < 0x80; })) {
        text = value.ToUtf8();
    } else {
        text.resize(length);
        std::transform(units, units + length, text.begin(), [](char16_t unit) { return static_cast<char>(unit); });
    }
    return BindText(index, text);
}

result DbStatement::BindDateTime(int index, const Base::DateTime& value)
{
    std::string& text = PrepareText(index);
    text.resize(Base::DateTime::TEXT_LENGTH);
    value.WriteText(text.data());
    return BindText(index, text);
}

std::string& DbStatement::PrepareText(int index)
{
    handle_->Restart();
    return handle_->BoundText(index);
}

result DbStatement::BindText(int index, const std::string& text)
{
    return Bound(sqlite3_bind_text64(handle_->Get(), index + 1, text.data(), text.size(), SQLITE_STATIC, SQLITE_UTF8));
}

result DbStatement::BindBlob(int index, const Base::ByteBuffer& value)
{
    handle_->Restart();
    if (!value.HasRemaining()) {
        // An empty buffer may have no storage at all; bound as a pointer it would read back as NULL.
        return Bound(sqlite3_bind_zeroblob(handle_->Get(), index + 1, 0));
    }
    const byte* start = value.GetPointer() + value.GetPosition();
    return Bound(sqlite3_bind_blob(handle_->Get(), index + 1, start, value.GetRemaining(), SQLITE_TRANSIENT));
}

sqlite3* DbStatement::GetConnection() const { return connection_; }

const std::shared_ptr<DbStatementHandle>& DbStatement::GetHandle() const { return handle_; }

}  // namespace Ixa::Io
