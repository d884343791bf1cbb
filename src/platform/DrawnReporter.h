// Tells when each screen change has been drawn, for timing what a user waits for
// (--report-drawn): once a form has become current, the end of the window's next paint pass
// writes "drawn NAME MS" on standard output, MS being the time in milliseconds on the system's
// monotonic clock, which a program that started this one can set against its own start time.
// Redraws within a screen are not reported, and neither is the encoding of a picture that
// --screenshot-dir adds after the paint.
// Threading and ownership: user-interface thread; owned by the Frame; watches the window it is
// given, which outlives it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace Ixa::Ui {

class DrawnReporter : public QObject {
public:
    explicit DrawnReporter(QWidget& window);
    ~DrawnReporter() override;

    // The next paint pass of the window ends the screen change named `label`.
    void Expect(const QString& label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Report();

    QPointer<QWidget> window_;
    QString label_;
    bool expecting_ = false;
    bool queued_ = false;
};

}  // namespace Ixa::Ui
