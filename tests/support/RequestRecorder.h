// The application's request controller for screen tests: the real controller, except for the
// requests a screen makes on the user's behalf (sign out, list refresh, block, unblock,
// delete, add, a chat message, the answer to a subscription request, a try to reconnect now),
// which are written down as text instead of being sent, e.g. "RemoveContactFromGroup
// alice@localhost group=none", "CreateContactInExistingGroup gina group=Team", "SendMessage
// bob@localhost Hi" or "ReconnectNow". Installed with
// IMFactory::SetRequestControllerMaker(&RequestRecorder::Make) before the application starts.
// Threading: requests arrive on the user-interface thread; Requests() may be read from any.
// Ownership: the application owns the recorder it made; Last() lends it.
#pragma once

#include "engine/GtalkRequestController.h"

#include <mutex>
#include <string>
#include <vector>

namespace TestSupport {

class RequestRecorder : public GtalkRequestController {
public:
    RequestRecorder();
    ~RequestRecorder() override;

    static GtalkRequestController* Make();
    // The recorder made last, while it lives.
    static RequestRecorder* Last();

    std::vector<std::string> Requests();
    void Clear();

    void SignOut() override;
    void refreshLists(bool unused) override;
    void AddToIgnoreList(IMString* user) override;
    void RemoveFromIgnoreList(IMString* user) override;
    void AllowPresenceSubscription(IMString* user, IMString* unused) override;
    void DenyPresenceSubscription(IMString* user, IMString* unused) override;
    void RemoveContactFromGroup(Contact* contact, Group* group) override;
    void CreateContactInExistingGroup(Group* group, IMString* user, IMString* nickName, IMString* text) override;
    void SendMessage(Message* message) override;
    void ReconnectNow() override;

private:
    void record(std::string request);

    std::mutex lock_;
    std::vector<std::string> requests_;
};

}  // namespace TestSupport
