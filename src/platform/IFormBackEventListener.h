// Told when the user asks to go back from a form.
// Threading: called on the user-interface thread; the listener or provider is borrowed by
// the control it was given to and must outlive it or be removed first.
#pragma once



namespace Ixa::Ui::Controls {

class Form;

class IFormBackEventListener {
public:
    virtual ~IFormBackEventListener() = default;
    // The footer's back button (or the back key) was used.
    virtual void OnFormBackRequested(Form& source) = 0;
};

}  // namespace Ixa::Ui::Controls
