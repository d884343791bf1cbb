#include "xmpp/RecentStatusList.h"

#include "xmpp/XMLEscape.h"

#include <algorithm>
#include <memory>

RecentStatusList::RecentStatusList(int limit) : limit_(limit) {}

void RecentStatusList::setLimit(int limit)
{
    if (limit > 0) {
        limit_ = limit;
        trim();
    }
}

void RecentStatusList::replace(IMVector* texts)
{
    texts_.clear();
    for (int i = 0; texts != nullptr && i < texts->size(); ++i) {
        Ixa::Base::Object* element = nullptr;
        texts->getAt(i, element);
        auto text = dynamic_cast<IMString*>(element);
        if (text == nullptr) {
            continue;
        }
        std::unique_ptr<IMString> escaped(XMLEscape::escape(text));
        bool seen = std::any_of(
            texts_.begin(), texts_.end(), [&](const IMString& kept) { return kept.Equals(*escaped, true); });
        if (!seen && !isBlank(*escaped)) {
            texts_.push_back(*escaped);
        }
    }
    trim();
}

void RecentStatusList::add(const IMString& escaped)
{
    if (isBlank(escaped)) {
        return;
    }
    std::erase_if(texts_, [&](const IMString& kept) { return kept.Equals(escaped, true); });
    texts_.insert(texts_.begin(), escaped);
    trim();
}

IMVector* RecentStatusList::copy() const
{
    auto list = new IMVector();
    for (const IMString& text : texts_) {
        list->put(new IMString(text));
    }
    return list;
}

void RecentStatusList::clear() { texts_.clear(); }

void RecentStatusList::trim()
{
    if (texts_.size() > static_cast<size_t>(limit_)) {
        texts_.resize(static_cast<size_t>(limit_));
    }
}

bool RecentStatusList::isBlank(const IMString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        wchar_t unit = text.charAt(i);
        if (unit != L' ' && unit != L'\t' && unit != L'\n' && unit != L'\r') {
            return false;
        }
    }
    return true;
}
