// The handset on the desktop: a window with the status strip (the time, which follows the
// minute, the badge number, the ongoing-activity entry or else the application's notice), the area where the current form is shown, the layers above it
// (popups with the dimmed screen behind them, the keypad overlay), the home screen shown
// while the application is in the background, and the home key at the bottom.
// Threading and ownership: user-interface thread; owned by the Frame control.
#pragma once

#include "platform/StatusClock.h"

#include <QWidget>

#include <functional>

namespace Ixa::Ui {

class PaintedWidget;

class FrameWindow : public QWidget {
public:
    FrameWindow();
    ~FrameWindow() override;

    QWidget* FormArea() const { return formArea_; }
    QWidget* PopupHost() const;
    QWidget* KeypadHost() const { return formArea_; }
    // Shows the dimmed popup layer exactly while one of its popups is visible.
    void UpdatePopupHost();
    void SetLandscape(bool landscape);
    bool IsLandscape() const { return landscape_; }
    void ShowHomeScreen(bool shown);
    bool IsHomeScreenShown() const;
    void RefreshStatus();
    const StatusClock& GetClock() const { return clock_; }
    // Where the ongoing-activity entry and the home key are drawn, in window coordinates.
    QRect OngoingEntryRect() const;
    QRect HomeKeyRect() const;
    QRect HomeScreenIconRect() const;
    // The application's notice in the strip, where the ongoing-activity entry goes; that entry
    // wins while it is shown. A tap on the notice calls `onTap`.
    void SetStatusNotice(const QString& text, std::function<void()> onTap);
    void ClearStatusNotice();
    // Empty while no notice is shown.
    QString VisibleStatusNotice() const;

    std::function<void()> onHomeKey;
    std::function<void()> onOngoingSelected;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetScreenSize(int width, int height);
    void Relayout();
    void PaintStatus(QPainter& painter);
    void PaintNotice(QPainter& painter);
    void StatusReleased(const QPoint& point);
    void PaintHomeBar(QPainter& painter);
    void PaintHomeScreen(QPainter& painter);

    PaintedWidget* status_;
    QWidget* formArea_;
    PaintedWidget* popupHost_;
    PaintedWidget* homeScreen_;
    PaintedWidget* homeBar_;
    StatusClock clock_;
    QString notice_;
    std::function<void()> onNoticeTap_;
    bool landscape_ = false;
};

}  // namespace Ixa::Ui
