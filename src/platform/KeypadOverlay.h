// The on-screen keypad drawn over the lower part of the form area while an edit control with
// an overlay keypad is being typed in: an optional row of the control's two command buttons,
// letter keys (which type into the control, as the desktop keyboard does), the hide key and
// the action key. While it is open, a touch outside the control and the keypad is reported as
// "another control selected".
// Threading and ownership: user-interface thread. One overlay per frame window, created on
// first use as the window's child; it borrows the KeypadSupport of the control it serves.
#pragma once

#include "platform/ActionArea.h"

#include <QPointer>
#include <QWidget>

#include <vector>

namespace Ixa::Ui {

class KeypadSupport;
class PaintedWidget;

class KeypadOverlay : public QObject {
public:
    // The overlay of the active frame's window; null without a frame.
    static KeypadOverlay* Get();
    static constexpr const char* HIDE_KEY = "Hide";

    void Open(KeypadSupport& client);
    // Closes it when `client` is the one served (any client when null).
    void Close(KeypadSupport* client);
    // Closes it for `client` without telling its listeners: the client's control is being
    // destroyed, and the form listening to it may be half destroyed already.
    void Drop(const KeypadSupport& client);
    bool IsOpenFor(const KeypadSupport& client) const { return client_ == &client; }
    KeypadSupport* GetClient() const { return client_; }
    // Platform side: the keys as drawn now (window coordinates of the overlay widget).
    std::vector<ActionArea> GetKeys() const;
    QWidget* GetWidget() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit KeypadOverlay(QWidget& formArea);
    void Paint(QPainter& painter);
    void Tap(const QPoint& point);
    void Relayout();

    PaintedWidget* widget_;
    KeypadSupport* client_ = nullptr;
    std::vector<ActionArea> keys_;
    const QEvent* lastPress_ = nullptr;
};

}  // namespace Ixa::Ui
