// The service engine as the application runs it, without screens: a fresh data directory
// ($VELOIM_HOME) with the real stores, a started request controller configured as the
// application-wide manager configures it, and a RecordingDelegate as both the model side and
// the manager. SignIn points the connection at a server on 127.0.0.1 (verified under the
// name "localhost", with $VELOIM_CA_FILE naming its authority) and does what the sign-in
// screen and the manager do: sign in, and on success ask for the lists.
// Threading: the test's thread drives it; the engine's threads call the recorder.
// Ownership: owns the data directory, the models (deleted last) and the controller.
#pragma once

#include "support/RecordingDelegate.h"
#include "support/TempDataDir.h"

#include "engine/GtalkRequestController.h"
#include "store/ContactIconModel.h"
#include "store/ContactModel.h"
#include "store/GroupModel.h"
#include "store/MessageModel.h"
#include "store/PropertiesModel.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace TestSupport {

class EngineUnderTest {
public:
    static constexpr std::chrono::milliseconds DefaultWait{20000};

    EngineUnderTest();
    ~EngineUnderTest();

    EngineUnderTest(const EngineUnderTest&) = delete;
    EngineUnderTest& operator=(const EngineUnderTest&) = delete;

    // Requests a sign-in at 127.0.0.1:port; the outcome comes to the recorder.
    void StartSignIn(unsigned short port, const std::string& user, const std::string& password);
    // Signs in and, once signed in, refreshes the lists; true when all presence was
    // received (the first roster merged) within the time-out. As the application-wide
    // manager does after a lost connection or a sign-out, the next roster counts as the
    // first again.
    bool SignIn(unsigned short port, const std::string& user, const std::string& password,
        std::chrono::milliseconds timeout = DefaultWait);

    // Stores a message to `to` as the chat screen does ("sending") and hands a copy to the
    // engine to send.
    void SendChat(const std::string& to, const std::string& text);

    GtalkRequestController& Controller();
    RecordingDelegate& Delegate();
    ContactModel& Contacts();
    ContactIconModel& Icons();
    GroupModel& Groups();
    MessageModel& Messages();
    PropertiesModel& Properties();
    std::unique_ptr<Contact> ContactById(const std::string& id);
    std::unique_ptr<ContactIcon> AvatarOf(const std::string& id);

    // Polls `check` until it holds or the time-out passes; answers its last value.
    static bool Eventually(const std::function<bool()>& check, std::chrono::milliseconds timeout = DefaultWait);

private:
    TempDataDir dir_;
    std::unique_ptr<ContactModel> contacts_;
    std::unique_ptr<ContactIconModel> icons_;
    std::unique_ptr<GroupModel> groups_;
    std::unique_ptr<MessageModel> messages_;
    std::unique_ptr<PropertiesModel> properties_;
    RecordingDelegate delegate_;
    GtalkRequestController controller_;
};

}  // namespace TestSupport
