// Which of the extensions the client asks the server about (the service's own shared status,
// no-save and user settings, and the standard blocking command) the server has refused, and
// which it has answered. Each query for one is noted by its packet id; an error of type cancel
// that answers such an id (a server without the extension says service-unavailable) marks the
// extension refused, and the client asks that server for it no more; a result for such an id
// marks it supported. The marks belong to the server, not to one connection, so they outlive
// reconnects; a new id for an extension replaces the one before, and answers to ids never
// noted change nothing.
// Threading: any thread (the request thread notes, the reader thread refuses and accepts);
// guarded by its own lock. Ownership: a value kept by the connection; ids are copied.
#pragma once

#include "foundation/IMString.h"

#include <array>
#include <mutex>

class ServiceSupport {
public:
    enum Extension { SHARED_STATUS = 0, NO_SAVE = 1, SETTINGS = 2, BLOCKING = 3 };

    // Notes that a query for `extension` went out with `id` (null: nothing to note).
    void asked(Extension extension, const IMString* id);
    // An error of type cancel answered `id`: the extension asked with it, if any, is refused.
    // Answers the extension refused, or -1 when the id was none of them.
    int refused(const IMString& id);
    bool isRefused(Extension extension) const;
    // A result answered `id`: whether it answers the query noted for `extension`, which is
    // then supported.
    bool answered(Extension extension, const IMString& id);
    bool isSupported(Extension extension) const;

private:
    static constexpr int COUNT = 4;

    mutable std::mutex lock_;
    std::array<IMString, COUNT> pending_;
    std::array<bool, COUNT> refused_{};
    std::array<bool, COUNT> supported_{};
};
