// Keeps the account's resumable stream session in the account store, where a later run finds
// it: saved with each acknowledgement, forgotten when the session ends for good (a sign-out, a
// refused password). Threading: stateless; the store serialises itself.
#pragma once

#include <cstdint>

class RequestController;
class StreamManagement;
class IMString;

class StreamSessionStore {
public:
    // The connection's current session id (none when it cannot be resumed) with `handled`.
    static void save(RequestController* controller, std::uint32_t handled);
    // Neither the connection nor a later run resumes the session.
    static void forget(RequestController* controller);
    // A sign-in the user asked for starts from the session stored for `account`, if any.
    static void restore(StreamManagement& streams, const IMString& account);
};
