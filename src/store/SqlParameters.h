// The values for one statement's "?" placeholders, in placeholder order. Every value that
// comes from the user or the server reaches SQL this way, never inside the statement text.
// Threading and ownership: a short-lived value on one thread. A named string or blob is
// borrowed, not copied (a roster merge binds thousands of them), so it must stay unchanged
// until the values are bound; a temporary string is copied.
#pragma once

#include "platform/ByteBuffer.h"
#include "platform/DateTime.h"
#include "platform/DbStatement.h"
#include "platform/String.h"

#include <variant>
#include <vector>

class SqlParameters {
public:
    SqlParameters();

    SqlParameters& Text(const Ixa::Base::String& value);
    SqlParameters& Text(Ixa::Base::String&& value);
    // A const temporary could be neither borrowed safely nor moved.
    SqlParameters& Text(const Ixa::Base::String&& value) = delete;
    SqlParameters& Int(int value);
    SqlParameters& Int64(long long value);
    // 1 for true, 0 for false.
    SqlParameters& Flag(bool value);
    SqlParameters& Time(const Ixa::Base::DateTime& value);
    SqlParameters& Blob(const Ixa::Base::ByteBuffer& value);
    // A LIKE pattern matching `text` anywhere, with "%", "_" and "\" in `text` taken
    // literally; the statement says ESCAPE '\'.
    SqlParameters& Containing(const Ixa::Base::String& text);

    Ixa::result BindTo(Ixa::Io::DbStatement& statement) const;

private:
    using Value = std::variant<const Ixa::Base::String*, Ixa::Base::String, int, long long, Ixa::Base::DateTime,
        const Ixa::Base::ByteBuffer*>;
    std::vector<Value> values_;
};
