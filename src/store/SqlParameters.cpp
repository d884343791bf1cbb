#include "store/SqlParameters.h"

#include <utility>

namespace {

// Enough for the widest row (13 columns) without growing.
constexpr std::size_t TYPICAL_COUNT = 16;

}  // namespace

SqlParameters::SqlParameters() { values_.reserve(TYPICAL_COUNT); }

SqlParameters& SqlParameters::Text(const Ixa::Base::String& value)
{
    values_.emplace_back(&value);
    return *this;
}

SqlParameters& SqlParameters::Text(Ixa::Base::String&& value)
{
    values_.emplace_back(std::move(value));
    return *this;
}

SqlParameters& SqlParameters::Int(int value)
{
    values_.emplace_back(value);
    return *this;
}

SqlParameters& SqlParameters::Int64(long long value)
{
    values_.emplace_back(value);
    return *this;
}

SqlParameters& SqlParameters::Flag(bool value) { return Int(value ? 1 : 0); }

SqlParameters& SqlParameters::Time(const Ixa::Base::DateTime& value)
{
    values_.emplace_back(value);
    return *this;
}

SqlParameters& SqlParameters::Blob(const Ixa::Base::ByteBuffer& value)
{
    values_.emplace_back(&value);
    return *this;
}

SqlParameters& SqlParameters::Containing(const Ixa::Base::String& text)
{
    Ixa::Base::String pattern(L"%");
    for (int i = 0; i < text.GetLength(); ++i) {
        wchar_t unit = text[i];
        if (unit == L'%' || unit == L'_' || unit == L'\\') {
            pattern.Append(L'\\');
        }
        pattern.Append(unit);
    }
    pattern.Append(L'%');
    return Text(std::move(pattern));
}

Ixa::result SqlParameters::BindTo(Ixa::Io::DbStatement& statement) const
{
    for (std::size_t i = 0; i < values_.size(); ++i) {
        int index = static_cast<int>(i);
        const Value& value = values_[i];
        Ixa::result r = Ixa::E_SUCCESS;
        if (auto borrowed = std::get_if<const Ixa::Base::String*>(&value)) {
            r = statement.BindString(index, **borrowed);
        } else if (auto text = std::get_if<Ixa::Base::String>(&value)) {
            r = statement.BindString(index, *text);
        } else if (auto number = std::get_if<int>(&value)) {
            r = statement.BindInt(index, *number);
        } else if (auto wide = std::get_if<long long>(&value)) {
            r = statement.BindInt64(index, *wide);
        } else if (auto time = std::get_if<Ixa::Base::DateTime>(&value)) {
            r = statement.BindDateTime(index, *time);
        } else {
            r = statement.BindBlob(index, *std::get<const Ixa::Base::ByteBuffer*>(value));
        }
        if (Ixa::IsFailed(r)) {
            return r;
        }
    }
    return Ixa::E_SUCCESS;
}
