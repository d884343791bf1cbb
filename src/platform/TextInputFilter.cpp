#include "platform/TextInputFilter.h"

#include "platform/KeypadSupport.h"

#include <QKeyEvent>

namespace Ixa::Ui {

TextInputFilter::TextInputFilter(QObject& textWidget, KeypadSupport& keypad, bool enterIsAction)
    : QObject(&textWidget), keypad_(keypad), enterIsAction_(enterIsAction)
{
    textWidget.installEventFilter(this);
}

bool TextInputFilter::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && keypad_.overlay)
        keypad_.Open();
    if (event->type() == QEvent::KeyPress && enterIsAction_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            keypad_.ActionKey();
            return true;
        }
    }
    return false;
}

}  // namespace Ixa::Ui
