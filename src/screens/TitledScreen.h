// A screen that is, so far, a form with a header title from the resource texts and, where
// the screen has a way back, the footer's back button, which posts the screen's back event.
// The task screens start from it until they get their own contents.
// Threading: user-interface thread. Ownership: the screen owns its controller.
#pragma once

#include "app/IMScreen.h"
#include "screens/TitledScreenController.h"

class TitledScreen : public IMScreen {
public:
    static constexpr int NO_BACK = 0;

    // `backEvent` is posted by the back button; NO_BACK for a screen without one.
    TitledScreen(const char* formName, const char* titleId, int backEvent);
    ~TitledScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

    int GetBackEvent() const;

private:
    const char* formName_;
    const char* titleId_;
    int backEvent_;
    TitledScreenController controller_;
};
