// Saves a picture of the handset window after every screen change, when a directory was
// given (--screenshot-dir). The picture is taken once the change has been laid out and
// painted: the request is queued behind the events already waiting.
// Files are named by sequence and form name: 0001-LOGIN_SCREEN.png.
// Threading and ownership: user-interface thread; owned by the Frame.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace Ixa::Ui {

class ScreenshotRecorder {
public:
    explicit ScreenshotRecorder(QWidget& window);

    void SetDirectory(const QString& directory);
    QString GetDirectory() const { return directory_; }
    // Schedules a picture named after `label`.
    void Request(const QString& label);
    // Saves the window now; false when the file could not be written.
    static bool Save(QWidget& window, const QString& path);
    int GetSavedCount() const { return saved_; }

private:
    QPointer<QWidget> window_;
    QString directory_;
    int sequence_ = 0;
    int saved_ = 0;
};

}  // namespace Ixa::Ui
