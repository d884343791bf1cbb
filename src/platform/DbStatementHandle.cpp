#include "platform/DbStatementHandle.h"

#include <sqlite3.h>

namespace Ixa::Io {

DbStatementHandle::DbStatementHandle(sqlite3_stmt* statement)
    : statement_(statement)
    , boundTexts_(static_cast<std::size_t>(sqlite3_bind_parameter_count(statement)))
{
}

DbStatementHandle::~DbStatementHandle() { sqlite3_finalize(statement_); }

sqlite3_stmt* DbStatementHandle::Get() const { return statement_; }

unsigned long DbStatementHandle::Restart()
{
    if (sqlite3_stmt_busy(statement_) != 0) {
        sqlite3_reset(statement_);
    }
    return ++execution_;
}

bool DbStatementHandle::IsCurrent(unsigned long execution) const { return execution == execution_; }

std::string& DbStatementHandle::BoundText(int index)
{
    const auto slot = static_cast<std::size_t>(index);
    return index >= 0 && slot < boundTexts_.size() ? boundTexts_[slot] : unbound_;
}

void DbStatementHandle::Finish(unsigned long execution)
{
    if (IsCurrent(execution)) {
        sqlite3_reset(statement_);
    }
}

}  // namespace Ixa::Io
