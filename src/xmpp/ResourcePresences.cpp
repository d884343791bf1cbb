#include "xmpp/ResourcePresences.h"


#include <tuple>

void ResourcePresences::merge(Presence& presence)
{
    if (presence.getFrom() == nullptr) {
        return;
    }
    std::string from = presence.getFrom()->ToUtf8();
    size_t slash = from.find('/');
    std::string resource = slash == std::string::npos ? std::string() : from.substr(slash + 1);
    IMString bare(from.substr(0, slash).c_str());
    bare.ToLowerCase();
    std::string contact = bare.ToUtf8();

    Resources& resources = contacts_[contact];
    if (presence.getPresenceType() == Presence::Type::UNAVAILABLE) {
        resources.erase(resource);
    } else {
        record(resources, resource, presence);
    }
    if (resources.empty()) {
        contacts_.erase(contact);
        presence.setPresenceType(Presence::Type::UNAVAILABLE);
        return;
    }
    const Resource& shown = chosen(resources);
    presence.setPresenceType(Presence::Type::NONE);
    presence.setPresenceStatus(shown.show);
    presence.setStatusMessage(shown.status ? new IMString(*shown.status) : nullptr);
}

void ResourcePresences::clear() { contacts_.clear(); }

void ResourcePresences::record(Resources& resources, const std::string& resource, Presence& presence)
{
    Resource& entry = resources[resource];
    entry.show = presence.getPresenceStatus();
    IMString* status = presence.getStatusMessage();
    entry.status = status != nullptr ? std::optional<IMString>(*status) : std::nullopt;
    entry.priority = presence.getPriority();
    entry.heard = ++heard_;
}

const ResourcePresences::Resource& ResourcePresences::chosen(const Resources& resources)
{
    const Resource* best = &resources.begin()->second;
    for (const auto& [name, resource] : resources) {
        if (isBefore(resource, *best)) {
            best = &resource;
        }
    }
    return *best;
}

bool ResourcePresences::isBefore(const Resource& first, const Resource& second)
{
    return std::make_tuple(first.priority, rankOf(first.show), first.heard) >
           std::make_tuple(second.priority, rankOf(second.show), second.heard);
}

int ResourcePresences::rankOf(Presence::Status show)
{
    switch (show) {
    case Presence::Status::CHAT:
        return 5;
    case Presence::Status::NONE:
    case Presence::Status::AVAILABLE:
        return 4;
    case Presence::Status::AWAY:
        return 3;
    case Presence::Status::XA:
        return 2;
    case Presence::Status::DND:
        return 1;
    default:
        return 0;
    }
}
