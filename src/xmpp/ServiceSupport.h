// Which of the service's own extensions (shared status, no-save, user settings) the server has
// refused. Each query for one is noted by its packet id; an error of type cancel that answers
// such an id (a server without the extension says service-unavailable) marks the extension
// refused, and the client asks that server for it no more. The marks belong to the server, not
// to one connection, so they outlive reconnects; a new id for an extension replaces the one
// before, and answers to ids never noted change nothing.
// Threading: any thread (the request thread notes, the reader thread refuses); guarded by its
// own lock. Ownership: a value kept by the connection; ids are copied.
#pragma once

#include "foundation/IMString.h"

#include <array>
#include <mutex>

class ServiceSupport {
public:
    enum Extension { SHARED_STATUS = 0, NO_SAVE = 1, SETTINGS = 2 };

    // Notes that a query for `extension` went out with `id` (null: nothing to note).
    void asked(Extension extension, const IMString* id);
    // An error of type cancel answered `id`: the extension asked with it, if any, is refused.
    // Answers the extension refused, or -1 when the id was none of them.
    int refused(const IMString& id);
    bool isRefused(Extension extension) const;

private:
    static constexpr int COUNT = 3;

    mutable std::mutex lock_;
    std::array<IMString, COUNT> pending_;
    std::array<bool, COUNT> refused_{};
};
