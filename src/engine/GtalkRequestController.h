// The request controller: owns the request and response processors and the sign-in-cancel
// mutex, borrows the stores, and keeps its own copies of the account's user name and
// password.
//
// Threads: init(), uninit() and the setters run on the user-interface thread; the queues are
// fed from any thread (the user-interface, response, reader, connection and socket threads).
// The processor pointers are guarded by a private lock so that a thread posting while
// uninit() runs either posts before the stop event or has its object deleted; the account
// strings are guarded the same way. The sign-in-cancel flag is read and written under
// GetMutex() by the sign-in protocol; the initial-list flag is atomic.
#pragma once

#include "engine/RequestController.h"
#include "engine/RequestProcessor.h"
#include "engine/ResponseProcessor.h"

#include <atomic>
#include <mutex>

class GtalkRequestController : public RequestController {
public:
    GtalkRequestController();
    ~GtalkRequestController() override;

    GtalkRequestController(const GtalkRequestController&) = delete;
    GtalkRequestController& operator=(const GtalkRequestController&) = delete;

    // Starts both processors and creates the mutex; each step is skipped when done before.
    void init() override;
    // Stops the request thread after the commands already queued, then the response thread,
    // and deletes both; later posts are deleted unrun.
    void uninit() override;
    void reset() override;

    void SetUsername(IMString* username) override;
    void SetPassword(IMString* password) override;
    IMString* GetUsername() override;
    IMString* GetPassword() override;

    void SetContactDAO(ContactDAO* contacts) override;
    void SetGroupDAO(GroupDAO* groups) override;
    void setContactIconDAO(ContactIconDAO* icons) override;
    void SetMessageDAO(MessageDAO* messages) override;
    ContactDAO* GetContactDAO() override;
    GroupDAO* GetGroupDAO() override;
    ContactIconDAO* GetContactIconDAO() override;
    MessageDAO* GetMessageDAO() override;

    Ixa::Base::Runtime::Mutex* GetMutex() override;
    void SetSignInCancel(bool cancel) override;
    bool GetSignInCancel() override;
    void addToCommandQueue(Command* command) override;
    void addToResponseQueue(GtalkNotification* notification) override;

    bool IsInitialListReceived() const;
    void SetInitialListReceived(bool received);

private:
    void initResponseProcessor();
    void replaceAccountString(IMString*& stored, IMString* value);

    std::mutex accountLock_;
    IMString* username_ = nullptr;
    IMString* password_ = nullptr;
    ContactDAO* contacts_ = nullptr;
    ContactIconDAO* icons_ = nullptr;
    GroupDAO* groups_ = nullptr;
    MessageDAO* messages_ = nullptr;
    std::mutex processorsLock_;
    RequestProcessor* requestProcessor_ = nullptr;
    ResponseProcessor* responseProcessor_ = nullptr;
    std::atomic<bool> initialListReceived_{false};
    Ixa::Base::Runtime::Mutex* mutex_ = nullptr;
    std::atomic<bool> signInCancel_{false};
};
