// Saves pictures of the handset window, when a directory was given (--screenshot-dir): one
// after every screen change, and one whenever the screen has been redrawn and has then stayed
// still for a moment (a list filled by the server, a message that arrived). A redraw that
// leaves the picture as it was saves nothing.
// A screen change's picture is taken once the change has been laid out and painted: the
// request is queued behind the events already waiting. A redraw's picture waits until the
// window has had no redraw for SettleMs, or at most MaxWaitMs while an animation keeps it
// busy. Files are named by sequence and the name of the form on screen: 0001-LOGIN_SCREEN.png.
// Each file is written under a temporary name and renamed, so a reader never sees half of one.
// Threading and ownership: user-interface thread; owned by the Frame; watches the window
// it is given, which outlives it.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace Ixa::Ui {

class ScreenshotRecorder : public QObject {
public:
    static constexpr int SettleMs = 400;
    static constexpr int MaxWaitMs = 1500;

    explicit ScreenshotRecorder(QWidget& window);
    ~ScreenshotRecorder() override;

    void SetDirectory(const QString& directory);
    QString GetDirectory() const { return directory_; }
    // Schedules a picture named after `label`; later redraws are named after it too.
    void Request(const QString& label);
    // Saves the window now; false when the file could not be written.
    static bool Save(QWidget& window, const QString& path);
    // The window as it looks now, drawn into memory (with or without a display).
    static QImage Render(QWidget& window);
    int GetSavedCount() const { return saved_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool Write(const QImage& image, const QString& path);
    void OnRedrawn();
    // Saves the window unless it looks as the last picture did.
    void Capture();

    QPointer<QWidget> window_;
    QString directory_;
    QString label_ = QStringLiteral("form");
    QImage last_;
    QTimer settle_;
    QElapsedTimer waitingSince_;
    int sequence_ = 0;
    int saved_ = 0;
};

}  // namespace Ixa::Ui
