#include "platform/KeypadOverlay.h"

#include "platform/Frame.h"
#include "platform/FrameWindow.h"
#include "platform/KeypadSupport.h"
#include "platform/PaintedWidget.h"
#include "platform/QtBridge.h"
#include "platform/UiTheme.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <cstring>

namespace Ixa::Ui {

namespace {

constexpr int KeyHideAction = -10;
constexpr int KeyActionAction = -11;
constexpr int KeySpaceAction = -12;
constexpr int CommandRowHeight = 64;
constexpr int KeyRowHeight = 58;
const char* const KeyRows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};

}  // namespace

KeypadOverlay* KeypadOverlay::Get()
{
    Controls::Frame* frame = Controls::Frame::GetActiveFrame();
    if (frame == nullptr)
        return nullptr;
    QWidget* area = frame->GetWindow().KeypadHost();
    // The overlay has no meta-object of its own, so it is found by type, not by qobject_cast.
    for (QObject* child : area->children()) {
        if (auto* existing = dynamic_cast<KeypadOverlay*>(child))
            return existing;
    }
    return new KeypadOverlay(*area);
}

KeypadOverlay::KeypadOverlay(QWidget& formArea) : QObject(&formArea), widget_(new PaintedWidget(&formArea))
{
    widget_->hide();
    widget_->onPaint = [this](QPainter& painter) { Paint(painter); };
    widget_->onPress = [](const QPoint&) {};
    widget_->onRelease = [this](const QPoint& point) { Tap(point); };
}

void KeypadOverlay::Open(KeypadSupport& client)
{
    if (client_ != nullptr)
        Close(client_);
    client_ = &client;
    Relayout();
    widget_->show();
    widget_->raise();
    qApp->installEventFilter(this);
    client.Opened();
}

void KeypadOverlay::Close(KeypadSupport* client)
{
    if (client_ == nullptr || (client != nullptr && client != client_))
        return;
    KeypadSupport* closing = client_;
    Drop(*closing);
    closing->Closed();
}

void KeypadOverlay::Drop(const KeypadSupport& client)
{
    if (client_ != &client)
        return;
    client_ = nullptr;
    qApp->removeEventFilter(this);
    widget_->hide();
}

std::vector<ActionArea> KeypadOverlay::GetKeys() const { return keys_; }

QWidget* KeypadOverlay::GetWidget() const { return widget_; }

void KeypadOverlay::Relayout()
{
    keys_.clear();
    const QWidget* area = widget_->parentWidget();
    const bool commands = client_ != nullptr && client_->commandButtonsVisible
        && (client_->commands[0].actionId >= 0 || client_->commands[1].actionId >= 0);
    const int height = (commands ? CommandRowHeight : 0) + 4 * KeyRowHeight + 8;
    widget_->setGeometry(0, area->height() - height, area->width(), height);
    const int width = widget_->width();
    int y = 4;
    if (commands) {
        for (int i = 0; i < 2; ++i) {
            const KeypadSupport::CommandButton& command = client_->commands[i];
            if (command.actionId >= 0)
                keys_.push_back({Graphics::Rectangle(i * width / 2 + 6, y, width / 2 - 12, CommandRowHeight - 8), command.actionId, command.text});
        }
        y += CommandRowHeight;
    }
    for (const char* row : KeyRows) {
        const int count = static_cast<int>(std::strlen(row));
        const int keyWidth = width / 10;
        const int left = (width - count * keyWidth) / 2;
        for (int i = 0; i < count; ++i)
            keys_.push_back({Graphics::Rectangle(left + i * keyWidth + 2, y, keyWidth - 4, KeyRowHeight - 6), -100 - row[i], Base::String(std::string(1, row[i]).c_str())});
        y += KeyRowHeight;
    }
    keys_.push_back({Graphics::Rectangle(4, y, width / 4 - 8, KeyRowHeight - 6), KeyHideAction, HIDE_KEY});
    keys_.push_back({Graphics::Rectangle(width / 4, y, width / 2, KeyRowHeight - 6), KeySpaceAction, "space"});
    keys_.push_back({Graphics::Rectangle(3 * width / 4 + 4, y, width / 4 - 8, KeyRowHeight - 6), KeyActionAction, "Done"});
}

void KeypadOverlay::Paint(QPainter& painter)
{
    painter.fillRect(widget_->rect(), QColor(0x0f, 0x14, 0x1b));
    painter.setFont(UiTheme::Font(UiTheme::SmallTextSize));
    for (const ActionArea& key : keys_) {
        const QRect rect = QtBridge::ToQRect(key.rect);
        painter.setPen(Qt::NoPen);
        painter.setBrush(key.actionId >= 0 ? UiTheme::Accent() : key.actionId <= -100 ? QColor(0x3a, 0x46, 0x55) : QColor(0x2a, 0x34, 0x40));
        painter.drawRoundedRect(rect, 6, 6);
        painter.setPen(UiTheme::Text());
        painter.drawText(rect, Qt::AlignCenter, painter.fontMetrics().elidedText(QtBridge::ToQString(key.text), Qt::ElideRight, rect.width() - 6));
    }
}

void KeypadOverlay::Tap(const QPoint& point)
{
    if (client_ == nullptr)
        return;
    for (const ActionArea& key : keys_) {
        if (!key.rect.Contains(Graphics::Point(point.x(), point.y())))
            continue;
        if (key.actionId == KeyHideAction)
            Close(client_);
        else if (key.actionId == KeyActionAction)
            client_->ActionKey();
        else if (key.actionId == KeySpaceAction && client_->insertText)
            client_->insertText(" ");
        else if (key.actionId <= -100 && client_->insertText)
            client_->insertText(key.text);
        else if (key.actionId >= 0)
            client_->Command(key.actionId);
        return;
    }
}

bool KeypadOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress || client_ == nullptr)
        return false;
    auto* target = qobject_cast<QWidget*>(watched);
    // A press that a widget ignores travels on to its parents; count it once.
    if (target == nullptr || event == lastPress_)
        return false;
    lastPress_ = event;
    const bool inKeypad = target == widget_ || widget_->isAncestorOf(target);
    const bool inField = client_->textWidget != nullptr && (target == client_->textWidget || client_->textWidget->isAncestorOf(target));
    if (!inKeypad && !inField && target->window() == widget_->window())
        client_->OtherControlSelected();
    return false;
}

}  // namespace Ixa::Ui
