#include "xmpp/BlockedIds.h"

namespace {

std::vector<IMString> texts(const std::set<std::string>& ids)
{
    std::vector<IMString> result;
    for (const std::string& id : ids) {
        result.emplace_back(id.c_str());
    }
    return result;
}

std::set<std::string> keys(const std::vector<IMString>& ids)
{
    std::set<std::string> result;
    for (const IMString& id : ids) {
        result.insert(id.ToUtf8());
    }
    return result;
}

}  // namespace

std::vector<IMString> BlockedIds::replace(const std::vector<IMString>& ids)
{
    std::set<std::string> next = keys(ids);
    std::lock_guard<std::mutex> guard(lock_);
    std::set<std::string> dropped;
    for (const std::string& id : ids_) {
        if (next.count(id) == 0) {
            dropped.insert(id);
        }
    }
    ids_ = std::move(next);
    return texts(dropped);
}

void BlockedIds::add(const std::vector<IMString>& ids)
{
    std::set<std::string> added = keys(ids);
    std::lock_guard<std::mutex> guard(lock_);
    ids_.insert(added.begin(), added.end());
}

std::vector<IMString> BlockedIds::remove(const std::vector<IMString>& ids)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (ids.empty()) {
        std::vector<IMString> all = texts(ids_);
        ids_.clear();
        return all;
    }
    std::set<std::string> dropped;
    for (const std::string& id : keys(ids)) {
        if (ids_.erase(id) > 0) {
            dropped.insert(id);
        }
    }
    return texts(dropped);
}

bool BlockedIds::contains(const IMString& id) const
{
    std::string key = id.ToUtf8();
    std::lock_guard<std::mutex> guard(lock_);
    return ids_.count(key) > 0;
}
