// What the screen tests share: the application launched offscreen over a fresh data
// directory with the account settings loaded, and the means to open a chat with a stored
// contact, type into its input, read its rows as the user sees them, wait for the engine's
// threads, and keep pictures of the screen.
// Threading: the test's main thread (the user-interface thread).
#pragma once

#include "support/AppUnderTest.h"

#include "screens/ChatBubbleItem.h"
#include "screens/ChatScreen.h"
#include "store/Contact.h"
#include "store/Message.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class ChatFixture : public testing::Test {
public:
    // Types into the input of the chat on screen with the keypad, then closes the keypad;
    // false without an input on screen.
    static bool TypeIntoChatOf(AppUnderTest& app, const std::string& text);
    // Saves a picture of the screen as NAME.png among the tests' pictures.
    static void Screenshot(AppUnderTest& app, const std::string& name);

protected:
    void SetUp() override;

    // Stores the contact as the roster would and opens its chat as the buddy list does.
    void OpenChat(const std::string& id, const std::string& nick, int presence = 0, bool blocked = false);
    // The same from any screen, as a tapped message notification opens it.
    void OpenNotifiedChat(const std::string& id, const std::string& nick);
    // Opens the chat of a contact that is not stored: a buddy deleted since, or someone off
    // the buddy list written to by address.
    void OpenUnstoredChat(const std::string& id, bool buddy = true);
    // Types into the chat's input with the keypad, then closes the keypad.
    void TypeIntoChat(const std::string& text);
    std::string InputText() const;
    // Taps the control with the action id and lets the screen settle; false when it is not shown.
    bool Tap(int actionId);
    // Whether the control with the action id is shown and can be tapped.
    bool Enabled(int actionId) const;
    // The text of the screen's first label (a selection screen's count), empty without one.
    static std::string FirstLabel();
    // Every row of the visible list, as the user reads it.
    std::vector<std::string> Rows() const;
    ChatBubbleItem* Bubble(int row) const;
    ChatScreen* Chat() const;
    // Pumps the user-interface thread until `done` or the time-out; the outcome of `done`.
    bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // The stored conversation, oldest first, left unread.
    static std::vector<std::unique_ptr<Message>> Stored(const std::string& user);
    static void StoreMessage(const std::string& user, const std::string& text, int type, const char* utcTime);
    void Screenshot(const std::string& name);

    AppUnderTest app;
    std::unique_ptr<Contact> opened;

private:
    void StoreOpened(const std::string& id, const std::string& nick, int presence, bool blocked);
};
