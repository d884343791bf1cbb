// What each contact's resources (its phone, its laptop …) last said in this session, so a
// contact is shown as a whole: available while any of its resources is, with the show and
// status of its most available resource. That is the one of highest priority; among equal
// priorities the most available show (chat, available, away, xa, dnd, in that order), and
// among equal shows the one heard from last.
// Threading: none; the presence manager guards it. Ownership: a value holding copies.
#pragma once

#include "foundation/IMString.h"
#include "xmpp/Presence.h"

#include <map>
#include <optional>
#include <string>

class ResourcePresences {
public:
    // Records `presence` (available, or unavailable for its resource) and rewrites it into the
    // contact's presence as a whole: unavailable once no resource is left, otherwise available
    // with the chosen resource's show and status. A presence without a sender is left alone.
    void merge(Presence& presence);
    void clear();

private:
    struct Resource {
        Presence::Status show = Presence::Status::NONE;
        std::optional<IMString> status;
        int priority = 0;
        unsigned long heard = 0;
    };
    using Resources = std::map<std::string, Resource>;

    void record(Resources& resources, const std::string& resource, Presence& presence);
    static const Resource& chosen(const Resources& resources);
    static bool isBefore(const Resource& first, const Resource& second);
    static int rankOf(Presence::Status show);

    std::map<std::string, Resources> contacts_;
    unsigned long heard_ = 0;
};
