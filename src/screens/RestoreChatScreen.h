// The screen "RESTORE_CHAT_SCREEN": one saved conversation, titled with its user as the list
// names it (the stored key carries the time of saving in the stores' UTC form, no text for a
// user), and its messages as chat bubbles with emoticons and links. The footer follows the
// protection: a protected conversation offers only to switch it off; an unprotected one offers
// protection and delete, which asks first, naming the user and the date the list shows.
// Threading: user-interface thread. Ownership: owns its controller; the form owns the
// controls; the confirmation popup is the base's.
#pragma once

#include "app/IMScreen.h"
#include "screens/RestoreChatController.h"

#include "platform/ListView.h"

class RestoreChatScreen : public IMScreen {
public:
    static constexpr int POPUP_DELETE = 20;

    ~RestoreChatScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

    // The footer for the protection the store holds now.
    void ShowFooter();
    void AskToDelete();
    void CloseDeleteQuestion();

private:
    RestoreChatController controller_;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
};
