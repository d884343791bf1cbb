// Opens the overlay keypad of an edit control when its text widget is touched or gets the
// focus by a touch, and reports the desktop keyboard's Enter as the keypad's action key.
// Threading and ownership: user-interface thread; a child of the text widget it watches.
#pragma once

#include <QObject>

namespace Ixa::Ui {

class KeypadSupport;

class TextInputFilter : public QObject {
public:
    TextInputFilter(QObject& textWidget, KeypadSupport& keypad, bool enterIsAction);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeypadSupport& keypad_;
    bool enterIsAction_;
};

}  // namespace Ixa::Ui
