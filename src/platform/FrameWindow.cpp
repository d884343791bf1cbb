#include "platform/FrameWindow.h"

#include "platform/NotificationCenter.h"
#include "platform/PaintedWidget.h"
#include "platform/QtBridge.h"
#include "platform/UiTheme.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <utility>

namespace Ixa::Ui {

namespace {

// The clock sits left of the ongoing-activity entry; "12:59 PM" in the status font needs
// about 100 px.
constexpr int OngoingLeft = 124;

}  // namespace

FrameWindow::FrameWindow()
    : status_(new PaintedWidget(this)),
      formArea_(new QWidget(this)),
      popupHost_(new PaintedWidget(this)),
      homeScreen_(new PaintedWidget(this)),
      homeBar_(new PaintedWidget(this)),
      clock_([this] { RefreshStatus(); })
{
    setWindowTitle(QStringLiteral("VeloIM"));
    setStyleSheet(UiTheme::StyleSheet());
    SetScreenSize(UiTheme::ScreenShortSide, UiTheme::ScreenLongSide);
    status_->onPaint = [this](QPainter& painter) { PaintStatus(painter); };
    status_->onRelease = [this](const QPoint& point) { StatusReleased(point); };
    popupHost_->onPaint = [this](QPainter& painter) { painter.fillRect(popupHost_->rect(), UiTheme::Dim()); };
    popupHost_->onPress = [](const QPoint&) {};
    popupHost_->hide();
    homeScreen_->onPaint = [this](QPainter& painter) { PaintHomeScreen(painter); };
    homeScreen_->onRelease = [this](const QPoint& point) {
        if (HomeScreenIconRect().translated(-homeScreen_->pos()).contains(point) && onHomeKey)
            onHomeKey();
    };
    homeScreen_->hide();
    homeBar_->onPaint = [this](QPainter& painter) { PaintHomeBar(painter); };
    homeBar_->onRelease = [this](const QPoint& point) {
        if (HomeKeyRect().translated(-homeBar_->pos()).contains(point) && onHomeKey)
            onHomeKey();
    };
    App::NotificationCenter::SetObserver([this] { RefreshStatus(); });
    Relayout();
}

FrameWindow::~FrameWindow() { App::NotificationCenter::SetObserver(nullptr); }

QWidget* FrameWindow::PopupHost() const { return popupHost_; }

void FrameWindow::UpdatePopupHost()
{
    bool anyShown = false;
    for (QObject* child : popupHost_->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        anyShown = anyShown || (widget != nullptr && !widget->isHidden());
    }
    popupHost_->setVisible(anyShown);
    if (anyShown)
        popupHost_->raise();
    homeScreen_->raise();
}

void FrameWindow::SetLandscape(bool landscape)
{
    landscape_ = landscape;
    if (landscape)
        SetScreenSize(UiTheme::ScreenLongSide, UiTheme::ScreenShortSide);
    else
        SetScreenSize(UiTheme::ScreenShortSide, UiTheme::ScreenLongSide);
    Relayout();
}

// On a desktop the handset's window keeps its screen size. Without a display there is no window
// manager to pass size limits to (the offscreen platform warns when a shown window's limits
// change), and a plain resize is all that is needed.
void FrameWindow::SetScreenSize(int width, int height)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        resize(width, height);
    else
        setFixedSize(width, height);
}

void FrameWindow::ShowHomeScreen(bool shown)
{
    homeScreen_->setVisible(shown);
    homeScreen_->raise();
}

bool FrameWindow::IsHomeScreenShown() const { return !homeScreen_->isHidden(); }

void FrameWindow::RefreshStatus() { status_->update(); }

QRect FrameWindow::OngoingEntryRect() const { return QRect(OngoingLeft, 0, width() - OngoingLeft - 90, UiTheme::StatusHeight); }

QRect FrameWindow::HomeKeyRect() const
{
    return QRect(width() / 2 - 60, height() - UiTheme::HomeBarHeight + 4, 120, UiTheme::HomeBarHeight - 8);
}

QRect FrameWindow::HomeScreenIconRect() const
{
    return QRect(width() / 2 - 48, UiTheme::StatusHeight + 120, 96, 96);
}

void FrameWindow::SetStatusNotice(const QString& text, std::function<void()> onTap)
{
    notice_ = text;
    onNoticeTap_ = std::move(onTap);
    RefreshStatus();
}

void FrameWindow::ClearStatusNotice() { SetStatusNotice(QString(), nullptr); }

QString FrameWindow::VisibleStatusNotice() const { return App::NotificationCenter::GetOngoing().shown ? QString() : notice_; }

void FrameWindow::StatusReleased(const QPoint& point)
{
    if (!OngoingEntryRect().contains(point))
        return;
    if (App::NotificationCenter::GetOngoing().shown) {
        if (onOngoingSelected)
            onOngoingSelected();
    } else if (!notice_.isEmpty() && onNoticeTap_) {
        // The tap may change the notice, and with it the function being run.
        const std::function<void()> tap = onNoticeTap_;
        tap();
    }
}

void FrameWindow::resizeEvent(QResizeEvent*) { Relayout(); }

void FrameWindow::Relayout()
{
    const int formHeight = height() - UiTheme::StatusHeight - UiTheme::HomeBarHeight;
    status_->setGeometry(0, 0, width(), UiTheme::StatusHeight);
    formArea_->setGeometry(0, UiTheme::StatusHeight, width(), formHeight);
    popupHost_->setGeometry(formArea_->geometry());
    homeScreen_->setGeometry(formArea_->geometry());
    homeBar_->setGeometry(0, height() - UiTheme::HomeBarHeight, width(), UiTheme::HomeBarHeight);
}

void FrameWindow::PaintStatus(QPainter& painter)
{
    painter.fillRect(status_->rect(), QColor(0, 0, 0));
    painter.setFont(UiTheme::Font(18, true));
    painter.setPen(UiTheme::Text());
    painter.drawText(QRect(10, 0, OngoingLeft - 10, UiTheme::StatusHeight), Qt::AlignVCenter | Qt::AlignLeft, clock_.GetText());
    const App::NotificationCenter::Ongoing ongoing = App::NotificationCenter::GetOngoing();
    if (ongoing.shown) {
        const QRect entry = OngoingEntryRect();
        painter.setBrush(UiTheme::Accent());
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRect(entry.left(), 8, 22, 16), 4, 4);
        painter.setPen(UiTheme::Text());
        painter.setFont(UiTheme::Font(16));
        const QRect textRect = entry.adjusted(30, 0, 0, 0);
        painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
            painter.fontMetrics().elidedText(QtBridge::ToQString(ongoing.text), Qt::ElideRight, textRect.width()));
    } else if (!notice_.isEmpty()) {
        PaintNotice(painter);
    }
    const int badge = App::NotificationCenter::GetBadge();
    if (badge > 0) {
        const QRect circle(width() - 44, 4, 34, 24);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xe5, 0x39, 0x35));
        painter.drawRoundedRect(circle, 12, 12);
        painter.setPen(UiTheme::Text());
        painter.setFont(UiTheme::Font(16, true));
        painter.drawText(circle, Qt::AlignCenter, QString::number(badge));
    }
}

void FrameWindow::PaintNotice(QPainter& painter)
{
    const QRect entry = OngoingEntryRect();
    painter.setPen(Qt::NoPen);
    painter.setBrush(UiTheme::Accent());
    painter.drawRoundedRect(entry.adjusted(0, 4, 0, -4), 6, 6);
    painter.setPen(UiTheme::Text());
    painter.setFont(UiTheme::Font(16, true));
    const QRect textRect = entry.adjusted(8, 0, -8, 0);
    painter.drawText(textRect, Qt::AlignCenter, painter.fontMetrics().elidedText(notice_, Qt::ElideRight, textRect.width()));
}

void FrameWindow::PaintHomeBar(QPainter& painter)
{
    painter.fillRect(homeBar_->rect(), QColor(0, 0, 0));
    const QRect key = HomeKeyRect().translated(-homeBar_->pos());
    painter.setPen(QPen(UiTheme::SecondaryText(), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(key.adjusted(30, 6, -30, -6), 10, 10);
}

void FrameWindow::PaintHomeScreen(QPainter& painter)
{
    QLinearGradient gradient(0, 0, 0, homeScreen_->height());
    gradient.setColorAt(0, QColor(0x10, 0x30, 0x50));
    gradient.setColorAt(1, QColor(0x05, 0x10, 0x20));
    painter.fillRect(homeScreen_->rect(), gradient);
    const QRect icon = HomeScreenIconRect().translated(-homeScreen_->pos());
    painter.setPen(Qt::NoPen);
    painter.setBrush(UiTheme::Accent());
    painter.drawRoundedRect(icon, 22, 22);
    painter.setPen(UiTheme::Text());
    painter.setFont(UiTheme::Font(44, true));
    painter.drawText(icon, Qt::AlignCenter, QStringLiteral("V"));
    painter.setFont(UiTheme::Font(22));
    painter.drawText(QRect(0, icon.bottom() + 8, homeScreen_->width(), 30), Qt::AlignHCenter, QStringLiteral("VeloIM"));
}

}  // namespace Ixa::Ui
