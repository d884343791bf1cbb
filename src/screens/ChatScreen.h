// The screen "CHAT_SCREEN": the conversation with one contact as bubbles (received ones with
// the contact's avatar, own ones with their sending state), an input area that grows with
// its text, the "more" button (quick texts, emoticons) and the send button, whose picture
// tells whether there is anything to send.
//
// It is opened with the contact as the transition's data (from the buddy list, the
// conversations, a tapped notification) or without data when coming back from the
// quick-text list or settings, which keeps the contact shown before. Reading the
// conversation marks it read. While another screen is shown it does not listen to the
// models, so messages that arrive then stay unread.
// Threading: user-interface thread (model updates arrive through the framework's event).
// Ownership: owns its controller, its copy of the contact and the cached avatar; the form
// owns the controls.
#pragma once

#include "app/IMScreen.h"
#include "screens/ChatController.h"

#include "platform/Bitmap.h"
#include "platform/Button.h"
#include "platform/EditArea.h"
#include "platform/ButtonItem.h"
#include "platform/ListView.h"

#include <memory>

class Contact;

class ChatScreen : public IMScreen {
public:
    ChatScreen();
    ~ChatScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;
    void onStateTransition(EVENT_T event, void* data) override;
    void onModelUpdate(void* data) override;
    void willLossFocus() override;
    void onForeground() override;
    void resetChatInput() override;

    Contact* GetSelectedContact() const { return contact_.get(); }
    // Keeps a copy; null forgets the contact.
    void SetSelectedContact(const Contact* contact);
    Ixa::Ui::Controls::EditArea* GetChatEditField() const { return editArea_; }
    Ixa::Base::String GetEditFieldText() const;
    void AppendToEditField(const Ixa::Base::String& text);
    void ClearEditField();
    // The send button's picture follows whether the input holds text.
    void UpdateSendButton();
    // Places the list above the input bar, whose height follows the input's lines.
    void Relayout();

    void DisplaySendMessage();
    void DisplaySentOrFailedMessage(int row);
    void DisplayReSendMessage(int row);
    void DisplayReceievedChatMessage();
    // Appends a notice row (not stored) and scrolls to it.
    void CreateOfflineMessage(const Ixa::Base::String& text);
    // Drops the rows; the list asks for them again, from the store.
    void ReloadList();
    Ixa::Ui::Controls::ListItemBase* LayoutChatListViewItem(const Message& message, int width);
    // How notices name the contact: the nick name, else the contact id.
    Ixa::Base::String GetNoticeName() const;

private:
    void open();
    void showTitle();
    void takeQuickText();
    // Sends the text the program was started to send in this chat, if any.
    void sendStartupText();
    void messageUpdated(Message& message);
    void contactUpdated(const Contact& contact);
    void contactImageUpdated(const Contact& contact);
    bool isOpenContact(const Ixa::Base::String& id) const;
    const Ixa::Graphics::Bitmap* avatar();
    void addConversationList();
    void addInputBar();
    void addHeaderButton(Ixa::Ui::Controls::ButtonPosition position, const char* picture, int actionId);
    Ixa::Ui::Controls::Button* addInputButton(const char* picture, const char* pressed, int actionId);

    ChatController controller_;
    std::unique_ptr<Contact> contact_;
    std::unique_ptr<Ixa::Graphics::Bitmap> avatar_;
    bool avatarRefreshPending_ = false;
    // Between its transition in and the next screen's: model updates count only then.
    bool showing_ = false;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
    Ixa::Ui::Controls::EditArea* editArea_ = nullptr;
    Ixa::Ui::Controls::Button* moreButton_ = nullptr;
    Ixa::Ui::Controls::Button* sendButton_ = nullptr;
    std::unique_ptr<Ixa::Graphics::Bitmap> sendEmpty_;
    std::unique_ptr<Ixa::Graphics::Bitmap> sendReady_;
};
