// The user-id rules the commands, handlers and screens share. Ids from stanzas are compared in
// lower case and without their resource; an id typed without a domain gets the default user-id
// suffix, "@" and the service's default mail domain (Constants::DOMAIN, the same setting the
// connection uses). The account id the user types is normalised once, here, before it is
// compared, stored or used to find the user's own records. Thread-safety: stateless.
#pragma once

#include "foundation/IMString.h"

class UserId {
public:
    // "@" followed by the service's default mail domain.
    static IMString defaultSuffix();
    // Appends the default suffix, in place, when `id` has no at sign; null is left alone.
    static void complete(IMString* id);
    // The typed account id as it is compared and stored: without surrounding blanks, in lower
    // case, and completed with the default suffix when it has no at sign (blank stays empty).
    static IMString normalised(const IMString& typed);
    // The id without its resource (from the first "/" on), in lower case.
    static IMString bareLowerCase(const IMString& id);
    // The text before the first at sign, or the whole id without one.
    static IMString localPart(const IMString& id);
    // How a roster contact is named: the local part when the id carries the default suffix,
    // the whole id otherwise.
    static IMString displayUserName(const IMString& id);
    static bool sameIgnoringCase(const IMString& left, const IMString& right);
};
